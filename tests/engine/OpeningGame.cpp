#include "tests/engine/OpeningGame.h"
#include "data/Items.h"

#include <gtest/gtest.h>

#include "advance/GameDiskPortfolios.h"
#include "data/EconomicFiles.h"
#include "data/GlobalFile.h"
#include "data/PortfolioFile.h"
#include "engine/Engine.h"
#include "newgame/NewGameState.h"
#include "newgame/OpeningBanks.h"
#include "newgame/PeriodZero.h"
#include "newgame/StaticDataFiles.h"
#include "tests/support/TempDir.h"

namespace qv::test {

bool CreateOpeningGame(Session& session, int banks, std::int16_t period) {
  GameRecord& g = session.game;
  g.GameVersion = "3.00";
  g.GameId = "12-08-2026 15:10 0.25";
  g.GameName = "Long run";
  g.NumBanks = static_cast<std::int16_t>(banks);
  g.EconPeriod = period;
  g.BankDiskFlag = 0;
  session.ProgramDir = ProgramDir();
  NewGameState state;
  for (int b = 1; b <= banks; ++b) {
    g.BankName(b) = "Bank " + std::to_string(b);
    g.DiskType(b) = disk_type::kGame;
    state.BankType(b) = static_cast<std::int16_t>((b - 1) % 4 + 1);
  }
  EnvironmentDefaults(session);
  session.tables.TaxRate = static_cast<float>(session.tables.Environment(environment::kTaxRate));
  const Status copied = CopyStaticDataFiles(session);
  EXPECT_TRUE(copied.ok()) << copied.detail();
  EXPECT_EQ(CalcPeriod0(session, state), 0);
  if (!copied.ok() || state.NewGameAbort != 0) {
    return false;
  }
  LoadOpeningBanks(session, state);
  session.LastUpdatedQuarter = g.ResultsQuarter;
  const bool written = WriteGlobalFile(session, 0);
  EXPECT_TRUE(written);
  return written;
}

bool PrepareQuarter(Session& session) {
  GameRecord& g = session.game;
  session.LastUpdatedQuarter = g.ResultsQuarter;
  g.EconPeriod = static_cast<std::int16_t>(g.EconPeriod % kEconomicPeriods + 1);
  for (int b = 1; b <= g.NumBanks; ++b) {
    for (int item = 22; item <= 38; ++item)
      session.tables.Decision(b, item) = 0;
    session.tables.Decision(b, decision::kSharesIssued) = 0;
    session.tables.Decision(b, decision::kSharesRepurchased) = 0;
  }
  const bool ok =
      ReadEconomicRecords(session) && WritePortfolioFile(session) && WriteGlobalFile(session, 0);
  EXPECT_TRUE(ok);
  return ok;
}

Proceed CalculateFromGameDisk(Session& session) {
  GameDiskPortfolios portfolios(session);
  return CalculateResults(session, portfolios);
}

}  // namespace qv::test
