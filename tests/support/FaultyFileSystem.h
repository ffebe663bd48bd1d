#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv::test {

// Passes every operation to a real file system, except those it was told to fail: the n-th
// operation counted from now, or every operation on a path that contains a given text
// (letter case ignored). Opening a file, reading or writing one record, and each whole-file
// call count as one operation each, so every failure point of a multi-file update can be
// reached by counting.
class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

  // Fails operation number `n` (1 = the next one) with run-time error `error_number`.
  void FailOperation(long n, int error_number = 57);
  // The process stops at operation `n` (1 = the next one): it and every later operation fail,
  // so nothing runs after it that could clean up, as after a kill or a power loss.
  void StopAt(long n);
  // Fails every operation on a path containing `fragment` until cleared.
  void FailPath(const std::string& fragment, int error_number = 71);
  // Fails the next `times` operations on a path containing `fragment`, then lets them pass.
  void FailPathTimes(const std::string& fragment, int times, int error_number = 71);
  // Fails every write (opening for writing included) to a path containing `fragment`; reads
  // of it pass.
  void FailPathWrites(const std::string& fragment, int error_number = 61);
  void ClearFaults();
  long operations() const { return operations_; }
  const std::vector<std::string>& written_paths() const { return written_paths_; }

  // Decides whether the operation on `path` fails; counts it either way.
  Status Check(const std::string& path, bool write);
  void NoteWrite(const std::string& path) { written_paths_.push_back(path); }

  Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                     std::unique_ptr<RecordFile>* file) override;
  Status ReadText(const std::string& path, std::string* contents) override;
  Status ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                        std::string* contents) override;
  Status WriteText(const std::string& path, std::string_view contents) override;
  // Staging a file counts as one operation and each rename at the commit as one more.
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
  // Compares without counting: it touches no file.
  bool SameDirectory(const std::string& a, const std::string& b) override {
    return inner_.SameDirectory(a, b);
  }

 private:
  struct PathFault {
    int error_number;
    int times_left;  // negative: for ever
    bool writes_only = false;
  };
  FileSystem& inner_;
  long operations_ = 0;
  long fail_at_ = 0;
  int fail_at_error_ = 0;
  long stop_at_ = 0;
  std::map<std::string, PathFault> path_faults_;
  std::vector<std::string> written_paths_;
};

}  // namespace qv::test
