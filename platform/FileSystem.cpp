#include "platform/FileSystem.h"

#include "platform/RuntimeError.h"

namespace qv {

namespace {

Status TooLarge(const std::string& path, std::int64_t max_bytes) {
  return Status::Error(
      error::kPathFileAccess,
      path + ": larger than the " + std::to_string(max_bytes) + " bytes such a file can hold");
}

}  // namespace

std::string FoldedDirectory(const std::string& path) {
  std::string folded;
  for (const char c : path) {
    folded += c == '\\' ? '/' : (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  while (folded.size() > 1 && folded.back() == '/') {
    folded.pop_back();
  }
  return folded;
}

Status FileSystem::ReadIfPresent(const std::string& path, std::optional<std::int64_t> max_bytes,
                                 std::string* contents, bool* present) {
  contents->clear();
  *present = Exists(path);
  if (!*present) {
    return Status::Ok();
  }
  return max_bytes ? ReadTextAtMost(path, *max_bytes, contents) : ReadText(path, contents);
}

bool FileSystem::SameDirectory(const std::string& a, const std::string& b) {
  return FoldedDirectory(a) == FoldedDirectory(b);
}

Status FileSystem::ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                                  std::string* contents) {
  std::int64_t size = 0;
  Status sized = FileSize(path, &size);
  if (sized.ok() && size > max_bytes) {
    return TooLarge(path, max_bytes);
  }
  Status read = ReadText(path, contents);
  if (read.ok() && static_cast<std::int64_t>(contents->size()) > max_bytes) {
    contents->clear();
    return TooLarge(path, max_bytes);
  }
  return read;
}

}  // namespace qv
