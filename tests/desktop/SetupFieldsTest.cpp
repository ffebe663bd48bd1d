#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "desktop/SetupFormDialogs.h"
#include "setup/EnvironmentFields.h"
#include "tests/desktop/ModalDriver.h"
#include "tests/support/ScriptedUi.h"

namespace qv::test {
namespace {

// The three forms shown without blocking, with the setup rules' messages going to a script.
class SetupFields : public ::testing::Test {
 protected:
  SetupFields() {
    ui_.AcknowledgeOkBoxes();
    // Valid entries everywhere, so that only what a test changes is ever refused.
    forms_.game.txtGname = "Fall";
    forms_.game.txtNoBanks = "3";
    forms_.game.txtBegin = "37";
    for (int r = 0; r < 3; ++r) {
      forms_.banks.rows[static_cast<std::size_t>(r)].txtCol2 = std::string(1, 'A' + r);
      forms_.banks.rows[static_cast<std::size_t>(r)].txtCol4 = "Pres";
    }
    for (int field = 1; field <= 16; ++field) {
      EnvFieldText(forms_.environment, field) = field == 16 ? "0.5" : "5";
    }
  }

  template <typename Form>
  Form& Show() {
    auto form = std::make_unique<Form>(ui_, forms_, state_, nullptr);
    Form& shown = *form;
    form->Load();
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    forms__.push_back(std::move(form));
    return shown;
  }

  static void Focus(QWidget* form, const QString& name) {
    QWidget* box = form->findChild<QWidget*>(name);
    ASSERT_NE(box, nullptr) << name.toStdString();
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }
  static void Type(QWidget* form, const QString& name, const QString& text) {
    form->findChild<QLineEdit*>(name)->setText(text);
  }
  static void Pick(QWidget* form, const QString& name, int index) {
    auto* list = form->findChild<QComboBox*>(name);
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  ScriptedUi ui_;
  SetupForms forms_;
  SetupState state_;
  std::vector<std::unique_ptr<SetupDialog>> forms__;
};

TEST_F(SetupFields, EveryBoxSetsItsFieldNumberOnFocus) {
  struct Row {
    int form;
    const char* control;
    int field;
  };
  const Row rows[] = {
      {1, "txtGname", 1},    {1, "txtInstName", 3}, {1, "cboEnv", 6},      {1, "txtBegin", 7},
      {2, "txtCol2(0)", 1},  {2, "cboCol3(2)", 13}, {2, "txtCol4(1)", 22}, {2, "txtCol5(2)", 33},
      {2, "cboCol6(0)", 41}, {2, "txtCol7(2)", 53}, {3, "txtCol2(3)", 4},  {3, "txtCol2(7)", 8},
      {3, "txtCol4(1)", 10}, {3, "txtCapAdeq", 13}, {3, "txtNotes", 15},   {3, "txtTax", 16},
  };
  QWidget* forms[] = {&Show<GameSetupDialog>(), &Show<BankSetupDialog>(), &Show<EnvSetupDialog>()};
  for (const Row& row : rows) {
    QWidget* form = forms[row.form - 1];
    QApplication::setActiveWindow(form);
    Focus(form, row.control);
    EXPECT_EQ(state_.SetupField, row.field) << "form " << row.form << " " << row.control;
  }
  EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(SetupFields, EnteringThePasswordEmptiesTheConfirmation) {
  GameSetupDialog& form = Show<GameSetupDialog>();
  Type(&form, "txtInstPW", "secret");
  Type(&form, "txtConfirm", "secret");
  Focus(&form, "txtInstPW");
  EXPECT_EQ(TextOf(&form, "txtConfirm"), "");
  EXPECT_EQ(forms_.game.txtConfirm, "");
}

// Leaving an invalid box for another box shows its message and keeps the focus on it; the
// confirmation box is the exception, emptied but left.
TEST_F(SetupFields, AnInvalidBoxKeepsTheFocusExceptTheConfirmation) {
  GameSetupDialog& form = Show<GameSetupDialog>();
  Focus(&form, "txtNoBanks");
  Type(&form, "txtNoBanks", "11");
  Focus(&form, "txtInstName");
  EXPECT_EQ(form.focusWidget()->objectName(), "txtNoBanks");
  EXPECT_EQ(state_.SetupField, 2);
  ASSERT_EQ(ui_.texts().size(), 1U);
  EXPECT_EQ(ui_.texts()[0], "Number of banks must be a number between 1 and 10");

  Type(&form, "txtNoBanks", "2");
  Type(&form, "txtInstPW", "a");
  Focus(&form, "txtConfirm");
  Type(&form, "txtConfirm", "b");
  Focus(&form, "txtBegin");
  EXPECT_EQ(form.focusWidget()->objectName(), "txtBegin");
  EXPECT_EQ(TextOf(&form, "txtConfirm"), "");
  EXPECT_EQ(ui_.texts().back(), "Password not confirmed, please re-enter password");
}

TEST_F(SetupFields, TheManagementListAdjustsThePath) {
  BankSetupDialog& form = Show<BankSetupDialog>();
  Pick(&form, "cboCol3(0)", 2);
  EXPECT_EQ(TextOf(&form, "txtCol7(0)"), "") << "a computer row clears a:\\";
  Pick(&form, "cboCol3(0)", 0);
  EXPECT_EQ(TextOf(&form, "txtCol7(0)"), "a:\\") << "a human row with no path gets a:\\";
  Type(&form, "txtCol7(1)", "/srv/disks/b/");
  Pick(&form, "cboCol3(1)", 3);
  EXPECT_EQ(TextOf(&form, "txtCol7(1)"), "/srv/disks/b/") << "any other path is kept";
  EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(SetupFields, RowsAboveTheNumberOfBanksAreDisabled) {
  BankSetupDialog& form = Show<BankSetupDialog>();
  form.EnableRows(3);
  EXPECT_TRUE(form.findChild<QWidget*>("txtCol7(2)")->isEnabled());
  EXPECT_FALSE(form.findChild<QWidget*>("txtCol2(3)")->isEnabled());
  EXPECT_FALSE(form.findChild<QWidget*>("cboCol6(9)")->isEnabled());
}

}  // namespace
}  // namespace qv::test
