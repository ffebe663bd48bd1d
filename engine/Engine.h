#pragma once

#include "data/Session.h"

namespace qv {

// Calculates one quarter for every bank from the decisions in the session's tables: adds 1 to
// `ResultsQuarter`, sets the quarter's economy and limits, allocates the markets and closes
// bank after bank. Each bank's new lots are kept in `Portfolios`; no file is written.
// Sets and returns `ProceedOk`: -1 when every bank was calculated, 0 when the game-disk
// prompt was cancelled, a portfolio read failed, or a run-time error was reported
// ("Quorvant Sub CalculateResults Error " and its number).
int CalculateResults(Session& session);

}  // namespace qv
