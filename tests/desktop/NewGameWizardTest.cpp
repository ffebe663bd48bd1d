#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <filesystem>

#include "data/GameLock.h"
#include "data/GlobalFile.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

void Type(QWidget* form, const char* name, const QString& text) {
  auto* box = form->findChild<QLineEdit*>(name);
  ASSERT_NE(box, nullptr) << name;
  box->setText(text);
}

// Chooses an entry of a list as the instructor does, so the list's own event runs.
void Pick(QWidget* form, const QString& name, int index) {
  auto* list = form->findChild<QComboBox*>(name);
  ASSERT_NE(list, nullptr) << name.toStdString();
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void Press(QWidget* form, const char* button) {
  form->findChild<QAbstractButton*>(button)->click();
}

struct GameEntries {
  QString title = "Fall 26";
  QString banks = "2";
  QString instructor = "Reyes";
  QString password = "pw";
  QString folder;
};

ModalDriver::Act FillGameForm(GameEntries entries) {
  return [entries](QWidget* form) {
    Type(form, "txtGname", entries.title);
    Type(form, "txtNoBanks", entries.banks);
    Type(form, "txtInstName", entries.instructor);
    Type(form, "txtInstPW", entries.password);
    Type(form, "txtConfirm", entries.password);
    Type(form, "txtBegin", "37");
    Type(form, "txtGamePath", entries.folder);
    Press(form, "cmdNext");
  };
}

// Two banks: bank 1 by the computer (its row's "a:\" cleared by the list), bank 2 as given.
ModalDriver::Act FillBankForm(int second_management, const std::string& second_path) {
  return [=](QWidget* form) {
    Type(form, "txtCol2(0)", "Alpha");
    Pick(form, "cboCol3(0)", 2);
    EXPECT_EQ(TextOf(form, "txtCol7(0)"), "");
    Type(form, "txtCol2(1)", "Beta");
    Pick(form, "cboCol3(1)", second_management);
    if (second_management == kManagementHuman) {
      Type(form, "txtCol4(1)", "Kim");
      Type(form, "txtCol7(1)", QString::fromStdString(second_path));
    }
    EXPECT_FALSE(form->findChild<QWidget*>("txtCol2(2)")->isEnabled());
    Press(form, "cmdNext");
  };
}

class NewGameWizard : public ::testing::Test {
 protected:
  MainWindow& window() { return harness_.Window(ProgramDir()); }
  Session& session() { return window().program().session(); }
  DesktopHarness harness_;
  TempDir games_;
};

TEST_F(NewGameWizard, AllComputerGameIsCreatedStartedAndOpen) {
  const std::string folder = games_.path() + "fall/";
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = QString::fromStdString(folder)}))
      .Then("frmBankSetup", FillBankForm(1, ""))
      .Click("frmEnvSetup", "cmdNext")
      .Box("Game started successfully", QMessageBox::Ok);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(session().ProceedOk, Proceed::kGoOn);
  EXPECT_TRUE(window().program().state().GameActive);
  EXPECT_EQ(session().GamePath, folder);
  EXPECT_EQ(TextOf(&window(), "sbStatusBarPanel4"), " Game Name: Fall 26 ");
  EXPECT_EQ(TextOf(&window(), "sbStatusBarPanel5"), " Results Quarter 0 ");
  ASSERT_TRUE(ReadGlobalFile(session(), 0));
  EXPECT_EQ(session().shadow.InstructorName, "Reyes");
  EXPECT_EQ(session().shadow.BankDiskFlag, 0);
  EXPECT_EQ(session().shadow.DiskPath(1), "");
}

TEST_F(NewGameWizard, StudentBankGetsItsDiskWrittenAtThePathGiven) {
  const std::string folder = games_.path() + "class/";
  const std::string disk = games_.Subdir("beta");
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = QString::fromStdString(folder)}))
      .Then("frmBankSetup", FillBankForm(kManagementHuman, disk))
      .Click("frmEnvSetup", "cmdNext");
  const QString request = "Please insert the student disk for bank 2: Beta";
  driver.Box(request, QMessageBox::Ok)
      .Box(request, QMessageBox::Ok)  // the quarter-0 results go to the disk too
      .Box("Game started successfully", QMessageBox::Ok);
  window().mnuFileNew_Click();
  EXPECT_EQ(session().ProceedOk, Proceed::kGoOn) << driver.seen().join(" | ").toStdString();
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(games_.Read("beta/Global.qv").empty());
}

