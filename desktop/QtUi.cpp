#include "desktop/QtUi.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include "desktop/AdvanceDialogs.h"
#include "platform/Cp1252.h"

namespace qv {

namespace {

QString Text(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QMessageBox::Icon BoxIcon(Icon icon) {
  switch (icon) {
    case Icon::kCritical:
      return QMessageBox::Critical;
    case Icon::kQuestion:
      return QMessageBox::Question;
    case Icon::kExclamation:
      return QMessageBox::Warning;
    case Icon::kInformation:
      return QMessageBox::Information;
    case Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// The buttons of each set, in the order they are numbered for the default button.
QList<QMessageBox::StandardButton> ButtonSet(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return {QMessageBox::Ok};
    case Buttons::kOkCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::kYesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::kRetryCancel:
      return {QMessageBox::Retry, QMessageBox::Cancel};
  }
  return {QMessageBox::Ok};
}

Answer ToAnswer(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::kOk;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Retry:
      return Answer::kRetry;
    default:
      return Answer::kClosed;
  }
}

}  // namespace

QWidget* QtUi::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    return modal;
  }
  return main_window_.data();
}

Answer QtUi::Show(const Message& message) {
  QMessageBox box(BoxIcon(message.icon), Text(message.title), Text(message.text),
                  QMessageBox::NoButton, Owner());
  box.setObjectName("msgBox");
  if (!message.detail.empty()) {
    box.setInformativeText(Text(message.detail));
  }
  const QList<QMessageBox::StandardButton> set = ButtonSet(message.buttons);
  for (const QMessageBox::StandardButton button : set) {
    box.addButton(button);
  }
  const int index = message.default_button == 2 && set.size() > 1 ? 1 : 0;
  box.setDefaultButton(set[index]);
  box.exec();
  if (box.clickedButton() == nullptr) {
    return Answer::kClosed;
  }
  return ToAnswer(box.standardButton(box.clickedButton()));
}

FixChoice QtUi::ChooseFixDecisions(const std::string& label, bool disk_readable) {
  FixDecisionsDialog dialog(Text(label), disk_readable, Owner());
  return dialog.Choose();
}

FixChoice QtUi::ChooseFixDecisionsFor(int bank, const std::string& bank_name,
                                      const std::string& label, bool disk_readable) {
  FixDecisionsDialog dialog(Text(label), disk_readable, Owner());
  dialog.setWindowTitle(QString("%1 - Bank %2: %3").arg(kAppTitle).arg(bank).arg(Text(bank_name)));
  return dialog.Choose();
}

int QtUi::ChooseComputerLevel() {
  ComputerLevelDialog dialog(Owner());
  return dialog.Choose();
}

void QtUi::Progress(const std::string& step) {
  if (auto* window = qobject_cast<QMainWindow*>(main_window_.data())) {
    window->statusBar()->showMessage(QString::fromStdString(Cp1252ToUtf8(step)));
  }
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUi::GameChanged() {
  if (on_game_changed_) {
    on_game_changed_();
  }
}

}  // namespace qv
