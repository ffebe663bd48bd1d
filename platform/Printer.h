#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace qv {

// A printer font as the print and font dialogs describe it; size in points.
struct PrinterFont {
  std::string name;
  double size = 12;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const PrinterFont&) const = default;
};

// The printer the report goes to: lines of text placed at character columns of a fixed-pitch
// font, pages, and the document that holds them. Columns are counted from 1 at the left
// margin. Text is Windows-1252, one byte a character.
class Printer {
 public:
  virtual ~Printer() = default;

  // Names of the fonts the printer offers.
  virtual std::vector<std::string> FontNames() = 0;
  // The font dialog "Select Printer Font": fixed-pitch printer fonts only, with `preset`
  // selected. Returns false when the dialog was cancelled; `chosen` is then untouched.
  virtual bool ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) = 0;
  virtual void SetFont(const PrinterFont& font) = 0;

  // Asks the printer to turn out `copies` copies of the document by itself. Returns false
  // when it cannot; the caller then prints the document that many times.
  virtual bool SetCopies(int copies) = 0;

  // Moves the print position to `column` of the current line; when the line already reaches
  // past that column, to that column of the next line.
  virtual void Tab(int column) = 0;
  // Prints `text` at the print position, which moves on by its length.
  virtual void Print(std::string_view text) = 0;
  // Ends the current line; the next text starts at column 1 of the line below.
  virtual void EndLine() = 0;
  virtual void NewPage() = 0;
  // Ends the document and hands it to the printer; the status tells whether it got there.
  // Whatever is printed afterwards starts a new document.
  virtual Status EndDoc() = 0;
};

}  // namespace qv