TEST_F(NewGameWizard, CancelledDiskCreationReturnsToTheGameFormWithItsEntries) {
  const std::string folder = games_.path() + "class/";
  const std::string disk = games_.Subdir("beta");
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = QString::fromStdString(folder)}))
      .Then("frmBankSetup", FillBankForm(kManagementHuman, disk))
      .Click("frmEnvSetup", "cmdNext")
      .Box("Please insert the student disk for bank 2: Beta", QMessageBox::Cancel)
      .Box("Are you sure you want to cancel?", QMessageBox::Yes)
      .Then("frmGameSetup",
            [](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtGname"), "Fall 26");
              EXPECT_EQ(TextOf(form, "txtNoBanks"), "2");
              Press(form, "cmdNext");
            })
      .Then("frmBankSetup",
            [disk](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtCol7(1)"), QString::fromStdString(disk));
              Press(form, "cmdCancel");
            })
      .Box("Abort New Game Setup", QMessageBox::Yes);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(session().ProceedOk, Proceed::kStop);
  EXPECT_FALSE(window().program().state().GameActive);
}

TEST_F(NewGameWizard, TheStartupChoiceStartsTheWizard) {
  MainWindow& shown = harness_.Window(games_.path());
  ModalDriver driver;
  driver.Choose("frmStartup", "optOption3")
      .Then("frmGameSetup",
            [](QWidget* form) {
              EXPECT_EQ(form->windowTitle(), "Game Setup");
              EXPECT_EQ(form->focusWidget()->objectName(), "txtGname");
              Press(form, "cmdCancel");
            })
      .Box("Abort New Game Setup", QMessageBox::Yes);
  RunStartup(shown);
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_FALSE(shown.no_game_panel()->isHidden());
}

// Cancel then No keeps every entry; Previous on the bank form checks its rows before going
// back; an invalid confirmation sends the focus to the password box, which empties it.
TEST_F(NewGameWizard, EntriesSurviveCancelAndPrevious) {
  const QString folder = QString::fromStdString(games_.path() + "kept/");
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = folder}))
      .Then("frmBankSetup",
            [](QWidget* form) {
              Type(form, "txtCol2(0)", "Alpha");
              Pick(form, "cboCol3(0)", 1);
              Type(form, "txtCol2(1)", "ALPHA");
              Pick(form, "cboCol3(1)", 3);
              Press(form, "cmdPrevious");
            })
      .Box("Bank name must be unique", QMessageBox::Ok)
      .Then("frmBankSetup",
            [](QWidget* form) {
              // The box that had the focus is checked first: bank 1's name.
              EXPECT_EQ(form->focusWidget()->objectName(), "txtCol2(0)");
              Type(form, "txtCol2(0)", "Gamma");
              Press(form, "cmdPrevious");
            })
      .Then("frmGameSetup",
            [](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtGname"), "Fall 26");
              Press(form, "cmdCancel");
            })
      .Box("Abort New Game Setup", QMessageBox::No)
      .Then("frmGameSetup",
            [folder](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtGname"), "Fall 26");
              EXPECT_EQ(TextOf(form, "txtGamePath"), folder);
              Type(form, "txtConfirm", "other");
              Press(form, "cmdNext");
            })
      .Box("Password not confirmed, please re-enter password", QMessageBox::Ok)
      .Then("frmGameSetup",
            [](QWidget* form) {
              EXPECT_EQ(form->focusWidget()->objectName(), "txtInstPW");
              EXPECT_EQ(TextOf(form, "txtConfirm"), "");
              Press(form, "cmdCancel");
            })
      .Box("Abort New Game Setup", QMessageBox::Yes);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(session().ProceedOk, Proceed::kStop);
  EXPECT_FALSE(window().program().state().GameActive);
}

TEST_F(NewGameWizard, EmptyInstructorIsAskedAboutThenAccepted) {
  const QString folder = QString::fromStdString(games_.path() + "open/");
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.instructor = "", .password = "", .folder = folder}))
      .Box("Do you want to enter an instructor name?", QMessageBox::Yes)
      .Then("frmGameSetup",
            [](QWidget* form) {
              EXPECT_EQ(form->focusWidget()->objectName(), "txtInstName");
              Press(form, "cmdNext");
            })
      .Box("Do you want to enter an instructor name?", QMessageBox::No)
      .Box("Do you want to enter an instructor password?", QMessageBox::No)
      .Then("frmBankSetup", [](QWidget* form) { Press(form, "cmdCancel"); })
      .Box("Abort New Game Setup", QMessageBox::Yes);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(session().game.InstructorName, "");
}

// A game already in the folder is replaced only after a Yes; No leads back to the game form
// with its entries and leaves the game there as it was.
TEST_F(NewGameWizard, AnExistingGameIsKeptWhenReplacingIsRefused) {
  const auto existing = MakeGame(ComputerBanks());
  const QString folder = QString::fromStdString(existing->session.GamePath);
  const auto before = existing->FolderBytes(existing->session.GamePath);
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = folder}))
      .Then("frmBankSetup", FillBankForm(1, ""))
      .Click("frmEnvSetup", "cmdNext")
      .Box("A Quorvant game already exists in this folder. Replace it?", QMessageBox::No)
      .Then("frmGameSetup",
            [this](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtInstName"), "Reyes");
              Type(form, "txtGamePath", QString::fromStdString(games_.path() + "fresh/"));
              Press(form, "cmdNext");
            })
      .Then("frmBankSetup",
            [](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtCol2(1)"), "Beta");
              Press(form, "cmdCancel");
            })
      .Box("Abort New Game Setup", QMessageBox::Yes);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(existing->FolderBytes(existing->session.GamePath), before);
}

