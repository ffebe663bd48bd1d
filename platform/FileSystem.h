#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace qv {

// Every read of the real file system opens plain files only: a symbolic link is never
// followed, and a FIFO, device or directory is refused (error 75) without waiting on it, so a
// folder that others write can neither redirect a read nor hang it.

// One open fixed-record file. Records are counted from 1 and transferred whole; the file is
// closed when the object goes away.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  // Fills `record_bytes` (one record) from record `record`. A record that does not lie wholly
  // inside the file is error 62, input past end of file.
  virtual Status Read(int record, std::span<std::uint8_t> record_bytes) = 0;
  // Writes record `record` in place; the file grows as needed and is never truncated.
  virtual Status Write(int record, std::span<const std::uint8_t> record_bytes) = 0;
  virtual std::int64_t SizeBytes() = 0;
};

// Files replaced together. `Stage` writes a file's new contents at once under a fresh
// temporary name in the file's own folder (created anew, so an existing file or link of that
// name is never written through); `Commit` syncs every staged file, renames each over its old
// self in the order staged and syncs their folders. Before `Commit` no old file has changed;
// a failure among the renames leaves the files before it replaced and the rest as they were.
// Dropping a batch that was not committed removes its temporary files.
class FileBatch {
 public:
  virtual ~FileBatch() = default;
  virtual Status Stage(const std::string& path, std::string_view contents) = 0;
  virtual Status Commit() = 0;
  // Forgets the files staged after the first `keep` (their temporary files go).
  virtual void Truncate(std::size_t keep) = 0;
  // How many staged files the last `Commit` put in place, in the order staged.
  virtual std::size_t replaced() const = 0;
};

// An advisory lock, held until the object goes away; the system releases it when the
// process ends, however it ends.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

enum class OpenMode {
  kRead,       // the file must exist
  kReadWrite,  // created when it does not exist, never truncated
};

// The only way the core touches files. Paths are written the way the game writes them:
// either separator, any letter case, optionally a drive letter ("A:\", "b:\Quorvant\").
// Names resolve without regard to letter case; an existing file keeps its name and a new
// one gets the caller's spelling.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                             std::unique_ptr<RecordFile>* file) = 0;
  // Whole contents of a file, bytes as stored.
  virtual Status ReadText(const std::string& path, std::string* contents) = 0;
  // The same for a file that may hold at most `max_bytes`: a larger one is refused with
  // error 75 (path/file access) and never read whole.
  virtual Status ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                                std::string* contents);
  // Reads a file that may not be there: `present` says whether it was. A file that is there
  // but cannot be read is an error, as for `ReadTextAtMost` (or `ReadText` without a limit).
  virtual Status ReadIfPresent(const std::string& path, std::optional<std::int64_t> max_bytes,
                               std::string* contents, bool* present);
  // Replaces a file with `contents` as a batch of one: the old file stays whole if the write
  // fails, and the new one is on the device when this returns.
  virtual Status WriteText(const std::string& path, std::string_view contents) = 0;
  virtual std::unique_ptr<FileBatch> StartBatch() = 0;
  // Makes the entries of `directory` (files created, renamed or removed in it) durable.
  virtual Status SyncDirectory(const std::string& directory) = 0;
  // Takes the lock on the file `path` (created when missing) without waiting and writes
  // `holder` into it. When another process holds it, fails with error 70 and `held_by` gets
  // what that holder wrote.
  virtual Status Lock(const std::string& path, std::string_view holder,
                      std::unique_ptr<FileLock>* lock, std::string* held_by) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;
  virtual Status FileSize(const std::string& path, std::int64_t* size) = 0;
  // Names of the entries of a directory, sorted.
  virtual Status ListDirectory(const std::string& directory, std::vector<std::string>* names) = 0;
  // Creates a directory and any missing parents.
  virtual Status MakeDirectories(const std::string& directory) = 0;
  // Removes a file or an empty directory; one that is not there is not an error.
  virtual Status RemoveFile(const std::string& path) = 0;
  // True when the directory paths `a` and `b` name one folder as the file system resolves
  // them: drive letters mapped, separators and letter case alike, links of the host followed
  // for folders that exist. This default compares the spellings only.
  virtual bool SameDirectory(const std::string& a, const std::string& b);
};

