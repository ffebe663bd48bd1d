#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

class Advance : public ::testing::Test {
 protected:
  MainWindow& OpenWindow(TestGame& game) {
    MainWindow& window = harness_.Window(game.dir.path());
    window.program().session().GamePath = game.session.GamePath;
    window.ExecuteOpen();
    EXPECT_TRUE(window.program().state().GameActive);
    return window;
  }
  DesktopHarness harness_;
};

TEST_F(Advance, AnAllComputerGameAdvancesWithoutADiskPrompt) {
  const auto game = MakeGame(ComputerBanks(), "", "", 1);
  MainWindow& window = OpenWindow(*game);
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box("Game advanced successfully", QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(TextOf(&window, "sbStatusBarPanel5"), " Results Quarter 2 ");
  EXPECT_EQ(TextOf(&window, "sbStatusBarPanel6"), " Decisions Quarter 3 ");
}

TEST_F(Advance, AnsweringNoLeavesTheGameAsItWas) {
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = OpenWindow(*game);
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::No);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
  EXPECT_EQ(TextOf(&window, "sbStatusBarPanel5"), " Results Quarter 0 ");
}

// A game whose files have faults is not advanced, as qvctl advance refuses it too.
TEST_F(Advance, AGameWithFaultsIsNotAdvanced) {
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = OpenWindow(*game);
  game->dir.Write("game/Replace.qv", "reason new game\n");
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box(
          "The game was not advanced; its files have these problems:\rReplace.qv: an update was "
          "interrupted; opening the game restores it",
          QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
}

// A student bank whose decisions are not ready goes to the fix-decisions dialog; closing the
// computer-level dialog from its frame brings the fix-decisions dialog back.
TEST_F(Advance, AStudentBankIsSettledThroughTheDialogs) {
  const auto game = MakeGame({{"Ash", kManagementHuman, 0}, {"Beech", 2, 1}});
  MainWindow& window = OpenWindow(*game);
  const QString disk_request = "Please insert the student disk for bank 1: Ash";
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box(disk_request, QMessageBox::Ok)
      .Then("frmFixDecisions",
            [](QWidget* dialog) {
              EXPECT_EQ(TextOf(dialog, "lblLabel1"),
                        "This Bank's Decisions are Not Ready for This Quarter");
              auto* use_disk = dialog->findChild<QAbstractButton*>("optOption(0)");
              EXPECT_FALSE(use_disk->isHidden());
              EXPECT_TRUE(use_disk->isChecked());
              dialog->findChild<QAbstractButton*>("optOption(3)")->setChecked(true);
              dialog->findChild<QAbstractButton*>("cmdOK")->click();
            })
      .Then("frmComputerLevel",
            [](QWidget* dialog) {
              EXPECT_EQ(TextOf(dialog, "lblLabel1"), "Choose Computer Expertise Level");
              EXPECT_TRUE(dialog->findChild<QAbstractButton*>("optOption(1)")->isChecked());
              dialog->close();
            })
      .CloseFrame("frmFixDecisions")
      .Choose("frmFixDecisions", "optOption(1)")
      .Box(disk_request, QMessageBox::Ok)
      .Box("Game advanced successfully", QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(window.program().session().DecisionSource(1), 1);
  EXPECT_EQ(TextOf(&window, "sbStatusBarPanel5"), " Results Quarter 1 ");
}

TEST_F(Advance, WaitingForDecisionsAbandonsTheAdvance) {
  const auto game = MakeGame({{"Ash", kManagementHuman, 0}, {"Beech", 2, 1}});
  MainWindow& window = OpenWindow(*game);
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box("Please insert the student disk for bank 1: Ash", QMessageBox::Cancel)
      .Box("Are you sure you want to cancel?", QMessageBox::Yes)
      .Then("frmFixDecisions",
            [](QWidget* dialog) {
              EXPECT_EQ(TextOf(dialog, "lblLabel1"), "Disk is Not Available for Bank 1: Ash");
              EXPECT_TRUE(dialog->findChild<QAbstractButton*>("optOption(0)")->isHidden());
              EXPECT_TRUE(dialog->findChild<QAbstractButton*>("optOption(1)")->isChecked());
              dialog->findChild<QAbstractButton*>("optOption(2)")->setChecked(true);
              dialog->findChild<QAbstractButton*>("cmdOK")->click();
            })
      .Box("Game did NOT start successfully", QMessageBox::Ok);  // still quarter 0
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
}

}  // namespace
}  // namespace qv::test
