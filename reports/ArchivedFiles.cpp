#include "reports/ArchivedFiles.h"

#include <algorithm>

#include "data/RecordBytes.h"
#include "platform/RuntimeError.h"

namespace qv {

namespace {

Status Refused(const std::string& path) {
  return Status::Error(error::kPathFileAccess, path + ": an archived quarter is read only");
}

}  // namespace

ArchivedFiles::ArchivedFiles(const std::vector<std::string>& names,
                             std::vector<std::string> contents) {
  for (std::size_t i = 0; i < names.size() && i < contents.size(); ++i) {
    files_[FoldedDirectory(names[i])] = std::move(contents[i]);
    names_.push_back(names[i]);
  }
  std::sort(names_.begin(), names_.end());
}

std::string* ArchivedFiles::Find(const std::string& path) {
  const auto found = files_.find(FoldedDirectory(path));
  return found == files_.end() ? nullptr : &found->second;
}

Status ArchivedFiles::OpenRecords(const std::string& path, int record_length, OpenMode mode,
                                  std::unique_ptr<RecordFile>* file) {
  if (mode != OpenMode::kRead) {
    return Refused(path);
  }
  std::string* bytes = Find(path);
  if (bytes == nullptr) {
    return Status::Error(error::kFileNotFound, path + ": not archived");
  }
  // Reads never write, so the held bytes stay as archived.
  *file = std::make_unique<RecordBytes>(*bytes, record_length);
  return Status::Ok();
}

Status ArchivedFiles::ReadText(const std::string& path, std::string* contents) {
  const std::string* bytes = Find(path);
  if (bytes == nullptr) {
    return Status::Error(error::kFileNotFound, path + ": not archived");
  }
  *contents = *bytes;
  return Status::Ok();
}

Status ArchivedFiles::WriteText(const std::string& path, std::string_view) {
  return Refused(path);
}

Status ArchivedFiles::Lock(const std::string& path, std::string_view, std::unique_ptr<FileLock>*,
                           std::string*) {
  return Refused(path);
}

bool ArchivedFiles::Exists(const std::string& path) {
  return IsDirectory(path) || Find(path) != nullptr;
}

bool ArchivedFiles::IsDirectory(const std::string& path) {
  return FoldedDirectory(path).empty();
}

Status ArchivedFiles::FileSize(const std::string& path, std::int64_t* size) {
  const std::string* bytes = Find(path);
  if (bytes == nullptr) {
    return Status::Error(error::kFileNotFound, path + ": not archived");
  }
  *size = static_cast<std::int64_t>(bytes->size());
  return Status::Ok();
}

Status ArchivedFiles::ListDirectory(const std::string& directory, std::vector<std::string>* names) {
  if (!IsDirectory(directory)) {
    return Status::Error(error::kPathNotFound, directory + ": not archived");
  }
  *names = names_;
  return Status::Ok();
}

Status ArchivedFiles::MakeDirectories(const std::string& directory) {
  return Refused(directory);
}

Status ArchivedFiles::RemoveFile(const std::string& path) {
  return Refused(path);
}

}  // namespace qv
