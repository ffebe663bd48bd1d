#pragma once

#include <vector>

#include "data/Session.h"

namespace qv {

// Moves the open game one quarter on. The game directory is the authority: everything is
// reloaded from it first; at the start of a game (`ResultsQuarter` -1) the first results are
// calculated at once, later quarters first collect every bank's decisions from its disk and
// let the computer decide where it should. The results are written to the game directory,
// then to every bank disk in bank order. Nothing is written before the calculation is
// complete, and a failed write of the game directory leaves it as it was. A run-time error in
// one bank's part of the calculation names the bank; the instructor settles it with last
// quarter's decisions or the computer's and the quarter is tried again from the start, or
// waits, which fails the advance.
// Ends with a message box ("Game advanced successfully", "Game did NOT advance
// successfully", or the start's equivalents). Sets and returns `ProceedOk`: go on after success
// or an advance the instructor abandoned, stop after a failure.
Proceed AdvanceGame(Session& session);

// After an advance that wrote the game directory: the banks whose student disk was not
// written (omitted, or its files could not all be put in place), in bank order.
std::vector<int> DisksNotWritten(const Session& session);

}  // namespace qv
