#include "reports/QuarterlyReport.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "data/Messages.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "reports/ReportFigures.h"
#include "reports/ReportInterpreter.h"
#include "reports/TextPages.h"

namespace qv {

namespace {

constexpr const char* kReportFont = "Courier";
constexpr double kReportFontSize = 12;
// Stands for a failed read of the game files in the failure message.
constexpr int kReadFailed = 0;

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Courier when the printer has it, whatever its letter case there; otherwise a fixed-pitch
// font from the font dialog, since the columns need one. Returns false when the dialog is
// cancelled.
bool SetReportFont(Printer& printer) {
  PrinterFont font{kReportFont, kReportFontSize};
  const std::vector<std::string> names = printer.FontNames();
  const bool has_courier = std::any_of(names.begin(), names.end(), [](const std::string& name) {
    return SameLetters(name, kReportFont);
  });
  if (!has_courier) {
    PrinterFont chosen;
    PrinterFont preset;
    preset.size = kReportFontSize;
    if (!printer.ChooseFixedPitchFont(preset, &chosen)) {
      return false;
    }
    font.name = chosen.name;
    font.size = chosen.size;
    font.bold = chosen.bold;
    font.italic = chosen.italic;
  }
  font.underline = false;
  font.strikethrough = false;
  printer.SetFont(font);
  return true;
}

std::string ReadLayout(Session& session, const std::string& layout_path) {
  std::string text;
  const Status status = session.files.ReadText(layout_path, &text);
  if (!status.ok()) {
    throw RuntimeError(status.error_number());
  }
  return text;
}

// One attempt at the whole report. Returns the outcome, or sets `error_number` and returns
// kFailed.
ReportOutcome TryPrintReport(Session& session, const std::string& layout_path, int copies,
                             Printer& printer, int& error_number) {
  ReportFigures figures;
  if (!ReadReportFigures(session, figures)) {
    error_number = kReadFailed;
    return ReportOutcome::kFailed;
  }
  if (copies < 1 || !SetReportFont(printer)) {
    return ReportOutcome::kCancelled;
  }
  const int passes = printer.SetCopies(copies) ? 1 : copies;

  TextPages document;
  ReportInterpreter interpreter(session, figures);
  for (int pass = 1; pass <= passes; ++pass) {
    interpreter.PrintPass(ReadLayout(session, layout_path), pass == passes, document);
  }
  document.PrintOn(printer);
  const Status ended = printer.EndDoc();
  if (!ended.ok()) {
    error_number = ended.error_number();
    return ReportOutcome::kFailed;
  }
  return ReportOutcome::kPrinted;
}

}  // namespace

std::string ReportLayoutPath(const Session& session) {
  return JoinPath(session.ProgramDir, kReportLayoutName);
}

ReportOutcome PrintReport(Session& session, const std::string& layout_path, int copies,
                          Printer& printer) {
  for (;;) {
    int error_number = kReadFailed;
    try {
      const ReportOutcome outcome =
          TryPrintReport(session, layout_path, copies, printer, error_number);
      if (outcome != ReportOutcome::kFailed) {
        return outcome;
      }
    } catch (const RuntimeError& failure) {
      error_number = failure.number();
    }
    const Answer answer = Tell(session, "Error Printing Report: " + std::to_string(error_number),
                               Buttons::kRetryCancel, Icon::kNone);
    if (answer != Answer::kRetry) {
      return ReportOutcome::kFailed;
    }
  }
}

}  // namespace qv
