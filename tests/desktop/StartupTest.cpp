#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMdiSubWindow>
#include <filesystem>

#include "data/GlobalFile.h"
#include "desktop/GameDiscovery.h"
#include "platform/FileSystem.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

constexpr StartOptions kNoSplash{0.0};

QString Panel(MainWindow& window, int n) {
  return TextOf(&window, QString("sbStatusBarPanel%1").arg(n));
}

// Checks the start-up dialog's texts and option state, then acts.
ModalDriver::Act ExpectStartup(QString heading, QString location, bool found,
                               QString chosen_option) {
  return [=](QWidget* dialog) {
    EXPECT_EQ(TextOf(dialog, "lblLabel1"), heading);
    EXPECT_EQ(TextOf(dialog, "lblLabel2"), location);
    auto* open_found = dialog->findChild<QAbstractButton*>("optOption1");
    auto* browse = dialog->findChild<QAbstractButton*>("optOption2");
    EXPECT_EQ(open_found->isHidden(), !found);
    EXPECT_EQ(open_found->isChecked(), found);
    EXPECT_EQ(browse->isChecked(), !found);
    dialog->findChild<QAbstractButton*>(chosen_option)->setChecked(true);
    dialog->findChild<QAbstractButton*>("cmdOK")->click();
  };
}

