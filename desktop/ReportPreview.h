#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

#include "platform/Printer.h"
#include "reports/TextPages.h"

class QPrinter;

namespace qv {

// The report's printer with Qt's print preview dialog before the paper: fonts and copies are
// the real printer's, the report is kept as it is composed, and the end of the document shows
// it in the preview (object name "dlgPrintPreview"). Its Print button sends it to `printer` as
// set up by the print dialog; closing the preview prints nothing.
class ReportPreview final : public Printer {
 public:
  ReportPreview(QPrinter& printer, QWidget* owner);

  std::vector<std::string> FontNames() override;
  bool ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) override;
  void SetFont(const PrinterFont& font) override { font_ = font; }
  bool SetCopies(int copies) override;
  void Tab(int column) override { pages_.Tab(column); }
  void Print(std::string_view text) override { pages_.Print(text); }
  void EndLine() override { pages_.EndLine(); }
  void NewPage() override { pages_.NewPage(); }
  // Shows the preview; the status is the printer's when Print was pressed, else OK.
  Status EndDoc() override;

  // A font the instructor chose in Options, used in place of the font dialog.
  void set_preferred_font(const PrinterFont& font) { preferred_ = font; }

  // Whether the last preview was sent to the printer.
  bool printed() const { return printed_; }

  // Draws the report on `printer` as the preview and the paper show it.
  Status PaintOn(QPrinter& printer);

 private:
  QPrinter& printer_;
  QPointer<QWidget> owner_;
  PrinterFont font_;
  std::optional<PrinterFont> preferred_;
  TextPages pages_;
  bool printed_ = false;
};

}  // namespace qv
