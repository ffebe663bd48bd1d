#pragma once

#include <array>
#include <vector>

#include "data/GameRecord.h"
#include "platform/Table.h"
#include "reports/ReportFigures.h"

namespace qv {

// What the report reads for one results quarter: the game record as it stood then (title,
// bank count and names) and the figures of COMP.QV, PLOTV.QV and banks.qv.
struct QuarterTables {
  int quarter = 0;
  GameRecord game;
  ReportFigures figures;
};

// The eight market series of PLOTV.QV, quarter by quarter.
inline constexpr int kMarketSeriesCount = kMarketSeries;

// A market series' name and its unit, for tables and chart axes.
struct MarketSeriesName {
  const char* name;
  const char* unit;
};
// Series 1..6 are the market rates PLOTV.QV keeps (bill, one-year note, five-year note,
// ten-year bond, overnight funds, prime), 7 the price index, 8 the growth index whose last
// four quarters are a forecast; position s - 1 names series s.
const std::array<MarketSeriesName, kMarketSeriesCount>& MarketSeriesNames();

struct MarketPoint {
  int quarter = 0;  // results quarter; quarters before the game's start are 0 or negative
  Table<double, kMarketSeriesCount> series;
};

// Where the results of a game's quarters come from. The live game directory holds only its
// latest quarter; an archive of the game holds every quarter played.
class QuarterSource {
 public:
  virtual ~QuarterSource() = default;

  // The results quarters that can be loaded, oldest first; empty when none can be read.
  virtual std::vector<int> Quarters() = 0;

  // The tables of results quarter `quarter`, one of Quarters(). False when they cannot be read.
  [[nodiscard]] virtual bool Load(int quarter, QuarterTables* tables) = 0;

  // The market series from the oldest quarter known to the latest, oldest first. False when
  // they cannot be read.
  [[nodiscard]] virtual bool MarketHistory(std::vector<MarketPoint>* history) = 0;
};

// The market window of PLOTV.QV as points: window quarter 16 is `latest_quarter`, window
// quarter q is `latest_quarter` - 16 + q.
std::vector<MarketPoint> MarketWindow(const Table2<double, kPlotQuarters, kMarketSeries>& window,
                                      int latest_quarter);

}  // namespace qv
