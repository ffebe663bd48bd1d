#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <filesystem>

#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

// A message box with its fixed text, and below it the folder it is about.
ModalDriver::Act BoxAbout(QString text, QString folder, QMessageBox::StandardButton button) {
  return [=](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->informativeText(), "Folder: " + folder) << text.toStdString();
    box->button(button)->click();
  };
}

TEST(Prompts, TheLoginNamesTheGame) {
  const auto game = MakeGame(ComputerBanks(), "Reyes", "secret");
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->dir.path());
  window.program().session().GamePath = game->session.GamePath;
  ModalDriver driver;
  driver.Then("frmLogin", [](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Quorvant Instructor Login - Test");
    dialog->findChild<QAbstractButton*>("cmdCancel")->click();
  });
  window.ExecuteOpen();
  EXPECT_TRUE(driver.finished());
}

// The disk request and the fix-decisions dialog say which folder and which bank they mean.
TEST(Prompts, DiskRequestsNameTheFolderAndTheFixDialogTheBank) {
  const auto game = MakeGame({{"Ash", kManagementHuman, 0}, {"Beech", 2, 1}});
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->dir.path());
  window.program().session().GamePath = game->session.GamePath;
  window.ExecuteOpen();
  ASSERT_TRUE(window.program().state().GameActive);
  const QString disk = QString::fromStdString(game->session.game.DiskPath(1));
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Then("msgBox",
            BoxAbout("Please insert the student disk for bank 1: Ash", disk, QMessageBox::Ok))
      .Then("frmFixDecisions",
            [](QWidget* dialog) {
              EXPECT_EQ(dialog->windowTitle(), "Quorvant Instructor - Bank 1: Ash");
              dialog->findChild<QAbstractButton*>("optOption(2)")->setChecked(true);
              dialog->findChild<QAbstractButton*>("cmdOK")->click();
            })
      .Box("Game did NOT start successfully", QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
}

TEST(Prompts, ADiskWithoutAGameNamesTheFolderItLookedIn) {
  const auto game = MakeGame({{"Ash", kManagementHuman, 0}, {"Beech", 2, 1}});
  const std::string disk = game->session.game.DiskPath(1);
  std::filesystem::remove(disk + "Global.qv");
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->dir.path());
  window.program().session().GamePath = game->session.GamePath;
  window.ExecuteOpen();
  ModalDriver driver;
  driver.Box("Are you sure you want to advance the game?", QMessageBox::Yes)
      .Box("Please insert the student disk for bank 1: Ash", QMessageBox::Ok)
      .Then("msgBox", BoxAbout("Quorvant disk is not available", QString::fromStdString(disk),
                               QMessageBox::Ok))
      .Box("Please insert the student disk for bank 1: Ash", QMessageBox::Cancel)
      .Box("Are you sure you want to cancel?", QMessageBox::Yes)
      .Choose("frmFixDecisions", "optOption(2)")
      .Box("Game did NOT start successfully", QMessageBox::Ok);
  window.mnuAdvanceAdvanceGame_Click();
  EXPECT_TRUE(driver.finished());
}

}  // namespace
}  // namespace qv::test
