#include <gtest/gtest.h>

#include <string>

#include "platform/RuntimeError.h"
#include "reports/LayoutLine.h"

namespace qv {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOnly) {
  struct Row {
    const char* text;
    double expected;
    const char* shows;
  } rows[] = {
      {"12", 12, "plain digits"},
      {"   -10", -10, "leading blanks are skipped"},
      {"\t3", 3, "a tab is a blank"},
      {"+7", 7, "a plus sign"},
      {"2.5", 2.5, "a decimal point"},
      {"-.5", -0.5, "no digit before the point"},
      {"5.", 5, "no digit after the point"},
      {"1e3", 1000, "an exponent"},
      {"1.5E-1", 0.15, "an exponent with a sign"},
      {"2e", 2, "an exponent letter without digits ends the number"},
      {"2e+", 2, "nor does a sign without digits"},
      {"99 Total", 99, "text after the number is ignored"},
      {"1 2", 1, "a blank ends the number"},
      {"3-4", 3, "a second sign ends the number"},
      {"1.2.3", 1.2, "a second point ends the number"},
      {"", 0, "empty"},
      {"   ", 0, "blanks only"},
      {"Net Income", 0, "a label"},
      {".", 0, "a point alone"},
      {"-", 0, "a sign alone"},
      {"- 5", 0, "a blank after the sign"},
  };
  for (const Row& row : rows) {
    EXPECT_DOUBLE_EQ(LeadingNumber(row.text), row.expected)
        << '"' << row.text << "\": " << row.shows;
  }
}

TEST(LeadingNumber, ANumberBeyondADoubleIsAnOverflow) {
  try {
    LeadingNumber("1e999");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), error::kOverflow);
  }
}

TEST(ParseLayoutLine, FillsTenFieldsFromTheCommaSeparatedList) {
  LayoutFields f;
  f.Fill(7);  // left over from an earlier line
  ParseLayoutLine("-1, 3 ,103", f);
  EXPECT_EQ(f(1), -1);
  EXPECT_EQ(f(2), 3);
  EXPECT_EQ(f(3), 103);
  for (int i = 4; i <= kLayoutFieldCount; ++i) {
    EXPECT_EQ(f(i), 0) << "field " << i << " was not reset";
  }

  ParseLayoutLine("1,,x,4", f);
  EXPECT_EQ(f(1), 1);
  EXPECT_EQ(f(2), 0) << "empty field";
  EXPECT_EQ(f(3), 0) << "field without a number";
  EXPECT_EQ(f(4), 4);

  ParseLayoutLine("1,2,3,4,5,6,7,8,9,10,11,12", f);
  EXPECT_EQ(f(10), 10) << "fields beyond the tenth are ignored, not folded in";

  ParseLayoutLine("", f);
  EXPECT_EQ(f(1), 0) << "an empty line is a text line";
}

}  // namespace
}  // namespace qv
