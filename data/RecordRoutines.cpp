#include "data/RecordRoutines.h"

#include <memory>

#include "data/GameFileLimits.h"
#include "data/GameFiles.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace qv {

bool WriteRecordFile(Session& session, const std::string& full_name, int length,
                     const std::vector<NumberedRecord>& records) {
  return RunFileRoutine(session, Transfer::kWrite, full_name, [&] {
    std::unique_ptr<RecordFile> file;
    Status opened = session.files.OpenRecords(full_name, length, OpenMode::kReadWrite, &file);
    if (!opened.ok()) {
      return opened;
    }
    return WriteRecords(*file, records);
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
