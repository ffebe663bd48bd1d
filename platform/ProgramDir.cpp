#include "platform/ProgramDir.h"

namespace qv {

namespace {

// The file every installation ships; its presence tells an installed data folder.
constexpr const char* kMarkerFile = "report.qvs";

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// The parent of `directory`, ending in a separator; empty when it has none.
std::string ParentDirectory(std::string directory) {
  while (!directory.empty() && IsSeparator(directory.back())) {
    directory.pop_back();
  }
  while (!directory.empty() && !IsSeparator(directory.back())) {
    directory.pop_back();
  }
  return directory;
}

}  // namespace

std::string FindProgramDir(FileSystem& files, const std::string& executable_dir) {
  std::string own = executable_dir;
  if (!EndsWithSeparator(own)) {
    own += '/';
  }
  const std::string prefix = ParentDirectory(own);
  if (!prefix.empty()) {
    std::string installed = prefix + kInstalledDataDir;
    if (files.Exists(installed + kMarkerFile)) {
      return installed;
    }
  }
  return own;
}

}  // namespace qv
