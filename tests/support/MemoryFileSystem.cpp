#include "tests/support/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/RuntimeError.h"

namespace qv::test {

namespace {

class MemoryRecordFile final : public RecordFile {
 public:
  MemoryRecordFile(std::shared_ptr<std::string> bytes, int record_length)
      : bytes_(std::move(bytes)), record_length_(static_cast<std::size_t>(record_length)) {}

  Status Read(int record, std::span<std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, "bad record number");
    }
    const std::size_t start = Offset(record);
    if (start + record_bytes.size() > bytes_->size()) {
      return Status::Error(error::kInputPastEnd, "past end of file");
    }
    std::memcpy(record_bytes.data(), bytes_->data() + start, record_bytes.size());
    return Status::Ok();
  }

  Status Write(int record, std::span<const std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, "bad record number");
    }
    const std::size_t start = Offset(record);
    if (bytes_->size() < start + record_bytes.size()) {
      bytes_->resize(start + record_bytes.size(), '\0');
    }
    std::memcpy(bytes_->data() + start, record_bytes.data(), record_bytes.size());
    return Status::Ok();
  }

  std::int64_t SizeBytes() override { return static_cast<std::int64_t>(bytes_->size()); }

 private:
  std::size_t Offset(int record) const {
    return static_cast<std::size_t>(record - 1) * record_length_;
  }
  std::shared_ptr<std::string> bytes_;
  std::size_t record_length_;
};

Status NotFound(const std::string& path) {
  return Status::Error(error::kFileNotFound, path + ": not found");
}

}  // namespace

std::string MemoryFileSystem::Key(const std::string& path) {
  std::string key = path;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c == '\\') {
      c = '/';
    }
  }
  return key;
}

void MemoryFileSystem::Put(const std::string& path, std::string bytes) {
  files_[Key(path)] = std::make_shared<std::string>(std::move(bytes));
}

Status MemoryFileSystem::OpenRecords(const std::string& path, int record_length, OpenMode mode,
                                     std::unique_ptr<RecordFile>* file) {
  auto found = files_.find(Key(path));
  if (found == files_.end()) {
    if (mode == OpenMode::kRead) {
      return NotFound(path);
    }
    found = files_.emplace(Key(path), std::make_shared<std::string>()).first;
  }
  *file = std::make_unique<MemoryRecordFile>(found->second, record_length);
  return Status::Ok();
}

Status MemoryFileSystem::ReadText(const std::string& path, std::string* contents) {
  const auto found = files_.find(Key(path));
  if (found == files_.end()) {
    return NotFound(path);
  }
  *contents = *found->second;
  return Status::Ok();
}

Status MemoryFileSystem::WriteText(const std::string& path, std::string_view contents) {
  Put(path, std::string(contents));
  return Status::Ok();
}

bool MemoryFileSystem::Exists(const std::string& path) {
  return files_.count(Key(path)) > 0 || IsDirectory(path);
}

bool MemoryFileSystem::IsDirectory(const std::string& path) {
  std::string prefix = Key(path);
  if (prefix.empty() || prefix.back() != '/') {
    prefix += '/';
  }
  if (directories_.count(prefix) > 0) {
    return true;
  }
  const auto next = files_.lower_bound(prefix);
  return next != files_.end() && next->first.compare(0, prefix.size(), prefix) == 0;
}

Status MemoryFileSystem::FileSize(const std::string& path, std::int64_t* size) {
  const auto found = files_.find(Key(path));
  if (found == files_.end()) {
    return NotFound(path);
  }
  *size = static_cast<std::int64_t>(found->second->size());
  return Status::Ok();
}

Status MemoryFileSystem::ListDirectory(const std::string& directory,
                                       std::vector<std::string>* names) {
  std::string prefix = Key(directory);
  if (prefix.empty() || prefix.back() != '/') {
    prefix += '/';
  }
  names->clear();
  for (auto it = files_.lower_bound(prefix);
       it != files_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    const std::string rest = it->first.substr(prefix.size());
    names->push_back(rest.substr(0, rest.find('/')));
  }
  names->erase(std::unique(names->begin(), names->end()), names->end());
  return Status::Ok();
}

Status MemoryFileSystem::MakeDirectories(const std::string& directory) {
  std::string key = Key(directory);
  if (key.empty() || key.back() != '/') {
    key += '/';
  }
  directories_.insert(key);
  return Status::Ok();
}

Status MemoryFileSystem::RemoveFile(const std::string& path) {
  files_.erase(Key(path));
  return Status::Ok();
}

}  // namespace qv::test
