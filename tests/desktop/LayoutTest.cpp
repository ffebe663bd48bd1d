#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

#include "desktop/SetupFormDialogs.h"
#include "desktop/StatusPanel.h"
#include "desktop/TextFit.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/support/ScriptedUi.h"

namespace qv::test {
namespace {

// The six panels of a game with the longest name and instructor a game can have.
TEST(Layout, StatusPanelsShowTheirWholeTextAtTheDefaultSize) {
  const auto game = MakeGame(ComputerBanks(), "Villanueva", "pw");
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->session.GamePath);
  ASSERT_EQ(window.size(), QSize(433, 433)) << "the default placement";
  Session& session = harness.Program(game->session.GamePath).session();
  session.game = game->session.game;
  session.game.GameName = "Fall 2026B";
  session.game.ResultsQuarter = 99;
  window.GameDisplay();
  QApplication::processEvents();
  for (int n = 1; n <= 6; ++n) {
    auto* panel = window.findChild<StatusPanel*>(QString("sbStatusBarPanel%1").arg(n));
    EXPECT_FALSE(panel->elided()) << n << ": \"" << panel->text().toStdString() << "\" needs "
                                  << panel->fontMetrics().horizontalAdvance(panel->text())
                                  << " pixels, has " << panel->contentsRect().width();
    EXPECT_FALSE(panel->toolTip().isEmpty()) << n;
  }
  auto* folder = window.findChild<StatusPanel*>("sbStatusBarPanel2");
  EXPECT_EQ(QDir::fromNativeSeparators(folder->toolTip()),
            QString::fromStdString(game->session.GamePath))
      << "the whole game folder in the tooltip";
}

TEST(Layout, ANarrowWindowCutsThePanelsAndKeepsTheirTextInTheTooltip) {
  const auto game = MakeGame(ComputerBanks(), "Villanueva", "pw");
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->session.GamePath);
  Session& session = harness.Program(game->session.GamePath).session();
  session.game = game->session.game;
  window.GameDisplay();
  window.resize(160, 300);
  QApplication::processEvents();
  EXPECT_LE(window.width(), 200) << "the panels do not hold the window wide";
  auto* instructor = window.findChild<StatusPanel*>("sbStatusBarPanel3");
  EXPECT_TRUE(instructor->elided());
  EXPECT_EQ(instructor->text(), " Instructor: Villanueva ");
  EXPECT_EQ(instructor->toolTip(), "Instructor: Villanueva");
}

TEST(Layout, TheGamePanelFillsTheWindowAsItGrows) {
  const auto game = MakeGame(ComputerBanks());
  DesktopHarness harness;
  MainWindow& window = harness.Window(game->session.GamePath);
  harness.Program(game->session.GamePath).state().GameActive = true;
  window.GameDisplay();
  for (const QSize size : {QSize(433, 433), QSize(900, 700)}) {
    window.resize(size);
    QApplication::processEvents();
    const QSize area = window.findChild<QMdiArea*>("mdiArea")->viewport()->size();
    EXPECT_EQ(window.game_panel()->size(), area) << size.width() << "x" << size.height();
  }
}

// Every box of the three setup forms shows a full value whole when the form opens over a main
// window of the default size; the value is typed into the box, and its width compared with the
// room the box has for text.
TEST(Layout, SetupFormsShowEveryValueWholeAtTheDefaultSize) {
  TempDir dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(dir.path());
  ScriptedUi ui;
  SetupForms forms;
  SetupState state;
  GameSetupDialog game(ui, forms, state, &window);
  BankSetupDialog banks(ui, forms, state, &window);
  EnvSetupDialog environment(ui, forms, state, &window);
  struct Form {
    SetupDialog* dialog;
    QString sample_text;    // a full value of a text box
    QString sample_number;  // the widest number a number box takes
  };
  const Form forms_shown[] = {
      {&game, "Wellington", "100"}, {&banks, "Wellington", ""}, {&environment, "", "99.99"}};
  for (const Form& form : forms_shown) {
    // ShowModal's placement, without its modal loop.
    QTimer::singleShot(0, form.dialog, [&] { form.dialog->done(0); });
    form.dialog->ShowModal(1);
    QApplication::processEvents();
    for (QLineEdit* box : form.dialog->findChildren<QLineEdit*>()) {
      if (!box->isVisible() || box->objectName() == "txtGamePath") {
        continue;
      }
      QString value = box->objectName().startsWith("txtCol7") ? "/srv/course/alpha/"
                      : form.sample_number.isEmpty()          ? form.sample_text
                      : form.sample_text.isEmpty()            ? form.sample_number
                      : (box->objectName() == "txtNoBanks" || box->objectName() == "txtBegin")
                          ? form.sample_number
                          : form.sample_text;
      box->setText(value);
      EXPECT_LE(box->fontMetrics().horizontalAdvance(value), TextRoom(box))
          << form.dialog->objectName().toStdString() << " " << box->objectName().toStdString()
          << " is " << box->width() << " pixels wide for \"" << value.toStdString() << "\"";
    }
    for (QComboBox* list : form.dialog->findChildren<QComboBox*>()) {
      for (int i = 0; i < list->count(); ++i) {
        EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), list->width())
            << list->objectName().toStdString();
      }
    }
    form.dialog->hide();
  }
}

TEST(Layout, TheTaxRateSaysItIsAFraction) {
  TempDir dir;
  DesktopHarness harness;
  ScriptedUi ui;
  SetupForms forms;
  SetupState state;
  EnvSetupDialog environment(ui, forms, state, nullptr);
  QStringList labels;
  for (QLabel* label : environment.findChildren<QLabel*>()) {
    labels << label->text();
  }
  EXPECT_TRUE(labels.contains("Fraction (0.35 = 35 %)")) << labels.join(" | ").toStdString();
}

}  // namespace
}  // namespace qv::test
