#pragma once

#include "data/Session.h"

namespace qv {

// Makes this quarter's decisions of every bank 1..NumBanks whose `DecisionSource` is 3 or
// more, at expertise level `DecisionSource` - 2 (1 Beginner, 2 Intermediate, 3 Expert), from
// the last results in the session's tables: each such bank's `Decision` row is rebuilt from
// zero. Sets `BankDiskFlag` = 0 first. Writes no file.
// Sets and returns `ProceedOk`: go on when every bank is done, stop after a run-time error, which
// is shown as "Quorvant Sub ComputerDecisions Error " and its number; the banks finished before the
// error keep their new decisions.
Proceed ComputerDecisions(Session& session);

}  // namespace qv
