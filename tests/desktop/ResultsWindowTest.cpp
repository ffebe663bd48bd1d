#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>

#include "advance/AdvanceGame.h"
#include "charts/ResultsChart.h"
#include "desktop/ResultsCommands.h"
#include "desktop/ResultsWindow.h"
#include "platform/Cp1252.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

std::vector<QLineSeries*> Lines(ResultsChart* chart) {
  std::vector<QLineSeries*> lines;
  for (QAbstractSeries* series : chart->chart()->series()) {
    lines.push_back(qobject_cast<QLineSeries*>(series));
  }
  return lines;
}

// Puts `amount` into COMP.QV as competitor amount row `row` of bank `bank`.
void StoreCompAmount(const std::string& game_dir, int bank, int row, std::int16_t amount) {
  std::fstream file(game_dir + "Comp.qv", std::ios::binary | std::ios::in | std::ios::out);
  ASSERT_TRUE(file);
  const int record = 40 + (row + 1) / 2;
  const int slot = ((row - 1) % 2) * 10 + bank;
  file.seekp((record - 1) * 40 + (slot - 1) * 2);
  const char bytes[2] = {static_cast<char>(amount & 0xFF), static_cast<char>((amount >> 8) & 0xFF)};
  file.write(bytes, 2);
}

struct ResultsWindowTest : ::testing::Test {
  std::unique_ptr<TestGame> game = MakeGame(ComputerBanks(), "", "", 2);
  ResultsWindow window{game->session};

  void SetUp() override { ASSERT_TRUE(window.Reload()); }

  QTableWidget* Grid() { return window.findChild<QTableWidget*>("grdResults"); }
  QComboBox* Quarters() { return window.findChild<QComboBox*>("cboQuarter"); }
};

TEST_F(ResultsWindowTest, ShowsTheReportTableOfTheLatestQuarter) {
  const ResultsTable& table = window.history().Latest();
  QTableWidget* grid = Grid();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(table.quarter, 2);
  ASSERT_EQ(grid->rowCount(), static_cast<int>(table.rows.size()));
  ASSERT_EQ(grid->columnCount(), 4);
  EXPECT_EQ(Quarters()->currentText(), "2");
  for (int r = 0; r < grid->rowCount(); ++r) {
    EXPECT_EQ(grid->verticalHeaderItem(r)->text().toStdString(),
              Cp1252ToUtf8(table.rows[static_cast<std::size_t>(r)].label));
    for (int b = 1; b <= 4; ++b) {
      EXPECT_EQ(grid->item(r, b - 1)->text().toStdString(),
                table.Cell(static_cast<std::size_t>(r), b));
    }
  }
  EXPECT_FALSE(window.ShowQuarter(7)) << "a quarter the game does not keep";

  // Every quarter played can be chosen; an archived one shows its own figures.
  ASSERT_EQ(Quarters()->count(), 3);
  EXPECT_EQ(Quarters()->itemText(0), "0");
  ASSERT_TRUE(window.ShowQuarter(1));
  const ResultsTable& archived = window.history().quarters().at(1).table;
  EXPECT_EQ(archived.quarter, 1);
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), archived.Cell(0, 1));
}

TEST_F(ResultsWindowTest, ARowLabelRanksTheBanksAndCopyKeepsThatOrder) {
  const ResultsTable& table = window.history().Latest();
  const auto price = static_cast<int>(
      std::find_if(table.rows.begin(), table.rows.end(),
                   [](const ResultsRow& row) { return row.label == "Share Price"; }) -
      table.rows.begin());
  Grid()->verticalHeader()->sectionClicked(price);
  const std::vector<int>& order = window.bank_order();
  ASSERT_EQ(order.size(), 4U);
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_GE(table.rows[static_cast<std::size_t>(price)].figures(order[i - 1]),
              table.rows[static_cast<std::size_t>(price)].figures(order[i]));
  }
  EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text().toStdString(),
            table.bank_names[static_cast<std::size_t>(order[0] - 1)]);
  window.CopyTable();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ResultsAsTsv(table, order));
}

TEST_F(ResultsWindowTest, MarksTroubleWithTheRuleInATooltip) {
  StoreCompAmount(game->session.GamePath, 3, 9, 25);  // central bank debt of bank 3
  ASSERT_TRUE(window.Reload());
  const ResultsTable& table = window.history().Latest();
  const auto debt = static_cast<int>(
      std::find_if(table.rows.begin(), table.rows.end(),
                   [](const ResultsRow& row) { return row.label == "Central Bank Debt"; }) -
      table.rows.begin());
  EXPECT_EQ(Grid()->item(debt, 2)->toolTip(), "Borrowing from the central bank");
  EXPECT_NE(Grid()->item(debt, 2)->background(), Grid()->item(debt, 1)->background());
  EXPECT_TRUE(Grid()->item(debt, 1)->toolTip().isEmpty());
  EXPECT_TRUE(Grid()->horizontalHeaderItem(2)->toolTip().contains("central bank"));
}

