#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "platform/SyncWorkers.h"

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

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// One read of up to `size` bytes at `offset`, tried again when interrupted; returns how many
// were read (0 at the end of the file), or -1 with errno set.
ssize_t ReadOnce(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  ssize_t got = 0;
  do {
    got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got;
}

// Reads up to `size` bytes at `offset`, going on after short reads; returns how many were read
// (fewer at the end of the file), or -1 with errno set.
ssize_t ReadAt(int fd, char* buffer, std::size_t size, std::int64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got =
        ReadOnce(fd, buffer + done, size - done, offset + static_cast<std::int64_t>(done));
    if (got < 0) {
      return -1;
    }
    if (got == 0) {
      break;
    }
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

// Writes all of `contents` at `offset`, going on after short writes and interruptions.
bool WriteAt(int fd, std::string_view contents, std::int64_t offset) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t wrote = ::pwrite(fd, contents.data() + done, contents.size() - done,
                                   static_cast<off_t>(offset) + static_cast<off_t>(done));
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

// The records are read through a window of the file's bytes: a game file is smaller than the
// window, so all its records come from one read, and a huge planted file is still read no
// further than the records asked for.
class LocalRecordFile final : public RecordFile {
 public:
  LocalRecordFile(Descriptor file, std::string path, int record_length)
      : file_(std::move(file)), path_(std::move(path)), record_length_(record_length) {}

  Status Read(int record, std::span<std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, path_ + ": bad record number");
    }
    const std::int64_t offset = Offset(record);
    const auto length = static_cast<std::int64_t>(record_bytes.size());
    const auto window_end = window_offset_ + static_cast<std::int64_t>(window_.size());
    if (offset < window_offset_ || offset + length > window_end) {
      window_.resize(std::max(kWindowBytes, record_bytes.size()));
      const ssize_t got = ReadAt(file_.get(), window_.data(), window_.size(), offset);
      window_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
      window_offset_ = offset;
      if (got < 0) {
        return HostError(error::kDeviceIo, path_);
      }
      if (got < length) {
        return Status::Error(error::kInputPastEnd,
                             path_ + ": record " + std::to_string(record) + " past end of file");
      }
    }
    const auto from = window_.begin() + (offset - window_offset_);
    std::copy(from, from + length, record_bytes.begin());
    return Status::Ok();
  }

  Status Write(int record, std::span<const std::uint8_t> record_bytes) override {
    if (record < 1) {
      return Status::Error(error::kBadFileName, path_ + ": bad record number");
    }
    window_.clear();
    const std::string_view bytes(reinterpret_cast<const char*>(record_bytes.data()),
                                 record_bytes.size());
    if (!WriteAt(file_.get(), bytes, Offset(record))) {
      return HostError(error::kDeviceIo, path_);
    }
    return Status::Ok();
  }

  std::int64_t SizeBytes() override {
    struct stat info {};
    return ::fstat(file_.get(), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
  }

 private:
  static constexpr std::size_t kWindowBytes = 64 * 1024;

  std::int64_t Offset(int record) const {
    return static_cast<std::int64_t>(record - 1) * record_length_;
  }

  Descriptor file_;
  std::string path_;
  int record_length_;
  std::vector<char> window_;
  std::int64_t window_offset_ = 0;
};

// Opens a plain file, refusing anything else: O_NOFOLLOW refuses a link as the last
// component; O_NONBLOCK lets the open of a FIFO without a writer return at once, so that fstat
// can refuse it with anything else that is not a regular file (on a regular file the flag
// changes nothing). A file that is not there is told apart from a folder that is not there.
Status OpenPlainFile(const std::string& host, const std::string& path, int flags, Descriptor* file,
                     std::int64_t* size) {
  Descriptor opened(::open(host.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
  if (opened.get() < 0) {
    if (errno == ELOOP) {
      return Status::Error(error::kPathFileAccess, path + ": a link, not followed");
    }
    if (errno == EISDIR) {
      return Status::Error(error::kPathFileAccess, path + ": is a directory");
    }
    const fs::path parent = fs::path(host).parent_path();
    std::error_code code;
    if ((errno == ENOENT || errno == ENOTDIR) && !parent.empty() &&
        !fs::is_directory(parent, code)) {
      return Status::Error(error::kPathNotFound, path + ": path not found");
    }
    return HostError(error::kPathFileAccess, path);
  }
  struct stat info {};
  if (::fstat(opened.get(), &info) != 0) {
    return HostError(error::kDeviceIo, path);
  }
  if (S_ISDIR(info.st_mode)) {
    return Status::Error(error::kPathFileAccess, path + ": is a directory");
  }
  if (!S_ISREG(info.st_mode)) {
    return Status::Error(error::kPathFileAccess, path + ": not a plain file");
  }
  *file = std::move(opened);
  *size = static_cast<std::int64_t>(info.st_size);
  return Status::Ok();
}

// Opens `host` for reading when it is a plain file there exactly as named; otherwise false,
// and the caller resolves the name to learn what is there instead.
bool OpenExisting(const std::string& host, Descriptor* file, std::int64_t* size) {
  Descriptor opened(::open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (opened.get() < 0 || ::fstat(opened.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return false;
  }
  *file = std::move(opened);
  *size = static_cast<std::int64_t>(info.st_size);
  return true;
}

// Reads the open plain file of `size` bytes, refusing one of more than `max_bytes`. It reads
// no more than one byte beyond that, which catches a file that grew after it was opened.
Status ReadOpenFile(const Descriptor& file, std::int64_t size, const std::string& path,
                    std::int64_t max_bytes, std::string* contents) {
  const auto too_large = [&] {
    contents->clear();
    return Status::Error(
        error::kPathFileAccess,
        path + ": larger than the " + std::to_string(max_bytes) + " bytes such a file can hold");
  };
  if (size > max_bytes) {
    return too_large();
  }
  // A byte more than the size asked for says whether the file grew since it was opened.
  contents->resize(static_cast<std::size_t>(size) + 1);
  std::size_t done = 0;
  for (;;) {
    const ssize_t got = ReadOnce(file.get(), contents->data() + done, contents->size() - done,
                                 static_cast<std::int64_t>(done));
    if (got < 0) {
      contents->clear();
      return HostError(error::kDeviceIo, path);
    }
    done += static_cast<std::size_t>(got);
    // The end of the file, or all the bytes it had when opened and not one more: a file read
    // whole takes one read.
    if (got == 0 || (done == static_cast<std::size_t>(size) && done < contents->size())) {
      contents->resize(done);
      return Status::Ok();
    }
    if (done < contents->size()) {
      continue;
    }
    if (static_cast<std::int64_t>(done) > max_bytes) {
      return too_large();
    }
    contents->resize(std::min(done * 2, static_cast<std::size_t>(max_bytes) + 1));
  }
}

// Reads the plain file `host` of at most `max_bytes`.
Status ReadPlainFile(const std::string& host, const std::string& path, std::int64_t max_bytes,
                     std::string* contents) {
  Descriptor file;
  std::int64_t size = 0;
  contents->clear();
  Status opened = OpenPlainFile(host, path, O_RDONLY, &file, &size);
  return opened.ok() ? ReadOpenFile(file, size, path, max_bytes, contents) : opened;
}

}  // namespace

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

LocalFileSystem::~LocalFileSystem() = default;

LocalFileSystem::LocalFileSystem(const DriveMap& drives) {
  for (const auto& [letter, directory] : drives) {
    drives_[FoldCase(letter)] = directory;
  }
}

bool LocalFileSystem::Resolve(const std::string& path, std::string* host_path) const {
  return Resolve(path, host_path, nullptr, nullptr);
}

bool LocalFileSystem::Resolve(const std::string& path, std::string* host_path,
                              FolderListings* listed) const {
  return Resolve(path, host_path, nullptr, listed);
}

namespace {

// A path taken apart: the folder it starts from and the names below it.
struct PathNames {
  fs::path start;
  std::vector<std::string> names;
  bool climbs = false;  // some name is ".."
};

// Calls `visit(name)` for the entries of the folder `host` other than "." and "..", until it
// returns true. False when the folder cannot be listed.
template <typename Visit>
bool ForEachEntry(const std::string& host, Visit visit) {
  DIR* folder = ::opendir(host.c_str());
  if (folder == nullptr) {
    return false;
  }
  bool listed = true;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(folder);
    if (entry == nullptr) {
      listed = errno == 0;
      break;
    }
    const std::string_view name(entry->d_name);
    if (name != "." && name != ".." && visit(name)) {
      break;
    }
  }
  ::closedir(folder);
  return listed;
}

// The names in `folder` as a batch keeps them, listed when first asked for. Null for a folder
// of more names than a batch keeps (a disk flooded with files): it is listed anew each time,
// as outside a batch, so that it costs no memory.
const std::vector<std::string>* KeepListing(const std::string& folder,
                                            LocalFileSystem::FolderListings* listed) {
  constexpr std::size_t kMostKept = 4096;
  const auto [at, first] = listed->try_emplace(folder);
  if (first) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&names](std::string_view name) {
      names.emplace_back(name);
      return names.size() > kMostKept;
    });
    if (names.size() <= kMostKept) {
      at->second = std::move(names);
    }
  }
  return at->second ? &*at->second : nullptr;
}

std::string SpellingKey(const std::string& folder, const std::string& name) {
  std::string key = folder;
  key += '/';
  for (const char c : name) {
    key += FoldCase(c);
  }
  return key;
}

bool TakeApart(const std::string& path, const DriveMap& drives, PathNames* taken) {
  std::string_view rest = path;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    const auto drive = drives.find(FoldCase(rest[0]));
    if (drive == drives.end()) {
      return false;
    }
    taken->start = drive->second;
    rest.remove_prefix(2);
  } else if (!rest.empty() && (rest[0] == '/' || rest[0] == '\\')) {
    taken->start = "/";
  } else {
    taken->start = ".";
  }
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t end = rest.find_first_of("/\\", start);
    if (end == std::string_view::npos) {
      end = rest.size();
    }
    const std::string_view name = rest.substr(start, end - start);
    start = end + 1;
    if (!name.empty() && name != ".") {
      taken->climbs = taken->climbs || name == "..";
      taken->names.emplace_back(name);
    }
  }
  return true;
}

}  // namespace

