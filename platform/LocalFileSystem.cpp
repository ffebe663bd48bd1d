#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

char FoldCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) {
      return false;
    }
  }
  return true;
}

int ErrorNumberFromErrno(int host_error, int otherwise) {
  switch (host_error) {
    case ENOENT:
      return error::kFileNotFound;
    case ENOTDIR:
      return error::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return error::kPermissionDenied;
    case ENOSPC:
      return error::kDiskFull;
    case EISDIR:
      return error::kPathFileAccess;
    default:
      return otherwise;
  }
}

Status HostError(int otherwise, const std::string& path) {
  const int host_error = errno;
  return Status::Error(ErrorNumberFromErrno(host_error, otherwise),
                       path + ": " + std::strerror(host_error));
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class LocalRecordFile final : public RecordFile {
 public:
  LocalRecordFile(FilePtr file, std::string path, int record_length)
      : file_(std::move(file)), path_(std::move(path)), record_length_(record_length) {}

  Status Read(int record, std::span<std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, path_ + ": bad record number");
    }
    if (std::fseek(file_.get(), Offset(record), SEEK_SET) != 0) {
      return HostError(error::kDeviceIo, path_);
    }
    const std::size_t got = std::fread(record_bytes.data(), 1, record_bytes.size(), file_.get());
    if (got != record_bytes.size()) {
      if (std::ferror(file_.get()) != 0) {
        return HostError(error::kDeviceIo, path_);
      }
      return Status::Error(error::kInputPastEnd,
                           path_ + ": record " + std::to_string(record) + " past end of file");
    }
    return Status::Ok();
  }

  Status Write(int record, std::span<const std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, path_ + ": bad record number");
    }
    if (std::fseek(file_.get(), Offset(record), SEEK_SET) != 0) {
      return HostError(error::kDeviceIo, path_);
    }
    if (std::fwrite(record_bytes.data(), 1, record_bytes.size(), file_.get()) !=
            record_bytes.size() ||
        std::fflush(file_.get()) != 0) {
      return HostError(error::kDeviceIo, path_);
    }
    return Status::Ok();
  }

  std::int64_t SizeBytes() override {
    if (std::fseek(file_.get(), 0, SEEK_END) != 0) {
      return 0;
    }
    return std::ftell(file_.get());
  }

 private:
  long Offset(int record) const {
    return static_cast<long>(record - 1) * static_cast<long>(record_length_);
  }
  FilePtr file_;
  std::string path_;
  int record_length_;
};

// Opens an existing file for reading if it is a plain file. O_NOFOLLOW refuses a link as the
// last component; O_NONBLOCK lets the open of a FIFO without a writer return at once, so that
// fstat can refuse it with anything else that is not a regular file.
Status OpenPlainFile(const std::string& host, const std::string& path, FilePtr* file,
                     std::int64_t* size) {
  const int descriptor = ::open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ELOOP) {
      return Status::Error(error::kPathFileAccess, path + ": a link, not followed");
    }
    return HostError(error::kPathFileAccess, path);
  }
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return Status::Error(error::kPathFileAccess, path + ": not a plain file");
  }
  const int flags = ::fcntl(descriptor, F_GETFL);
  std::FILE* stream = nullptr;
  if (flags == -1 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == -1 ||
      (stream = ::fdopen(descriptor, "rb")) == nullptr) {
    Status failure = HostError(error::kDeviceIo, path);
    ::close(descriptor);
    return failure;
  }
  file->reset(stream);
  *size = static_cast<std::int64_t>(info.st_size);
  return Status::Ok();
}

// Reads a plain file of at most `max_bytes`, reading no more than one byte beyond it, which
// catches a file that grew after it was opened.
Status ReadPlainFile(const std::string& host, const std::string& path, std::int64_t max_bytes,
                     std::string* contents) {
  FilePtr handle;
  std::int64_t size = 0;
  Status opened = OpenPlainFile(host, path, &handle, &size);
  if (!opened.ok()) {
    return opened;
  }
  const auto too_large = [&] {
    contents->clear();
    return Status::Error(
        error::kPathFileAccess,
        path + ": larger than the " + std::to_string(max_bytes) + " bytes such a file can hold");
  };
  if (size > max_bytes) {
    return too_large();
  }
  contents->clear();
  char buffer[8192];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, handle.get())) > 0) {
    contents->append(buffer, got);
    if (static_cast<std::int64_t>(contents->size()) > max_bytes) {
      return too_large();
    }
  }
  if (std::ferror(handle.get()) != 0) {
    return HostError(error::kDeviceIo, path);
  }
  return Status::Ok();
}

}  // namespace

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

