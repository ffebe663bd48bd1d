#include "team/TeamWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include <QChart>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QValueAxis>

#include "charts/ResultsChart.h"
#include "data/BanksFile.h"
#include "platform/ByteCoding.h"
#include "setup/BankDisk.h"
#include "tests/desktop/ModalDriver.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

class TeamWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::StartTeamGame(game, 2);
    alder = QString::fromStdString(game.DiskFolder("Alder"));
  }

  template <typename T>
  T* Find(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  test::TestGame game;
  QString alder;
  QSettings settings{QString::fromStdString(game.dir.path() + "team.ini"), QSettings::IniFormat};
};

TEST_F(TeamWindowTest, OpenLogInAndSaveDecisionsAsReady) {
  team::TeamWindow window(settings, test::ProgramDir());
  ASSERT_TRUE(window.OpenDisk(alder));
  auto* banks = Find<QListWidget>(window, "lstBanks");
  ASSERT_EQ(banks->count(), 1) << "the disk lists only its own bank";
  EXPECT_EQ(banks->item(0)->text(), "1: Alder");

  Find<QLineEdit>(window, "txtPassword")->setText("wrong");
  test::ModalDriver driver;
  driver.Box("Invalid Password, Try Again!", QMessageBox::Ok, "Quorvant Team");
  EXPECT_FALSE(window.Login());
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();

  Find<QLineEdit>(window, "txtPassword")->setText("pw1");
  ASSERT_TRUE(window.Login());
  auto* results = Find<QTableWidget>(window, "grdResults");
  ASSERT_GT(results->rowCount(), 30);
  EXPECT_EQ(results->item(0, 1)->text(), "Share Price");
  EXPECT_EQ(Find<QTableWidget>(window, "grdCompetitors")->columnCount(), 3);
  EXPECT_EQ(Find<QTableWidget>(window, "grdHistory")->rowCount(), 4);

  auto* rate = Find<QLineEdit>(window, "txt_checking_rate");
  rate->setText("2.75");
  ASSERT_TRUE(window.Save());

  test::TestGame reader;
  ASSERT_EQ(OpenBankDisk(reader.session, alder.toStdString()), "");
  ASSERT_EQ(ReadTeamDecisions(reader.session, 1), "");
  EXPECT_EQ(reader.session.tables.DecisionsReady(1), 1);
  EXPECT_EQ(reader.session.tables.Decision(1, 1), 2.75F);
}

TEST_F(TeamWindowTest, TheLastDiskIsOpenedAgain) {
  {
    team::TeamWindow first(settings, test::ProgramDir());
    ASSERT_TRUE(first.OpenDisk(alder));
  }
  team::TeamWindow again(settings, test::ProgramDir());
  EXPECT_EQ(Find<QListWidget>(again, "lstBanks")->count(), 1);
}

TEST_F(TeamWindowTest, AFolderWithoutADiskIsRefused) {
  team::TeamWindow window(settings, test::ProgramDir());
  test::ModalDriver driver;
  const QString empty = QString::fromStdString(game.dir.Subdir("empty"));
  driver.Box("No Quorvant disk in " + empty, QMessageBox::Ok, "Quorvant Team");
  EXPECT_FALSE(window.OpenDisk(empty));
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(Find<QListWidget>(window, "lstBanks")->count(), 0);
}

std::vector<QLineSeries*> Lines(qv::ResultsChart* chart) {
  std::vector<QLineSeries*> lines;
  for (QAbstractSeries* series : chart->chart()->series()) {
    lines.push_back(qobject_cast<QLineSeries*>(series));
  }
  return lines;
}

// Single `n` (from 1) of record `record` of PLOTV.QV's bytes, read apart from the game's readers:
// 128-byte records of 32 little-endian Singles.
double PlotSingle(const std::string& plot, int record, int n) {
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(plot.data()),
                                            plot.size());
  return GetSingle(bytes, static_cast<std::size_t>((record - 1) * 128 + (n - 1) * 4));
}

TEST_F(TeamWindowTest, HistoryShowsThePlotFileAsCharts) {
  // Two quarters played, so the history holds figures of the bank's own.
  for (int quarter = 0; quarter < 2; ++quarter) {
    for (int b = 1; b <= 2; ++b) {
      game.WriteStudentDecisions(
          b, OwnDecisionCopy(game.session.tables, b, DecisionCopy::kClearedForNextQuarter),
          static_cast<std::int16_t>(quarter), 1);
    }
    ASSERT_EQ(test::AdvanceWithDisks(game), Proceed::kGoOn);
  }
  team::TeamWindow window(settings, test::ProgramDir());
  ASSERT_TRUE(window.OpenDisk(alder));
  Find<QLineEdit>(window, "txtPassword")->setText("pw1");
  ASSERT_TRUE(window.Login());
  EXPECT_EQ(Find<QTableWidget>(window, "grdHistory")->rowCount(), 4) << "the table stays beside";
  ASSERT_EQ(Find<QComboBox>(window, "cboHistoryChart")->count(), 3);
  const std::string plot = game.dir.Read("disk-Alder/Plotv.qv");
  ASSERT_EQ(plot.size() % 128, 0U);

  // Each chart: its series' names, and per series the record and first Single of its window in
  // PLOTV.QV (bank 1's series in records 5 and 6, the market's in records 1..4).
  struct Expected {
    const char* name;
    int record;
    int first;
  };
  const std::vector<std::vector<Expected>> charts = {
      {{"Earnings/Share", 5, 1}, {"Dividend/Share", 5, 17}},
      {{"Net Income", 6, 1}, {"Total Assets", 6, 17}},
      {{"Bill Rate", 1, 1},
       {"One-Year Note", 1, 17},
       {"Five-Year Note", 2, 1},
       {"Ten-Year Bond", 2, 17},
       {"Overnight Funds", 3, 1},
       {"Prime Rate", 3, 17},
       {"Price Index", 4, 1},
       {"Growth Index", 4, 17}},
  };
  for (std::size_t c = 0; c < charts.size(); ++c) {
    ASSERT_TRUE(window.ShowHistoryChart(static_cast<int>(c)));
    const std::vector<QLineSeries*> lines = Lines(window.history_chart());
    ASSERT_EQ(lines.size(), charts[c].size()) << "chart " << c;
    for (std::size_t l = 0; l < lines.size(); ++l) {
      const Expected& expected = charts[c][l];
      EXPECT_EQ(lines[l]->name().toStdString(), expected.name) << "chart " << c;
      ASSERT_EQ(lines[l]->count(), 16) << expected.name;
      for (int q = 0; q < 16; ++q) {
        EXPECT_EQ(lines[l]->at(q).x(), 2 - 15 + q) << expected.name << ", window quarter " << q;
        EXPECT_EQ(lines[l]->at(q).y(), PlotSingle(plot, expected.record, expected.first + q))
            << expected.name << ", window quarter " << q + 1;
      }
    }
  }
  window.ShowHistoryChart(1);
  const std::vector<QLineSeries*> size = Lines(window.history_chart());
  EXPECT_GT(size[1]->at(15).y(), 0) << "the bank's total assets at the results quarter";
  EXPECT_EQ(size[1]->attachedAxes().at(1)->alignment(), Qt::AlignRight)
      << "total assets on an axis of their own";
  EXPECT_FALSE(window.ShowHistoryChart(3));
}

}  // namespace
}  // namespace qv
