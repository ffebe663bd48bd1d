#pragma once

#include "data/Session.h"

namespace qv {

// Calculates one quarter for every bank from the decisions in the session's tables: adds 1 to
// `ResultsQuarter`, sets the quarter's economy and limits, allocates the markets and closes
// bank after bank. Each bank's new lots are kept in `Portfolios`; no file is written.
// Sets and returns `ProceedOk`: -1 when every bank was calculated, 0 when the game-disk
// prompt was cancelled, a portfolio read failed, or a run-time error was reported
// ("Quorvant Sub CalculateResults Error " and its number, followed by " while closing Bank 3:
// Gamma" when the error arose in one bank's part of the quarter).
int CalculateResults(Session& session);

// The same; after a run-time error in one bank's part of the quarter, `*failed_bank` is that
// bank (it is left alone otherwise).
int CalculateResults(Session& session, int* failed_bank);

}  // namespace qv
