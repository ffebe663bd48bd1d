#pragma once

#include "data/Session.h"
#include "engine/ConstantTables.h"
#include "engine/EngineContext.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"

namespace qv::test {

// A session with ports that touch nothing outside the process, and an engine context with
// its constant tables filled: the ground for testing one stage in memory. Random numbers
// are fixed at 0.5, so Jitter returns its centre.
struct EngineTestSession {
  explicit EngineTestSession(int banks, int results_quarter = 5) {
    session.game.NumBanks = static_cast<std::int16_t>(banks);
    session.game.ResultsQuarter = static_cast<std::int16_t>(results_quarter);
    FillConstantTables(context);
  }

  GameTables& tables() { return session.tables; }

  LocalFileSystem files;
  ScriptedUi ui;
  FixedClock clock{DateTime{}};
  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};
  EngineContext context{session};
};

// Bank 1 of a one-bank test session, with the short names the formulas use for its books.
struct TestBank {
  EngineTestSession s{1};
  GameTables& t = s.tables();
  Portfolio& lots = t.Portfolios(1);

  std::int16_t& BA(int item) { return t.BankAmounts(1, item); }
  double& BV(int item) { return t.BankValues(1, item); }
  float& D(int item) { return t.Decision(1, item); }
  std::int16_t& PA(int k) { return lots.PortfolioAmount(k); }
  double& PY(int k) { return lots.PortfolioYield(k); }
  double& LA(int k) { return lots.LoanAmount(k); }
  double& LR(int k) { return lots.LoanRate(k); }
};

}  // namespace qv::test
