#include "team/TeamWindow.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "charts/ResultsChart.h"
#include "desktop/DecisionForm.h"
#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"
#include "setup/BankDisk.h"
#include "team/TeamCharts.h"

namespace qv::team {

namespace {

constexpr const char* kTitle = "Quorvant Team";
constexpr const char* kLastDiskKey = "LastDisk";

QString Q(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QTableWidget* NewTable(const char* name) {
  auto* table = new QTableWidget;
  table->setObjectName(name);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
  auto* cell = new QTableWidgetItem(text);
  if (column > 0) {
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  table->setItem(row, column, cell);
}

}  // namespace

Answer TeamMessages::Show(const Message& message) {
  QMessageBox box(QMessageBox::Warning, kTitle, Q(message.text), QMessageBox::NoButton, parent_);
  box.setObjectName("msgBox");  // as the instructor's program names its boxes
  switch (message.buttons) {
    case Buttons::kRetryCancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      return box.exec() == QMessageBox::Retry ? Answer::kRetry : Answer::kCancel;
    case Buttons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      return box.exec() == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
    case Buttons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      return box.exec() == QMessageBox::Ok ? Answer::kOk : Answer::kCancel;
    case Buttons::kOk:
      break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return Answer::kOk;
}

TeamWindow::TeamWindow(QSettings& settings, const std::string& program_dir) : settings_(settings) {
  setObjectName("frmTeam");
  setWindowTitle(kTitle);
  session_.ProgramDir = program_dir;

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  auto* disk_row = new QHBoxLayout;
  auto* open = new QPushButton(tr("&Open Disk Folder..."));
  open->setObjectName("cmdOpenDisk");
  disk_label_ = new QLabel(tr("No disk open"));
  disk_label_->setObjectName("lblDisk");
  disk_row->addWidget(open);
  disk_row->addWidget(disk_label_, 1);
  layout->addLayout(disk_row);

  auto* login_row = new QHBoxLayout;
  banks_ = new QListWidget;
  banks_->setObjectName("lstBanks");
  banks_->setMaximumHeight(120);
  password_ = new QLineEdit;
  password_->setObjectName("txtPassword");
  password_->setEchoMode(QLineEdit::Password);
  password_->setPlaceholderText(tr("Password"));
  auto* login = new QPushButton(tr("&Log In"));
  login->setObjectName("cmdLogin");
  login_row->addWidget(banks_, 1);
  login_row->addWidget(password_);
  login_row->addWidget(login);
  layout->addLayout(login_row);

  status_ = new QLabel;
  status_->setObjectName("lblStatus");
  layout->addWidget(status_);

  tabs_ = new QTabWidget;
  tabs_->setObjectName("tabViews");
  results_ = NewTable("grdResults");
  competitors_ = NewTable("grdCompetitors");
  history_ = NewTable("grdHistory");
  auto* history_page = new QWidget;
  history_chart_box_ = new QComboBox;
  history_chart_box_->setObjectName("cboHistoryChart");
  history_chart_ = new ResultsChart;
  history_chart_->setObjectName("chtHistory");
  auto* history_split = new QSplitter(Qt::Vertical);
  history_split->addWidget(history_chart_);
  history_split->addWidget(history_);
  history_split->setStretchFactor(0, 3);
  history_split->setStretchFactor(1, 1);
  // Room for the four series under the chart without scrolling down (a row to spare for the
  // style's margins).
  history_->setMinimumHeight(history_->horizontalHeader()->sizeHint().height() +
                             (kBankSeries + 1) * history_->verticalHeader()->defaultSectionSize() +
                             history_->horizontalScrollBar()->sizeHint().height() +
                             2 * history_->frameWidth());
  auto* history_layout = new QVBoxLayout(history_page);
  history_layout->addWidget(history_chart_box_);
  history_layout->addWidget(history_split, 1);
  decisions_page_ = new QWidget;
  auto* decisions_layout = new QVBoxLayout(decisions_page_);
  auto* save = new QPushButton(tr("&Save Decisions as Ready"));
  save->setObjectName("cmdSave");
  decisions_layout->addWidget(save, 0, Qt::AlignRight);
  tabs_->addTab(results_, tr("Results"));
  tabs_->addTab(competitors_, tr("Competitors"));
  tabs_->addTab(history_page, tr("History"));
  tabs_->addTab(decisions_page_, tr("Decisions"));
  tabs_->setEnabled(false);
  layout->addWidget(tabs_, 1);
  setCentralWidget(central);
  resize(900, 700);

  connect(open, &QPushButton::clicked, this, &TeamWindow::ChooseFolder);
  connect(login, &QPushButton::clicked, this, [this] { Login(); });
  connect(password_, &QLineEdit::returnPressed, this, [this] { Login(); });
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(history_chart_box_, &QComboBox::activated, this,
          [this](int index) { ShowHistoryChart(index); });

  const QString last = settings_.value(kLastDiskKey).toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) {
    OpenDisk(last);
  }
}

TeamWindow::~TeamWindow() = default;

void TeamWindow::Tell(const std::string& text) {
  (void)messages_.Show(Message{text, kTitle, Buttons::kOk, Icon::kExclamation, 1});
}

void TeamWindow::ChooseFolder() {
  const QString folder = QFileDialog::getExistingDirectory(
      this, tr("Open the Bank Disk Folder"), settings_.value(kLastDiskKey).toString());
  if (!folder.isEmpty()) {
    OpenDisk(folder);
  }
}

bool TeamWindow::OpenDisk(const QString& folder) {
  banks_->clear();
  tabs_->setEnabled(false);
  status_->clear();
  if (std::string failed = OpenBankDisk(session_, folder.toStdString()); !failed.empty()) {
    disk_label_->setText(tr("No disk open"));
    Tell(failed);
    return false;
  }
  settings_.setValue(kLastDiskKey, folder);
  disk_label_->setText(Q(session_.game.GameName) + " - " + folder);
  for (const int b : BanksOnDisk(session_.game)) {
    auto* entry = new QListWidgetItem(QString("%1: %2").arg(b).arg(Q(session_.game.BankName(b))));
    entry->setData(Qt::UserRole, b);
    banks_->addItem(entry);
  }
  if (banks_->count() > 0) {
    banks_->setCurrentRow(0);
  }
  return true;
}

bool TeamWindow::Login() {
  if (banks_->currentItem() == nullptr) {
    Tell("Open a bank disk and choose the bank first");
    return false;
  }
  const int bank = banks_->currentItem()->data(Qt::UserRole).toInt();
  if (std::string refused = CheckBankLogin(session_.game, bank, password_->text().toStdString());
      !refused.empty()) {
    Tell(refused);
    return false;
  }
  // The disk is read again, so a team that logs in after an update sees the new quarter.
  if (std::string failed = OpenBankDisk(session_, session_.GamePath); !failed.empty()) {
    Tell(failed);
    return false;
  }
  if (std::string failed = LoadTeamView(session_, bank, &view_); !failed.empty()) {
    Tell(failed);
    return false;
  }
  password_->clear();
  ShowBank();
  return true;
}

void TeamWindow::ShowBank() {
  const GameRecord& game = session_.game;
  const int b = view_.bank;
  status_->setText(
      QString("Bank %1: %2    Results Quarter %3    Decisions Quarter %4: %5")
          .arg(b)
          .arg(Q(game.BankName(b)))
          .arg(game.ResultsQuarter)
          .arg(DecisionsQuarter(session_))
          .arg(view_.ready ? tr("decisions saved as ready") : tr("decisions awaited")));

  results_->clear();
  results_->setColumnCount(3);
  results_->setHorizontalHeaderLabels({tr("Section"), tr("Item"), Q(game.BankName(b))});
  results_->setRowCount(static_cast<int>(view_.rows.size()));
  competitors_->clear();
  competitors_->setColumnCount(game.NumBanks + 1);
  QStringList names{tr("Item")};
  for (int other = 1; other <= game.NumBanks; ++other) {
    names << Q(game.BankName(other));
  }
  competitors_->setHorizontalHeaderLabels(names);
  competitors_->setRowCount(static_cast<int>(view_.rows.size()));
  for (std::size_t i = 0; i < view_.rows.size(); ++i) {
    const ResultRow& row = view_.rows[i];
    const int line = static_cast<int>(i);
    SetCell(results_, line, 0, Q(row.section));
    SetCell(results_, line, 1, Q(row.label));
    SetCell(results_, line, 2, Q(FormatResult(row, row.values(b))));
    SetCell(competitors_, line, 0, Q(row.label));
    for (int other = 1; other <= game.NumBanks; ++other) {
      SetCell(competitors_, line, other, Q(FormatResult(row, row.values(other))));
    }
  }

  history_->clear();
  history_->setColumnCount(kPlotQuarters + 1);
  QStringList quarters{tr("Series")};
  for (int q = 1; q <= kPlotQuarters; ++q) {
    quarters << QString::number(game.ResultsQuarter - kPlotQuarters + q);
  }
  history_->setHorizontalHeaderLabels(quarters);
  history_->setRowCount(kBankSeries);
  for (int s = 1; s <= kBankSeries; ++s) {
    SetCell(history_, s - 1, 0, Q(HistorySeriesName(s)));
    for (int q = 1; q <= kPlotQuarters; ++q) {
      SetCell(history_, s - 1, q, Q(FormatShortest(static_cast<float>(view_.history(s, q)))));
    }
  }

  history_charts_ = TeamHistoryCharts(view_, game);
  const int chart_shown = std::max(history_chart_box_->currentIndex(), 0);
  history_chart_box_->clear();
  for (const ChartData& chart : history_charts_) {
    history_chart_box_->addItem(QString::fromStdString(chart.title));
  }
  ShowHistoryChart(chart_shown);

  delete form_;
  form_ = new DecisionForm(session_, b, decisions_page_);
  static_cast<QVBoxLayout*>(decisions_page_->layout())->insertWidget(0, form_, 1);
  form_->SetDecisions(view_.decisions);
  tabs_->setEnabled(true);
}

bool TeamWindow::ShowHistoryChart(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= history_charts_.size()) {
    return false;
  }
  history_chart_box_->setCurrentIndex(index);
  history_chart_->Show(history_charts_[static_cast<std::size_t>(index)]);
  return true;
}

bool TeamWindow::Save() {
  if (form_ == nullptr) {
    return false;
  }
  BankDecisions decisions;
  std::string message;
  if (!form_->Decisions(&decisions, &message)) {
    Tell(message);
    return false;
  }
  if (std::string refused = SaveTeamDecisions(session_, view_.bank, decisions, true);
      !refused.empty()) {
    Tell(refused);
    return false;
  }
  view_.decisions = decisions;
  view_.ready = true;
  status_->setText(QString("Bank %1: %2    Decisions Quarter %3: %4")
                       .arg(view_.bank)
                       .arg(Q(session_.game.BankName(view_.bank)))
                       .arg(DecisionsQuarter(session_))
                       .arg(tr("decisions saved as ready")));
  return true;
}

}  // namespace qv::team
