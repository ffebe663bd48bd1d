#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// The files of one archived quarter, held in memory and read through the FileSystem port, so
// that the report's readers take an archived quarter exactly as they take the game directory.
// The files lie in one folder, the empty path: "COMP.QV" names the copy "Comp.qv" (names
// resolve without regard to letter case). Nothing can be written: every change is refused
// with error 75.
class ArchivedFiles final : public FileSystem {
 public:
  // `names` and `contents` pair up, as an archive entry lists its copies.
  ArchivedFiles(const std::vector<std::string>& names, std::vector<std::string> contents);

  Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                     std::unique_ptr<RecordFile>* file) override;
  Status ReadText(const std::string& path, std::string* contents) override;
  Status WriteText(const std::string& path, std::string_view contents) override;
  std::unique_ptr<FileBatch> StartBatch() override { return MakeSequentialBatch(*this); }
  Status SyncDirectory(const std::string&) override { return Status::Ok(); }
  Status Lock(const std::string& path, std::string_view holder, std::unique_ptr<FileLock>* lock,
              std::string* held_by) override;
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  Status FileSize(const std::string& path, std::int64_t* size) override;
  Status ListDirectory(const std::string& directory, std::vector<std::string>* names) override;
  Status MakeDirectories(const std::string& directory) override;
  Status RemoveFile(const std::string& path) override;

 private:
  // The held bytes of `path`, or null.
  std::string* Find(const std::string& path);

  std::map<std::string, std::string> files_;  // by the folded name
  std::vector<std::string> names_;            // as archived, sorted
};

}  // namespace qv
