#include "desktop/ResStrings.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QToolBar>
#include <QVariant>
#include <QWidget>
#include <map>

namespace qv {

namespace {

const std::map<int, QString>& StringTable() {
  static const std::map<int, QString> table = {
      {1000, "&File"}, {1032, "&Tools"}, {1039, "&Help"}, {1040, "&Contents"}, {1048, "Help"},
  };
  return table;
}

// The entry whose id is the number `text` holds, if it holds one.
std::optional<QString> EntryFor(const QString& text) {
  bool is_number = false;
  const int id = text.trimmed().toInt(&is_number);
  if (!is_number) {
    return std::nullopt;
  }
  return ResString(id);
}

QString Tag(const QObject* object) {
  return object->property("tag").toString();
}

}  // namespace

std::optional<QString> ResString(int id) {
  const auto found = StringTable().find(id);
  if (found == StringTable().end()) {
    return std::nullopt;
  }
  return found->second;
}

void LoadResStrings(QWidget* form) {
  if (const auto caption = EntryFor(Tag(form))) {
    form->setWindowTitle(*caption);
  }
  for (QMenu* menu : form->findChildren<QMenu*>()) {
    if (const auto caption = EntryFor(menu->title())) {
      menu->setTitle(*caption);
    }
  }
  for (QAction* action : form->findChildren<QAction*>()) {
    if (action->menu() == nullptr && !action->isSeparator()) {
      if (const auto caption = EntryFor(action->text())) {
        action->setText(*caption);
      }
    }
  }
  for (QToolBar* bar : form->findChildren<QToolBar*>()) {
    for (QAction* button : bar->actions()) {
      if (const auto tooltip = EntryFor(button->toolTip())) {
        button->setToolTip(*tooltip);
      }
    }
  }
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (const auto caption = EntryFor(Tag(label))) {
      label->setText(*caption);
    }
  }
  for (QTabBar* tabs : form->findChildren<QTabBar*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      if (const auto caption = EntryFor(tabs->tabData(i).toString())) {
        tabs->setTabText(i, *caption);
      }
      if (const auto tooltip = EntryFor(tabs->tabToolTip(i))) {
        tabs->setTabToolTip(i, *tooltip);
      }
    }
  }
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    bool is_number = false;
    const int tag = Tag(button).toInt(&is_number);
    if (is_number && tag > 0) {
      if (const auto caption = ResString(tag)) {
        button->setText(*caption);
      }
    }
    if (const auto tooltip = EntryFor(button->toolTip())) {
      button->setToolTip(*tooltip);
    }
  }
}

}  // namespace qv
