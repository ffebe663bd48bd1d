#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/PlotFile.h"
#include "data/Session.h"
#include "platform/Table.h"
#include "reports/ReportFigures.h"

namespace qv {

// One row of the quarterly report with every bank's figure: the section it stands under (the
// text line before it in the layout), its label, and the figure of each bank as the report
// prints it (sign changed where the layout says so).
struct ResultRow {
  std::string section;
  std::string label;
  int format = 1;  // the report's format code 1..6
  Table<double, kMaxBanks> values;
};

// The rows of the report layout `layout` (the text of report.qvs) with the figures of
// `figures`: competitor values and amounts from COMP.QV, decisions from banks.qv. Throws
// RuntimeError as the report does for a layout it cannot read.
std::vector<ResultRow> ReportRows(std::string_view layout, const ReportFigures& figures);

// `value` of `row` as the report prints it, without its column padding.
std::string FormatResult(const ResultRow& row, double value);

// Names of a bank's four history series in PLOTV.QV.
std::string HistorySeriesName(int series);

// Bank `bank`'s four series (series, quarter; oldest quarter first) from PLOTV.QV of
// `GamePath`. Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadBankHistory(Session& session, int bank, BankHistory* history);

}  // namespace qv
