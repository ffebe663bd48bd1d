#include "setup/BankResults.h"

#include <cmath>

#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"
#include "reports/LayoutLine.h"
#include "reports/ReportFormats.h"
#include "reports/ReportItems.h"

namespace qv {

namespace {

constexpr int kHeaderCode = -10;
constexpr int kTextCode = 0;
constexpr int kValueRow = 1;
constexpr int kDecisionRow = 2;
constexpr int kAmountRow = 3;
constexpr int kEndCode = 99;

// The lines of the layout, CR LF or LF.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<ResultRow> ReportRows(std::string_view layout, const ReportFigures& figures) {
  const std::vector<std::string_view> lines = Lines(layout);
  std::vector<ResultRow> rows;
  std::string section;
  LayoutFields fields;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    ParseLayoutLine(lines[i], fields);
    const int code = static_cast<int>(std::lround(fields(1)));
    const std::string_view next = lines[i + 1];
    if (code == kEndCode) {
      break;
    }
    if (code == kHeaderCode) {
      continue;
    }
    if (code == kTextCode) {
      // A section keeps its heading up to the first run of blanks (the note after it).
      const std::string heading = Trimmed(next.substr(0, next.find("  ")));
      if (!heading.empty()) {
        section = heading;
      }
      continue;
    }
    ResultRow row;
    row.section = section;
    row.label = Trimmed(next);
    row.format = ReportFormatCode(fields(2));
    const int kind = std::abs(code);
    int item = static_cast<int>(std::lround(fields(3)));
    for (int b = 1; b <= kMaxBanks; ++b) {
      double value = 0.0;
      if (kind == kDecisionRow) {
        value = figures.banks.Decision(b, item);
      } else if (kind == kValueRow) {
        int found = item;
        FindValueRow(found);
        value = figures.competitors.CompetitorValues(b, found);
      } else if (kind == kAmountRow) {
        int found = item;
        FindAmountRow(found);
        value = figures.competitors.CompetitorAmounts(b, found);
      } else {
        continue;
      }
      row.values(b) = code < 0 ? -value : value;
    }
    if (kind >= kValueRow && kind <= kAmountRow) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::string FormatResult(const ResultRow& row, double value) {
  return Trimmed(FormatReportValue(value, row.format));
}

std::string HistorySeriesName(int series) {
  switch (series) {
    case 1:
      return "Earnings/Share";
    case 2:
      return "Dividend/Share";
    case 3:
      return "Net Income";
    case 4:
      return "Total Assets";
    default:
      return {};
  }
}

bool ReadBankHistory(Session& session, int bank, BankHistory* history) {
  const int first = BankHistoryRecord(bank);
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.GamePath, kPlotReadName), kPlotRecordLength,
                      {first, first + 1}, &records)) {
    return false;
  }
  for (int half = 0; half < 2; ++half) {
    const RecordBuffer& record = records[static_cast<std::size_t>(half)].record;
    for (int n = 1; n <= 2 * kPlotQuarters; ++n) {
      const int series = 2 * half + 1 + (n - 1) / kPlotQuarters;
      (*history)(series, (n - 1) % kPlotQuarters + 1) = record.Single(n);
    }
  }
  return true;
}

}  // namespace qv