TEST_F(ResultsWindowTest, ChartsHoldOneSeriesPerBankOrMarketSeriesWithTheirValues) {
  window.ShowChart(0);
  std::vector<QLineSeries*> market = Lines(window.chart());
  ASSERT_EQ(market.size(), 8U);
  EXPECT_EQ(market[0]->name(), "Bill Rate");
  EXPECT_EQ(market[6]->name(), "Price Index");
  // The 16-quarter window of the latest quarter reaches back two more with the archive's.
  ASSERT_EQ(market[6]->count(), 18);
  EXPECT_EQ(market[6]->at(0).x(), -15);
  EXPECT_EQ(market[6]->at(17).x(), 2) << "the history ends at the results quarter";
  EXPECT_DOUBLE_EQ(market[6]->at(17).y(), window.history().market().back().series(7));

  window.ShowChart(1 + 4);  // the first report row, every bank, every quarter played
  std::vector<QLineSeries*> row = Lines(window.chart());
  ASSERT_EQ(row.size(), 4U);
  const std::vector<ExportQuarter>& quarters = window.history().quarters();
  ASSERT_EQ(quarters.size(), 3U);
  for (int b = 1; b <= 4; ++b) {
    QLineSeries* line = row[static_cast<std::size_t>(b - 1)];
    EXPECT_EQ(line->name().toStdString(),
              window.history().Latest().bank_names[static_cast<std::size_t>(b - 1)]);
    ASSERT_EQ(line->count(), 3);
    for (int q = 0; q <= 2; ++q) {
      EXPECT_EQ(line->at(q),
                QPointF(q, quarters[static_cast<std::size_t>(q)].table.rows[0].figures(b)));
    }
  }
  EXPECT_NE(row[0]->at(0).y(), row[0]->at(2).y()) << "archived quarters hold their own figures";

  window.ShowChart(2);  // bank 2
  std::vector<QLineSeries*> bank = Lines(window.chart());
  ASSERT_EQ(bank.size(), 2U);
  EXPECT_EQ(bank[0]->name(), "Share price");
  EXPECT_EQ(bank[1]->name(), "Total assets");
  EXPECT_EQ(bank[1]->attachedAxes().at(1)->alignment(), Qt::AlignRight);
}

TEST_F(ResultsWindowTest, FollowsTheGameAfterAnAdvanceAndSavesCharts) {
  window.ShowChart(3);
  ASSERT_EQ(AdvanceGame(game->session), Proceed::kGoOn);
  ASSERT_TRUE(window.Reload());
  EXPECT_EQ(Quarters()->currentText(), "3");
  EXPECT_EQ(window.findChild<QComboBox*>("cboChart")->currentIndex(), 3) << "the chart kept";

  QTemporaryDir dir;
  for (const char* name : {"chart.png", "chart.pdf"}) {
    const QString path = dir.filePath(name);
    ASSERT_TRUE(window.chart()->SaveTo(path)) << name;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(4);
    EXPECT_TRUE(head == QByteArray("\x89PNG", 4) || head == "%PDF") << name;
  }
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

// The main window's results commands on an open game.
struct ResultsCommandsTest : ::testing::Test {
  DesktopHarness harness;
  std::unique_ptr<TestGame> game = MakeGame(ComputerBanks(), "", "", 1);

  MainWindow& OpenWindow() {
    MainWindow& window = harness.Window(ProgramDir());
    window.program().session().GamePath = game->session.GamePath;
    window.ExecuteOpen();
    EXPECT_TRUE(window.program().state().GameActive);
    return window;
  }
};

TEST_F(ResultsCommandsTest, TheWindowOpensFromTheMenuAndFollowsEachAdvance) {
  MainWindow& window = OpenWindow();
  auto* command = window.findChild<QAction*>("mnuViewResults");
  ASSERT_NE(command, nullptr);
  ASSERT_TRUE(command->isEnabled());
  ASSERT_NE(window.findChild<QAction*>("tbToolBarResults"), nullptr);
  command->trigger();
  ResultsWindow* results = window.results().window();
  ASSERT_NE(results, nullptr);
  EXPECT_TRUE(results->isVisible());
  EXPECT_EQ(results->findChild<QComboBox*>("cboQuarter")->currentText(), "1");

  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box("Game advanced successfully", QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  ASSERT_TRUE(driver.finished());
  EXPECT_EQ(results->findChild<QComboBox*>("cboQuarter")->currentText(), "2")
      << "the open window follows the game without being reopened";

  window.mnuFileClose_Click();
  EXPECT_FALSE(command->isEnabled());
  EXPECT_TRUE(window.results().window() == nullptr || !window.results().window()->isVisible());
}

TEST_F(ResultsCommandsTest, ExportWritesTheFileTheCommandLineWould) {
  MainWindow& window = OpenWindow();
  QTemporaryDir dir;
  const QString csv = dir.filePath("results.csv");
  ASSERT_TRUE(window.results().ExportTo(csv));
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readLine().startsWith("kind,quarter,bank,bank_name,section,item,label,value"));
  const QString json = dir.filePath("results.json");
  ASSERT_TRUE(window.results().ExportTo(json));
  QFile json_file(json);
  ASSERT_TRUE(json_file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(json_file.readAll().contains("\"market_history\""));
}

}  // namespace
}  // namespace qv::test
