#pragma once

#include <string_view>

#include "data/Session.h"
#include "platform/Printer.h"
#include "platform/Table.h"
#include "reports/LayoutLine.h"
#include "reports/ReportFigures.h"
#include "reports/ReportLayout.h"

namespace qv {

// Character columns of the report: labels fill columns 1..17, bank b's figures stand in the
// six columns from 18 + 6(b - 1).
inline constexpr int kReportFirstBankColumn = 18;
inline constexpr int kReportLabelWidth = kReportFirstBankColumn - 1;

// The text at column 30 of the report's first line.
inline constexpr const char* kReportMakerLine = "Bank Management Simulation";

// Prints the report from its layout file, one pass per copy, through the same walk of the
// layout (WalkLayout) as the on-screen results table. Each instruction line is a list of
// numbers whose first is the line code:
//   -10  the header; the next line is the caption of the bank-name column
//    0   a text line; the next line is printed as it stands
//   +-1  a row of competitor values   (field 2 the format code 1..6, field 3 the item,
//   +-2  a row of decisions            which for values and amounts may be a bank-result or
//   +-3  a row of competitor amounts   bank-amount item number); the next line is the label
//   99   the end of one copy
// A negative row code prints the figures with their signs changed. A row code of any other
// size prints the figures of the row before it again.
class ReportInterpreter {
 public:
  ReportInterpreter(Session& session, const ReportFigures& figures)
      : session_(session), figures_(figures) {}

  // One pass over `layout` (the whole text of the layout file, CR LF or LF lines) onto
  // `printer`; a pass that is not the last ends with a new page. Throws RuntimeError: 62
  // when the layout ends before its line 99, 9 for a format code outside 1..6 or an item
  // outside the table it indexes, 6 for a number that does not fit.
  void PrintPass(std::string_view layout, bool last_pass, Printer& printer);

 private:
  class PagePrinter;

  void PrintHeader(std::string_view caption, Printer& printer);
  void PrintRow(const LayoutRow& row, Printer& printer) const;

  Session& session_;
  const ReportFigures& figures_;
};

}  // namespace qv
