#include <gtest/gtest.h>

#include "data/Items.h"
#include "setup/EnvironmentFields.h"
#include "setup/ValidateSetup.h"
#include "tests/support/ScriptedUi.h"

namespace qv {
namespace {

struct Outcome {
  bool valid;
  std::vector<std::string> texts;
};

// Runs the check on a copy of `forms` and answers its message, if any, with OK.
Outcome Check(SetupForms& forms, int form, int field, int num_banks = 10) {
  test::ScriptedUi ui;
  ui.Then(Answer::kOk);
  const bool valid = ValidateSetup(ui, forms, form, field, num_banks);
  for (const Message& shown : ui.shown()) {
    EXPECT_EQ(shown.icon, Icon::kExclamation);
    EXPECT_EQ(shown.buttons, Buttons::kOk);
    EXPECT_EQ(shown.title, "Quorvant Instructor");
  }
  return Outcome{valid, ui.texts()};
}

TEST(ValidateSetup, GameFormLimitsAndMessages) {
  struct Row {
    int field;
    std::string text;
    bool valid;
    const char* message;
  } rows[] = {
      {1, "", false, "Game title must be a string between 1 and 10 characters long"},
      {1, "Fall 26", true, ""},
      {1, "ABCDEFGHIJK", false, "Game title must be a string between 1 and 10 characters long"},
      {1, "Caf\xC3\xA9 2026", true, ""},  // ten characters, eleven bytes
      {1, "a\"b", false, "Game title must not contain a double quote"},
      {2, "2.5", true, ""},  // the flow converts it; the check only asks for a number in range
      {2, "0", false, "Number of banks must be a number between 1 and 10"},
      {2, "11", false, "Number of banks must be a number between 1 and 10"},
      {2, "", false, "Number of banks must be a number between 1 and 10"},
      {2, "six", false, "Number of banks must be a number between 1 and 10"},
      {2, " 6 ", true, ""},
      {3, "", true, ""},
      {3, "Reyes", true, ""},
      {4, "12345678901", false,
       "Instructor password must be a string between 0 and 10 characters long"},
      {7, "100", true, ""},
      {7, "101", false, "Beginning economic period must be a number between 1 and 100"},
      {7, "", false, "Beginning economic period must be a number between 1 and 100"},
  };
  for (const Row& row : rows) {
    SetupForms forms;
    std::string* box[] = {nullptr,
                          &forms.game.txtGname,
                          &forms.game.txtNoBanks,
                          &forms.game.txtInstName,
                          &forms.game.txtInstPW,
                          nullptr,
                          nullptr,
                          &forms.game.txtBegin};
    *box[row.field] = row.text;
    const Outcome outcome = Check(forms, kGameSetupForm, row.field);
    EXPECT_EQ(outcome.valid, row.valid) << "field " << row.field << " \"" << row.text << "\"";
    if (!row.valid) {
      EXPECT_EQ(outcome.texts, std::vector<std::string>{row.message}) << row.text;
    } else {
      EXPECT_TRUE(outcome.texts.empty()) << row.text;
    }
  }
}

TEST(ValidateSetup, ConfirmationMustMatchAndIsEmptiedWhenItDoesNot) {
  SetupForms forms;
  forms.game.txtInstPW = "secret";
  forms.game.txtConfirm = "Secret";
  Outcome outcome = Check(forms, kGameSetupForm, 5);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.texts,
            std::vector<std::string>{"Password not confirmed, please re-enter password"});
  EXPECT_EQ(forms.game.txtConfirm, "");
  forms.game.txtConfirm = "secret";
  EXPECT_TRUE(Check(forms, kGameSetupForm, 5).valid);
}

TEST(ValidateSetup, RandomPeriodMustLeaveTheBoxEmpty) {
  SetupForms forms;
  forms.game.cboEnv = 1;
  EXPECT_TRUE(Check(forms, kGameSetupForm, 7).valid);
  forms.game.txtBegin = "37";
  const Outcome outcome = Check(forms, kGameSetupForm, 7);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.texts, std::vector<std::string>{
                               "You cannot select the beginning period if Random is selected"});
  EXPECT_EQ(forms.game.txtBegin, "");
}

TEST(ValidateSetup, BankNamesAreUniqueInAnyLetterCaseAmongTheGamesBanks) {
  SetupForms forms;
  forms.banks.rows[0].txtCol2 = "Alpha";
  forms.banks.rows[1].txtCol2 = "ALPHA";
  forms.banks.rows[2].txtCol2 = "alpha";
  Outcome outcome = Check(forms, kBankSetupForm, 1, 2);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.texts, std::vector<std::string>{"Bank name must be unique"});
  // Row 3 lies beyond a one-bank game's rows and is not compared.
  forms.banks.rows[1].txtCol2 = "Beta";
  EXPECT_TRUE(Check(forms, kBankSetupForm, 1, 2).valid);
  EXPECT_FALSE(Check(forms, kBankSetupForm, 1, 3).valid);
  forms.banks.rows[0].txtCol2 = "";
  EXPECT_EQ(
      Check(forms, kBankSetupForm, 1).texts,
      std::vector<std::string>{"Bank name must be a string between 1 and 10 characters long"});
}