LocalFileSystem::LocalFileSystem(DriveMap drives) {
  for (const auto& [letter, directory] : drives) {
    drives_[FoldCase(letter)] = directory;
  }
}

bool LocalFileSystem::Resolve(const std::string& path, std::string* host_path) const {
  std::string rest = path;
  fs::path resolved;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    const auto drive = drives_.find(FoldCase(rest[0]));
    if (drive == drives_.end()) {
      return false;
    }
    resolved = drive->second;
    rest = rest.substr(2);
  } else if (!rest.empty() && (rest[0] == '/' || rest[0] == '\\')) {
    resolved = "/";
  } else {
    resolved = ".";
  }

  std::vector<std::string> components;
  bool climbs = false;
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t end = rest.find_first_of("/\\", start);
    if (end == std::string::npos) {
      end = rest.size();
    }
    std::string component = rest.substr(start, end - start);
    start = end + 1;
    if (!component.empty() && component != ".") {
      climbs = climbs || component == "..";
      components.push_back(std::move(component));
    }
  }
  // Most paths are spelt as on disk, or differ only in the letter case of their last name:
  // one or two looks at the whole path then do instead of one per component.
  std::error_code ignored;
  std::size_t matched = 0;
  if (!climbs && !components.empty()) {
    fs::path folder = resolved;
    for (std::size_t i = 0; i + 1 < components.size(); ++i) {
      folder /= components[i];
    }
    if (fs::exists(folder / components.back(), ignored)) {
      resolved = folder / components.back();
      matched = components.size();
    } else if (fs::exists(folder, ignored)) {
      resolved = folder;
      matched = components.size() - 1;
    }
  }
  for (std::size_t i = matched; i < components.size(); ++i) {
    const std::string& component = components[i];
    fs::path exact = resolved / component;
    if (component == ".." || fs::exists(exact, ignored)) {
      resolved = exact;
      continue;
    }
    fs::path match = exact;
    for (fs::directory_iterator it(resolved, ignored), done; !ignored && it != done;
         it.increment(ignored)) {
      if (SameNameIgnoringCase(it->path().filename().string(), component)) {
        match = it->path();
        break;
      }
    }
    resolved = match;
  }
  *host_path = resolved.lexically_normal().string();
  return true;
}

namespace {
Status MissingDrive(const std::string& path) {
  return Status::Error(error::kDiskNotReady, path + ": drive not mapped");
}
}  // namespace

Status LocalFileSystem::OpenRecords(const std::string& path, int record_length, OpenMode mode,
                                    std::unique_ptr<RecordFile>* file) {
  std::string host;
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  std::error_code code;
  if (fs::is_directory(host, code)) {
    return Status::Error(error::kPathFileAccess, path + ": is a directory");
  }
  const fs::path parent = fs::path(host).parent_path();
  if (!parent.empty() && !fs::is_directory(parent, code)) {
    return Status::Error(error::kPathNotFound, path + ": path not found");
  }
  if (mode == OpenMode::kRead) {
    FilePtr plain;
    std::int64_t size = 0;
    Status opened = OpenPlainFile(host, path, &plain, &size);
    if (opened.ok()) {
      *file = std::make_unique<LocalRecordFile>(std::move(plain), host, record_length);
    }
    return opened;
  }
  FilePtr handle(std::fopen(host.c_str(), "r+b"));
  if (!handle && errno == ENOENT) {
    // Opening for writing creates the file; "r+b" alone never truncates an existing one.
    FilePtr created(std::fopen(host.c_str(), "wb"));
    if (!created) {
      return HostError(error::kPathFileAccess, path);
    }
    created.reset();
    handle.reset(std::fopen(host.c_str(), "r+b"));
  }
  if (!handle) {
    return HostError(error::kPathFileAccess, path);
  }
  *file = std::make_unique<LocalRecordFile>(std::move(handle), host, record_length);
  return Status::Ok();
}

Status LocalFileSystem::ReadText(const std::string& path, std::string* contents) {
  return ReadTextAtMost(path, std::numeric_limits<std::int64_t>::max() - 1, contents);
}

Status LocalFileSystem::ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                                       std::string* contents) {
  std::string host;
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  return ReadPlainFile(host, path, max_bytes, contents);
}

