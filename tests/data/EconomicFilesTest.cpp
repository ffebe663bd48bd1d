#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "data/EconomicFiles.h"
#include "platform/ByteCoding.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

// A DATAEC.QVS in which every value names its place: series s of period p holds 1000 p + s,
// the growth factor 1000 p + 32.
std::string LabelledEconomicFile(int periods) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(periods) * 128);
  for (int p = 1; p <= periods; ++p) {
    for (int s = 1; s <= 32; ++s) {
      PutSingle(bytes, static_cast<std::size_t>((p - 1) * 128 + (s - 1) * 4),
                static_cast<float>(1000 * p + s));
    }
  }
  return std::string(bytes.begin(), bytes.end());
}

// An INIT.QVS in which integer t of record r holds 10 r + t.
std::string LabelledInitFile(int records) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(records) * 8);
  for (int r = 1; r <= records; ++r) {
    for (int t = 1; t <= 4; ++t) {
      PutInt16(bytes, static_cast<std::size_t>((r - 1) * 8 + (t - 1) * 2),
               static_cast<std::int16_t>(10 * r + t));
    }
  }
  return std::string(bytes.begin(), bytes.end());
}

int PeriodOf(double value) {
  return static_cast<int>(value) / 1000;
}

struct EconomicFiles : ::testing::Test, test::TestSession {
  void SetUp() override {
    dir.Write("DATAEC.QVS", LabelledEconomicFile(100));
    dir.Write("INIT.QVS", LabelledInitFile(188));
  }
};

TEST_F(EconomicFiles, CreationWindowWrapsAroundTheCycle) {
  struct Case {
    int econ_period;
    std::vector<int> columns;  // periods of columns 1..16
    std::vector<int> ahead;    // periods of growth entries 17..20
    const char* shows;
  };
  const Case cases[] = {
      {3,
       {88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 1, 2, 3},
       {4, 5, 6, 7},
       "the window reaches back past period 1"},
      {1,
       {86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 1},
       {2, 3, 4, 5},
       "only the current period lies after the wrap"},
      {97,
       {82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97},
       {98, 99, 100, 1},
       "the growth entries run on past period 100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "EconPeriod " << c.econ_period << ": " << c.shows);
    session.game.EconPeriod = static_cast<std::int16_t>(c.econ_period);
    EconomicWindow window;
    ASSERT_TRUE(ReadEconomicFile(session, &window));
    for (int column = 1; column <= 16; ++column) {
      const int period = c.columns[static_cast<std::size_t>(column - 1)];
      EXPECT_EQ(PeriodOf(window.EconWindow(1, column)), period) << "column " << column;
      EXPECT_EQ(window.EconWindow(31, column), 1000 * period + 31) << "column " << column;
      EXPECT_EQ(window.GrowthWindow(column), 1000 * period + 32) << "column " << column;
    }
    for (int entry = 17; entry <= 20; ++entry) {
      EXPECT_EQ(window.GrowthWindow(entry),
                1000 * c.ahead[static_cast<std::size_t>(entry - 17)] + 32)
          << "growth entry " << entry;
    }
  }
  EXPECT_TRUE(ui.shown().empty());
}

TEST_F(EconomicFiles, AdvanceReadsTheNextQuarterAndSixGrowthFactors) {
  struct Case {
    int econ_period;
    int next;
    std::vector<int> trend;
  };
  const Case cases[] = {
      {50, 51, {50, 51, 52, 53, 54, 55}},
      {97, 98, {97, 98, 99, 100, 1, 2}},
      {100, 1, {100, 1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "EconPeriod " << c.econ_period);
    session.game.EconPeriod = static_cast<std::int16_t>(c.econ_period);
    ASSERT_TRUE(ReadEconomicRecords(session));
    const auto& series = session.tables.EconSeries;
    for (int item = 1; item <= 31; ++item) {
      EXPECT_EQ(series(item), 1000 * c.next + item) << "new quarter, series " << item;
      EXPECT_EQ(series(31 + item), 1000 * c.econ_period + item) << "last quarter, series " << item;
    }
    for (int entry = 1; entry <= 6; ++entry) {
      EXPECT_EQ(session.tables.EconTrend(entry),
                1000 * c.trend[static_cast<std::size_t>(entry - 1)] + 32)
          << "trend entry " << entry;
    }
  }
  EXPECT_EQ(session.CurrentPath, dir.path());
}

TEST_F(EconomicFiles, InitFileFillsOneColumnPerBankType) {
  InitialAmounts amounts;
  ASSERT_TRUE(ReadInitFile(session, &amounts));
  for (int type = 1; type <= 4; ++type) {
    EXPECT_EQ(amounts.InitialPortfolioAmounts(type, 1), 10 + type);
    EXPECT_EQ(amounts.InitialPortfolioAmounts(type, 128), 1280 + type);
    EXPECT_EQ(amounts.InitialLoanAmounts(type, 1), 1290 + type);
    EXPECT_EQ(amounts.InitialLoanAmounts(type, 60), 1880 + type);
  }
}

TEST_F(EconomicFiles, MissingFileIsAskedAboutAndCancelGivesUp) {
  std::remove((dir.path() + "DATAEC.QVS").c_str());
  ui.Then(Answer::kRetry).Then(Answer::kCancel);
  session.game.EconPeriod = 10;
  EconomicWindow window;
  EXPECT_FALSE(ReadEconomicFile(session, &window));
  const std::string text = "Cannot read file " + dir.path() + "DATAEC.QVS";
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{text, text}));
  EXPECT_EQ(ui.shown()[0].buttons, Buttons::kRetryCancel);
}

TEST_F(EconomicFiles, ShortFileIsAReadErrorWhateverThePeriod) {
  // Periods 5..24 would all be present; the missing tail still counts.
  dir.Write("DATAEC.QVS", LabelledEconomicFile(99));
  dir.Write("INIT.QVS", LabelledInitFile(187));
  session.game.EconPeriod = 20;
  session.tables.EconSeries(1) = 4.5;
  ui.Then(Answer::kCancel).Then(Answer::kCancel).Then(Answer::kCancel);
  EconomicWindow window;
  InitialAmounts amounts;
  EXPECT_FALSE(ReadEconomicFile(session, &window));
  EXPECT_FALSE(ReadInitFile(session, &amounts));
  EXPECT_FALSE(ReadEconomicRecords(session));
  EXPECT_EQ(session.tables.EconSeries(1), 4.5);  // a failed read leaves last quarter's series
  EXPECT_EQ(ui.texts(),
            (std::vector<std::string>{"Cannot read file " + dir.path() + "DATAEC.QVS",
                                      "Cannot read file " + dir.path() + "INIT.QVS",
                                      "Cannot read file " + dir.path() + "DATAEC.QVS"}));
}

}  // namespace
}  // namespace qv
