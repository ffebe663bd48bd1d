#include "reports/ReportInterpreter.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "data/GameRecord.h"
#include "platform/Clock.h"
#include "platform/NumberFormat.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "reports/ReportFormats.h"
#include "reports/ReportItems.h"

namespace qv {

namespace {

constexpr double kHeaderCode = -10;
constexpr double kEndCode = 99;
constexpr double kTextCode = 0;
constexpr double kValueRow = 1;
constexpr double kDecisionRow = 2;
constexpr double kAmountRow = 3;

constexpr int kMakerColumn = 30;
constexpr int kQuarterColumn = 36;
constexpr int kPrintedAtColumn = 59;
constexpr std::size_t kNamePartLength = 5;

// "hh:mm:ss   mm-dd-yyyy", when the report was printed.
std::string PrintedAt(const DateTime& now) {
  char seconds[8];
  std::snprintf(seconds, sizeof seconds, ":%02d", now.second % 100);
  return FormatTime(now) + seconds + "   " + FormatDate(now);
}

int BankColumn(int bank) {
  return kReportFirstBankColumn + kReportColumnWidth * (bank - 1);
}

// A layout number used as an item number: the nearest whole number.
int ItemNumber(double field) {
  return ToInteger(field);
}

}  // namespace

// The layout's lines in order; reading past the last line is run-time error 62, as reading
// past the end of a text file is.
class ReportInterpreter::LineReader {
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

void ReportInterpreter::PrintPass(std::string_view layout, bool last_pass, Printer& printer) {
  LineReader reader(layout);
  LayoutFields fields;
  for (;;) {
    ParseLayoutLine(reader.Next(), fields);
    const double code = fields(1);
    if (code == kHeaderCode) {
      PrintHeader(reader, printer);
    } else if (code == kEndCode) {
      if (!last_pass) {
        printer.NewPage();
      }
      return;
    } else if (code == kTextCode) {
      printer.Print(reader.Next());
      printer.EndLine();
    } else {
      PrintRow(fields, reader.Next(), printer);
    }
  }
}

void ReportInterpreter::PrintHeader(LineReader& reader, Printer& printer) {
  const GameRecord& game = session_.game;

  printer.Print(std::string("Quorvant Version ") + kGameVersion);
  printer.Tab(kMakerColumn);
  printer.Print(kReportMakerLine);
  printer.EndLine();

  printer.Print("Game Title: " + game.GameName);
  printer.Tab(kQuarterColumn);
  printer.Print("Quarter" + FormatPrinted(game.ResultsQuarter));
  printer.Tab(kPrintedAtColumn);
  printer.Print(PrintedAt(session_.clock.Now()));
  printer.EndLine();

  printer.EndLine();
  const std::string caption(reader.Next());

  // Bank names run over two lines, five characters in each column and the rest below.
  for (int b = 1; b <= game.NumBanks; ++b) {
    printer.Tab(BankColumn(b));
    printer.Print(" " + game.BankName(b).substr(0, kNamePartLength));
  }
  printer.EndLine();
  printer.Print(caption);
  for (int b = 1; b <= game.NumBanks; ++b) {
    const std::string& name = game.BankName(b);
    printer.Tab(BankColumn(b));
    printer.Print(" " + (name.size() > kNamePartLength ? name.substr(kNamePartLength) : ""));
  }
  printer.EndLine();

  printer.Print(std::string(kReportLabelWidth, '-'));
  printer.Tab(kReportFirstBankColumn);
  for (int b = 1; b <= game.NumBanks; ++b) {
    printer.Print(" -----");
  }
  printer.EndLine();
  printer.EndLine();
}

void ReportInterpreter::PrintRow(const LayoutFields& fields, std::string_view label,
                                 Printer& printer) {
  const int num_banks = session_.game.NumBanks;
  printer.Print(label);
  printer.Tab(kReportFirstBankColumn);
  const int format = ReportFormatCode(fields(2));

  const double kind = std::abs(fields(1));
  if (kind == kDecisionRow) {
    const int item = ItemNumber(fields(3));
    for (int b = 1; b <= num_banks; ++b) {
      row_values_(b) = figures_.banks.Decision(b, item);
    }
  } else if (kind == kValueRow) {
    int row = ItemNumber(fields(3));
    FindValueRow(row);
    for (int b = 1; b <= num_banks; ++b) {
      row_values_(b) = figures_.competitors.CompetitorValues(b, row);
    }
  } else if (kind == kAmountRow) {
    int row = ItemNumber(fields(3));
    FindAmountRow(row);
    for (int b = 1; b <= num_banks; ++b) {
      row_values_(b) = figures_.competitors.CompetitorAmounts(b, row);
    }
  }
  if (fields(1) < 0) {
    for (double& value : row_values_) {
      value = -value;
    }
  }

  for (int b = 1; b <= num_banks; ++b) {
    printer.Print(RightAlignInColumn(FormatReportValue(row_values_(b), format)));
  }
  printer.EndLine();
}

}  // namespace qv
