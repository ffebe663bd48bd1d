#include "data/RecordRoutines.h"

#include <memory>

#include "data/GameFileLimits.h"
#include "data/GameFiles.h"
#include "data/RecordBytes.h"
#include "data/StagedWrites.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace qv {

bool WriteRecordFile(Session& session, const std::string& full_name, int length,
                     const std::vector<NumberedRecord>& records) {
  return RunFileRoutine(session, Transfer::kWrite, full_name, [&] {
    // The records go into the file's bytes in memory, which are then written in one call; the
    // records not written keep what the file held.
    std::string bytes;
    bool exists = false;
    Status status = ReadWholeFile(session, full_name, &bytes, &exists);
    if (status.ok()) {
      RecordBytes file(bytes, length);
      status = WriteRecords(file, records);
    }
    return status.ok() ? WriteWholeFile(session, full_name, std::move(bytes)) : status;
  });
}

bool ReadRecordFile(Session& session, const std::string& full_name, int length,
                    const std::vector<int>& numbers, std::vector<NumberedRecord>* records) {
  return RunFileRoutine(session, Transfer::kRead, full_name, [&] {
    std::unique_ptr<RecordFile> file;
    Status opened = session.files.OpenRecords(full_name, length, OpenMode::kRead, &file);
    if (!opened.ok()) {
      return opened;
    }
    // A file beyond its layout's size was not written by the game or a team's program.
    const auto most = MaxGameFileBytes(FileNameOf(full_name));
    if (most && file->SizeBytes() > *most) {
      return Status::Error(error::kPathFileAccess, full_name + ": larger than its layout");
    }
    return ReadRecords(*file, length, numbers, records);
  });
}

}  // namespace qv
