#include "engine/PlotHistory.h"

#include <array>

#include "data/Items.h"
#include "platform/Random.h"

namespace qv {

namespace {

constexpr int kQuarters = 16;
constexpr int kSeries = 8;
// The growth index (series 8) is known up to four quarters back; the newer rows are forecast.
constexpr int kGrowthSeries = 8;
constexpr int kLastKnownGrowthRow = 12;

}  // namespace

void ShiftPlotHistory(EngineContext& context) {
  GameTables& t = context.tables;
  Table2<double, 16, 8>& history = t.PlotHistory;

  for (int row = 1; row < kQuarters; ++row) {
    for (int series = 1; series <= kSeries; ++series) {
      history(row, series) = history(row + 1, series);
    }
  }

  constexpr std::array<int, 6> kRateSeries = {1, 3, 4, 5, 6, 8};
  for (std::size_t s = 0; s < kRateSeries.size(); ++s) {
    history(kQuarters, static_cast<int>(s) + 1) = t.MarketRates(kRateSeries[s]);
  }
  history(kQuarters, 7) = t.EconIndex(econ_index::kPriceLevel);
  history(kLastKnownGrowthRow, kGrowthSeries) = t.EconIndex(econ_index::kGrowthIndex);

  for (int ahead = 1; ahead <= 4; ++ahead) {
    const double noise = 1.0 + (static_cast<double>(context.session.random.Next()) - 0.5) / 100.0;
    const int row = kLastKnownGrowthRow + ahead;
    history(row, kGrowthSeries) = t.EconTrend(ahead + 2) * history(row - 1, kGrowthSeries) * noise;
  }
}

}  // namespace qv