TEST(Startup, OpensTheGameFoundInTheProgramDirectory) {
  const auto game = MakeGame(ComputerBanks());
  const std::string dir = game->session.GamePath;
  DesktopHarness harness;
  ModalDriver driver;
  driver.Then("frmStartup",
              ExpectStartup("A Quorvant Game was Found",
                            QString::fromStdString(ShortenLocation(dir)), true, "optOption1"));
  const auto window = StartInstructor(harness.Program(dir), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_TRUE(harness.Program(dir).state().GameActive);
  EXPECT_FALSE(window->game_panel()->isHidden());
  EXPECT_TRUE(window->no_game_panel()->isHidden());
  EXPECT_EQ(window->windowTitle(), "Quorvant Instructor");
  EXPECT_EQ(Panel(*window, 4), " Game Name: Test ");
}

TEST(Startup, WithNoGameFoundBrowseIsOfferedAndNothingOpens) {
  TempDir empty;
  DesktopHarness harness;
  ModalDriver driver;
  driver.Then("frmStartup",
              ExpectStartup("No Quorvant Game was Found",
                            "Please Select One of the Following:", false, "optOption4"));
  const auto window = StartInstructor(harness.Program(empty.path()), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(window->no_game_panel()->isHidden());
  EXPECT_TRUE(window->game_panel()->isHidden());
  EXPECT_EQ(Panel(*window, 1), "No Quorvant Game Is Active");
  EXPECT_EQ(Panel(*window, 2), "");
}

TEST(Startup, ClosingTheDialogFromItsFrameOpensNothing) {
  const auto game = MakeGame(ComputerBanks());
  DesktopHarness harness;
  ModalDriver driver;
  driver.CloseFrame("frmStartup");
  const auto window = StartInstructor(harness.Program(game->session.GamePath), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(harness.Program(game->session.GamePath).state().GameActive);
  EXPECT_FALSE(window->no_game_panel()->isHidden());
}

// banks.qv alone makes a location look like a game; without Global.qv it cannot open.
// Retry searches again, by which time the game is whole.
TEST(Startup, RetryAfterAFailedOpenSearchesAgain) {
  const auto game = MakeGame(ComputerBanks());
  TempDir program_dir;
  namespace fs = std::filesystem;
  for (const auto& file : fs::directory_iterator(game->session.GamePath)) {
    if (file.is_regular_file() && file.path().filename() != kGlobalFileName) {
      fs::copy_file(file.path(), program_dir.path() + file.path().filename().string());
    }
  }
  DesktopHarness harness;
  ModalDriver driver;
  driver.Choose("frmStartup", "optOption1")
      .Then("msgBox",
            [&](QWidget* box) {
              EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "Quorvant Game Was Not Opened");
              fs::copy_file(game->session.GamePath + kGlobalFileName,
                            program_dir.path() + kGlobalFileName);
              qobject_cast<QMessageBox*>(box)->button(QMessageBox::Retry)->click();
            })
      .Choose("frmStartup", "optOption1");
  const auto window = StartInstructor(harness.Program(program_dir.path()), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(driver.seen(),
            QStringList({"frmStartup", "Quorvant Game Was Not Opened", "frmStartup"}));
  EXPECT_TRUE(harness.Program(program_dir.path()).state().GameActive);
}

TEST(Startup, CancelAfterAFailedOpenLeavesTheNoGamePanel) {
  TempDir program_dir;
  program_dir.Write("banks.qv", "not a game");
  DesktopHarness harness;
  ModalDriver driver;
  driver.Choose("frmStartup", "optOption1")
      .Box("Quorvant Game Was Not Opened", QMessageBox::Cancel);
  const auto window = StartInstructor(harness.Program(program_dir.path()), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(window->no_game_panel()->isHidden());
  EXPECT_EQ(harness.Program(program_dir.path()).session().GamePath, program_dir.path());
}

TEST(Startup, AGameOnADisketteIsFoundThroughTheDriveMap) {
  TempDir program_dir;
  TempDir diskette;
  std::filesystem::create_directory(diskette.path() + "Quorvant");
  diskette.Write("Quorvant/BANKS.QV", "x");
  DesktopHarness harness;
  harness.settings().SaveSetting("Drives", "B", QString::fromStdString(diskette.path()));
  ModalDriver driver;
  driver.Then("frmStartup", ExpectStartup("A Quorvant Game was Found on Diskette", "B:\\Quorvant\\",
                                          true, "optOption4"));
  const auto window = StartInstructor(harness.Program(program_dir.path()), kNoSplash);
  EXPECT_TRUE(driver.finished());
}

TEST(GameDiscovery, TheProgramDirectoryWinsOverTheDiskettes) {
  TempDir program_dir;
  TempDir diskette;
  program_dir.Write("banks.qv", "x");
  diskette.Write("banks.qv", "x");
  LocalFileSystem files({{'A', diskette.path()}});
  EXPECT_EQ(FindGame(files, program_dir.path()), program_dir.path());
  EXPECT_EQ(FindGame(files, diskette.path() + "none/"), "A:\\");
  LocalFileSystem no_drives;
  EXPECT_EQ(FindGame(no_drives, diskette.path() + "none/"), std::nullopt);
}

TEST(GameDiscovery, LocationsAndHeadings) {
  const std::string fifty(50, 'x');
  const std::string fifty_one = std::string(40, 'a') + "bcdefghijk";  // 50
  EXPECT_EQ(ShortenLocation(fifty), fifty);
  const std::string long_path = fifty_one + "Z";
  EXPECT_EQ(ShortenLocation(long_path), std::string(40, 'a') + "..." + "fghijkZ");
  EXPECT_EQ(ShortenLocation(long_path).size(), 50U);
  struct Row {
    const char* path;
    const char* heading;
  };
  for (const Row& row : {Row{"a:\\", "A Quorvant Game was Found on Diskette"},
                         Row{"B:\\Quorvant\\", "A Quorvant Game was Found on Diskette"},
                         Row{"C:\\Quorvant\\", "A Quorvant Game was Found"},
                         Row{"/srv/a:/", "A Quorvant Game was Found"}}) {
    EXPECT_EQ(FoundGameHeading(row.path), row.heading) << row.path;
  }
  EXPECT_EQ(DirectoryOfFile("/srv/games/fall/Banks.qv"), "/srv/games/fall/");
  EXPECT_EQ(DirectoryOfFile("C:\\Games\\banks.qv"), "C:\\Games\\");
}

}  // namespace
}  // namespace qv::test
