#include "desktop/QtPrinter.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>

#include "platform/Cp1252.h"

namespace qv {

namespace {

// The printer's error, as the report's failure message numbers it.
constexpr int kPrinterError = 482;

}  // namespace

QtPrinter::QtPrinter(QPrinter& printer, QWidget* owner) : printer_(printer), owner_(owner) {
  font_.setStyleHint(QFont::TypeWriter);
}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) {
    painter_.end();
  }
}

std::vector<std::string> QtPrinter::FontNames() {
  std::vector<std::string> names;
  for (const QString& family : QFontDatabase::families()) {
    names.push_back(family.toStdString());
  }
  // The system resolves a family it lacks to another it has, as the URW fonts stand in for
  // Courier under its name: a family that resolves to a fixed-pitch font is offered too. A
  // request without a style hint falls back to the system's ordinary font, which is not
  // fixed-pitch, so a missing family is not mistaken for one.
  const QString alias = QStringLiteral("Courier");
  if (!QFontDatabase::hasFamily(alias) && QFontInfo(QFont(alias)).fixedPitch()) {
    names.push_back(alias.toStdString());
  }
  return names;
}

bool QtPrinter::ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) {
  if (preferred_) {
    *chosen = *preferred_;
    return true;
  }
  // Without a family of its own the preset is the system's fixed-pitch font, not its ordinary
  // proportional one.
  QFont initial = preset.name.empty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                      : QFont(QString::fromStdString(preset.name));
  initial.setPointSizeF(preset.size);
  QFontDialog dialog(owner_.data());
  dialog.setObjectName("dlgCommonDialog");
  dialog.setWindowTitle("Select Printer Font");
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  dialog.setOption(QFontDialog::MonospacedFonts);
  // The dialog lists its families when it is made and filters them again only when the
  // writing system changes: choosing the current one again applies the fixed-pitch filter.
  if (auto* writing_systems = dialog.findChild<QComboBox*>()) {
    writing_systems->activated(writing_systems->currentIndex());
  }
  dialog.setCurrentFont(initial);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  const QFont font = dialog.selectedFont();
  // The dialog may name the family with its foundry, "Nimbus Mono PS [UKWN]"; the family alone
  // is the printer font's name.
  chosen->name = font.family().remove(QRegularExpression(R"(\s*\[[^\]]*\]$)")).toStdString();
  chosen->size = font.pointSizeF() > 0 ? font.pointSizeF() : preset.size;
  chosen->bold = font.bold();
  chosen->italic = font.italic();
  return true;
}

void QtPrinter::SetFont(const PrinterFont& requested) {
  PrinterFont font = requested;
  if (preferred_) {
    font.name = preferred_->name;
    font.size = preferred_->size;
  }
  font_ = QFont(QString::fromStdString(font.name));
  font_.setStyleHint(QFont::TypeWriter);
  font_.setFixedPitch(true);
  font_.setPointSizeF(font.size);
  font_.setBold(font.bold);
  font_.setItalic(font.italic);
  font_.setUnderline(font.underline);
  font_.setStrikeOut(font.strikethrough);
  if (painter_.isActive()) {
    UsePainterFont();
  }
}

bool QtPrinter::SetCopies(int copies) {
  printer_.setCopyCount(copies);
  if (printer_.supportsMultipleCopies() && printer_.copyCount() == copies) {
    return true;
  }
  printer_.setCopyCount(1);
  return false;
}

bool QtPrinter::Begin() {
  if (painter_.isActive() || failed_) {
    return !failed_;
  }
  if (!painter_.begin(&printer_)) {
    failed_ = true;
    return false;
  }
  UsePainterFont();
  line_ = 0;
  return true;
}

void QtPrinter::UsePainterFont() {
  painter_.setFont(font_);
  // The metrics of the font as the painter draws it, so columns land where they are counted.
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  char_width_ = metrics.horizontalAdvance(QString(10, QLatin1Char('0'))) / 10.0;
  line_height_ = metrics.lineSpacing();
  ascent_ = metrics.ascent();
}

void QtPrinter::Tab(int column) {
  if (column_ > column) {
    EndLine();
  }
  column_ = column;
}

void QtPrinter::Print(std::string_view text) {
  if (!Begin()) {
    return;
  }
  // One character at a time, each in its own column: the font's shaping then can neither join
  // letters into ligatures nor drift from the column grid.
  const double y = line_ * line_height_ + ascent_;
  for (const char byte : text) {
    if (byte != ' ') {
      const QString shown = QString::fromStdString(Cp1252ToUtf8(std::string_view(&byte, 1)));
      painter_.drawText(QPointF((column_ - 1) * char_width_, y), shown);
    }
    ++column_;
  }
}

void QtPrinter::EndLine() {
  column_ = 1;
  ++line_;
  if (painter_.isActive() && (line_ + 1) * line_height_ > painter_.viewport().height()) {
    NewPage();
  }
}

void QtPrinter::NewPage() {
  if (!Begin()) {
    return;
  }
  if (!printer_.newPage()) {
    failed_ = true;
  }
  line_ = 0;
  column_ = 1;
}

Status QtPrinter::EndDoc() {
  Begin();
  const bool ended = painter_.isActive() && painter_.end();
  const bool ok = ended && !failed_;
  failed_ = false;
  line_ = 0;
  column_ = 1;
  return ok ? Status::Ok() : Status::Error(kPrinterError, "the printer refused the document");
}

}  // namespace qv
