#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "engine/Engine.h"
#include "tests/engine/OpeningGame.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

constexpr int kBanks = 10;
constexpr int kQuarters = 40;

// Everything a closed quarter must hold for every bank; returns the first breach.
std::string CheckBooks(const GameTables& t, int banks) {
  std::ostringstream fault;
  for (int b = 1; b <= banks && fault.str().empty(); ++b) {
    auto ba = [&](int item) { return static_cast<int>(t.BankAmounts(b, item)); };
    const int assets = ba(2) + ba(3) + ba(4) + ba(5) + ba(6);
    const int claims = ba(7) + ba(8) + ba(9) + ba(10) + ba(11);
    if (ba(1) != assets || ba(1) != claims) {
      fault << "bank " << b << " total " << ba(1) << " assets " << assets << " claims " << claims;
    } else if (ba(139) + ba(140) + ba(141) + ba(142) != ba(1) ||
               ba(143) + ba(144) + ba(145) + ba(146) != ba(1)) {
      fault << "bank " << b << " repricing bands do not add up to " << ba(1);
    }
    for (int item = 1; item <= 121 && fault.str().empty(); ++item) {
      if (!std::isfinite(t.BankValues(b, item)))
        fault << "bank " << b << " value " << item;
    }
    for (int item = 1; item <= 63 && fault.str().empty(); ++item) {
      if (!std::isfinite(t.Decision(b, item)))
        fault << "bank " << b << " decision " << item;
    }
  }
  for (int row = 1; row <= 16 && fault.str().empty(); ++row) {
    for (int series = 1; series <= 8; ++series) {
      if (!std::isfinite(t.PlotHistory(row, series)))
        fault << "plot " << row << "," << series;
    }
  }
  return fault.str();
}

struct LongRun : ::testing::TestWithParam<std::pair<int, std::uint64_t>> {};

// Ten banks of every type, each repeating last quarter's decisions, through forty quarters.
TEST_P(LongRun, BooksStayBalancedAndFinite) {
  const auto [period, seed] = GetParam();
  test::SeededTestSession game(seed);
  Session& session = game.session;
  ASSERT_TRUE(test::CreateOpeningGame(session, kBanks, static_cast<std::int16_t>(period)));

  for (int quarter = 0; quarter < kQuarters; ++quarter) {
    ASSERT_TRUE(test::PrepareQuarter(session)) << "quarter " << quarter;
    ASSERT_EQ(test::CalculateFromGameDisk(session), Proceed::kGoOn)
        << "period " << period << " seed " << seed << " quarter " << session.game.ResultsQuarter
        << ": " << session.MessageText;
    const std::string fault = CheckBooks(session.tables, kBanks);
    ASSERT_EQ(fault, "") << "period " << period << " seed " << seed << " quarter "
                         << session.game.ResultsQuarter;
  }
  EXPECT_EQ(session.game.ResultsQuarter, kQuarters - 1);
  EXPECT_TRUE(game.ui.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(StartingPeriodsAndSeeds, LongRun,
                         ::testing::Values(std::pair{1, 1U}, std::pair{37, 2U}, std::pair{64, 3U},
                                           std::pair{90, 4U}, std::pair{100, 5U}));

}  // namespace
}  // namespace qv
