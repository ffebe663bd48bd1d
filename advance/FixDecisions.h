#pragma once

#include "data/Session.h"

namespace qv {

// Why a bank's decisions need settling.
enum class FixReason {
  kNotCurrent = 1,    // the disk missed the last update
  kNotReady = 2,      // the bank has not finished its decisions
  kNotAvailable = 3,  // the disk was not supplied
  kReadError = 4,     // the bank's record could not be read
};

// Where each bank's decisions come from this quarter, before the merge: the computer at its
// level for computer-managed banks, unsettled for the others.
void InitDecisionSources(Session& session);

// Last quarter's decisions carry the bank's policies but none of its one-off transactions:
// clears the purchases, sales, note and share transactions of `bank`.
void ClearTransactions(Session& session, int bank);

// Takes a just-read bank's decisions when they are current and ready; otherwise asks.
void CheckBankDecisions(Session& session, int bank);

// The fix-decisions dialog for `bank` until one of its options settles it: the disk's
// decisions, last quarter's with the quarter's transactions cleared, the computer at a level,
// or waiting (`MergeStatus` waiting, the advance is abandoned).
void FixDecisions(Session& session, int bank, FixReason reason);

// The merge handlers after a disk was read, not supplied, or partly unreadable; each walks
// the flagged banks and stops when the instructor chose to wait.
void CheckDiskBanks(Session& session);
void DiskNotAvailable(Session& session);
void DiskError(Session& session);

}  // namespace qv
