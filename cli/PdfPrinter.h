#pragma once

#include <string>

#include "platform/Printer.h"
#include "reports/TextPages.h"

namespace qv::cli {

// A printer that turns the document into a PDF file of Letter pages in Courier 12, the
// standard fixed-pitch font every PDF reader has, so the text extracts with its columns.
// A page longer than a sheet continues on the next sheet.
class PdfPrinter final : public Printer {
 public:
  explicit PdfPrinter(std::string path) : path_(std::move(path)) {}

  std::vector<std::string> FontNames() override { return {"Courier"}; }
  bool ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) override;
  void SetFont(const PrinterFont& font) override { pages_.SetFont(font); }
  bool SetCopies(int copies) override { return copies == 1; }
  void Tab(int column) override { pages_.Tab(column); }
  void Print(std::string_view text) override { pages_.Print(text); }
  void EndLine() override { pages_.EndLine(); }
  void NewPage() override { pages_.NewPage(); }
  // Writes the file.
  Status EndDoc() override;

 private:
  std::string path_;
  TextPages pages_;
};

// The PDF of `pages` (Windows-1252 lines) as bytes.
std::string RenderPdf(const std::vector<std::vector<std::string>>& pages);

}  // namespace qv::cli
