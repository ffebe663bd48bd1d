#include <gtest/gtest.h>

#include "data/Messages.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

struct Messages : ::testing::Test, test::TestSession {};

TEST_F(Messages, TellKeepsTheTextAndReturnsTheAnswer) {
  ui.Then(Answer::kNo);
  EXPECT_EQ(Tell(session, "Replace it?", Buttons::kYesNo, Icon::kExclamation, 2), Answer::kNo);
  ASSERT_EQ(ui.shown().size(), 1U);
  const Message& shown = ui.shown()[0];
  EXPECT_EQ(shown.text, "Replace it?");
  EXPECT_EQ(shown.title, "Quorvant Instructor");
  EXPECT_EQ(shown.buttons, Buttons::kYesNo);
  EXPECT_EQ(shown.default_button, 2);
  EXPECT_EQ(session.MessageText, "Replace it?");
}

// The reporter's text is what instructors quote when they report a fault, so each procedure's
// form must stay as it is.
TEST_F(Messages, RunTimeErrorsNameTheirProcedureAndNumber) {
  struct Case {
    const char* where;
    int number;
    const char* expected;
  };
  const Case cases[] = {
      {"Sub AdvanceGame", 6, "Quorvant Sub AdvanceGame Error 6"},
      {"CalcPeriod0 Module", 11, "Quorvant CalcPeriod0 Module Error 11"},
      {"Main Module Application", 0, "Quorvant Main Module Application Error 0"},
  };
  ui.AcknowledgeOkBoxes();
  for (const Case& c : cases) {
    ReportRuntimeError(session, c.where, c.number);
    const Message& shown = ui.shown().back();
    EXPECT_EQ(shown.text, c.expected) << c.where;
    EXPECT_EQ(shown.buttons, Buttons::kOk) << c.where;
    EXPECT_EQ(shown.icon, Icon::kExclamation) << c.where;
    EXPECT_EQ(session.MessageText, c.expected) << c.where;
  }
}

}  // namespace
}  // namespace qv
