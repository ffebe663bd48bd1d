#include <gtest/gtest.h>

#include "data/Items.h"
#include "engine/Economy.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

struct Economy : ::testing::Test {
  test::EngineTestSession s{2};
  GameTables& t = s.tables();

  void SetUp() override {
    for (int i = 1; i <= 9; ++i)
      t.EconSeries(i) = i;
    t.EconSeries(11) = 1.01;  // price level
    t.EconSeries(12) = 1.02;
    t.EconSeries(13) = 0.99;  // a shrinking market does not shrink the index
    for (int i = 14; i <= 17; ++i)
      t.EconSeries(i) = 1.03;
    t.EconSeries(18) = 1.04;
    for (int i = 1; i <= econ_index::kCount; ++i)
      t.EconIndex(i) = 100;
    t.EconTrend(2) = 1.02;
    t.IndustrySums.Fill(7);
    s.context.IndustryCounts.Fill(7);
  }
};

TEST_F(Economy, RatesAtTheCentreAndIndicesGrown) {
  SetEconomicEnvironment(s.context);
  for (int i = 1; i <= 9; ++i)
    EXPECT_DOUBLE_EQ(t.MarketRates(i), i) << "rate " << i;
  // The price level, the seven markets, the growth index, home equity, the unused last.
  const double expected[] = {101, 102, 100, 103, 103, 103, 103, 104, 102, 104, 100};
  for (int i = 1; i <= econ_index::kCount; ++i) {
    EXPECT_DOUBLE_EQ(t.EconIndex(i), expected[i - 1]) << "index " << i;
  }
  for (int i = 1; i <= industry::kCount; ++i)
    EXPECT_EQ(t.IndustrySums(i), 0.0) << "sum " << i;
  for (int i = 1; i <= 6; ++i)
    EXPECT_EQ(s.context.IndustryCounts(i), 0) << "count " << i;
}

TEST_F(Economy, RatesAreDrawnWithinFiveBasisPointsOfTheSeries) {
  s.random.set_value(0.0F);
  SetEconomicEnvironment(s.context);
  EXPECT_DOUBLE_EQ(t.MarketRates(market_rate::kThreeMonth), 1.05);
  EXPECT_DOUBLE_EQ(t.MarketRates(market_rate::kMortgage), 9.05);
  EXPECT_EQ(t.MarketRates(10), 0.0);
}

TEST_F(Economy, SlowBelowTheTrendThreshold) {
  const struct {
    double trend;
    int slow;
  } rows[] = {{1.0, 1}, {1.0229, 1}, {1.023, 0}, {1.05, 0}};
  for (const auto& row : rows) {
    t.EconTrend(2) = row.trend;
    SetEconomicEnvironment(s.context);
    EXPECT_EQ(s.context.Slow, row.slow) << "trend " << row.trend;
  }
}

}  // namespace
}  // namespace qv
