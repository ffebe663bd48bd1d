#pragma once

#include "data/Session.h"
#include "engine/PortfolioSource.h"

namespace qv {

// Calculates one quarter for every bank from the decisions in the session's tables: adds 1 to
// `ResultsQuarter`, sets the quarter's economy and limits, allocates the markets and closes
// bank after bank, each from the lots `portfolios` supplies just before its close. Each bank's
// new lots are kept in `Portfolios`; no file is written. Sets and returns `ProceedOk`: -1 when
// every bank was calculated, 0 when `portfolios` could not supply a bank's lots or a run-time
// error was reported ("Quorvant Sub CalculateResults Error " and its number).
int CalculateResults(Session& session, PortfolioSource& portfolios);

}  // namespace qv
