#include "reports/ReportInterpreter.h"

#include <cstdio>
#include <string>

#include "data/GameRecord.h"
#include "platform/Clock.h"
#include "platform/NumberFormat.h"
#include "platform/RuntimeError.h"
#include "reports/ReportFormats.h"

namespace qv {

namespace {

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

}  // namespace

// Prints what the layout walk hands over: the header, text lines and rows.
class ReportInterpreter::PagePrinter final : public LayoutReader {
 public:
  PagePrinter(ReportInterpreter& interpreter, Printer& printer)
      : interpreter_(interpreter), printer_(printer) {}

  void Header(std::string_view caption) override { interpreter_.PrintHeader(caption, printer_); }
  void Text(std::string_view line) override {
    printer_.Print(line);
    printer_.EndLine();
  }
  void Row(const LayoutRow& row) override { interpreter_.PrintRow(row, printer_); }

 private:
  ReportInterpreter& interpreter_;
  Printer& printer_;
};

void ReportInterpreter::PrintPass(std::string_view layout, bool last_pass, Printer& printer) {
  PagePrinter pages(*this, printer);
  WalkLayout(layout, figures_, session_.game.NumBanks, pages);
  if (!last_pass) {
    printer.NewPage();
  }
}

void ReportInterpreter::PrintHeader(std::string_view caption_line, Printer& printer) {
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
  const std::string caption(caption_line);

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

void ReportInterpreter::PrintRow(const LayoutRow& row, Printer& printer) const {
  printer.Print(row.label);
  printer.Tab(kReportFirstBankColumn);
  for (int b = 1; b <= session_.game.NumBanks; ++b) {
    printer.Print(RightAlignInColumn(FormatReportValue(row.figures(b), row.format)));
  }
  printer.EndLine();
}

}  // namespace qv
