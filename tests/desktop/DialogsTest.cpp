#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

#include "desktop/AdvanceDialogs.h"
#include "desktop/GameListDialogs.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

TEST(MainWindowCommands, CaptionsFromTheStringTableAndTheCommandTable) {
  TempDir dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(dir.path());
  struct Row {
    const char* name;
    const char* caption;
  };
  for (const Row& row :
       {Row{"mnuFile", "&File"}, Row{"mnuTools", "&Tools"}, Row{"mnuHelp", "&Help"},
        Row{"mnuHelpContents", "&Contents"}, Row{"mnuFileExit", "E&xit Quorvant"},
        Row{"mnuAdvanceAdvanceGame", "&Advance the Game to the Next Quarter"}}) {
    auto* action = window.findChild<QAction*>(row.name);
    ASSERT_NE(action, nullptr) << row.name;
    EXPECT_EQ(action->text(), row.caption) << row.name;
  }
  const QList<QAction*> buttons = window.findChild<QToolBar*>("tbToolBar")->actions();
  ASSERT_EQ(buttons.size(), 11);
  QStringList tooltips;
  QStringList hidden;
  for (int i = 0; i < buttons.size(); ++i) {
    tooltips << buttons[i]->toolTip();
    if (!buttons[i]->isVisible()) {
      hidden << QString::number(i + 1);
    }
  }
  EXPECT_EQ(tooltips.value(9), "Help");
  EXPECT_EQ(tooltips.value(10), "Results and Charts");
  EXPECT_EQ(tooltips.value(6), "Close Current Form");
  EXPECT_EQ(hidden, QStringList({"7", "8", "9"}));
  EXPECT_FALSE(buttons[2]->isEnabled());  // Save, with no game open
}

TEST(FixDecisionsDialog, OffersTheDiskOnlyWhenItWasRead) {
  {
    FixDecisionsDialog dialog("label", false, nullptr);
    EXPECT_TRUE(dialog.findChild<QAbstractButton*>("optOption(0)")->isHidden());
    EXPECT_TRUE(dialog.findChild<QAbstractButton*>("optOption(1)")->isChecked());
  }
  ModalDriver driver;
  driver.CloseFrame("frmFixDecisions").Choose("frmFixDecisions", "optOption(3)");
  FixDecisionsDialog closed("label", true, nullptr);
  EXPECT_EQ(closed.Choose(), FixChoice::kClosed);
  FixDecisionsDialog chosen("label", true, nullptr);
  EXPECT_EQ(chosen.Choose(), FixChoice::kComputer);
  EXPECT_TRUE(driver.finished());
}

TEST(ComputerLevelDialog, LevelsAreOneToThreeAndTheFrameIsNoAnswer) {
  ModalDriver driver;
  driver.Click("frmComputerLevel", "cmdOK")
      .Choose("frmComputerLevel", "optOption(2)")
      .CloseFrame("frmComputerLevel");
  EXPECT_EQ(ComputerLevelDialog(nullptr).Choose(), 2);  // Intermediate, preselected
  EXPECT_EQ(ComputerLevelDialog(nullptr).Choose(), 3);
  EXPECT_EQ(ComputerLevelDialog(nullptr).Choose(), 0);
  EXPECT_TRUE(driver.finished());
}

TEST(PasswordsDialog, ShowsTheGamesBanksOnly) {
  GameRecord game;
  game.NumBanks = 4;
  for (int b = 1; b <= 4; ++b) {
    game.BankName(b) = "Bank" + std::to_string(b);
    game.PresidentName(b) = "Pres" + std::to_string(b);
    game.BankPassword(b) = b == 2 ? "" : "pw" + std::to_string(b);
  }
  PasswordsDialog dialog(game, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Bank Passwords");
  EXPECT_EQ(TextOf(&dialog, "lblCol3(0)"), "pw1");
  EXPECT_EQ(TextOf(&dialog, "lblCol3(1)"), "None");
  EXPECT_EQ(TextOf(&dialog, "lblCol2(3)"), "Pres4");
  for (int row = 0; row < 10; ++row) {
    for (int column = 1; column <= 3; ++column) {
      auto* cell = dialog.findChild<QWidget*>(QString("lblCol%1(%2)").arg(column).arg(row));
      EXPECT_EQ(cell->isHidden(), row >= 4) << "row " << row << " column " << column;
    }
  }
}

}  // namespace
}  // namespace qv::test
