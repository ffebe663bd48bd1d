#pragma once

#include "data/Session.h"
#include "engine/PortfolioSource.h"

namespace qv {

// Calculates one quarter for every bank from the decisions in the session's tables: adds 1 to
// `ResultsQuarter`, sets the quarter's economy and limits, allocates the markets and closes
// bank after bank, each from the lots `portfolios` supplies just before its close. Each bank's
// new lots are kept in `Portfolios`; no file is written. Sets and returns `ProceedOk`: go on when
// every bank was calculated, stop when `portfolios` could not supply a bank's lots or a run-time
// error was reported ("Quorvant Sub CalculateResults Error " and its number, followed by
// " while closing Bank 3: Gamma" when the error arose in one bank's part of the quarter; then
// `*failed_bank`, when given, is that bank).
Proceed CalculateResults(Session& session, PortfolioSource& portfolios, int* failed_bank = nullptr);

}  // namespace qv
