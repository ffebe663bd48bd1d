#include "desktop/ContextHelp.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "desktop/MainWindow.h"

namespace qv {

void SetContextHelp(QWidget* dialog, const char* anchor) {
  dialog->setProperty(kHelpAnchorProperty, QString(anchor));
  auto* shortcut = new QShortcut(QKeySequence::HelpContents, dialog);
  shortcut->setObjectName("scHelp");
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, dialog, [dialog] { ShowContextHelp(dialog); });
}

void ShowContextHelp(QWidget* dialog) {
  const QString anchor = dialog->property(kHelpAnchorProperty).toString();
  for (QWidget* owner = dialog->parentWidget(); owner != nullptr; owner = owner->parentWidget()) {
    if (auto* window = dynamic_cast<MainWindow*>(owner)) {
      window->ShowHelp(anchor, dialog);
      return;
    }
  }
}

}  // namespace qv
