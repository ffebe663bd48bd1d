#include "reports/TextPages.h"

#include <cstddef>

namespace qv {

bool TextPages::ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) {
  dialog_presets_.push_back(preset);
  if (!options_.dialog_font) {
    return false;
  }
  *chosen = *options_.dialog_font;
  return true;
}

bool TextPages::SetCopies(int copies) {
  if (!options_.prints_copies) {
    return false;
  }
  copies_ = copies;
  return true;
}

void TextPages::BeginIfEnded() {
  if (ended_) {
    ended_ = false;
    pages_ = {{}};
    row_ = 0;
    column_ = 1;
  }
}

std::string& TextPages::CurrentLine() {
  // A full page takes no more lines: the next one goes to the top of a new page, as paper
  // running out under the print head would.
  if (options_.lines_per_page > 0 && row_ >= static_cast<std::size_t>(options_.lines_per_page)) {
    pages_.emplace_back();
    row_ = 0;
  }
  std::vector<std::string>& page = pages_.back();
  if (page.size() <= row_) {
    page.resize(row_ + 1);
  }
  return page[row_];
}

void TextPages::Tab(int column) {
  BeginIfEnded();
  if (column < 1) {
    column = 1;
  }
  if (column_ > column) {
    EndLine();
  }
  column_ = column;
}

void TextPages::Print(std::string_view text) {
  BeginIfEnded();
  std::string& line = CurrentLine();
  const std::size_t start = static_cast<std::size_t>(column_ - 1);
  if (line.size() < start + text.size()) {
    line.resize(start + text.size(), ' ');
  }
  line.replace(start, text.size(), text);
  column_ += static_cast<int>(text.size());
}

void TextPages::EndLine() {
  BeginIfEnded();
  CurrentLine();
  ++row_;
  column_ = 1;
}

void TextPages::NewPage() {
  BeginIfEnded();
  pages_.emplace_back();
  row_ = 0;
  column_ = 1;
}

Status TextPages::EndDoc() {
  ended_ = true;
  return Status::Ok();
}

std::string TextPages::Render() const {
  std::string text;
  bool first = true;
  for (int copy = 1; copy <= copies_; ++copy) {
    for (const std::vector<std::string>& page : pages_) {
      if (!first) {
        text += '\f';
      }
      first = false;
      for (const std::string& line : page) {
        text += line;
        text += '\n';
      }
    }
  }
  return text;
}

void TextPages::PrintOn(Printer& printer) const {
  bool first = true;
  for (const std::vector<std::string>& page : pages_) {
    if (!first) {
      printer.NewPage();
    }
    first = false;
    for (const std::string& line : page) {
      printer.Print(line);
      printer.EndLine();
    }
  }
}

}  // namespace qv
