#include "desktop/ReportPreview.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "desktop/QtPrinter.h"

namespace qv {

ReportPreview::ReportPreview(QPrinter& printer, QWidget* owner)
    : printer_(printer), owner_(owner) {}

std::vector<std::string> ReportPreview::FontNames() {
  return QtPrinter(printer_, owner_.data()).FontNames();
}

bool ReportPreview::ChooseFixedPitchFont(const PrinterFont& preset, PrinterFont* chosen) {
  QtPrinter paper(printer_, owner_.data());
  if (preferred_) {
    paper.set_preferred_font(*preferred_);
  }
  return paper.ChooseFixedPitchFont(preset, chosen);
}

bool ReportPreview::SetCopies(int copies) {
  return QtPrinter(printer_, owner_.data()).SetCopies(copies);
}

Status ReportPreview::PaintOn(QPrinter& printer) {
  QtPrinter paper(printer, owner_.data());
  paper.SetFont(font_);
  pages_.PrintOn(paper);
  return paper.EndDoc();
}

Status ReportPreview::EndDoc() {
  printed_ = false;
  Status outcome = Status::Ok();
  QPrintPreviewDialog preview(&printer_, owner_.data());
  preview.setObjectName("dlgPrintPreview");
  preview.setWindowTitle("Print Report");
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* shown) { (void)PaintOn(*shown); });
  // The print dialog has already chosen the printer and the copies: the preview's Print
  // button prints there instead of asking again.
  for (QAction* action : preview.findChildren<QAction*>()) {
    if (action->text().remove('&') == QPrintPreviewDialog::tr("Print")) {
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      action->setObjectName("cmdPrint");
      QObject::connect(action, &QAction::triggered, &preview, [this, &preview, &outcome] {
        outcome = PaintOn(printer_);
        printed_ = outcome.ok();
        preview.accept();
      });
    }
  }
  preview.exec();
  pages_ = TextPages();
  return outcome;
}

}  // namespace qv
