#pragma once

#include "data/Session.h"

namespace qv {

// Progress of a bank's disk in one pass over the banks (`DiskState`).
namespace disk_state {
inline constexpr std::int16_t kPending = 0;  // still to be read or written
inline constexpr std::int16_t kDone = 1;     // read or written, or carried by the game disk
inline constexpr std::int16_t kNoDisk = 2;   // computer-managed
inline constexpr std::int16_t kMissed = 3;   // not supplied, unreadable or omitted
}  // namespace disk_state

// Answers of a disk request (`DiskPromptResult`).
inline constexpr int kDiskSupplied = 1;
inline constexpr int kDiskCancelled = 2;

// Starts a pass: `DiskState` from each bank's `DiskType`, `DiskBank` = 1.
void InitDiskStates(Session& session);

// Flags the banks that share the disk of `DiskBank` (same name, a disk of their own).
void FlagDiskBanks(Session& session);

// `DiskState` done, or missed, for every flagged bank.
void MarkDiskBanksDone(Session& session);
void MarkDiskBanksOmitted(Session& session);

// Takes the bank flags of the disk at `DiskBank`'s path whose Global.qv was read last, for
// the banks that live at that path only (`TakeOwnedDiskBankFlags`).
void LoadDiskBankFlags(Session& session);

// Asks for the disk of the first flagged bank (or the game disk). A Cancel is confirmed with
// "Are you sure you want to cancel?"; No asks again. Returns `kDiskSupplied` or
// `kDiskCancelled`.
int RequestIndexDisk(Session& session);

// Checks the disk at bank `bank`'s path: a disk of this game has its bank flags loaded
// (true); another game's disk or none is reported to the user (false).
[[nodiscard]] bool ReportBadIndex(Session& session, int bank);

}  // namespace qv
