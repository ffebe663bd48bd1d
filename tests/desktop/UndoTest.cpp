#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <filesystem>

#include "advance/AdvanceGame.h"
#include "data/GameJournal.h"
#include "data/QuarterArchive.h"
#include "desktop/OptionsDialog.h"
#include "desktop/ResultsCommands.h"
#include "desktop/ResultsWindow.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;

QString Question(int quarter) {
  return QString(
             "Are you sure you want to undo the last advance? The game goes back to "
             "quarter %1.")
      .arg(quarter);
}

QString Done(int quarter) {
  return QString("The game is back at quarter %1.").arg(quarter);
}

// A game of computer banks whose files were kept at each quarter, advanced to `quarters` and
// open in the desktop program.
class Undo : public ::testing::Test {
 protected:
  void Open(int quarters) {
    game_ = MakeGame(ComputerBanks());
    kept_.push_back(Files());
    for (int q = 1; q <= quarters; ++q) {
      ASSERT_EQ(AdvanceGame(game_->session), Proceed::kGoOn);
      kept_.push_back(Files());
    }
    window().OpenRecentGame(game_->session.GamePath);
    ASSERT_TRUE(window().program().state().GameActive);
  }
  std::map<std::string, std::string> Files() const {
    return game_->FolderBytes(game_->session.GamePath);
  }
  // The program directory holds the report layout that the results window reads.
  MainWindow& window() { return harness_.Window(ProgramDir()); }
  QAction* UndoCommand() { return window().findChild<QAction*>("mnuAdvanceUndo"); }
  QString ResultsQuarter() { return TextOf(&window(), "sbStatusBarPanel5"); }
  int ArchivedQuarters() {
    std::vector<int> quarters;
    EXPECT_TRUE(ListQuarters(window().program().files(), game_->session.GamePath, &quarters).ok());
    return static_cast<int>(quarters.size());
  }
  void AdvanceFromTheMenu() {
    ModalDriver driver;
    driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
        .Box("Game advanced successfully", QMessageBox::Ok);
    window().mnuAdvanceAdvanceGame_Click();
    EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  }

  DesktopHarness harness_;
  std::unique_ptr<TestGame> game_;
  std::vector<std::map<std::string, std::string>> kept_;  // the game files at each quarter
};

// Each undo puts back the files exactly as they were a quarter before, down to quarter 0,
// where the command is no longer offered; advancing again offers it again.
TEST_F(Undo, GoesBackAQuarterAtATimeToTheStart) {
  Open(3);
  for (int quarter = 2; quarter >= 0; --quarter) {
    SCOPED_TRACE(quarter);
    ASSERT_TRUE(UndoCommand()->isEnabled());
    ModalDriver driver;
    driver.Box(Question(quarter), QMessageBox::Yes).Box(Done(quarter), QMessageBox::Ok);
    UndoCommand()->trigger();
    EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
    EXPECT_EQ(ResultsQuarter(), QString(" Results Quarter %1 ").arg(quarter));
    EXPECT_EQ(Files(), kept_[static_cast<std::size_t>(quarter)]);
    EXPECT_EQ(window().program().session().game.ResultsQuarter, quarter);
  }
  EXPECT_FALSE(UndoCommand()->isEnabled());
  AdvanceFromTheMenu();
  EXPECT_EQ(ResultsQuarter(), " Results Quarter 1 ");
  EXPECT_TRUE(UndoCommand()->isEnabled());
}

TEST_F(Undo, AnsweringNoLeavesTheGameAsItWas) {
  Open(2);
  ModalDriver driver;
  driver.Box(Question(1), QMessageBox::No);
  window().mnuAdvanceUndo_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(Files(), kept_[2]);
  EXPECT_EQ(ResultsQuarter(), " Results Quarter 2 ");
  EXPECT_EQ(ArchivedQuarters(), 2);
}

