#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Printer.h"

namespace qv {

// A printer that keeps its document as pages of plain-text lines, one byte per character
// column. It is what `qvctl report` prints and what tests read, and it holds a report while
// it is being composed so that only a whole report reaches a real printer.
class TextPages final : public Printer {
 public:
  struct Options {
    std::vector<std::string> fonts = {"Courier"};
    // What the font dialog answers; none means the dialog is cancelled.
    std::optional<PrinterFont> dialog_font = std::nullopt;
    // Whether the printer turns out copies by itself (Render then repeats the document).
    bool prints_copies = false;
    // Lines after which a page is full and the next line starts a new one; 0: no limit.
    int lines_per_page = 0;
  };

  TextPages() = default;
  explicit TextPages(Options options) : options_(std::move(options)) {}

  std::vector<std::string> FontNames() override { return options_.fonts; }
  bool ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) override;
  void SetFont(const PrinterFont& font) override { font_ = font; }
  bool SetCopies(int copies) override;
  void Tab(int column) override;
  void Print(std::string_view text) override;
  void EndLine() override;
  void NewPage() override;
  Status EndDoc() override;

  // The pages of one copy, each a list of lines without line ends.
  const std::vector<std::vector<std::string>>& pages() const { return pages_; }
  const PrinterFont& font() const { return font_; }
  int copies() const { return copies_; }
  bool ended() const { return ended_; }
  // The font dialog's presets, one per time it was shown.
  const std::vector<PrinterFont>& dialog_presets() const { return dialog_presets_; }

  // The whole document as text: every line ends in "\n" and every page after the first
  // begins with a form feed; the printer's own copies follow one another, each on new pages.
  std::string Render() const;

  // Prints the pages onto `printer`, line by line and page by page; the document is not ended.
  void PrintOn(Printer& printer) const;

 private:
  std::string& CurrentLine();
  // After EndDoc the next text starts a new document.
  void BeginIfEnded();

  Options options_;
  PrinterFont font_;
  int copies_ = 1;
  bool ended_ = false;
  std::vector<PrinterFont> dialog_presets_;
  std::vector<std::vector<std::string>> pages_ = {{}};
  std::size_t row_ = 0;  // line of the last page the print position is on, from 0
  int column_ = 1;
};

}  // namespace qv
