#include "desktop/ResultsWindow.h"

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <numeric>

#include "charts/ResultsChart.h"
#include "data/Session.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "reports/GameQuarters.h"
#include "reports/QuarterlyReport.h"

namespace qv {

namespace {

// Figures that break a trouble rule stand on this background.
const QColor kTroubleColour(255, 205, 205);

// Chart selector entries: the market first, then each bank, then each report row.
constexpr int kMarketChart = 0;

QString Text(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

}  // namespace

ResultsWindow::ResultsWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session) {
  setObjectName("frmResults");
  setWindowTitle(tr("Results"));
  resize(820, 640);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabResults");

  auto* table_page = new QWidget(tabs_);
  quarter_box_ = new QComboBox(table_page);
  quarter_box_->setObjectName("cboQuarter");
  copy_button_ = new QPushButton(tr("&Copy"), table_page);
  copy_button_->setObjectName("cmdCopy");
  copy_button_->setToolTip(tr("Copy the table as tab-separated text"));
  grid_ = new QTableWidget(table_page);
  grid_->setObjectName("grdResults");
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setSectionsClickable(true);
  grid_->verticalHeader()->setToolTip(tr("Click a row's label to rank the banks by it"));
  auto* table_bar = new QHBoxLayout;
  table_bar->addWidget(new QLabel(tr("Quarter:"), table_page));
  table_bar->addWidget(quarter_box_);
  table_bar->addStretch();
  table_bar->addWidget(copy_button_);
  auto* table_layout = new QVBoxLayout(table_page);
  table_layout->addLayout(table_bar);
  table_layout->addWidget(grid_);
  tabs_->addTab(table_page, tr("&Table"));

  auto* chart_page = new QWidget(tabs_);
  chart_box_ = new QComboBox(chart_page);
  chart_box_->setObjectName("cboChart");
  save_chart_button_ = new QPushButton(tr("&Save Chart..."), chart_page);
  save_chart_button_->setObjectName("cmdSaveChart");
  chart_ = new ResultsChart(chart_page);
  auto* chart_bar = new QHBoxLayout;
  chart_bar->addWidget(new QLabel(tr("Chart:"), chart_page));
  chart_bar->addWidget(chart_box_, 1);
  chart_bar->addWidget(save_chart_button_);
  auto* chart_layout = new QVBoxLayout(chart_page);
  chart_layout->addLayout(chart_bar);
  chart_layout->addWidget(chart_);
  tabs_->addTab(chart_page, tr("C&harts"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);

  connect(quarter_box_, &QComboBox::activated, this,
          [this](int index) { ShowQuarter(quarter_box_->itemData(index).toInt()); });
  connect(grid_->verticalHeader(), &QHeaderView::sectionClicked, this,
          [this](int row) { RankBy(row); });
  connect(copy_button_, &QPushButton::clicked, this, [this] { CopyTable(); });
  connect(chart_box_, &QComboBox::activated, this, [this](int index) { ShowChart(index); });
  connect(save_chart_button_, &QPushButton::clicked, this, [this] { SaveChart(); });
}

ResultsWindow::~ResultsWindow() = default;

bool ResultsWindow::Reload() {
  loaded_ = false;
  std::string layout;
  const bool read = session_.files.ReadText(ReportLayoutPath(session_), &layout).ok();
  if (read) {
    const std::unique_ptr<QuarterSource> source =
        source_factory_ ? source_factory_() : OpenQuarterSource(session_);
    try {
      loaded_ = history_.Load(*source, layout);
    } catch (const RuntimeError&) {
      loaded_ = false;
    }
  }
  quarter_box_->clear();
  if (!loaded_) {
    grid_->clear();
    grid_->setRowCount(0);
    grid_->setColumnCount(0);
    chart_box_->clear();
    chart_->Show(ChartData{});
    return false;
  }
  for (const ExportQuarter& quarter : history_.quarters()) {
    quarter_box_->addItem(QString::number(quarter.table.quarter), quarter.table.quarter);
  }
  const int chart_index = chart_box_->currentIndex();
  FillChartChoices();
  ShowQuarter(history_.Latest().quarter);
  ShowChart(chart_index >= 0 && chart_index < chart_box_->count() ? chart_index : kMarketChart);
  return true;
}

const ResultsTable* ResultsWindow::Shown() const {
  if (!loaded_) {
    return nullptr;
  }
  return &history_.quarters().at(shown_quarter_).table;
}

bool ResultsWindow::ShowQuarter(int quarter) {
  const std::vector<ExportQuarter>& quarters = history_.quarters();
  for (std::size_t i = 0; loaded_ && i < quarters.size(); ++i) {
    if (quarters[i].table.quarter == quarter) {
      shown_quarter_ = i;
      quarter_box_->setCurrentIndex(static_cast<int>(i));
      bank_order_.resize(static_cast<std::size_t>(quarters[i].table.num_banks));
      std::iota(bank_order_.begin(), bank_order_.end(), 1);
      FillTable();
      return true;
    }
  }
  return false;
}

void ResultsWindow::FillTable() {
  const ResultsTable& table = *Shown();
  grid_->setUpdatesEnabled(false);
  grid_->clear();
  grid_->setRowCount(static_cast<int>(table.rows.size()));
  grid_->setColumnCount(static_cast<int>(bank_order_.size()));
  for (std::size_t column = 0; column < bank_order_.size(); ++column) {
    const int bank = bank_order_[column];
    const auto index = static_cast<std::size_t>(bank - 1);
    auto* header = new QTableWidgetItem(Text(table.bank_names[index]));
    QStringList troubles;
    for (const std::string& rule : table.bank_troubles[index]) {
      troubles << QString::fromStdString(rule);
    }
    header->setToolTip(troubles.join('\n'));
    grid_->setHorizontalHeaderItem(static_cast<int>(column), header);
  }
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const ResultsRow& row = table.rows[r];
    auto* label = new QTableWidgetItem(Text(row.label));
    label->setToolTip(Text(row.section));
    grid_->setVerticalHeaderItem(static_cast<int>(r), label);
    for (std::size_t column = 0; column < bank_order_.size(); ++column) {
      const int bank = bank_order_[column];
      auto* cell = new QTableWidgetItem(QString::fromStdString(table.Cell(r, bank)));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (!row.trouble(bank).empty()) {
        cell->setBackground(QBrush(kTroubleColour));
        cell->setToolTip(QString::fromStdString(row.trouble(bank)));
      }
      grid_->setItem(static_cast<int>(r), static_cast<int>(column), cell);
    }
  }
  grid_->setUpdatesEnabled(true);
}

void ResultsWindow::RankBy(int row) {
  const ResultsTable* table = Shown();
  if (table == nullptr || row < 0 || static_cast<std::size_t>(row) >= table->rows.size()) {
    return;
  }
  bank_order_ = RankBanks(*table, static_cast<std::size_t>(row));
  FillTable();
}

void ResultsWindow::CopyTable() {
  if (const ResultsTable* table = Shown()) {
    QApplication::clipboard()->setText(QString::fromStdString(ResultsAsTsv(*table, bank_order_)));
  }
}

void ResultsWindow::FillChartChoices() {
  chart_box_->clear();
  const ResultsTable& latest = history_.Latest();
  chart_box_->addItem(tr("Market rates and indices"));
  for (int b = 1; b <= latest.num_banks; ++b) {
    chart_box_->addItem(tr("%1: share price and total assets")
                            .arg(Text(latest.bank_names[static_cast<std::size_t>(b - 1)])));
  }
  for (const ResultsRow& row : latest.rows) {
    chart_box_->addItem(tr("Every bank: %1").arg(Text(row.label)));
  }
}

void ResultsWindow::ShowChart(int index) {
  if (!loaded_ || index < 0 || index >= chart_box_->count()) {
    return;
  }
  chart_box_->setCurrentIndex(index);
  const int banks = history_.Latest().num_banks;
  if (index == kMarketChart) {
    chart_->Show(history_.MarketChart());
  } else if (index <= banks) {
    chart_->Show(history_.BankChart(index));
  } else {
    chart_->Show(history_.RowChart(static_cast<std::size_t>(index - banks - 1)));
  }
}

void ResultsWindow::SaveChart() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save Chart"), QString(),
                                                    tr("PNG image (*.png);;PDF document (*.pdf)"));
  if (!path.isEmpty() && !chart_->SaveTo(path)) {
    session_.MessageText = "Cannot write file " + path.toLatin1().toStdString();
    session_.ui.Show(Message{session_.MessageText, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
  }
}

}  // namespace qv