bool LocalFileSystem::Spell(const std::string& path, std::string* host_path) const {
  PathNames taken;
  if (!TakeApart(path, drives_, &taken) || taken.climbs) {
    return false;
  }
  fs::path spelt = taken.start;
  for (const std::string& name : taken.names) {
    spelt /= name;
  }
  *host_path = spelt.lexically_normal().string();
  return true;
}

std::optional<std::string> LocalFileSystem::KnownSpelling(const std::string& folder,
                                                          const std::string& name) const {
  const std::lock_guard<std::mutex> hold(spellings_mutex_);
  const auto known = spellings_.find(SpellingKey(folder, name));
  if (known == spellings_.end()) {
    return std::nullopt;
  }
  return known->second;
}

void LocalFileSystem::RememberSpelling(const std::string& folder, const std::string& name,
                                       const std::string& on_disk) const {
  // A long-running program meets few folders; the bound only keeps a strange one in check.
  constexpr std::size_t kMostSpellings = 1024;
  const std::lock_guard<std::mutex> hold(spellings_mutex_);
  if (spellings_.size() >= kMostSpellings) {
    spellings_.clear();
  }
  spellings_[SpellingKey(folder, name)] = on_disk;
}

bool LocalFileSystem::Resolve(const std::string& path, std::string* host_path, bool* exists,
                              FolderListings* listed) const {
  PathNames taken;
  if (!TakeApart(path, drives_, &taken)) {
    return false;
  }
  const std::vector<std::string>& components = taken.names;
  const bool climbs = taken.climbs;
  fs::path resolved = taken.start;
  // Most paths are spelt as on disk, or differ only in the letter case of their last name:
  // one or two looks at the whole path then do instead of one per component.
  std::error_code ignored;
  std::size_t matched = 0;
  bool last_missing = false;  // the exact spelling of components[matched] is not there
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
      last_missing = true;
    }
  }
  bool found = matched == components.size() && (matched > 0 || fs::exists(resolved, ignored));
  for (std::size_t i = matched; i < components.size(); ++i) {
    const std::string& component = components[i];
    fs::path exact = resolved / component;
    found = true;
    if (component == ".." || (!(last_missing && i == matched) && fs::exists(exact, ignored))) {
      resolved = exact;
      continue;
    }
    // The name spelt as on disk that a listing found before is tried first.
    const std::string folder = resolved.string();
    const std::optional<std::string> known = KnownSpelling(folder, component);
    if (known && fs::exists(resolved / *known, ignored)) {
      resolved /= *known;
      continue;
    }
    found = false;
    std::string on_disk;
    const auto matches = [&](std::string_view name) {
      if (!SameNameIgnoringCase(name, component)) {
        return false;
      }
      on_disk = name;
      return true;
    };
    const std::vector<std::string>* kept =
        listed == nullptr ? nullptr : KeepListing(folder, listed);
    if (kept == nullptr) {
      ForEachEntry(folder, matches);
    } else {
      for (const std::string& name : *kept) {
        if (matches(name)) {
          break;
        }
      }
    }
    if (!on_disk.empty()) {
      exact = resolved / on_disk;
      // A link whose target is gone is listed, but is not there to read.
      found = fs::exists(exact, ignored);
      if (found) {
        RememberSpelling(folder, component, on_disk);
      }
    }
    resolved = exact;
  }
  *host_path = resolved.lexically_normal().string();
  if (exists != nullptr) {
    // A climb to a parent may pass through a name that is not there.
    *exists = climbs ? fs::exists(*host_path, ignored) : found;
  }
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
  Descriptor opened;
  std::int64_t size = 0;
  if (mode == OpenMode::kRead && Spell(path, &host) && OpenExisting(host, &opened, &size)) {
    *file = std::make_unique<LocalRecordFile>(std::move(opened), host, record_length);
    return Status::Ok();
  }
  if (!Resolve(path, &host)) {
    return MissingDrive(path);
  }
  // Opening for writing creates the file, but never truncates an existing one.
  const int flags = mode == OpenMode::kRead ? O_RDONLY : O_RDWR | O_CREAT;
  Status status = OpenPlainFile(host, path, flags, &opened, &size);
  if (status.ok()) {
    *file = std::make_unique<LocalRecordFile>(std::move(opened), host, record_length);
  }
  return status;
}

