#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/GameCheck.h"
#include "tests/soak/SoakFigures.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

// Fifteen years of play: far more quarters than any course runs.
constexpr int kQuarters = 60;

struct Start {
  int period;
  std::uint64_t seed;
  const char* phase;  // where in the economic cycle the game begins
};

void PrintTo(const Start& start, std::ostream* out) {
  *out << "period " << start.period << " (" << start.phase << "), seed " << start.seed;
}

struct ComputerSoak : ::testing::TestWithParam<Start> {};

// Ten banks of every type and every computer level, each managed by the computer, from the
// start of the game for fifteen years.
TEST_P(ComputerSoak, EveryQuarterLeavesASoundGameWithMeaningfulFigures) {
  const Start start = GetParam();
  test::TestGame game(start.seed);
  std::vector<test::BankSpec> banks;
  const char* names[] = {"Alder", "Birch", "Cedar", "Dogwood",  "Elm",
                         "Fir",   "Gum",   "Hazel", "Ironwood", "Juniper"};
  for (int b = 0; b < 10; ++b) {
    banks.push_back({names[b], 1 + b % 3, b % 4});
  }
  ASSERT_EQ(game.Create(game.Setup(banks, start.period)), Proceed::kGoOn);
  const test::ShippedRateRange rates = test::ReadShippedRateRange(game.session);

  for (int quarter = 1; quarter <= kQuarters; ++quarter) {
    const std::size_t shown_before = game.ui.shown().size();
    ASSERT_EQ(AdvanceGame(game.session), Proceed::kGoOn) << "quarter " << quarter;
    ASSERT_EQ(game.session.game.ResultsQuarter, quarter);
    const std::vector<std::string> texts = game.ui.texts();
    ASSERT_EQ(std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(shown_before),
                                       texts.end()),
              std::vector<std::string>{"Game advanced successfully"})
        << "quarter " << quarter;
    ASSERT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{})
        << "quarter " << quarter;
    ASSERT_EQ(test::MeaninglessFigure(game.session, rates), "")
        << "quarter " << quarter << ", economic period " << game.session.game.EconPeriod;
  }
}

INSTANTIATE_TEST_SUITE_P(
    StartsOverTheCycle, ComputerSoak,
    ::testing::Values(Start{1, 11, "steady expansion"}, Start{12, 21, "late expansion"},
                      Start{20, 12, "overheating"}, Start{27, 22, "turn to recession"},
                      Start{30, 13, "recession"}, Start{40, 23, "recovery"},
                      Start{50, 14, "soft patch"}, Start{58, 24, "inflationary boom"},
                      Start{66, 15, "rate shock"}, Start{71, 25, "fall into recession"},
                      Start{80, 16, "deep recession"}, Start{95, 17, "new expansion"},
                      Start{100, 26, "the cycle's last quarter"}),
    [](const ::testing::TestParamInfo<Start>& start_info) {
      return "Period" + std::to_string(start_info.param.period) + "Seed" +
             std::to_string(start_info.param.seed);
    });

}  // namespace
}  // namespace qv
