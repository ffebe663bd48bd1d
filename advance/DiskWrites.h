#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "data/Session.h"
#include "data/StagedWrites.h"
#include "platform/FileSystem.h"

namespace qv {

// The bank disks of one update pass, replaced together when the pass ends: every disk's files
// are synced side by side and renamed disk after disk (each disk's Global.qv after its other
// files), so the pass waits for the device a few times rather than a few times per disk.
// While one lives, the session's disk writes go here instead of being committed one by one.
class DiskWrites {
 public:
  explicit DiskWrites(Session& session);
  ~DiskWrites();
  DiskWrites(const DiskWrites&) = delete;
  DiskWrites& operator=(const DiskWrites&) = delete;

  // Takes the disk's staged files, for the banks flagged now.
  [[nodiscard]] Status Add(StagedWrites& staged);

  // Replaces every disk added. The banks of a disk that did not get all of its files in place
  // get `DiskState` "missed", as if omitted: they are named as not written and the next
  // advance catches them.
  void Finish();

 private:
  struct Disk {
    std::vector<int> banks;
    std::size_t end;  // files staged up to and including this disk's
  };
  Session& session_;
  std::unique_ptr<FileBatch> batch_;
  std::vector<Disk> disks_;
  std::size_t staged_ = 0;
};

}  // namespace qv