namespace {

// Writes all of `contents` to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, std::string_view contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// Creates a file beside `host` under a name nothing has yet. O_EXCL and O_NOFOLLOW make the
// creation fail rather than open a file or link someone planted under that name; the next
// name is tried then. Returns the descriptor, or -1 with errno set.
int CreateTemporary(const std::string& host, std::string* temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temporary = host + ".qvtmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd =
        ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

Status SyncHostDirectory(const std::string& host_directory, const std::string& shown) {
  const int fd = ::open(host_directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return HostError(error::kPathNotFound, shown);
  }
  const int synced = ::fsync(fd);
  const int sync_error = errno;
  ::close(fd);
  if (synced != 0) {
    errno = sync_error;
    return HostError(error::kDeviceIo, shown);
  }
  return Status::Ok();
}

class LocalFileBatch final : public FileBatch {
 public:
  LocalFileBatch(const LocalFileSystem& owner, bool durable) : owner_(owner), durable_(durable) {}

  ~LocalFileBatch() override {
    for (Staged& file : staged_) {
      Discard(file);
    }
  }

  Status Stage(const std::string& path, std::string_view contents) override {
    Staged file;
    file.path = path;
    if (!owner_.Resolve(path, &file.host)) {
      return MissingDrive(path);
    }
    std::error_code code;
    const fs::path parent = fs::path(file.host).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, code)) {
      return Status::Error(error::kPathNotFound, path + ": path not found");
    }
    file.fd = CreateTemporary(file.host, &file.temporary);
    if (file.fd < 0) {
      return HostError(error::kPathFileAccess, path);
    }
    if (!WriteAll(file.fd, contents)) {
      Status failure = HostError(error::kDeviceIo, path);
      Discard(file);
      return failure;
    }
    staged_.push_back(std::move(file));
    return Status::Ok();
  }

  std::size_t replaced() const override { return replaced_; }

  void Truncate(std::size_t keep) override {
    while (staged_.size() > keep) {
      Discard(staged_.back());
      staged_.pop_back();
    }
  }

  Status Commit() override {
    replaced_ = 0;
    Status status = durable_ ? SyncAll() : Status::Ok();
    std::vector<std::string> directories;
    for (Staged& file : staged_) {
      if (status.ok()) {
        ::close(file.fd);
        file.fd = -1;
        if (::rename(file.temporary.c_str(), file.host.c_str()) != 0) {
          status = HostError(error::kPathFileAccess, file.path);
        } else {
          file.temporary.clear();
          ++replaced_;
          const std::string parent = fs::path(file.host).parent_path().string();
          if (std::find(directories.begin(), directories.end(), parent) == directories.end()) {
            directories.push_back(parent);
          }
        }
      }
      Discard(file);
    }
    staged_.clear();
    if (durable_ && status.ok()) {
      status = SyncDirectories(directories);
    }
    return status;
  }

 private:
  struct Staged {
    std::string path;
    std::string host;
    std::string temporary;
    int fd = -1;
  };

  static void Discard(Staged& file) {
    if (file.fd >= 0) {
      ::close(file.fd);
      file.fd = -1;
    }
    if (!file.temporary.empty()) {
      ::unlink(file.temporary.c_str());
      file.temporary.clear();
    }
  }

  // Syncs the staged files side by side: the file system then commits them together, where
  // one after the other would wait for the device once per file.
  Status SyncAll() {
    std::vector<int> errors(staged_.size(), 0);
    SideBySide(staged_.size(), [&](std::size_t i) {
      if (::fsync(staged_[i].fd) != 0) {
        errors[i] = errno;
      }
    });
    for (std::size_t i = 0; i < staged_.size(); ++i) {
      if (errors[i] != 0) {
        errno = errors[i];
        return HostError(error::kDeviceIo, staged_[i].path);
      }
    }
    return Status::Ok();
  }

  // Syncs the folders side by side, for the same reason.
  static Status SyncDirectories(const std::vector<std::string>& directories) {
    std::vector<Status> results(directories.size(), Status::Ok());
    SideBySide(directories.size(), [&](std::size_t i) {
      const std::string& directory = directories[i];
      results[i] = SyncHostDirectory(directory.empty() ? "." : directory, directory);
    });
    for (Status& result : results) {
      if (!result.ok()) {
        return result;
      }
    }
    return Status::Ok();
  }

  // Runs `work` for 0..count-1 on a few threads, each taking every few-th item: enough for the
  // device to see the syncs together, without a thread started per file.
  template <typename Work>
  static void SideBySide(std::size_t count, const Work& work) {
    constexpr std::size_t kThreads = 8;
    if (count <= 1) {
      for (std::size_t i = 0; i < count; ++i) {
        work(i);
      }
      return;
    }
    const std::size_t threads = std::min(count, kThreads);
    std::vector<std::thread> running;
    for (std::size_t t = 0; t < threads; ++t) {
      running.emplace_back([&work, t, threads, count] {
        for (std::size_t i = t; i < count; i += threads) {
          work(i);
        }
      });
    }
    for (std::thread& thread : running) {
      thread.join();
    }
  }

