#include "reports/ReportLayout.h"

#include <cmath>

#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "reports/ReportFormats.h"
#include "reports/ReportItems.h"

namespace qv {

namespace {

constexpr double kHeaderCode = -10;
constexpr double kEndCode = 99;
constexpr double kTextCode = 0;
constexpr int kValueRow = 1;
constexpr int kDecisionRow = 2;
constexpr int kAmountRow = 3;

// The layout's lines in order; reading past the last line is run-time error 62, as reading
// past the end of a text file is.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  std::string_view Next() {
    if (at_ >= text_.size()) {
      throw RuntimeError(error::kInputPastEnd);
    }
    std::size_t end = text_.find('\n', at_);
    std::string_view line;
    if (end == std::string_view::npos) {
      line = text_.substr(at_);
      at_ = text_.size();
    } else {
      line = text_.substr(at_, end - at_);
      at_ = end + 1;
    }
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    return line;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

RowSource SourceOfRow(const LayoutFields& fields) {
  const double kind = std::abs(fields(1));
  // A layout number used as an item number: the nearest whole number.
  int row = ToInteger(fields(3));
  if (kind == kValueRow) {
    FindValueRow(row);
    return {kValueRow, row};
  }
  if (kind == kAmountRow) {
    FindAmountRow(row);
    return {kAmountRow, row};
  }
  if (kind == kDecisionRow) {
    return {kDecisionRow, row};
  }
  return {};
}

void WalkLayout(std::string_view layout, const ReportFigures& figures, int num_banks,
                LayoutReader& reader) {
  LineReader lines(layout);
  LayoutFields fields;
  RowFigures row_figures;
  for (;;) {
    ParseLayoutLine(lines.Next(), fields);
    const double code = fields(1);
    if (code == kHeaderCode) {
      reader.Header(lines.Next());
    } else if (code == kEndCode) {
      return;
    } else if (code == kTextCode) {
      reader.Text(lines.Next());
    } else {
      const std::string_view label = lines.Next();
      const int format = ReportFormatCode(fields(2));
      const RowSource source = SourceOfRow(fields);
      for (int b = 1; b <= num_banks; ++b) {
        switch (source.kind) {
          case kDecisionRow:
            row_figures(b) = figures.banks.Decision(b, source.row);
            break;
          case kValueRow:
            row_figures(b) = figures.competitors.CompetitorValues(b, source.row);
            break;
          case kAmountRow:
            row_figures(b) = figures.competitors.CompetitorAmounts(b, source.row);
            break;
          default:
            break;
        }
      }
      if (code < 0) {
        for (double& value : row_figures) {
          value = -value;
        }
      }
      reader.Row(LayoutRow{fields, label, format, row_figures});
    }
  }
}

}  // namespace qv