TEST(ValidateSetup, ManagementListAdjustsThePath) {
  SetupForms forms;
  BankSetupRow& row = forms.banks.rows[3];
  row.cboCol3 = 2;  // Computer2
  row.txtCol7 = "A:\\";
  EXPECT_TRUE(Check(forms, kBankSetupForm, 14).valid);
  EXPECT_EQ(row.txtCol7, "");
  row.cboCol3 = kManagementHuman;
  EXPECT_TRUE(Check(forms, kBankSetupForm, 14).valid);
  EXPECT_EQ(row.txtCol7, "a:\\");
  row.txtCol7 = "b:\\teams\\";
  row.cboCol3 = 1;
  EXPECT_TRUE(Check(forms, kBankSetupForm, 14).valid);
  EXPECT_EQ(row.txtCol7, "b:\\teams\\") << "only the preset path is cleared";
}

TEST(ValidateSetup, ComputerRowsLeaveNamePasswordAndPathEmpty) {
  struct Row {
    int field;
    const char* message;
  } rows[] = {
      {21, "You cannot select the president's name if computer management is selected"},
      {31, "You cannot select a bank password if computer management is selected"},
      {51, "You cannot select a path if computer management is selected"},
  };
  for (const Row& r : rows) {
    SetupForms forms;
    BankSetupRow& row = forms.banks.rows[0];
    row.cboCol3 = 3;
    row.txtCol4 = "Kim";
    row.txtCol5 = "pw";
    row.txtCol7 = "c:\\";
    const Outcome outcome = Check(forms, kBankSetupForm, r.field);
    EXPECT_FALSE(outcome.valid) << r.field;
    EXPECT_EQ(outcome.texts, std::vector<std::string>{r.message});
    const std::string* box = r.field == 21   ? &row.txtCol4
                             : r.field == 31 ? &row.txtCol5
                                             : &row.txtCol7;
    EXPECT_EQ(*box, "") << "the box is emptied";
  }
}

TEST(ValidateSetup, HumanPathGetsItsFinalSeparator) {
  struct Row {
    std::string path;
    bool valid;
    std::string after;
  } rows[] = {
      {"a:", true, "a:\\"},
      {"a:\\", true, "a:\\"},
      {"/srv/disks/alpha", true, "/srv/disks/alpha/"},  // a host path keeps its separator
      {"", false, "\\"},                                // "\" alone is too short
      {std::string(100, 'p'), false, std::string(100, 'p') + "\\"},
  };
  for (const Row& r : rows) {
    SetupForms forms;
    forms.banks.rows[4].txtCol7 = r.path;
    const Outcome outcome = Check(forms, kBankSetupForm, 55);
    EXPECT_EQ(outcome.valid, r.valid) << r.path;
    EXPECT_EQ(forms.banks.rows[4].txtCol7, r.after);
    if (!r.valid) {
      EXPECT_EQ(outcome.texts, std::vector<std::string>{
                                   "Path must be a string between 2 and 100 characters long"});
    }
  }
}

TEST(ValidateSetup, EnvironmentLimitsInTheirShortestForm) {
  struct Row {
    int field;
    const char* text;
    bool valid;
    const char* message;
  } rows[] = {
      {1, "99.99", true, ""},
      {1, "100", false, "Maximum commercial loan rate must be a number between 1 and 99.99"},
      {5, "0", true, ""},
      {9, "50.5", false, "Maximum checking reserve requirement must be a number between 0 and 50"},
      {15, "200", true, ""},
      {16, "0.35", true, ""},
      {16, "35", false, "Tax rate must be a number between 0.01 and 0.99"},
      {16, "abc", false, "Tax rate must be a number between 0.01 and 0.99"},
  };
  for (const Row& r : rows) {
    SetupForms forms;
    EnvFieldText(forms.environment, r.field) = r.text;
    const Outcome outcome = Check(forms, kEnvSetupForm, r.field);
    EXPECT_EQ(outcome.valid, r.valid) << r.field << " " << r.text;
    if (!r.valid) {
      EXPECT_EQ(outcome.texts, std::vector<std::string>{r.message});
    }
  }
}

TEST(ValidateSetup, UnknownFormOrFieldIsReported) {
  SetupForms forms;
  for (auto [form, field] : {std::pair{4, 1}, {1, 8}, {2, 61}, {3, 0}}) {
    const Outcome outcome = Check(forms, form, field);
    EXPECT_FALSE(outcome.valid);
    EXPECT_EQ(outcome.texts, std::vector<std::string>{"Error in Sub ValidateSetup"});
  }
}

TEST(EnvironmentFields, MapBothWaysWithHomeEquityOutOfOrder) {
  Table<double, 84> environment;
  for (int item = 1; item <= 84; ++item)
    environment(item) = item + 0.25;
  environment(environment::kTaxRate) = 0.49;
  EnvSetupForm form;
  FillEnvSetupForm(environment, &form);
  EXPECT_EQ(form.txtCol2[2], "17.25") << "field 3 shows item 17";
  EXPECT_EQ(form.txtCol2[3], "3.25") << "field 4 shows item 3";
  EXPECT_EQ(form.txtTax, "0.49");
  form.txtCol2[2] = "12.5";
  Table<double, 84> back = environment;
  StoreEnvSetupForm(form, &back);
  EXPECT_EQ(back(17), 12.5);
  EXPECT_EQ(back(3), 3.25);
  EXPECT_EQ(back(19), 19.25) << "items outside the form are untouched";
  EXPECT_EQ(back(18), static_cast<double>(0.49F)) << "stored as a single";
}

}  // namespace
}  // namespace qv