// The disk paths taken together are checked when the Bank Setup form is confirmed: the message
// in the form's own style, the form again with the focus on the offending path, nothing
// written anywhere.
TEST_F(NewGameWizard, ConflictingDiskPathsKeepTheBankForm) {
  struct Row {
    const char* what;
    std::string first_path;   // bank 1, a team's
    std::string second_path;  // bank 2, a team's
    const char* message;
    const char* focus;  // the box that has the focus afterwards
  };
  const std::string folder = games_.path() + "class/";
  const std::string disk = games_.Subdir("disk");
  std::filesystem::create_directory_symlink(disk, games_.path() + "link");
  const char* unique = "Path must be unique";
  const char* game_dir =
      "Path must not be the game directory, a folder inside it or a folder holding it";
  const Row rows[] = {
      {"the same folder twice", disk, disk, unique, "txtCol7(0)"},
      {"the same folder in other letter case", disk, games_.path() + "DISK/", unique, "txtCol7(0)"},
      {"the same folder through a link", disk, games_.path() + "link/", unique, "txtCol7(0)"},
      {"the game folder", disk, folder, game_dir, "txtCol7(1)"},
      {"a folder inside the game folder", folder + "teams/beta/", disk, game_dir, "txtCol7(0)"},
      {"a folder holding the game folder", disk, games_.path(), game_dir, "txtCol7(1)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ModalDriver driver;
    driver.Then("frmGameSetup", FillGameForm({.folder = QString::fromStdString(folder)}))
        .Then("frmBankSetup",
              [&row](QWidget* form) {
                Type(form, "txtCol2(0)", "Alpha");
                Type(form, "txtCol4(0)", "Kim");
                Type(form, "txtCol7(0)", QString::fromStdString(row.first_path));
                Type(form, "txtCol2(1)", "Beta");
                Type(form, "txtCol4(1)", "Lee");
                Type(form, "txtCol7(1)", QString::fromStdString(row.second_path));
                Press(form, "cmdNext");
              })
        .Then("msgBox",
              [&row](QWidget* window) {
                auto* box = qobject_cast<QMessageBox*>(window);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->text(), row.message);
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                box->button(QMessageBox::Ok)->click();
              })
        .Then("frmBankSetup",
              [&row](QWidget* form) {
                ASSERT_NE(form->focusWidget(), nullptr);
                EXPECT_EQ(form->focusWidget()->objectName(), row.focus);
                Press(form, "cmdCancel");
              })
        .Box("Abort New Game Setup", QMessageBox::Yes);
    window().mnuFileNew_Click();
    EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
    EXPECT_FALSE(window().program().state().GameActive);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(std::filesystem::is_empty(disk));
  }
}

// A new game is held from its creation on, and a game that another program holds is not
// replaced: the wizard returns to the game form with the game left as it was.
TEST_F(NewGameWizard, TheGameLockIsHeldAndRespected) {
  const auto existing = MakeGame(ComputerBanks());
  const std::string held = existing->session.GamePath;
  const auto before = existing->FolderBytes(held);
  LocalFileSystem other_files;
  std::unique_ptr<FileLock> other;
  std::string message;
  ASSERT_TRUE(LockGame(other_files, held, "qvctl advance (process 42)", &other, &message));
  const std::string fresh = games_.path() + "fresh/";
  ModalDriver driver;
  driver.Then("frmGameSetup", FillGameForm({.folder = QString::fromStdString(held)}))
      .Then("frmBankSetup", FillBankForm(1, ""))
      .Click("frmEnvSetup", "cmdNext")
      .Box("A Quorvant game already exists in this folder. Replace it?", QMessageBox::Yes)
      .Box(QString::fromStdString("The game in " + held +
                                  " is in use by qvctl advance (process 42); try again when it "
                                  "has finished."),
           QMessageBox::Ok)
      .Then("frmGameSetup",
            [&fresh](QWidget* form) {
              Type(form, "txtGamePath", QString::fromStdString(fresh));
              Press(form, "cmdNext");
            })
      .Click("frmBankSetup", "cmdNext")
      .Click("frmEnvSetup", "cmdNext")
      .Box("Game started successfully", QMessageBox::Ok);
  window().mnuFileNew_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(existing->FolderBytes(held), before);
  EXPECT_EQ(session().GamePath, fresh);
  std::unique_ptr<FileLock> taken;
  EXPECT_FALSE(LockGame(other_files, fresh, "qvctl advance (process 42)", &taken, &message))
      << "the new game is held by the program that made it";
}

}  // namespace
}  // namespace qv::test
