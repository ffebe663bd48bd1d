#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "reports/ResultsHistory.h"

class QComboBox;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace qv {

class ResultsChart;
struct Session;

// frmResults: the quarterly comparison of every bank on screen, with the rows, labels and
// formats of the printed report, a quarter selector over every quarter kept, banks ranked by a
// click on a row's label, copying as tab-separated text and trouble marks whose tooltip names
// the rule; and a chart of any report row, the market series or one bank's share price and
// total assets. It reads the open game's files; Reload follows the game after an advance.
class ResultsWindow final : public QWidget {
 public:
  ResultsWindow(Session& session, QWidget* parent = nullptr);
  ~ResultsWindow() override;

  // Reads the game's quarters again and shows the latest. False (and an empty window) when
  // they could not be read.
  bool Reload();

  // Shows quarter `quarter` of those kept; false when it is not kept.
  bool ShowQuarter(int quarter);
  // Ranks the bank columns by the figures of table row `row`, highest first.
  void RankBy(int row);
  // Copies the table as shown to the clipboard as tab-separated text.
  void CopyTable();
  // Shows chart `index` of the chart selector.
  void ShowChart(int index);

  // Where Reload reads the quarters from; the open game's quarters by default.
  using SourceFactory = std::function<std::unique_ptr<QuarterSource>()>;
  void set_source_factory(SourceFactory factory) { source_factory_ = std::move(factory); }

  const ResultsHistory& history() const { return history_; }
  const std::vector<int>& bank_order() const { return bank_order_; }
  ResultsChart* chart() const { return chart_; }

 private:
  void FillTable();
  void FillChartChoices();
  void SaveChart();
  const ResultsTable* Shown() const;

  Session& session_;
  SourceFactory source_factory_;
  ResultsHistory history_;
  bool loaded_ = false;
  std::size_t shown_quarter_ = 0;  // position in history_.quarters()
  std::vector<int> bank_order_;

  QTabWidget* tabs_ = nullptr;
  QComboBox* quarter_box_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QPushButton* copy_button_ = nullptr;
  QComboBox* chart_box_ = nullptr;
  QPushButton* save_chart_button_ = nullptr;
  ResultsChart* chart_ = nullptr;
};

}  // namespace qv
