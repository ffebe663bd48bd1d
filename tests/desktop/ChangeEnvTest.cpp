#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>

#include "data/BanksFile.h"
#include "data/Items.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

class ChangeEnvironment : public ::testing::Test {
 protected:
  MainWindow& OpenWindow(TestGame& game) {
    MainWindow& window = harness_.Window(game.dir.path());
    window.program().session().GamePath = game.session.GamePath;
    window.ExecuteOpen();
    EXPECT_TRUE(window.program().state().GameActive);
    return window;
  }
  double StoredTaxRate(TestGame& game) {
    Table<double, 84> environment;
    EXPECT_TRUE(ReadEnvironmentRecords(game.session, &environment));
    return environment(environment::kTaxRate);
  }
  DesktopHarness harness_;
};

ModalDriver::Act TypeTax(QString text) {
  return [text](QWidget* form) {
    EXPECT_TRUE(form->findChild<QWidget*>("cmdPrevious")->isHidden());
    form->findChild<QLineEdit*>("txtTax")->setText(text);
    form->findChild<QAbstractButton*>("cmdNext")->click();
  };
}

// 35 is refused with the tax rate's message and the box gets the focus back; 0.35 is then
// accepted, written to the game directory and used by the program at once.
TEST_F(ChangeEnvironment, TaxRateIsCheckedThenStored) {
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = OpenWindow(*game);
  ModalDriver driver;
  driver
      .Then("frmEnvSetup",
            [](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtTax"), "0.49");
              EXPECT_EQ(TextOf(form, "txtCol4(0)"), "12.75");
              TypeTax("35")(form);
            })
      .Box("Tax rate must be a number between 0.01 and 0.99", QMessageBox::Ok)
      .Then("frmEnvSetup", [](QWidget* form) {
        EXPECT_EQ(form->focusWidget()->objectName(), "txtTax");
        TypeTax("0.35")(form);
      });
  window.mnuToolsChangeEnv_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  Session& session = window.program().session();
  EXPECT_EQ(session.ProceedOk, Proceed::kGoOn);
  EXPECT_FLOAT_EQ(session.tables.TaxRate, 0.35F);
  EXPECT_FLOAT_EQ(static_cast<float>(StoredTaxRate(*game)), 0.35F);
}

TEST_F(ChangeEnvironment, CancelThenNoKeepsEntriesAndFocusThenYesWritesNothing) {
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = OpenWindow(*game);
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver
      .Then("frmEnvSetup",
            [](QWidget* form) {
              auto* frb = form->findChild<QLineEdit*>("txtFRB");
              frb->setFocus();
              frb->setText("60");
              form->findChild<QAbstractButton*>("cmdCancel")->click();
            })
      .Box("Abort Changes to Environment?", QMessageBox::No)
      .Then("frmEnvSetup",
            [](QWidget* form) {
              EXPECT_EQ(TextOf(form, "txtFRB"), "60");
              EXPECT_EQ(form->focusWidget()->objectName(), "txtFRB");
              form->findChild<QAbstractButton*>("cmdCancel")->click();
            })
      .Box("Abort Changes to Environment?", QMessageBox::Yes);
  window.mnuToolsChangeEnv_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_EQ(window.program().session().ProceedOk, Proceed::kStop);
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
}

}  // namespace
}  // namespace qv::test
