#pragma once

#include <string>
#include <string_view>

namespace qv {

// Width of a bank's column in the report.
inline constexpr int kReportColumnWidth = 6;

// `value` in the report's number format `format_code`:
//   1 "####0"   2 "######0"   3 "#0.00"   4 "##0.0"   5 "###0.0"
//   6 adaptive: "###0.0" while |value| < 999.95, else "#####0", so that a value keeps one
//     decimal for as long as it fits a column.
// A code outside 1..6 is run-time error 9.
std::string FormatReportValue(double value, int format_code);

// The format code a layout field names: its nearest whole number, which must lie in 1..6;
// anything else is run-time error 9.
int ReportFormatCode(double field);

// `text` right-aligned in a column of six: six blanks before it, and the last six characters
// of that, so a longer text loses its leading characters.
std::string RightAlignInColumn(std::string_view text);

}  // namespace qv
