#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>

#include "tests/desktop/DesktopHarness.h"

namespace qv::test {
namespace {

TEST(Shortcuts, StandardKeysAndADeliberateChordForAdvance) {
  TempDir dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(dir.path());
  struct Row {
    const char* action;
    QKeySequence keys;
  };
  const Row rows[] = {
      {"mnuFileNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"mnuFilePrintReport", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"mnuHelpContents", QKeySequence(Qt::Key_F1)},
      {"mnuAdvanceAdvanceGame", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
  };
  for (const Row& row : rows) {
    auto* action = window.findChild<QAction*>(row.action);
    ASSERT_NE(action, nullptr) << row.action;
    EXPECT_TRUE(action->shortcuts().contains(row.keys))
        << row.action << " has " << action->shortcut().toString().toStdString();
  }
  EXPECT_EQ(window.findChild<QAction*>("mnuFileClose")->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_W));
  // No two commands share a key, or neither would work.
  QList<QKeySequence> taken;
  for (QAction* action : window.findChildren<QAction*>()) {
    if (!action->isVisible()) {
      continue;
    }
    for (const QKeySequence& keys : action->shortcuts()) {
      EXPECT_FALSE(taken.contains(keys)) << keys.toString().toStdString();
      taken << keys;
    }
  }
}

TEST(Shortcuts, AdvanceDoesNothingWithoutAGame) {
  TempDir dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(dir.path());
  EXPECT_FALSE(window.findChild<QAction*>("mnuAdvanceAdvanceGame")->isEnabled());
}

}  // namespace
}  // namespace qv::test
