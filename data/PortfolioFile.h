#pragma once

#include "data/GameTables.h"
#include "data/Session.h"

namespace qv {

inline constexpr const char* kPortfolioFileName = "Portf.qv";

// PORTF.QV holds only in the game directory. Bank b owns records 10b-9 .. 10b (128 bytes):
//   10b-9   LoanRate 1..32                 10b-8   LoanRate 33..60, then four zero singles
//   10b-7   LoanAmount 1..32               10b-6   LoanAmount 33..60, then four zero singles
//   10b-5 .. 10b-2   PortfolioYield 1..128, 32 singles each
//   10b-1, 10b       PortfolioAmount 1..128, 64 integers each

// Reads bank `bank`'s ten records into `portfolio`. Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadPortfolio(Session& session, int bank, Portfolio* portfolio);

// Writes bank `bank`'s ten records from `portfolio`. Retry protocol; returns `FileOK`.
[[nodiscard]] bool WritePortfolio(Session& session, int bank, const Portfolio& portfolio);

// Writes the records of banks 1..NumBanks from the session's `Portfolios` in one routine.
// Retry protocol; returns `FileOK`.
[[nodiscard]] bool WritePortfolioFile(Session& session);

}  // namespace qv
