#include "cli/PdfPrinter.h"

#include <cstdio>
#include <fstream>

#include "platform/RuntimeError.h"

namespace qv::cli {

namespace {

constexpr int kPageWidth = 612;  // Letter, in points
constexpr int kPageHeight = 792;
constexpr int kLeftMargin = 25;
constexpr int kTopMargin = 36;
constexpr int kLineHeight = 12;
constexpr int kLinesPerSheet = (kPageHeight - 2 * kTopMargin) / kLineHeight;

// A PDF literal string: the bytes as they are (the font uses the Windows code page), with
// the three characters that have a meaning escaped.
std::string Literal(const std::string& text) {
  std::string out = "(";
  for (const char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  out += ')';
  return out;
}

std::string SheetContents(const std::vector<std::string>& lines, std::size_t first,
                          std::size_t count) {
  std::string stream = "BT\n/F1 12 Tf\n" + std::to_string(kLineHeight) + " TL\n" +
                       std::to_string(kLeftMargin) + " " +
                       std::to_string(kPageHeight - kTopMargin - kLineHeight + 2) + " Td\n";
  for (std::size_t i = first; i < first + count; ++i) {
    if (!lines[i].empty()) {
      stream += Literal(lines[i]) + " Tj\n";
    }
    stream += "T*\n";
  }
  return stream + "ET\n";
}

}  // namespace

bool PdfPrinter::ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) {
  *chosen = preset;
  chosen->name = "Courier";
  return true;
}

Status PdfPrinter::EndDoc() {
  (void)pages_.EndDoc();
  std::ofstream file(path_, std::ios::binary | std::ios::trunc);
  file << RenderPdf(pages_.pages());
  file.close();
  if (!file) {
    return Status::Error(error::kPathFileAccess, "cannot write " + path_);
  }
  return Status::Ok();
}

std::string RenderPdf(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> sheets;
  for (const auto& page : pages) {
    for (std::size_t first = 0; first == 0 || first < page.size(); first += kLinesPerSheet) {
      const std::size_t count =
          std::min<std::size_t>(kLinesPerSheet, page.size() > first ? page.size() - first : 0);
      sheets.push_back(SheetContents(page, first, count));
    }
  }
  // Objects: 1 catalogue, 2 page tree, 3 font, then a page and its contents per sheet.
  std::vector<std::string> objects;
  std::string kids;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    kids += std::to_string(4 + 2 * i) + " 0 R ";
  }
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(sheets.size()) +
                    " >>");
  objects.push_back(
      "<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>");
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(kPageWidth) +
                      " " + std::to_string(kPageHeight) +
                      "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                      std::to_string(5 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(sheets[i].size()) + " >>\nstream\n" +
                      sheets[i] + "endstream");
  }
  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace qv::cli
