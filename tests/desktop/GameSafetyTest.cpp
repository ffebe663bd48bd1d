#include <gtest/gtest.h>

#include <QAbstractButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include "advance/AdvanceGame.h"
#include "data/GameJournal.h"
#include "data/GameLock.h"
#include "data/GlobalFile.h"
#include "setup/TakeGame.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kGameFileNames = {"Global.qv", "Banks.qv", "Plotv.qv", "Comp.qv",
                                                 "Portf.qv"};

// What the desktop program says to whoever else wants a game it has open.
QString InUseByUs(const std::string& dir) {
  return QString::fromStdString("The game in " + dir + " is in use by qvinstructor (process " +
                                std::to_string(::getpid()) + "); try again when it has finished.");
}

// Tries the lock as another program would (its own open file); true when it got it.
bool OtherProgramGetsTheLock(const std::string& dir, std::string* message = nullptr) {
  LocalFileSystem files;
  std::unique_ptr<FileLock> lock;
  std::string refused;
  const bool got = LockGame(files, dir, "qvctl advance (process 42)", &lock, &refused);
  if (message != nullptr) {
    *message = refused;
  }
  return got;
}

// Expects a message box whose text begins with `start` and presses OK.
ModalDriver::Act BoxStarting(const QString& start) {
  return [start](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().startsWith(start)) << box->text().toStdString();
    box->button(QMessageBox::Ok)->click();
  };
}

// A game at quarter 1 that a kill interrupted in its advance to quarter 2: the journal holds the
// quarter-1 files, and Global.qv and Banks.qv are already those of quarter 2.
class InterruptedGame : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = MakeGame(ComputerBanks(), "", "", 1);
    dir_ = game_->session.GamePath;
    quarter_one_ = game_->FolderBytes(dir_);
    ASSERT_EQ(AdvanceGame(game_->session), Proceed::kGoOn);
    const auto quarter_two = game_->FolderBytes(dir_);
    for (const auto& [name, bytes] : quarter_one_) {
      game_->dir.Write("game/" + name, bytes);
    }
    ASSERT_TRUE(
        BeginGameUpdate(game_->real, dir_, kGameFileNames, "Interrupted/", "advance", 1).ok());
    for (const char* name : {"Global.qv", "Banks.qv"}) {
      game_->dir.Write(std::string("game/") + name, quarter_two.at(name));
    }
    ASSERT_NE(game_->FolderBytes(dir_), quarter_one_);
  }

  MainWindow& window() { return harness_.Window(game_->dir.path()); }

  DesktopHarness harness_;
  std::unique_ptr<TestGame> game_;
  std::string dir_;
  std::map<std::string, std::string> quarter_one_;
};

TEST_F(InterruptedGame, IsRestoredBeforeItIsOpened) {
  ModalDriver driver;
  driver.Box("The last advance was interrupted; the game was restored to quarter 1.",
             QMessageBox::Ok);
  window().OpenRecentGame(dir_);
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_TRUE(window().program().state().GameActive);
  EXPECT_EQ(TextOf(&window(), "sbStatusBarPanel5"), " Results Quarter 1 ");
  EXPECT_EQ(game_->FolderBytes(dir_), quarter_one_) << "every game file of quarter 1, no marker";
}

// Global.qv turned into a folder cannot be put back: the game stays closed and unlocked, the
// marker stays for the next open, which finishes the restore once the obstacle is gone.
TEST_F(InterruptedGame, ThatCannotBeRestoredIsNotOpenedUntilItCanBe) {
  fs::remove(dir_ + "Global.qv");
  fs::create_directories(dir_ + "Global.qv/inside");
  ModalDriver driver;
  driver
      .Then("msgBox",
            BoxStarting(QString::fromStdString("The last update of " + dir_ +
                                               " was interrupted and could not be undone yet: ")))
      .Box("Quorvant Game Was Not Opened", QMessageBox::Retry)
      .Then("msgBox", BoxStarting("The last update of "))
      .Then("msgBox",
            [this](QWidget* box) {
              EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "Quorvant Game Was Not Opened");
              EXPECT_FALSE(window().program().HoldsGame());
              EXPECT_TRUE(fs::exists(dir_ + kJournalFileName));
              EXPECT_TRUE(OtherProgramGetsTheLock(dir_)) << "a refused game is not held";
              fs::remove_all(dir_ + "Global.qv");
              qobject_cast<QMessageBox*>(box)->button(QMessageBox::Retry)->click();
            })
      .Box("The last advance was interrupted; the game was restored to quarter 1.",
           QMessageBox::Ok);
  window().OpenRecentGame(dir_);
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_TRUE(window().program().state().GameActive);
  EXPECT_EQ(game_->FolderBytes(dir_), quarter_one_);
}

