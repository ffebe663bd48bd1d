#include "team/TeamWindow.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

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

}  // namespace
}  // namespace qv