Status LocalFileSystem::ReadText(const std::string& path, std::string* contents) {
  return ReadTextAtMost(path, std::numeric_limits<std::int64_t>::max() - 1, contents);
}

Status LocalFileSystem::ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                                       std::string* contents) {
  bool present = false;
  Status read = ReadIfPresent(path, max_bytes, contents, &present);
  if (read.ok() && !present) {
    // What is there instead, or what is missing, says why it cannot be read.
    std::string host;
    return Resolve(path, &host) ? ReadPlainFile(host, path, max_bytes, contents)
                                : MissingDrive(path);
  }
  return read;
}

Status LocalFileSystem::ReadIfPresent(const std::string& path,
                                      std::optional<std::int64_t> max_bytes, std::string* contents,
                                      bool* present) {
  const std::int64_t most = max_bytes.value_or(std::numeric_limits<std::int64_t>::max() - 1);
  std::string host;
  Descriptor file;
  std::int64_t size = 0;
  contents->clear();
  *present = true;
  if (Spell(path, &host) && OpenExisting(host, &file, &size)) {
    return ReadOpenFile(file, size, path, most, contents);
  }
  if (!Resolve(path, &host, present) || !*present) {
    *present = false;
    return Status::Ok();
  }
  return ReadPlainFile(host, path, most, contents);
}