// Each way of letting go of a game frees its lock, and not before.
TEST(GameLockWhileOpen, IsHeldUntilTheGameIsLetGo) {
  struct Row {
    const char* what;
    std::function<void(MainWindow&, const std::string& other_game)> let_go;
  };
  const Row rows[] = {
      {"File > Close", [](MainWindow& w, const std::string&) { w.mnuFileClose_Click(); }},
      {"opening another game",
       [](MainWindow& w, const std::string& other) { w.OpenRecentGame(other); }},
      {"quitting", [](MainWindow& w, const std::string&) { w.close(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto game = MakeGame(ComputerBanks());
    const auto other = MakeGame(ComputerBanks());
    const std::string dir = game->session.GamePath;
    DesktopHarness harness;
    MainWindow& window = harness.Window(game->dir.path());
    window.OpenRecentGame(dir);
    ASSERT_TRUE(window.program().state().GameActive);

    std::string message;
    EXPECT_FALSE(OtherProgramGetsTheLock(dir, &message));
    EXPECT_EQ(QString::fromStdString(message), InUseByUs(dir));
    // qvctl takes a game through the same door, and hears the same.
    LocalFileSystem files;
    std::unique_ptr<FileLock> lock;
    const TakenGame taken = TakeGame(files, dir, "qvctl advance (process 42)", &lock);
    EXPECT_FALSE(taken.taken);
    EXPECT_EQ(QString::fromStdString(taken.refusal), InUseByUs(dir));

    row.let_go(window, other->session.GamePath);
    EXPECT_TRUE(OtherProgramGetsTheLock(dir));
  }
}

// A second desktop program is refused, named the first, and opens the game on Retry once the
// first has closed it.
TEST(GameLockWhileOpen, ASecondInstanceIsRefusedUntilTheFirstCloses) {
  const auto game = MakeGame(ComputerBanks());
  const std::string dir = game->session.GamePath;
  DesktopHarness first_harness;
  DesktopHarness second_harness;
  MainWindow& first = first_harness.Window(game->dir.path());
  MainWindow& second = second_harness.Window(game->dir.path());
  first.OpenRecentGame(dir);
  ASSERT_TRUE(first.program().state().GameActive);
  ModalDriver driver;
  driver.Box(InUseByUs(dir), QMessageBox::Ok).Then("msgBox", [&first](QWidget* box) {
    EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "Quorvant Game Was Not Opened");
    first.mnuFileClose_Click();
    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Retry)->click();
  });
  second.OpenRecentGame(dir);
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_TRUE(second.program().state().GameActive);
  EXPECT_TRUE(second.program().HoldsGame());
  EXPECT_FALSE(OtherProgramGetsTheLock(dir));
}

// Across processes: qvctl advance, run while the desktop program has the game open, changes
// nothing and names the desktop program.
TEST(GameLockWhileOpen, QvctlAdvanceInAnotherProcessIsRefused) {
  const std::string qvctl = ProgramDir() + "qvctl";
  if (!fs::exists(qvctl)) {
    GTEST_SKIP() << "qvctl is not built";
  }
  const auto game = MakeGame(ComputerBanks());
  const std::string dir = game->session.GamePath;
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->dir.path());
  window.OpenRecentGame(dir);
  ASSERT_TRUE(window.program().HoldsGame());
  const auto before = game->FolderBytes(dir);
  FILE* child = ::popen(("'" + qvctl + "' advance '" + dir + "' 2>&1").c_str(), "r");
  ASSERT_NE(child, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, child) != nullptr) {
    output += buffer;
  }
  const int status = ::pclose(child);
  EXPECT_EQ(WEXITSTATUS(status), 1) << output;
  EXPECT_EQ(QString::fromStdString(output), InUseByUs(dir) + "\n");
  EXPECT_EQ(game->FolderBytes(dir), before);
}

// A folder that holds no game is not opened and is left without a lock file.
TEST(GameLockWhileOpen, AFolderWithoutAGameGetsNoLockFile) {
  TempDir empty;
  DesktopHarness harness;
  MainWindow& window = harness.Window(empty.path());
  ModalDriver driver;
  driver.Box("Quorvant Game Was Not Opened", QMessageBox::Cancel);
  window.OpenRecentGame(empty.path());
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_FALSE(window.program().HoldsGame());
  EXPECT_FALSE(fs::exists(empty.path() + kLockFileName));
}

}  // namespace
}  // namespace qv::test
