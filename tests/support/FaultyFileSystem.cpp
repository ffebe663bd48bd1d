#include "tests/support/FaultyFileSystem.h"

#include <algorithm>
#include <cctype>

namespace qv::test {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

class FaultyRecordFile : public RecordFile {
 public:
  FaultyRecordFile(FaultyFileSystem& owner, std::unique_ptr<RecordFile> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}

  Status Read(int record, std::span<std::uint8_t> record_bytes) override {
    Status fault = owner_.Check(path_, false);
    if (!fault.ok()) {
      return fault;
    }
    return inner_->Read(record, record_bytes);
  }

  Status Write(int record, std::span<const std::uint8_t> record_bytes) override {
    Status fault = owner_.Check(path_, true);
    if (!fault.ok()) {
      return fault;
    }
    return inner_->Write(record, record_bytes);
  }

  std::int64_t SizeBytes() override { return inner_->SizeBytes(); }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<RecordFile> inner_;
  std::string path_;
};

class FaultyBatch : public FileBatch {
 public:
  explicit FaultyBatch(FaultyFileSystem& owner, FileSystem& inner) : owner_(owner), inner_(inner) {}

  Status Stage(const std::string& path, std::string_view contents) override {
    Status fault = owner_.Check(path, true);
    if (fault.ok()) {
      staged_.emplace_back(path, std::string(contents));
    }
    return fault;
  }

  std::size_t replaced() const override { return replaced_; }
  void Truncate(std::size_t keep) override {
    if (keep < staged_.size()) {
      staged_.resize(keep);
    }
  }

  Status Commit() override {
    replaced_ = 0;
    for (const auto& [path, contents] : staged_) {
      Status fault = owner_.Check(path, true);
      if (!fault.ok()) {
        return fault;
      }
      owner_.NoteWrite(path);
      Status written = inner_.WriteText(path, contents);
      if (!written.ok()) {
        return written;
      }
      ++replaced_;
    }
    return Status::Ok();
  }

 private:
  FaultyFileSystem& owner_;
  FileSystem& inner_;
  std::vector<std::pair<std::string, std::string>> staged_;
  std::size_t replaced_ = 0;
};

}  // namespace

void FaultyFileSystem::StopAt(long n) {
  stop_at_ = operations_ + n;
}

std::unique_ptr<FileBatch> FaultyFileSystem::StartBatch() {
  return std::make_unique<FaultyBatch>(*this, inner_);
}

Status FaultyFileSystem::SyncDirectory(const std::string& directory) {
  Status fault = Check(directory, true);
  return fault.ok() ? inner_.SyncDirectory(directory) : fault;
}

Status FaultyFileSystem::Lock(const std::string& path, std::string_view holder,
                              std::unique_ptr<FileLock>* lock, std::string* held_by) {
  Status fault = Check(path, true);
  return fault.ok() ? inner_.Lock(path, holder, lock, held_by) : fault;
}

void FaultyFileSystem::FailOperation(long n, int error_number) {
  fail_at_ = operations_ + n;
  fail_at_error_ = error_number;
}

void FaultyFileSystem::FailPath(const std::string& fragment, int error_number) {
  path_faults_[Upper(fragment)] = PathFault{error_number, -1};
}

void FaultyFileSystem::FailPathTimes(const std::string& fragment, int times, int error_number) {
  path_faults_[Upper(fragment)] = PathFault{error_number, times};
}

void FaultyFileSystem::FailPathWrites(const std::string& fragment, int error_number) {
  path_faults_[Upper(fragment)] = PathFault{error_number, -1, true};
}

void FaultyFileSystem::ClearFaults() {
  fail_at_ = 0;
  stop_at_ = 0;
  path_faults_.clear();
}

Status FaultyFileSystem::Check(const std::string& path, bool write) {
  ++operations_;
  if (operations_ == fail_at_ || (stop_at_ > 0 && operations_ >= stop_at_)) {
    return Status::Error(fail_at_error_, path + ": injected failure");
  }
  const std::string upper = Upper(path);
  for (auto& [fragment, fault] : path_faults_) {
    if (fault.times_left != 0 && (write || !fault.writes_only) &&
        upper.find(fragment) != std::string::npos) {
      if (fault.times_left > 0) {
        --fault.times_left;
      }
      return Status::Error(fault.error_number, path + ": injected failure");
    }
  }
  return Status::Ok();
}

Status FaultyFileSystem::OpenRecords(const std::string& path, int record_length, OpenMode mode,
                                     std::unique_ptr<RecordFile>* file) {
  Status fault = Check(path, mode == OpenMode::kReadWrite);
  if (!fault.ok()) {
    return fault;
  }
  std::unique_ptr<RecordFile> inner;
  Status opened = inner_.OpenRecords(path, record_length, mode, &inner);
  if (!opened.ok()) {
    return opened;
  }
  if (mode == OpenMode::kReadWrite) {
    NoteWrite(path);
  }
  *file = std::make_unique<FaultyRecordFile>(*this, std::move(inner), path);
  return Status::Ok();
}

Status FaultyFileSystem::ReadText(const std::string& path, std::string* contents) {
  Status fault = Check(path, false);
  return fault.ok() ? inner_.ReadText(path, contents) : fault;
}

Status FaultyFileSystem::ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                                        std::string* contents) {
  Status fault = Check(path, false);
  return fault.ok() ? inner_.ReadTextAtMost(path, max_bytes, contents) : fault;
}

Status FaultyFileSystem::WriteText(const std::string& path, std::string_view contents) {
  Status fault = Check(path, true);
  if (!fault.ok()) {
    return fault;
  }
  NoteWrite(path);
  return inner_.WriteText(path, contents);
}

bool FaultyFileSystem::Exists(const std::string& path) {
  return inner_.Exists(path);
}

bool FaultyFileSystem::IsDirectory(const std::string& path) {
  return inner_.IsDirectory(path);
}

Status FaultyFileSystem::FileSize(const std::string& path, std::int64_t* size) {
  Status fault = Check(path, false);
  return fault.ok() ? inner_.FileSize(path, size) : fault;
}

Status FaultyFileSystem::ListDirectory(const std::string& directory,
                                       std::vector<std::string>* names) {
  Status fault = Check(directory, false);
  return fault.ok() ? inner_.ListDirectory(directory, names) : fault;
}

Status FaultyFileSystem::MakeDirectories(const std::string& directory) {
  Status fault = Check(directory, true);
  return fault.ok() ? inner_.MakeDirectories(directory) : fault;
}

Status FaultyFileSystem::RemoveFile(const std::string& path) {
  Status fault = Check(path, true);
  if (!fault.ok()) {
    return fault;
  }
  NoteWrite(path);
  return inner_.RemoveFile(path);
}

}  // namespace qv::test
