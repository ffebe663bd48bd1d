#include "team/TeamCharts.h"

#include "platform/Cp1252.h"
#include "setup/BankResults.h"

namespace qv::team {

namespace {

// Series `series` of the bank's history as a line, window quarter q at its results quarter.
ChartLine BankLine(const TeamView& view, int series, int latest_quarter) {
  ChartLine line{HistorySeriesName(series), {}};
  for (int q = 1; q <= kPlotQuarters; ++q) {
    line.points.emplace_back(latest_quarter - kPlotQuarters + q, view.history(series, q));
  }
  return line;
}

}  // namespace

std::vector<ChartData> TeamHistoryCharts(const TeamView& view, const GameRecord& game) {
  const std::string bank = Cp1252ToUtf8(game.BankName(view.bank));
  const int latest = game.ResultsQuarter;

  ChartData per_share;
  per_share.title = bank + ": earnings and dividend per share";
  per_share.value_axis = "Per share";
  per_share.lines = {BankLine(view, 1, latest), BankLine(view, 2, latest)};

  ChartData size;
  size.title = bank + ": net income and total assets";
  // Total assets run to hundreds of times the quarter's income: an axis of their own.
  size.value_axis = "Net income";
  size.second_axis = "Total assets";
  size.first_on_second_axis = 1;
  size.lines = {BankLine(view, 3, latest), BankLine(view, 4, latest)};

  return {per_share, size, MarketChart(MarketWindow(view.market, latest))};
}

}  // namespace qv::team
