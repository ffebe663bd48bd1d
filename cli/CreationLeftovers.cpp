#include "cli/CreationLeftovers.h"

#include <filesystem>
#include <system_error>

namespace qv::cli {

namespace fs = std::filesystem;

void CreationLeftovers::Note(const LocalFileSystem& files,
                             const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    Folder noted;
    if (!files.Resolve(folder, &noted.host)) {
      continue;
    }
    std::error_code code;
    // The outermost folder that does not exist yet: everything from it down is the creation's.
    fs::path missing;
    for (fs::path at = fs::path(noted.host); !at.empty() && !fs::exists(at, code);
         at = at.parent_path()) {
      missing = at;
      if (at == at.parent_path()) {
        break;
      }
    }
    noted.existing = missing.string();
    if (missing.empty()) {
      for (fs::directory_iterator it(noted.host, code), end; !code && it != end;
           it.increment(code)) {
        noted.entries.insert(it->path().filename().string());
      }
    }
    folders_.push_back(std::move(noted));
  }
}

void CreationLeftovers::Remove() const {
  for (const Folder& folder : folders_) {
    std::error_code code;
    if (!folder.existing.empty()) {
      fs::remove_all(folder.existing, code);
      continue;
    }
    std::vector<fs::path> added;
    for (fs::directory_iterator it(folder.host, code), end; !code && it != end;
         it.increment(code)) {
      if (folder.entries.count(it->path().filename().string()) == 0) {
        added.push_back(it->path());
      }
    }
    for (const fs::path& path : added) {
      fs::remove_all(path, code);
    }
  }
}

}  // namespace qv::cli
