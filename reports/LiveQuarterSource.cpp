#include "reports/LiveQuarterSource.h"

namespace qv {

std::vector<int> LiveQuarterSource::Quarters() {
  if (session_.game.ResultsQuarter < 0) {
    return {};
  }
  return {session_.game.ResultsQuarter};
}

bool LiveQuarterSource::Load(int quarter, QuarterTables* tables) {
  if (quarter != session_.game.ResultsQuarter || quarter < 0) {
    return false;
  }
  tables->quarter = quarter;
  tables->game = session_.game;
  return ReadReportFigures(session_, tables->figures);
}

bool LiveQuarterSource::MarketHistory(std::vector<MarketPoint>* history) {
  Table2<double, kPlotQuarters, kMarketSeries> window;
  if (!ReadPlotvEH(session_, &window)) {
    return false;
  }
  *history = MarketWindow(window, session_.game.ResultsQuarter);
  return true;
}

}  // namespace qv
