#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/GameCheck.h"
#include "platform/NumberFormat.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

constexpr int kQuarters = 8;
constexpr int kHumans = 4;

// A course played with the team's program alone: four teams decide on their disks every
// quarter, two banks are the computer's. The instructor is never asked to settle a bank.
TEST(TeamCourseTest, FourTeamsPlayEightQuartersWithTheirOwnProgram) {
  test::TestGame game(11);
  test::StartTeamGame(game, kHumans, 2);
  if (HasFatalFailure()) {
    return;
  }
  std::mt19937 chance(5);
  auto pick = [&](double low, double high) {
    return FormatShortest(
        static_cast<float>(std::uniform_real_distribution<double>(low, high)(chance)));
  };
  static const char* const kNames[] = {"Alder", "Birch", "Cedar", "Dogwood"};
  for (int quarter = 1; quarter <= kQuarters; ++quarter) {
    SCOPED_TRACE("quarter " + std::to_string(quarter));
    for (int b = 1; b <= kHumans; ++b) {
      std::vector<std::string> args = {
          "decide",     game.DiskFolder(kNames[b - 1]), "--bank",    std::to_string(b),
          "--password", "pw" + std::to_string(b),       "--quarter", std::to_string(quarter)};
      const std::vector<std::string> settings = {
          "checking_rate=" + pick(0, 3),
          "savings_rate=" + pick(1, 5),
          "time_deposit_rate=" + pick(2, 8),
          "cd_rate=" + pick(2, 8),
          "commercial_loan_rate=" + pick(6, 14),
          "consumer_loan_rate=" + pick(8, 18),
          "fixed_real_estate_rate=" + pick(6, 12),
          "expense_a=" + pick(0, 20),
          "expense_b=" + pick(0, 3),
          "premises=" + pick(10, 40),
          "dividend_per_share=" + pick(0, 0.5),
          "buy_securities_1y=" + pick(0, 30),
          "sell_securities_year2=" + pick(0, 10),
          "notes_issued_10y=" + pick(0, 5),
          "commercial_loan_limit=" + (b % 2 == 0 ? pick(100, 400) : "none")};
      for (const std::string& setting : settings) {
        args.push_back("--set");
        args.push_back(setting);
      }
      const test::QvteamRun run = test::Qvteam(args);
      ASSERT_EQ(run.exit_code, 0) << run.err;
    }
    ASSERT_EQ(test::AdvanceWithDisks(game), Proceed::kGoOn);
    EXPECT_EQ(game.ui.shown().back().text, "Game advanced successfully");
    EXPECT_TRUE(game.ui.fix_labels().empty());
    EXPECT_EQ(game.session.game.ResultsQuarter, quarter);
    const std::vector<std::string> problems = CheckGameDirectory(game.real, game.session.GamePath);
    EXPECT_TRUE(problems.empty()) << problems.front();
  }
}

}  // namespace
}  // namespace qv
