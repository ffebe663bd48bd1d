#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "data/EnteredDecisionsFile.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

class EnterDecisions : public ::testing::Test {
 protected:
  MainWindow& OpenWindow(TestGame& game) {
    MainWindow& window = harness_.Window(game.dir.path());
    window.program().session().GamePath = game.session.GamePath;
    window.ExecuteOpen();
    EXPECT_TRUE(window.program().state().GameActive);
    return window;
  }
  // Two human banks and a computer-managed one.
  std::vector<BankSpec> Banks() {
    return {{"Alder", kManagementHuman, 0}, {"Birch", kManagementHuman, 1}, {"Cedar", 2, 2}};
  }
  DesktopHarness harness_;
};

ModalDriver::Act TypeAndPress(QString key, QString value, const char* button) {
  return [=](QWidget* dialog) {
    auto* banks = dialog->findChild<QComboBox*>("cboBank");
    ASSERT_NE(banks, nullptr);
    EXPECT_EQ(banks->count(), 2) << "computer-managed banks are not offered";
    banks->setCurrentIndex(1);
    auto* box = dialog->findChild<QLineEdit*>("txt_" + key);
    ASSERT_NE(box, nullptr);
    box->setText(value);
    dialog->findChild<QPushButton*>(button)->click();
  };
}

TEST_F(EnterDecisions, OkStoresTheBanksDecisionsForTheComingQuarter) {
  const auto game = MakeGame(Banks());
  MainWindow& window = OpenWindow(*game);
  ModalDriver driver;
  driver.Then("frmEnterDecisions", TypeAndPress("savings_rate", "3.25", "cmdOK"));
  window.mnuAdvanceEnterDecisions_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EnteredDecisions entered;
  ASSERT_TRUE(ReadEnteredDecisions(game->session, &entered));
  EXPECT_EQ(entered.Quarter(1), 0);
  EXPECT_EQ(entered.Quarter(2), 1);
  EXPECT_EQ(entered.Decision(2, 2), 3.25F);
}

TEST_F(EnterDecisions, CancelAndABoxWithoutANumberStoreNothing) {
  const auto game = MakeGame(Banks());
  MainWindow& window = OpenWindow(*game);
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver.Then("frmEnterDecisions", TypeAndPress("savings_rate", "lots", "cmdOK"))
      .Box("Savings Rate: enter a number", QMessageBox::Ok)
      .Then("frmEnterDecisions",
            [](QWidget* dialog) { dialog->findChild<QPushButton*>("cmdCancel")->click(); });
  window.mnuAdvanceEnterDecisions_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
}

}  // namespace
}  // namespace qv::test
