#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiSubWindow>

#include "data/GlobalFile.h"
#include "desktop/LoginDialog.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

// Types a name and password into the login and presses OK.
ModalDriver::Act LogIn(QString name, QString password) {
  return [=](QWidget* login) {
    login->findChild<QLineEdit*>("txtUserName")->setText(name);
    login->findChild<QLineEdit*>("txtPassword")->setText(password);
    login->findChild<QAbstractButton*>("cmdOK")->click();
  };
}

// Chooses `file` in the open dialog.
ModalDriver::Act ChooseFile(std::string file) {
  return [file](QWidget* window) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Select Quorvant Game File to Open");
    EXPECT_EQ(dialog->selectedNameFilter(), "Quorvant Files (banks.qv)");
    dialog->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(dialog)->accept();
  };
}

QStringList StatusPanels(MainWindow& window) {
  QStringList panels;
  for (int n = 1; n <= 6; ++n) {
    panels << TextOf(&window, QString("sbStatusBarPanel%1").arg(n));
  }
  return panels;
}

class OpenGame : public ::testing::Test {
 protected:
  void Open(const std::string& dir) {
    program_dir_ = dir;
    MainWindow& w = window();
    w.program().session().GamePath = dir;
    w.ExecuteOpen();
  }
  MainWindow& window() { return harness_.Window(program_dir_); }
  ShellState& state() { return window().program().state(); }

  DesktopHarness harness_;
  std::string program_dir_ = harness_.settings_file() + ".d/";
};

TEST_F(OpenGame, NameAndPasswordAreCheckedWithoutRegardToCase) {
  const auto game = MakeGame(ComputerBanks(), "Reyes", "Secret");
  ModalDriver driver;
  driver.Then("frmLogin", LogIn("rEYES", "wrong"))
      .Box("Invalid Password, Try Again!", QMessageBox::Retry, "Instructor Login")
      .Then("frmLogin", [](QWidget* login) {
        // The entries are kept, and the wrong one is ready to be typed over.
        auto* password = login->findChild<QLineEdit*>("txtPassword");
        EXPECT_EQ(login->findChild<QLineEdit*>("txtUserName")->text(), "rEYES");
        EXPECT_EQ(password->selectedText(), "wrong");
        LogIn("REYES", "SECRET")(login);
      });
  Open(game->session.GamePath);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(state().OpenResult, 1);
  EXPECT_TRUE(state().GameActive);
}

TEST_F(OpenGame, AWrongNameIsReportedBeforeTheWrongPassword) {
  const auto game = MakeGame(ComputerBanks(), "Reyes", "Secret");
  ModalDriver driver;
  driver.Then("frmLogin", LogIn("Smith", "wrong"))
      .Box("Invalid Instructor Name, Try Again!", QMessageBox::Cancel, "Instructor Login");
  Open(game->session.GamePath);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(state().OpenResult, 2);
  EXPECT_FALSE(state().GameActive);
  EXPECT_TRUE(window().game_panel()->isHidden());
}

TEST_F(OpenGame, GameInfoShowsTheBankListThenTheLoginAgain) {
  const auto game = MakeGame(ComputerBanks(), "Reyes", "");
  ModalDriver driver;
  driver.Click("frmLogin", "cmdLoginInfo")
      .Then("frmGameInfo",
            [](QWidget* list) {
              EXPECT_EQ(list->windowTitle(), "Banks Active In This Quorvant Game:  Test");
              EXPECT_EQ(TextOf(list, "lblCol1(0)"), "1");
              EXPECT_EQ(TextOf(list, "lblCol2(3)"), "Dogwood");
              EXPECT_EQ(TextOf(list, "lblCol4(3)"), "None");
              EXPECT_EQ(TextOf(list, "lblCol2(4)"), "");  // past the last bank
              list->findChild<QAbstractButton*>("cmdOKButton")->click();
            })
      .Click("frmLogin", "cmdCancel");
  Open(game->session.GamePath);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(driver.seen(), QStringList({"frmLogin", "frmGameInfo", "frmLogin"}));
  EXPECT_EQ(state().OpenResult, 2);
}

