#pragma once

#include <string>

#include <gtest/gtest.h>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GameFiles.h"
#include "data/GameTables.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv::test {

// Tables of a game of `num_banks` banks whose every value is exact in single precision and
// different from its neighbours, so a value in the wrong place shows; each bank's balance
// sheet balances.
inline void FillSampleTables(GameTables* t, int num_banks) {
  for (int i = 1; i <= 10; ++i)
    t->MarketRates(i) = i + 0.25;
  for (int i = 1; i <= 11; ++i)
    t->EconIndex(i) = 100 + i;
  for (int i = 1; i <= 84; ++i)
    t->Environment(i) = i * 0.5;
  for (int i = 1; i <= 42; ++i)
    t->IndustrySums(i) = 1000 + i;
  for (int b = 1; b <= num_banks; ++b) {
    for (int i = 1; i <= 63; ++i)
      t->Decision(b, i) = static_cast<float>(b * 100 + i);
    for (int i = 1; i <= 121; ++i)
      t->BankValues(b, i) = b * 1000 + i + 0.5;
    for (int i = 1; i <= 168; ++i)
      t->BankAmounts(b, i) = static_cast<std::int16_t>(b * 200 + i);
    // Assets 2..6 and claims 7..11 both sum to item 1.
    const int assets[] = {10 + b, 20, 30, 40, 50};
    const int claims[] = {100 + b, 10, 10, 10, 20};
    for (int k = 0; k < 5; ++k) {
      t->BankAmounts(b, 2 + k) = static_cast<std::int16_t>(assets[k]);
      t->BankAmounts(b, 7 + k) = static_cast<std::int16_t>(claims[k]);
    }
    t->BankAmounts(b, 1) = static_cast<std::int16_t>(150 + b);
    t->LastUpdated(b) = "12-08-2026 15:10";
    t->BankQuarter(b) = 3;
    t->DecisionsReady(b) = 2;
    for (int s = 1; s <= 4; ++s)
      t->BankSummary(b, s) = b * 10 + s + 0.5;
    Portfolio& p = t->Portfolios(b);
    for (int i = 1; i <= 60; ++i) {
      p.LoanRate(i) = b + i / 4.0;
      p.LoanAmount(i) = b * 100 + i;
    }
    for (int i = 1; i <= 128; ++i) {
      p.PortfolioYield(i) = i / 8.0;
      p.PortfolioAmount(i) = static_cast<std::int16_t>(b * 1000 + i);
    }
  }
  for (int q = 1; q <= 16; ++q) {
    for (int s = 1; s <= 8; ++s)
      t->PlotHistory(q, s) = s * 100 + q;
  }
}

// A session on a fresh temporary game directory, its file system able to fail on request.
struct GameDirectory : TestSession {
  explicit GameDirectory(int num_banks) {
    GameRecord& g = session.game;
    g.GameVersion = "3.00";
    g.GameId = "12-08-2026 15:10 0.25";
    g.GameName = "Fall 26";
    g.CreationYear = 2026;
    g.NumBanks = static_cast<std::int16_t>(num_banks);
    g.EconPeriod = 37;
    for (int b = 1; b <= num_banks; ++b) {
      g.BankName(b) = "Bank " + std::to_string(b);
      g.BankFlag(b) = 1;
    }
    FillSampleTables(&session.tables, num_banks);
  }

  // Writes the whole file set of a started game (quarter 0) into the directory.
  void WriteWholeGame() {
    session.game.ResultsQuarter = 0;
    for (int b = 1; b <= session.game.NumBanks; ++b) {
      session.tables.BankQuarter(b) = 0;  // each bank's status at the game's quarter
    }
    const bool written = WriteGlobalFile(session, 0) && WriteBanksUpdate(session, 0) &&
                         WritePlotUpdate(session, 0) && WritePortfolioFile(session) &&
                         WriteCompFile(session, 0);
    EXPECT_TRUE(written);
    dir.Write("DATAEC.QVS", std::string(100 * 128, '\0'));
    dir.Write("INIT.QVS", std::string(188 * 8, '\0'));
  }

  // Bytes of record `number` (1-based) of a file in the directory.
  std::string Record(const std::string& name, int length, int number) const {
    return dir.Read(name).substr(static_cast<std::size_t>((number - 1) * length),
                                 static_cast<std::size_t>(length));
  }
};

}  // namespace qv::test
