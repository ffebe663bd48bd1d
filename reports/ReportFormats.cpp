#include "reports/ReportFormats.h"

#include <cmath>

#include "platform/NumberFormat.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

namespace qv {

namespace {

constexpr int kFirstFormat = 1;
constexpr int kLastFormat = 6;
// Below this size the adaptive format keeps one decimal; larger figures are shown whole so
// that they keep their leading digits within the column.
constexpr double kAdaptiveDecimalLimit = 999.95;

}  // namespace

std::string FormatReportValue(double value, int format_code) {
  switch (format_code) {
    case 1:
    case 2:
      return FormatFixed(value, 0);
    case 3:
      return FormatFixed(value, 2);
    case 4:
    case 5:
      return FormatFixed(value, 1);
    case 6:
      return FormatFixed(value, std::abs(value) < kAdaptiveDecimalLimit ? 1 : 0);
    default:
      throw RuntimeError(error::kSubscriptOutOfRange);
  }
}

int ReportFormatCode(double field) {
  const int code = ToInteger(field);
  if (code < kFirstFormat || code > kLastFormat) {
    throw RuntimeError(error::kSubscriptOutOfRange);
  }
  return code;
}

std::string RightAlignInColumn(std::string_view text) {
  std::string padded(kReportColumnWidth, ' ');
  padded += text;
  return padded.substr(padded.size() - kReportColumnWidth);
}

}  // namespace qv
