#pragma once

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "platform/Printer.h"

class QPrinter;

namespace qv {

// The report's printer on a real QPrinter (a printer, or a PDF file): text at character columns
// of the chosen fixed-pitch font, one line below the other, a new page when a page is full.
// The painting starts with the first text, so a report that never prints opens no document.
class QtPrinter final : public Printer {
 public:
  QtPrinter(QPrinter& printer, QWidget* owner);
  ~QtPrinter() override;

  // The font families the system offers for printing.
  std::vector<std::string> FontNames() override;
  // QFontDialog "Select Printer Font" limited to fixed-pitch fonts.
  bool ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) override;
  void SetFont(const PrinterFont& font) override;
  bool SetCopies(int copies) override;
  void Tab(int column) override;
  void Print(std::string_view text) override;
  void EndLine() override;
  void NewPage() override;
  Status EndDoc() override;

  // The font the text is drawn in.
  const QFont& font() const { return font_; }

 private:
  // Opens the document on first use; false when the printer refused it.
  bool Begin();
  void UsePainterFont();

  QPrinter& printer_;
  QPointer<QWidget> owner_;
  QPainter painter_;
  QFont font_;
  bool failed_ = false;
  int line_ = 0;  // from 0, on the current page
  int column_ = 1;
  double char_width_ = 0;
  double line_height_ = 0;
  double ascent_ = 0;
};

}  // namespace qv