  const LocalFileSystem& owner_;
  bool durable_;
  std::size_t replaced_ = 0;
  std::vector<Staged> staged_;
};

class LocalFileLock final : public FileLock {
 public:
  explicit LocalFileLock(int fd) : fd_(fd) {}
  ~LocalFileLock() override {
    // Emptied first, so that the file no longer names a holder once the lock is gone.
    (void)::ftruncate(fd_, 0);
    ::close(fd_);
  }

 private:
  int fd_;
};

}  // namespace

Status LocalFileSystem::WriteText(const std::string& path, std::string_view contents) {
  std::unique_ptr<FileBatch> batch = StartBatch();
  Status staged = batch->Stage(path, contents);
  return staged.ok() ? batch->Commit() : staged;
}

std::unique_ptr<FileBatch> LocalFileSystem::StartBatch() {
  return std::make_unique<LocalFileBatch>(*this, durable_);
}

Status LocalFileSystem::SyncDirectory(const std::string& directory) {
  std::string host;
  if (!Resolve(directory, &host)) {
    return MissingDrive(directory);
  }
  return durable_ ? SyncHostDirectory(host, directory) : Status::Ok();
}

Status LocalFileSystem::Lock(const std::string& path, std::string_view holder,
                             std::unique_ptr<FileLock>* lock, std::string* held_by) {
  std::string host;
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  const int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    return HostError(error::kPathFileAccess, path);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    Status failure = busy ? Status::Error(error::kPermissionDenied, path + ": locked")
                          : HostError(error::kPathFileAccess, path);
    if (busy && held_by != nullptr) {
      char text[512];
      const ssize_t got = ::pread(fd, text, sizeof text, 0);
      held_by->assign(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    ::close(fd);
    return failure;
  }
  if (::ftruncate(fd, 0) != 0 || !WriteAll(fd, holder)) {
    Status failure = HostError(error::kDeviceIo, path);
    ::close(fd);
    return failure;
  }
  *lock = std::make_unique<LocalFileLock>(fd);
  return Status::Ok();
}

bool LocalFileSystem::Exists(const std::string& path) {
  std::string host;
  std::error_code code;
  return Resolve(path, &host) && fs::exists(host, code);
}

bool LocalFileSystem::IsDirectory(const std::string& path) {
  std::string host;
  std::error_code code;
  return Resolve(path, &host) && fs::is_directory(host, code);
}

Status LocalFileSystem::FileSize(const std::string& path, std::int64_t* size) {
  std::string host;
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  std::error_code code;
  const auto bytes = fs::file_size(host, code);
  if (code) {
    return Status::Error(error::kFileNotFound, path + ": " + code.message());
  }
  *size = static_cast<std::int64_t>(bytes);
  return Status::Ok();
}

Status LocalFileSystem::ListDirectory(const std::string& directory,
                                      std::vector<std::string>* names) {
  std::string host;
  if (!Resolve(directory, &host)) {
    return MissingDrive(directory);
  }
  std::error_code code;
  names->clear();
  for (fs::directory_iterator it(host, code), done; !code && it != done; it.increment(code)) {
    names->push_back(it->path().filename().string());
  }
  if (code) {
    return Status::Error(error::kPathNotFound, directory + ": " + code.message());
  }
  std::sort(names->begin(), names->end());
  return Status::Ok();
}

Status LocalFileSystem::MakeDirectories(const std::string& directory) {
  std::string host;
  if (!Resolve(directory, &host)) {
    return MissingDrive(directory);
  }
  std::error_code code;
  fs::create_directories(host, code);
  if (code || !fs::is_directory(host, code)) {
    return Status::Error(error::kPathNotFound, directory + ": cannot create directory");
  }
  return Status::Ok();
}

bool LocalFileSystem::SameDirectory(const std::string& a, const std::string& b) {
  std::string host_a;
  std::string host_b;
  if (!Resolve(a, &host_a) || !Resolve(b, &host_b)) {
    return false;
  }
  std::error_code code;
  if (fs::is_directory(host_a, code) && fs::is_directory(host_b, code)) {
    return fs::equivalent(host_a, host_b, code);
  }
  // A folder still to be made: names that differ in case only resolve to one once it exists.
  return FoldedDirectory(host_a) == FoldedDirectory(host_b);
}

Status LocalFileSystem::RemoveFile(const std::string& path) {
  std::string host;
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  std::error_code code;
  fs::remove(host, code);
  if (code) {
    return Status::Error(error::kPathFileAccess, path + ": " + code.message());
  }
  return Status::Ok();
}

}  // namespace qv
