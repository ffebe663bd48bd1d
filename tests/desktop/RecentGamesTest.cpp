#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>

#include "desktop/RecentGames.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

constexpr StartOptions kNoSplash{0.0};

TEST(RecentGames, NewestFirstOnceEachAndNoMoreThanTheLimit) {
  DesktopHarness harness;
  RecentGames recent(harness.settings());
  EXPECT_TRUE(recent.List().empty());
  for (int n = 1; n <= RecentGames::kMaxGames + 2; ++n) {
    recent.Add("/games/" + std::to_string(n) + "/");
  }
  std::vector<std::string> list = recent.List();
  ASSERT_EQ(list.size(), static_cast<std::size_t>(RecentGames::kMaxGames));
  EXPECT_EQ(list.front(), "/games/8/");
  EXPECT_EQ(list.back(), "/games/3/") << "the oldest two dropped";
  recent.Add("/games/5");  // the same folder written without its separator moves up
  list = recent.List();
  EXPECT_EQ(list.size(), static_cast<std::size_t>(RecentGames::kMaxGames));
  EXPECT_EQ(list.front(), "/games/5");
  EXPECT_EQ(
      std::count_if(list.begin(), list.end(),
                    [](const std::string& game) { return SameGameFolder(game, "/games/5/"); }),
      1);
}

TEST(RecentGames, AnOpenedGameIsOnTheFileMenuAndOpensFromThere) {
  const auto first = MakeGame(ComputerBanks());
  const auto second = MakeGame(ComputerBanks());
  TempDir program_dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(program_dir.path());
  auto* menu = window.findChild<QMenu*>("mnuFileRecent");
  EXPECT_FALSE(menu->isEnabled()) << "nothing opened yet";
  for (const auto* game : {first.get(), second.get()}) {
    window.OpenRecentGame(game->session.GamePath);
    ASSERT_TRUE(harness.Program(program_dir.path()).state().GameActive);
  }
  emit menu->aboutToShow();
  const QList<QAction*> entries = menu->actions();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_TRUE(entries[0]->text().endsWith(QString::fromStdString(second->session.GamePath)));
  EXPECT_TRUE(entries[1]->text().endsWith(QString::fromStdString(first->session.GamePath)));
  entries[1]->trigger();
  EXPECT_EQ(harness.Program(program_dir.path()).session().GamePath, first->session.GamePath);
  EXPECT_TRUE(harness.Program(program_dir.path()).state().GameActive);
}

TEST(RecentGames, AGameThatIsGoneIsNotOpenedAndTheOpenOneStaysClosed) {
  TempDir program_dir;
  TempDir gone;
  DesktopHarness harness;
  MainWindow& window = harness.Window(program_dir.path());
  ModalDriver driver;
  driver.Box("Quorvant Game Was Not Opened", QMessageBox::Cancel);
  window.OpenRecentGame(gone.path() + "missing/");
  EXPECT_TRUE(driver.finished());
  EXPECT_FALSE(harness.Program(program_dir.path()).state().GameActive);
  EXPECT_EQ(harness.Program(program_dir.path()).session().GamePath, program_dir.path());
}

TEST(RecentGames, TheStartupDialogOffersThemAndOpensTheOneChosen) {
  const auto game = MakeGame(ComputerBanks());
  TempDir empty;
  DesktopHarness harness;
  RecentGames(harness.settings()).Add("/games/elsewhere/");
  RecentGames(harness.settings()).Add(game->session.GamePath);
  ModalDriver driver;
  driver.Then("frmStartup", [](QWidget* dialog) {
    auto* list = dialog->findChild<QListWidget*>("lstRecent");
    EXPECT_FALSE(list->isHidden());
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(0);
    EXPECT_TRUE(dialog->findChild<QAbstractButton*>("optOption5")->isChecked());
    dialog->findChild<QAbstractButton*>("cmdOK")->click();
  });
  const auto window = StartInstructor(harness.Program(empty.path()), kNoSplash);
  EXPECT_TRUE(driver.finished());
  EXPECT_TRUE(harness.Program(empty.path()).state().GameActive);
  EXPECT_EQ(harness.Program(empty.path()).session().GamePath, game->session.GamePath);
}

TEST(RecentGames, FileOpenStartsInTheLastGamesFolder) {
  const auto game = MakeGame(ComputerBanks());
  TempDir program_dir;
  DesktopHarness harness;
  RecentGames(harness.settings()).Add(game->session.GamePath);
  MainWindow& window = harness.Window(program_dir.path());
  ModalDriver driver;
  driver.Then("dlgCommonDialog", [&](QWidget* dialog) {
    auto* files = static_cast<QFileDialog*>(dialog);
    EXPECT_EQ(QDir(files->directory()).canonicalPath(),
              QDir(QString::fromStdString(game->session.GamePath)).canonicalPath());
    files->reject();
  });
  window.mnuFileOpen_Click();
  EXPECT_TRUE(driver.finished());
}

}  // namespace
}  // namespace qv::test
