#include <gtest/gtest.h>

#include <sstream>

#include "cli/ConsoleUi.h"
#include "cli/SetupFile.h"

namespace qv::cli {
namespace {

EnvSetupForm Defaults() {
  EnvSetupForm form;
  form.txtTax = "0.49";
  form.txtCol4[0] = "12.75";
  return form;
}

TEST(SetupFile, FillsTheFormsAsTheInstructorWould) {
  const std::string text = R"({
    "game_title": "Fall 26", "instructor_name": "Reyes", "instructor_password": "secret",
    "beginning_period": 37,
    "banks": [
      {"name": "Alpha", "management": "Human", "president": "Kim", "password": "a1",
       "type": "Full Service", "path": "/srv/disks/alpha/"},
      {"name": "Beta", "management": "Computer2", "type": "Business"}
    ],
    "environment": {"tax_rate": 0.35, "max_cd_rate": "12.5", "checking_reserve": 10}
  })";
  SetupFile setup;
  std::string problem;
  ASSERT_TRUE(ParseSetupFile(text, Defaults(), &setup, &problem)) << problem;
  const SetupForms& forms = setup.forms;
  EXPECT_EQ(setup.num_banks, 2);
  EXPECT_EQ(forms.game.txtNoBanks, "2");
  EXPECT_EQ(forms.game.txtGname, "Fall 26");
  EXPECT_EQ(forms.game.txtConfirm, "secret") << "a file confirms its own password";
  EXPECT_EQ(forms.game.cboEnv, 0);
  EXPECT_EQ(forms.game.txtBegin, "37");
  EXPECT_EQ(forms.banks.rows[0].txtCol7, "/srv/disks/alpha/");
  EXPECT_EQ(forms.banks.rows[1].cboCol3, 2);
  EXPECT_EQ(forms.banks.rows[1].cboCol6, 2);
  EXPECT_EQ(forms.environment.txtTax, "0.35");
  EXPECT_EQ(forms.environment.txtCol2[7], "12.5");
  EXPECT_EQ(forms.environment.txtCol4[0], "10");
  EXPECT_EQ(forms.environment.txtCol4[1], "") << "keys left out keep the defaults given";
}

TEST(SetupFile, RandomPeriodIsTheDefault) {
  SetupFile setup;
  std::string problem;
  ASSERT_TRUE(ParseSetupFile(R"({"game_title": "G", "banks": [{"name": "A", "path": "/d/"}]})",
                             Defaults(), &setup, &problem));
  EXPECT_EQ(setup.forms.game.cboEnv, 1);
  EXPECT_EQ(setup.forms.game.txtBegin, "");
  ASSERT_TRUE(ParseSetupFile(R"({"game_title": "G", "beginning_period": "random",
                                 "banks": [{"name": "A", "path": "/d/"}]})",
                             Defaults(), &setup, &problem));
  EXPECT_EQ(setup.forms.game.cboEnv, 1);
}

TEST(SetupFile, NamesTheKeyThatIsWrong) {
  struct Row {
    const char* json;
    const char* problem;
  } rows[] = {
      {R"({"banks": [{"name": "A"}]})", "game_title is missing"},
      {R"({"game_title": "G"})", "banks must be a list of 1 to 10 banks"},
      {R"({"game_title": "G", "banks": []})", "banks must be a list of 1 to 10 banks"},
      {R"({"game_title": "G", "banks": [{"name": "A", "management": "Robot"}]})",
       "banks[1].management must be one of \"Human\", \"Computer1\", \"Computer2\", "
       "\"Computer3\""},
      {R"({"game_title": "G", "banks": [{"name": "A"}, {"type": "Business"}]})",
       "banks[2].name is missing"},
      {R"({"game_title": "G", "banks": [{"name": "A", "colour": "red"}]})",
       "unknown key banks[1].colour"},
      {R"({"game_title": "G", "banks": [{"name": "A"}], "environment": {"max_rate": 5}})",
       "unknown key environment.max_rate"},
      {R"({"game_title": ["G"], "banks": [{"name": "A"}]})",
       "game_title must be a string or a number"},
      {R"({"title": "G"})", "unknown key title"},
      {R"({"game_title": "G", "banks": [{"name": "A", "management": "Computer1"}, {"name": "B"}]})",
       "banks[2].path is missing: a bank managed by a team needs the folder of its bank disk"},
  };
  for (const Row& row : rows) {
    SetupFile setup;
    std::string problem;
    EXPECT_FALSE(ParseSetupFile(row.json, Defaults(), &setup, &problem)) << row.json;
    EXPECT_EQ(problem, row.problem) << row.json;
  }
  SetupFile setup;
  std::string problem;
  EXPECT_FALSE(ParseSetupFile("{ not json", Defaults(), &setup, &problem));
  EXPECT_NE(problem.find("not valid JSON"), std::string::npos) << problem;
}

TEST(ConsoleUi, UnattendedAnswersAlwaysEnd) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUi ui(Streams{in, out, err, false, ""});
  const Message disk{"Please insert the student disk for bank 1: Alpha", kAppTitle,
                     Buttons::kOkCancel, Icon::kNone, 1};
  const Message sure{"Are you sure you want to cancel?", kAppTitle, Buttons::kYesNo,
                     Icon::kExclamation, 2};
  EXPECT_EQ(ui.Show(disk), Answer::kOk) << "to read the disk";
  EXPECT_EQ(ui.Show(disk), Answer::kOk) << "to write it back";
  EXPECT_EQ(ui.Show(disk), Answer::kCancel) << "asked again, the disk is not coming";
  EXPECT_EQ(ui.Show(sure), Answer::kNo) << "the default button first";
  EXPECT_EQ(ui.Show(sure), Answer::kYes) << "then the other, so nothing loops";
  EXPECT_EQ(ui.Show(sure), Answer::kNo) << "and in turn after that";
  EXPECT_EQ(ui.Show(Message{"Cannot write file x", kAppTitle, Buttons::kRetryCancel,
                            Icon::kExclamation, 1}),
            Answer::kCancel);
  EXPECT_EQ(out.str(),
            "Please insert the student disk for bank 1: Alpha\n  -> OK\n"
            "Please insert the student disk for bank 1: Alpha\n  -> OK\n"
            "Please insert the student disk for bank 1: Alpha\n  -> Cancel\n"
            "Are you sure you want to cancel?\n  -> No\n"
            "Are you sure you want to cancel?\n  -> Yes\n"
            "Are you sure you want to cancel?\n  -> No\n"
            "Cannot write file x\n  -> Cancel\n");
}

TEST(ConsoleUi, GivesUpWhenQuestionsNeverStop) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUi ui(Streams{in, out, err, false, ""});
  const Message again{"Again?", kAppTitle, Buttons::kYesNo, Icon::kNone, 1};
  EXPECT_THROW(
      {
        for (;;)
          ui.Show(again);
      },
      UnattendedLoop);
}

TEST(ConsoleUi, AsksAtATerminal) {
  std::istringstream in("x\nr\n");
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUi ui(Streams{in, out, err, true, ""});
  EXPECT_EQ(ui.Show(Message{"Cannot read file y", kAppTitle, Buttons::kRetryCancel,
                            Icon::kExclamation, 1}),
            Answer::kRetry);
  EXPECT_EQ(ui.Show(Message{"Again?", kAppTitle, Buttons::kYesNo, Icon::kNone, 1}), Answer::kClosed)
      << "end of input closes the box";
}

}  // namespace
}  // namespace qv::cli
