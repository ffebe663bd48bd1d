#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reports/QuarterSource.h"
#include "reports/ResultsExport.h"
#include "reports/ResultsTable.h"

namespace qv {

// One line of a chart: its name (UTF-8) and its points (results quarter, value), oldest first.
struct ChartLine {
  std::string name;
  std::vector<std::pair<int, double>> points;
};

// What a chart shows, independent of how it is drawn. Texts are UTF-8.
struct ChartData {
  std::string title;
  std::string value_axis;   // the title of the value axis, with its unit
  std::string second_axis;  // when not empty, lines from `first_on_second_axis` on use a second
                            // value axis with this title
  std::size_t first_on_second_axis = 0;
  std::vector<ChartLine> lines;
};

// The eight market series over the quarters of `market`: the six rates on one value axis, the
// two indices on a second.
ChartData MarketChart(const std::vector<MarketPoint>& market);

// Every quarter a source keeps, as results tables laid out by one layout, and the market
// history: what the results window and its charts show.
class ResultsHistory {
 public:
  // Reads every quarter of `source` (progress as CollectGameExport reports it) and the market
  // history. False when something could not be read; a layout that cannot be interpreted
  // throws RuntimeError.
  [[nodiscard]] bool Load(QuarterSource& source, std::string_view layout,
                          const ExportProgress& progress = {});

  const std::vector<ExportQuarter>& quarters() const { return quarters_.quarters; }
  const std::vector<MarketPoint>& market() const { return quarters_.market; }
  const GameExport& AsExport() const { return quarters_; }
  // The table of the latest quarter; the history must hold one.
  const ResultsTable& Latest() const { return quarters_.quarters.back().table; }

  // Report row `row` (its position in the layout) for every bank over every quarter; a bank
  // is named as in the latest quarter.
  ChartData RowChart(std::size_t row) const;
  // The eight market series over the quarters of the history.
  ChartData MarketChart() const;
  // Bank `bank`'s share price and total assets, the second on a value axis of its own.
  ChartData BankChart(int bank) const;

 private:
  GameExport quarters_;
};

}  // namespace qv