namespace {

// Creates a file beside `host` under a name nothing has yet. O_EXCL and O_NOFOLLOW make the
// creation fail rather than open a file or link someone planted under that name; the next
// name is tried then. `process` is this process's id, which keeps the names of two programs
// apart. Returns the descriptor, or -1 with errno set.
int CreateTemporary(const std::string& host, const std::string& process, std::string* temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temporary = host;
    *temporary += ".qvtmp";
    *temporary += process;
    *temporary += '-';
    *temporary += std::to_string(attempt);
    const int fd =
        ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// A file system held in memory keeps nothing across a power loss whether synced or not, so a
// sync there would only cost time.
bool HeldInMemory(int fd) {
  struct statfs info {};
  return ::fstatfs(fd, &info) == 0 && (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

Status SyncHostDirectory(const std::string& host_directory, const std::string& shown) {
  const int fd = ::open(host_directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return HostError(error::kPathNotFound, shown);
  }
  const int synced = HeldInMemory(fd) ? 0 : ::fsync(fd);
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
  LocalFileBatch(const LocalFileSystem& owner, bool durable, std::unique_ptr<SyncWorkers>& workers)
      : owner_(owner), durable_(durable), workers_(workers) {}

  ~LocalFileBatch() override {
    for (Staged& file : staged_) {
      Discard(file);
    }
  }

  Status Stage(const std::string& path, std::string_view contents) override {
    Staged file;
    file.path = path;
    if (!owner_.Resolve(path, &file.host, &listed_)) {
      return MissingDrive(path);
    }
    file.fd = CreateTemporary(file.host, process_, &file.temporary);
    if (file.fd < 0) {
      if (errno == ENOENT || errno == ENOTDIR) {
        return Status::Error(error::kPathNotFound, path + ": path not found");
      }
      return HostError(error::kPathFileAccess, path);
    }
    if (!WriteAt(file.fd, contents, 0)) {
      Status failure = HostError(error::kDeviceIo, path);
      Discard(file);
      return failure;
    }
    file.needs_sync = durable_ && !HeldInMemory(file.fd);
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
    Status status = SyncAll();
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
          if (file.needs_sync &&
              std::find(directories.begin(), directories.end(), parent) == directories.end()) {
            directories.push_back(parent);
          }
        }
      }
      Discard(file);
    }
    staged_.clear();
    if (status.ok()) {
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
    bool needs_sync = false;  // durable, and on a device that keeps it
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

  Status SyncAll() {
    std::vector<Staged*> to_sync;
    for (Staged& file : staged_) {
      if (file.needs_sync) {
        to_sync.push_back(&file);
      }
    }
    std::vector<int> errors(to_sync.size(), 0);
    SideBySide(to_sync.size(), [&](std::size_t i) {
      if (::fsync(to_sync[i]->fd) != 0) {
        errors[i] = errno;
      }
    });
    for (std::size_t i = 0; i < to_sync.size(); ++i) {
      if (errors[i] != 0) {
        errno = errors[i];
        return HostError(error::kDeviceIo, to_sync[i]->path);
      }
    }
    return Status::Ok();
  }

  Status SyncDirectories(const std::vector<std::string>& directories) {
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

  // Syncs side by side on the file system's workers, started when a batch first has more
  // than one thing to sync.
  void SideBySide(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (count <= 1) {
      for (std::size_t i = 0; i < count; ++i) {
        work(i);
      }
      return;
    }
    if (!workers_) {
      workers_ = std::make_unique<SyncWorkers>(kSyncThreads - 1);
    }
    workers_->Run(count, work);
  }

  static constexpr std::size_t kSyncThreads = 8;

  const LocalFileSystem& owner_;
  const std::string process_ = std::to_string(::getpid());
  bool durable_;
  std::unique_ptr<SyncWorkers>& workers_;
  std::size_t replaced_ = 0;
  std::vector<Staged> staged_;
  // The folders the staged files go into, each listed once for names in another letter case.
  LocalFileSystem::FolderListings listed_;
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
  return std::make_unique<LocalFileBatch>(*this, durable_, sync_workers_);
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
  if (::ftruncate(fd, 0) != 0 || !WriteAt(fd, holder, 0)) {
    Status failure = HostError(error::kDeviceIo, path);
    ::close(fd);
    return failure;
  }
  *lock = std::make_unique<LocalFileLock>(fd);
  return Status::Ok();
}

bool LocalFileSystem::Exists(const std::string& path) {
  std::string host;
  bool exists = false;
  return Resolve(path, &host, &exists) && exists;
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
  // Most often only the last folder is missing: one call makes it.
  if (::mkdir(host.c_str(), 0777) == 0) {
    return Status::Ok();
  }
  std::error_code code;
  if (fs::is_directory(host, code)) {
    return Status::Ok();
  }
  fs::create_directories(host, code);
  if (code || !fs::is_directory(host, code)) {
    return Status::Error(error::kPathNotFound, directory + ": cannot create directory");
  }
  return Status::Ok();
}

bool LocalFileSystem::SameDirectory(const std::string& a, const std::string& b) {
  std::string host_a;
  std::string host_b;
  if (a == b) {
    return Resolve(a, &host_a);
  }
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