TEST_F(OpenGame, ClosingTheLoginFromItsFrameDoesNotOpen) {
  const auto game = MakeGame(ComputerBanks(), "", "pw");
  ModalDriver driver;
  driver.CloseFrame("frmLogin");
  Open(game->session.GamePath);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(state().OpenResult, 2);
}

TEST_F(OpenGame, TheStatusPanelsShowTheOpenGame) {
  const auto game = MakeGame(ComputerBanks(), "", "", 3);
  ModalDriver driver;
  driver.Then("dlgCommonDialog", ChooseFile(game->session.GamePath + "Banks.qv"));
  program_dir_ = game->dir.path();
  window().mnuFileOpen_Click();
  EXPECT_TRUE(driver.finished());
  const QString path = QString::fromStdString(game->session.GamePath);
  EXPECT_EQ(StatusPanels(window()),
            QStringList({"Quorvant Instructor", " " + path.left(15) + "... ", " Instructor:  ",
                         " Game Name: Test ", " Results Quarter 3 ", " Decisions Quarter 4 "}));
  EXPECT_EQ(window().program().session().GamePath, game->session.GamePath);
  EXPECT_FALSE(window().game_panel()->isHidden());
  EXPECT_TRUE(window().findChild<QAction*>("mnuFileClose")->isEnabled());
}

TEST_F(OpenGame, PanelTwoEndsInDotsEvenForAShortPath) {
  MainWindow& w = window();
  w.program().session().GamePath = "/g/";
  w.GameDisplay();
  EXPECT_EQ(TextOf(&w, "sbStatusBarPanel2"), " /g/... ");
}

TEST_F(OpenGame, AGameThatWasNeverStartedIsRefused) {
  const auto game = MakeGame(ComputerBanks());
  GameRecord record = game->session.game;
  record.ResultsQuarter = -1;
  game->dir.Write("game/Global.qv", EncodeGlobalFile(record));
  ModalDriver driver;
  driver.Then("dlgCommonDialog", ChooseFile(game->session.GamePath + "Banks.qv"))
      .Box("Quorvant Game Was Not Opened", QMessageBox::Cancel);
  program_dir_ = game->dir.path();
  const std::string before = window().program().session().GamePath;
  window().mnuFileOpen_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(state().GameActive);
  EXPECT_EQ(window().program().session().GamePath, before);
  EXPECT_FALSE(window().no_game_panel()->isHidden());
}

TEST_F(OpenGame, CancellingTheOpenDialogSaysNothing) {
  ModalDriver driver;
  driver.Then("dlgCommonDialog", [](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
  const std::string before = window().program().session().GamePath;
  window().mnuFileOpen_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(driver.seen(), QStringList({"dlgCommonDialog"}));
  EXPECT_EQ(window().program().session().GamePath, before);
}

TEST_F(OpenGame, CloseReturnsToTheNoGameDisplay) {
  const auto game = MakeGame(ComputerBanks());
  Open(game->session.GamePath);
  ASSERT_TRUE(state().GameActive);
  window().mnuFileClose_Click();
  EXPECT_FALSE(state().GameActive);
  EXPECT_EQ(TextOf(&window(), "sbStatusBarPanel1"), "No Quorvant Game Is Active");
  EXPECT_FALSE(window().findChild<QAction*>("mnuFileSave")->isEnabled());
  EXPECT_FALSE(window().findChild<QAction*>("mnuAdvance")->isEnabled());
  ModalDriver driver;
  driver.Box("No Quorvant Game is Active", QMessageBox::Ok);
  window().mnuFileSave_Click();
  EXPECT_TRUE(driver.finished());
}

}  // namespace
}  // namespace qv::test
