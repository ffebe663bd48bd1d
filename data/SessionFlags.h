#pragma once

#include <cstdint>

namespace qv {

// Whether the flow a front end started may go on: a game created, started or advanced, a
// change accepted. The front ends test it right after the call that sets it.
enum class Proceed : std::int16_t { kStop = 0, kGoOn = -1 };

// What the last turn of the merge found on the next bank disk. `kRead` also tells the
// decision fixer that disk records have replaced the game directory's decisions in memory.
enum class DiskRead {
  kNoneLeft = 0,          // every bank disk has been read
  kRead = 1,              // the disk's unread banks were read
  kNotSupplied = 2,       // the instructor cancelled the request for the disk
  kReadError = 3,         // reading the disk failed
  kComputerManaged = 4,   // a bank without a disk was passed over
  kUnknownDiskState = 5,  // the bank's disk state is none the merge knows
};

// How far collecting the banks' decisions has come.
enum class MergeProgress {
  kWaiting = 0,  // the instructor chose to wait; the advance is abandoned
  kDone = 1,     // every bank has its decisions
  kMerging = 2,  // disks are still being read
};

}  // namespace qv