// A batch for file systems that have no temporary files: it keeps the staged contents and
// writes them through `files.WriteText` one after the other when committed.
std::unique_ptr<FileBatch> MakeSequentialBatch(FileSystem& files);

// Drive letters ('A'..'Z') mapped to host directories; an unmapped drive is a missing drive.
using DriveMap = std::map<char, std::string>;

class SyncWorkers;

// The host's file system.
class LocalFileSystem final : public FileSystem {
 public:
  explicit LocalFileSystem(const DriveMap& drives = {});
  ~LocalFileSystem() override;
  LocalFileSystem(const LocalFileSystem&) = delete;
  LocalFileSystem& operator=(const LocalFileSystem&) = delete;
  // A changed drive map, used from the next operation on.
  void set_drives(DriveMap drives) { drives_ = std::move(drives); }

  Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                     std::unique_ptr<RecordFile>* file) override;
  Status ReadText(const std::string& path, std::string* contents) override;
  Status ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                        std::string* contents) override;
  Status ReadIfPresent(const std::string& path, std::optional<std::int64_t> max_bytes,
                       std::string* contents, bool* present) override;
  Status WriteText(const std::string& path, std::string_view contents) override;
  std::unique_ptr<FileBatch> StartBatch() override;
  Status SyncDirectory(const std::string& directory) override;
  Status Lock(const std::string& path, std::string_view holder, std::unique_ptr<FileLock>* lock,
              std::string* held_by) override;
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  Status FileSize(const std::string& path, std::int64_t* size) override;
  Status ListDirectory(const std::string& directory, std::vector<std::string>* names) override;
  Status MakeDirectories(const std::string& directory) override;
  Status RemoveFile(const std::string& path) override;
  bool SameDirectory(const std::string& a, const std::string& b) override;

  // Skips the syncs: for tests, whose files need not outlive a power loss.
  void set_durable(bool durable) { durable_ = durable; }

  // The host path that `path` names: the drive mapped, separators made '/', each existing
  // component spelt as on disk. Returns false for an unmapped drive.
  bool Resolve(const std::string& path, std::string* host_path) const;

  // Names in host folders, as listed once; none kept for a folder of too many names.
  using FolderListings = std::map<std::string, std::optional<std::vector<std::string>>>;
  // The same, for one of many names resolved together: a folder listed in `listed` is not
  // listed again.
  bool Resolve(const std::string& path, std::string* host_path, FolderListings* listed) const;

 private:
  // The same, and whether the entry `path` names is there.
  bool Resolve(const std::string& path, std::string* host_path, bool* exists,
               FolderListings* listed = nullptr) const;
  // The host path `path` names as spelt, without looking at the disk: the drive mapped, the
  // separators made '/'. False for an unmapped drive, or a path that climbs to a parent.
  bool Spell(const std::string& path, std::string* host_path) const;
  // The name on disk that a listing of `folder` found for `name` last time, if any.
  std::optional<std::string> KnownSpelling(const std::string& folder,
                                           const std::string& name) const;
  void RememberSpelling(const std::string& folder, const std::string& name,
                        const std::string& on_disk) const;

  DriveMap drives_;
  bool durable_ = true;
  std::unique_ptr<SyncWorkers> sync_workers_;
  // Names spelt in another letter case than on disk: folder and name in upper case to the name
  // on disk. Each is tried with one look before the folder is listed again.
  mutable std::mutex spellings_mutex_;
  mutable std::map<std::string, std::string> spellings_;
};

// `path` in upper case with '/' separators and no separator at the end: the spelling two
// paths share when they name one folder on a file system that ignores letter case.
std::string FoldedDirectory(const std::string& path);

// Joins a directory as the game holds it (ending in a separator, or empty) and a file name.
inline std::string JoinPath(const std::string& directory, std::string_view name) {
  std::string full = directory;
  full += name;
  return full;
}

// True when `path` ends in '\' or '/'.
bool EndsWithSeparator(std::string_view path);

}  // namespace qv
