#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// The bytes of a group of files of one directory, taken before they are rewritten, so that a
// rewrite that fails half way can put every file back as it was (a file that was missing is
// removed again). The game files are a few kilobytes, so holding them costs nothing.
class FileSnapshot {
 public:
  // Reads each of `names` in `directory`. Fails when a file that exists cannot be read.
  [[nodiscard]] Status Take(FileSystem& files, const std::string& directory,
                            const std::vector<std::string>& names);
  // Puts every file back; goes on after a failure and returns the first one.
  [[nodiscard]] Status Restore(FileSystem& files) const;

 private:
  struct Entry {
    std::string path;
    std::optional<std::string> bytes;  // nothing: the file did not exist
  };
  std::vector<Entry> entries_;
};

// The files of a game that a quarter's update rewrites in a directory.
const std::vector<std::string>& GameFileNames();

// The files of a bank disk that the game writes.
const std::vector<std::string>& BankDiskFileNames();

}  // namespace qv
