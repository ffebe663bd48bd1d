#include <gtest/gtest.h>

#include <string>

#include "platform/RuntimeError.h"
#include "reports/ReportFormats.h"
#include "reports/ReportItems.h"

namespace qv {
namespace {

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

TEST(ReportFormats, EachCodeGivesItsPattern) {
  struct Row {
    double value;
    int code;
    const char* expected;
    const char* shows;
  } rows[] = {
      {1234.5, 1, "1235", "\"####0\" rounds halves away from zero"},
      {-2.5, 1, "-3", "\"####0\" negative half"},
      {0.4, 1, "0", "\"####0\" keeps a zero"},
      {1234567, 2, "1234567", "\"######0\" no grouping"},
      {3.14159, 3, "3.14", "\"#0.00\""},
      {0.005, 3, "0.01", "\"#0.00\" half"},
      {-0.001, 3, "0.00", "\"#0.00\" a negative that rounds to zero has no sign"},
      {12.25, 4, "12.3", "\"##0.0\""},
      {5, 5, "5.0", "\"###0.0\" shows its decimal"},
      {999.94, 6, "999.9", "adaptive below 999.95 keeps one decimal"},
      {999.95, 6, "1000", "adaptive from 999.95 is whole"},
      {-999.94, 6, "-999.9", "adaptive by size, negative"},
      {-999.95, 6, "-1000", "adaptive by size, negative whole"},
      {12345.6, 6, "12346", "adaptive large"},
      {0, 6, "0.0", "adaptive zero"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FormatReportValue(row.value, row.code), row.expected)
        << row.value << " in format " << row.code << ": " << row.shows;
  }
}

TEST(ReportFormats, FormatCodeIsTheNearestWholeNumberFrom1To6) {
  EXPECT_EQ(ReportFormatCode(1), 1);
  EXPECT_EQ(ReportFormatCode(6), 6);
  EXPECT_EQ(ReportFormatCode(2.5), 2) << "halves to even";
  EXPECT_EQ(ReportFormatCode(3.5), 4) << "halves to even";
  for (const double bad : {0.0, 7.0, -1.0, 0.4, 6.6}) {
    EXPECT_EQ(ErrorOf([&] { ReportFormatCode(bad); }), error::kSubscriptOutOfRange) << bad;
  }
  EXPECT_EQ(ErrorOf([] { FormatReportValue(1, 7); }), error::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([] { ReportFormatCode(1e9); }), error::kOverflow);
}

TEST(ReportItems, LookupsTurnItemNumbersIntoRows) {
  struct Row {
    bool amounts;
    int item;
    int expected;
    const char* shows;
  } rows[] = {
      {false, 1, 1, "the first value item"},
      {false, 103, 21, "home equity yield"},
      {false, 104, 22, "the last value item"},
      {false, 2, 2, "not a value item: taken as the row itself"},
      {false, 40, 40, "not a value item"},
      {false, 0, 23, "0 meets the first unused position"},
      {false, 41, 41, "outside the rows: left for the table to refuse"},
      {true, 11, 11, "equity"},
      {true, 32, 12, "commercial loans"},
      {true, 129, 20, "129 stands twice; the first position wins"},
      {true, 130, 26, "the last amount item"},
      {true, 12, 12, "not an amount item"},
      {true, 0, 27, "0 meets the first unused position"},
  };
  for (const Row& row : rows) {
    int item = row.item;
    row.amounts ? FindAmountRow(item) : FindValueRow(item);
    EXPECT_EQ(item, row.expected) << (row.amounts ? "amount " : "value ") << row.item << ": "
                                  << row.shows;
  }
}

}  // namespace
}  // namespace qv
