#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "reports/ResultsHistory.h"
#include "team/TeamView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSettings;
class QTabWidget;
class QTableWidget;

namespace qv {

class DecisionForm;
class ResultsChart;

namespace team {

// Message boxes of the team's program.
class TeamMessages final : public Ui {
 public:
  explicit TeamMessages(QWidget* parent) : parent_(parent) {}
  Answer Show(const Message& message) override;
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }

 private:
  QWidget* parent_;
};

// The team's window: open the bank disk's folder (the last one is remembered in `settings`),
// pick the bank, log in with its password; then the bank's latest results as the report's
// rows, the competitors' figures, the history of PLOTV.QV as charts (the instructor's chart) above
// the bank's series as a table, and the decision form whose Save writes the decisions for the
// coming quarter as ready.
class TeamWindow final : public QMainWindow {
 public:
  TeamWindow(QSettings& settings, const std::string& program_dir);
  ~TeamWindow() override;

  // Opens the disk in `folder` and lists its banks; tells why not and returns false.
  bool OpenDisk(const QString& folder);
  // Logs in to the bank selected in the list with the password typed; false after a refusal.
  bool Login();
  // Saves the form's decisions as ready for the coming quarter; false when refused.
  bool Save();
  // Shows history chart `index` (0 the bank's per-share series, 1 its net income and total
  // assets, 2 the market); false when there is none such.
  bool ShowHistoryChart(int index);
  ResultsChart* history_chart() const { return history_chart_; }

 private:
  void ChooseFolder();
  void ShowBank();
  void Tell(const std::string& text);

  QSettings& settings_;
  LocalFileSystem files_;
  TeamMessages messages_{this};
  SystemClock clock_;
  SeededRandom random_{1};
  Session session_{files_, messages_, clock_, random_};
  TeamView view_;

  QLabel* disk_label_ = nullptr;
  QListWidget* banks_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLabel* status_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTableWidget* results_ = nullptr;
  QTableWidget* competitors_ = nullptr;
  QTableWidget* history_ = nullptr;
  QComboBox* history_chart_box_ = nullptr;
  ResultsChart* history_chart_ = nullptr;
  std::vector<ChartData> history_charts_;
  QWidget* decisions_page_ = nullptr;
  DecisionForm* form_ = nullptr;
};

}  // namespace team
}  // namespace qv
