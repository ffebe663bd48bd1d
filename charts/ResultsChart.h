#pragma once

#include <QChartView>
#include <QString>

#include "reports/ResultsHistory.h"

namespace qv {

// A line chart of results over the quarters: one line per bank (or market series), a legend
// with their names, a quarter axis and a value axis with its unit, the value under the mouse
// in a tooltip. It can be saved as PNG or PDF.
class ResultsChart : public QChartView {
  Q_OBJECT

 public:
  explicit ResultsChart(QWidget* parent = nullptr);

  // Replaces what the chart shows.
  void Show(const ChartData& content);

  // Writes the chart to `path`: PDF when the name ends in ".pdf", else an image in the format
  // its extension names (PNG by default). False when the file could not be written.
  bool SaveTo(const QString& path);

  // The text the tooltip shows for `value` of line `line` at `quarter`.
  static QString HoverText(const QString& line, int quarter, double value);
};

}  // namespace qv
