#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv::cli {

// The folders a game's creation writes, as they were before it, so that a creation that was
// refused or failed half way leaves nothing behind: a folder it made goes whole, and from a
// folder that was there only the entries it added go.
class CreationLeftovers {
 public:
  // Notes each of `folders` (the game directory, every team's disk path) as it is now.
  void Note(const LocalFileSystem& files, const std::vector<std::string>& folders);
  // Removes what appeared in the noted folders since; goes on after a failure.
  void Remove() const;

 private:
  struct Folder {
    std::string host;      // the folder as the host names it
    std::string existing;  // the first missing ancestor made by the creation, or ""
    std::set<std::string> entries;
  };
  std::vector<Folder> folders_;
};

}  // namespace qv::cli