TEST_F(Undo, TheResultsWindowFollows) {
  Open(2);
  window().mnuViewResults_Click();
  ASSERT_NE(window().results().window(), nullptr);
  ASSERT_FALSE(window().results().window()->history().quarters().empty());
  EXPECT_EQ(window().results().window()->history().Latest().quarter, 2);
  ModalDriver driver;
  driver.Box(Question(1), QMessageBox::Yes).Box(Done(1), QMessageBox::Ok);
  window().mnuAdvanceUndo_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  ASSERT_FALSE(window().results().window()->history().quarters().empty());
  EXPECT_EQ(window().results().window()->history().Latest().quarter, 1);
}

TEST_F(Undo, IsOfferedOnlyForAnOpenGameWithAQuarterToGoBackTo) {
  EXPECT_FALSE(UndoCommand()->isEnabled()) << "no game open";
  Open(0);
  EXPECT_FALSE(UndoCommand()->isEnabled()) << "a game at quarter 0";
  AdvanceFromTheMenu();
  EXPECT_TRUE(UndoCommand()->isEnabled());
  window().mnuFileClose_Click();
  EXPECT_FALSE(UndoCommand()->isEnabled()) << "closed";
}

// An undo stopped half way (Banks.qv cannot be replaced) leaves its marker: the game is closed,
// and opening it once the obstacle is gone finishes the undo.
TEST_F(Undo, StoppedHalfWayClosesTheGameAndTheNextOpenFinishesIt) {
  Open(2);
  const std::string dir = game_->session.GamePath;
  fs::remove(dir + "Banks.qv");
  fs::create_directories(dir + "Banks.qv/inside");
  {
    ModalDriver driver;
    driver.Box(Question(1), QMessageBox::Yes).Then("msgBox", [](QWidget* window) {
      auto* box = qobject_cast<QMessageBox*>(window);
      EXPECT_TRUE(box->text().startsWith("The advance was not undone: "))
          << box->text().toStdString();
      EXPECT_TRUE(
          box->text().endsWith("The game was closed; open it again to finish putting it back."));
      box->button(QMessageBox::Ok)->click();
    });
    window().mnuAdvanceUndo_Click();
    EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
    EXPECT_FALSE(window().program().state().GameActive);
    EXPECT_FALSE(window().program().HoldsGame());
    EXPECT_TRUE(fs::exists(dir + kJournalFileName));
  }

  fs::remove_all(dir + "Banks.qv");
  ModalDriver reopen;
  reopen.Box("The last undo was interrupted; the game was restored to quarter 1.", QMessageBox::Ok);
  window().OpenRecentGame(dir);
  EXPECT_TRUE(reopen.finished()) << reopen.seen().join(" | ").toStdString();
  EXPECT_EQ(ResultsQuarter(), " Results Quarter 1 ");
  EXPECT_EQ(Files(), kept_[1]);
}

// The quarters kept for undo, as the options set them, bound the archive of every advance.
TEST(UndoArchiveDepth, TheOptionBoundsTheArchive) {
  struct Row {
    const char* keep;  // the stored setting; "" unset
    int advances;
    int archived;
  };
  const Row rows[] = {
      {"", 3, 3},   // every quarter by default
      {"0", 3, 3},  // 0 keeps all
      {"1", 3, 1},
      {"2", 3, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("keep \"") + row.keep + "\"");
    DesktopHarness harness;
    if (*row.keep != '\0') {
      harness.settings().SaveSetting(kArchiveSection, kKeepQuartersKey, row.keep);
    }
    const auto game = MakeGame(ComputerBanks());
    MainWindow& window = harness.Window(game->dir.path());
    window.OpenRecentGame(game->session.GamePath);
    for (int n = 0; n < row.advances; ++n) {
      ModalDriver driver;
      driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
          .Box("Game advanced successfully", QMessageBox::Ok);
      window.mnuAdvanceAdvanceGame_Click();
      ASSERT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
    }
    std::vector<int> quarters;
    ASSERT_TRUE(ListQuarters(window.program().files(), game->session.GamePath, &quarters).ok());
    EXPECT_EQ(static_cast<int>(quarters.size()), row.archived);
  }
}

}  // namespace
}  // namespace qv::test
