#pragma once

#include <string>

#include "data/Session.h"
#include "platform/Printer.h"

namespace qv {

inline constexpr const char* kReportLayoutName = "report.qvs";

// `ProgramDir` + "report.qvs", the layout the program ships with.
std::string ReportLayoutPath(const Session& session);

enum class ReportOutcome {
  kPrinted,    // the whole report went to the printer and its document was ended
  kCancelled,  // no copies asked for, or the font dialog was cancelled; nothing was shown
  kFailed,     // a failure was shown and the person at the keyboard gave up
};

// Prints the quarterly report of the open game: reads COMP.QV, PLOTV.QV and banks.qv of
// `GamePath`, sets the printer's font (Courier 12 when the printer has it, else the font
// dialog's choice), and prints `copies` copies laid out by the file `layout_path`, as the
// printer's own copies or one pass of the layout per copy, each on new pages.
//
// The report is composed in full before any of it reaches `printer`, so a failure prints
// nothing. A failed read (error 0) or any run-time error on the way, including a layout that
// is missing or ends before its line 99, shows "Error Printing Report: " and the error
// number with Retry, which starts again with the reads, and Cancel.
ReportOutcome PrintReport(Session& session, const std::string& layout_path, int copies,
                          Printer& printer);

}  // namespace qv
