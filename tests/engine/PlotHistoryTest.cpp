#include <gtest/gtest.h>

#include "data/Items.h"
#include "engine/PlotHistory.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

struct PlotHistoryShift : ::testing::Test {
  test::EngineTestSession s{1};
  GameTables& t = s.tables();

  void SetUp() override {
    for (int row = 1; row <= 16; ++row) {
      for (int series = 1; series <= 8; ++series)
        t.PlotHistory(row, series) = 100 * row + series;
    }
    for (int i = 1; i <= 9; ++i)
      t.MarketRates(i) = i + 0.25;
    t.EconIndex(econ_index::kPriceLevel) = 123;
    t.EconIndex(econ_index::kGrowthIndex) = 50;
    const double trend[] = {1.01, 1.02, 1.03, 1.04};
    for (int i = 3; i <= 6; ++i)
      t.EconTrend(i) = trend[i - 3];
  }
};

TEST_F(PlotHistoryShift, RowsMoveUpAndTheNewQuarterIsAppended) {
  ShiftPlotHistory(s.context);
  for (int row = 1; row <= 15; ++row) {
    for (int series = 1; series <= 7; ++series) {
      EXPECT_EQ(t.PlotHistory(row, series), 100 * (row + 1) + series) << row << "," << series;
    }
  }
  for (int row = 1; row <= 11; ++row) {
    EXPECT_EQ(t.PlotHistory(row, 8), 100 * (row + 1) + 8) << "row " << row;
  }
  const double newest[] = {1.25, 3.25, 4.25, 5.25, 6.25, 8.25, 123};
  for (int series = 1; series <= 7; ++series) {
    EXPECT_EQ(t.PlotHistory(16, series), newest[series - 1]) << "series " << series;
  }
}

TEST_F(PlotHistoryShift, GrowthIndexIsRecordedAndForecastFromTheTrend) {
  ShiftPlotHistory(s.context);
  EXPECT_DOUBLE_EQ(t.PlotHistory(12, 8), 50);
  EXPECT_DOUBLE_EQ(t.PlotHistory(13, 8), 50 * 1.01);
  EXPECT_DOUBLE_EQ(t.PlotHistory(14, 8), 50 * 1.01 * 1.02);
  EXPECT_DOUBLE_EQ(t.PlotHistory(15, 8), 50 * 1.01 * 1.02 * 1.03);
  EXPECT_DOUBLE_EQ(t.PlotHistory(16, 8), 50 * 1.01 * 1.02 * 1.03 * 1.04);
}

TEST_F(PlotHistoryShift, ForecastNoiseIsAtMostHalfAPercentPerQuarter) {
  s.random.set_value(0.0F);
  ShiftPlotHistory(s.context);
  EXPECT_DOUBLE_EQ(t.PlotHistory(13, 8), 50 * 1.01 * 0.995);
  EXPECT_DOUBLE_EQ(t.PlotHistory(14, 8), 50 * 1.01 * 0.995 * 1.02 * 0.995);
}

}  // namespace
}  // namespace qv
