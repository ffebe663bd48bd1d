#include "advance/DiskWrites.h"

#include "advance/DiskRequests.h"
#include "data/GlobalFile.h"

namespace qv {

DiskWrites::DiskWrites(Session& session) : session_(session), batch_(session.files.StartBatch()) {
  session_.disk_writes = this;
}

DiskWrites::~DiskWrites() {
  session_.disk_writes = nullptr;
}

Status DiskWrites::Add(StagedWrites& staged) {
  Disk disk;
  for (int b = 1; b <= session_.game.NumBanks; ++b) {
    if (session_.game.BankFlag(b) == 1) {
      disk.banks.push_back(b);
    }
  }
  const std::size_t before = staged_;
  disk.end = before + staged.size();
  Status status = staged.StageInto(*batch_, kGlobalFileName);
  if (!status.ok()) {
    batch_->Truncate(before);  // none of this disk's files goes in with the others
    return status;
  }
  staged_ = disk.end;
  disks_.push_back(std::move(disk));
  return status;
}

void DiskWrites::Finish() {
  session_.disk_writes = nullptr;
  if (disks_.empty()) {
    return;
  }
  const bool committed = batch_->Commit().ok();
  for (const Disk& disk : disks_) {
    if (!committed && disk.end > batch_->replaced()) {
      for (const int bank : disk.banks) {
        session_.DiskState(bank) = disk_state::kMissed;
      }
    }
  }
  disks_.clear();
}

}  // namespace qv
