#include "reports/QuarterSource.h"

namespace qv {

std::vector<MarketPoint> MarketWindow(const Table2<double, kPlotQuarters, kMarketSeries>& window,
                                      int latest_quarter) {
  std::vector<MarketPoint> points(kPlotQuarters);
  for (int q = 1; q <= kPlotQuarters; ++q) {
    MarketPoint& point = points[static_cast<std::size_t>(q - 1)];
    point.quarter = latest_quarter - kPlotQuarters + q;
    for (int s = 1; s <= kMarketSeries; ++s) {
      point.series(s) = window(q, s);
    }
  }
  return points;
}

const std::array<MarketSeriesName, kMarketSeriesCount>& MarketSeriesNames() {
  static const std::array<MarketSeriesName, kMarketSeriesCount> names = {{
      {"Bill Rate", "% a year"},
      {"One-Year Note", "% a year"},
      {"Five-Year Note", "% a year"},
      {"Ten-Year Bond", "% a year"},
      {"Overnight Funds", "% a year"},
      {"Prime Rate", "% a year"},
      {"Price Index", "100 before the start"},
      {"Growth Index", "index"},
  }};
  return names;
}

}  // namespace qv
