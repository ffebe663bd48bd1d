#include "desktop/ResultsCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>

#include "data/Session.h"
#include "desktop/ResultsWindow.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "reports/GameQuarters.h"
#include "reports/QuarterlyReport.h"
#include "reports/ResultsExport.h"

namespace qv {

ResultsWindow* ResultsCommands::window() const {
  return window_.data();
}

void ResultsCommands::ShowResults() {
  if (window_ == nullptr) {
    window_ = new ResultsWindow(session_, owner_.data());
    window_->setAttribute(Qt::WA_DeleteOnClose);
  }
  window_->Reload();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void ResultsCommands::ExportResults() {
  const QString path = QFileDialog::getSaveFileName(
      owner_.data(), "Export Results",
      QString::fromStdString(session_.GamePath) + "Quorvant Results.csv",
      "Spreadsheet (CSV) (*.csv);;JSON (*.json)");
  if (!path.isEmpty()) {
    ExportTo(path);
  }
}

bool ResultsCommands::ExportTo(const QString& path) {
  std::string layout;
  if (!session_.files.ReadText(ReportLayoutPath(session_), &layout).ok()) {
    Tell("Cannot read file " + ReportLayoutPath(session_));
    return false;
  }
  const std::unique_ptr<QuarterSource> source = OpenQuarterSource(session_);
  const std::vector<int> quarters = source->Quarters();
  QProgressDialog progress("Exporting the results", "Cancel", 0, static_cast<int>(quarters.size()),
                           owner_.data());
  progress.setObjectName("dlgProgress");
  progress.setWindowTitle(kAppTitle);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  GameExport exported;
  bool read = false;
  try {
    read = CollectGameExport(
        *source, layout, quarters,
        [&progress](int quarter, int position, int count) {
          progress.setLabelText(
              QString("Reading quarter %1 (%2 of %3)").arg(quarter).arg(position).arg(count));
          progress.setValue(position - 1);
          QApplication::processEvents();
        },
        &exported);
  } catch (const RuntimeError& failure) {
    Tell("Error Exporting Results: " + std::to_string(failure.number()));
    return false;
  }
  progress.setValue(static_cast<int>(quarters.size()));
  if (!read) {
    return false;
  }
  const bool json = path.endsWith(".json", Qt::CaseInsensitive);
  const std::string target = path.toStdString();
  if (!session_.files.WriteText(target, json ? ExportJson(exported) : ExportCsv(exported)).ok()) {
    Tell("Cannot write file " + path.toLatin1().toStdString());
    return false;
  }
  return true;
}

void ResultsCommands::GameChanged() {
  if (window_ != nullptr && window_->isVisible()) {
    window_->Reload();
  }
}

void ResultsCommands::GameClosed() {
  if (window_ != nullptr) {
    window_->close();
  }
}

void ResultsCommands::Tell(const std::string& text) {
  session_.MessageText = text;
  session_.ui.Show(Message{session_.MessageText, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
}

}  // namespace qv
