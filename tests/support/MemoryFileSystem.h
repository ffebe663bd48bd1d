#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv::test {

// Files held in memory, found without regard to letter case: enough of a file system for
// the record routines and the game check to run on generated input at full speed.
class MemoryFileSystem final : public FileSystem {
 public:
  // Puts `bytes` under `path`, replacing any file of that name in any letter case.
  void Put(const std::string& path, std::string bytes);

  Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                     std::unique_ptr<RecordFile>* file) override;
  Status ReadText(const std::string& path, std::string* contents) override;
  Status WriteText(const std::string& path, std::string_view contents) override;
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  Status FileSize(const std::string& path, std::int64_t* size) override;
  Status ListDirectory(const std::string& directory, std::vector<std::string>* names) override;
  Status MakeDirectories(const std::string& directory) override;
  Status RemoveFile(const std::string& path) override;

 private:
  static std::string Key(const std::string& path);
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> directories_;
};

}  // namespace qv::test
