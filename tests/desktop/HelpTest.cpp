#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include "desktop/ContextHelp.h"
#include "desktop/HelpWindow.h"
#include "desktop/OptionsDialog.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

QString ShippedGuide() {
  QFile file(QString::fromStdString(ProgramDir()) + "help/instructor-guide.md");
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  return QString::fromUtf8(file.readAll());
}

TEST(HelpGuide, AnchorsNameTheHeadingBelowThemAndCodeHoldsNoHeadings) {
  const HelpGuide guide = ParseHelpGuide(
      "<a id=\"top\"></a>\n# Guide\ntext\n```sh\n# a comment, not a heading\n```\n"
      "## Plain\n<a id=\"deep\"></a>\n### Deep ##\n");
  ASSERT_EQ(guide.sections.size(), 3U);
  const HelpSection expected[] = {{"top", 1, "Guide"}, {"", 2, "Plain"}, {"deep", 3, "Deep"}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(guide.sections[i].anchor, expected[i].anchor) << i;
    EXPECT_EQ(guide.sections[i].level, expected[i].level) << i;
    EXPECT_EQ(guide.sections[i].title, expected[i].title) << i;
  }
  EXPECT_FALSE(guide.markdown.contains("<a id")) << "anchor lines are not shown";
  EXPECT_TRUE(guide.markdown.contains("# a comment, not a heading"));
}

// Every section a dialog opens, and every link inside the guide, leads to a heading.
TEST(HelpGuide, EveryAnchorTheProgramAndTheGuideUseExists) {
  const QString text = ShippedGuide();
  const HelpGuide guide = ParseHelpGuide(text);
  QStringList anchors;
  for (const HelpSection& section : guide.sections) {
    anchors << section.anchor;
  }
  QStringList wanted = {"contents",
                        "course",
                        "drives",
                        "startup",
                        "login",
                        "new-game",
                        "game-setup",
                        "bank-setup",
                        "environment-setup",
                        "advance",
                        "fix-decisions",
                        "report",
                        "change-environment",
                        "game-info",
                        "options",
                        "shortcuts",
                        "command-line"};
  static const QRegularExpression link(R"(\]\(#([A-Za-z0-9_-]+)\))");
  for (auto match = link.globalMatch(text); match.hasNext();) {
    wanted << match.next().captured(1);
  }
  for (const QString& anchor : wanted) {
    EXPECT_TRUE(anchors.contains(anchor)) << anchor.toStdString();
  }
  EXPECT_EQ(anchors.removeDuplicates(), 0) << "an anchor names one section";
}

// The section's heading is at the top of the view and selected in the contents.
void ExpectShowing(HelpWindow* help, const QString& anchor, const QString& title) {
  EXPECT_EQ(help->current_anchor(), anchor);
  QTextBrowser* browser = help->browser();
  const QTextBlock top = browser->cursorForPosition(QPoint(4, 4)).block();
  EXPECT_EQ(top.text(), title) << anchor.toStdString();
}

TEST(HelpWindow, ContentsAndF1OpenTheGuideBesideTheMainWindow) {
  DesktopHarness harness;
  MainWindow& window = harness.Window(ProgramDir());
  window.findChild<QAction*>("mnuHelpContents")->trigger();
  HelpWindow* help = window.help_window();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_FALSE(help->isModal());
  ExpectShowing(help, "contents", "Quorvant Instructor: the instructor's guide");
  help->ShowSection("report");
  ExpectShowing(help, "report", "The quarterly report");
  EXPECT_FALSE(help->ShowSection("no-such-section"));
  EXPECT_EQ(help->current_anchor(), "report") << "an unknown section leaves the view";
  help->close();
  window.findChild<QAction*>("mnuHelpContents")->trigger();
  EXPECT_EQ(window.help_window(), help) << "one help window, opened again";
  ExpectShowing(help, "contents", "Quorvant Instructor: the instructor's guide");
}

TEST(HelpWindow, LinksInsideTheGuideMoveToTheirSection) {
  DesktopHarness harness;
  MainWindow& window = harness.Window(ProgramDir());
  window.ShowHelp("course");
  HelpWindow* help = window.help_window();
  emit help->browser()->anchorClicked(QUrl("#options"));
  ExpectShowing(help, "options", "Options");
}

// Each dialog's F1 opens the guide over it at its own section.
TEST(HelpWindow, ContextHelpOfADialogOpensItsSection) {
  DesktopHarness harness;
  MainWindow& window = harness.Window(ProgramDir());
  ModalDriver driver;
  driver
      .Then("frmOptions",
            [](QWidget* dialog) {
              EXPECT_EQ(dialog->property(kHelpAnchorProperty).toString(), "options");
              QTest::keyClick(dialog, Qt::Key_F1);
            })
      .Then("frmHelp",
            [](QWidget* shown) {
              auto* help = static_cast<HelpWindow*>(shown);
              EXPECT_TRUE(help->isModal());
              ExpectShowing(help, "options", "Options");
              help->close();
            })
      .Click("frmOptions", "cmdCancel");
  window.mnuToolsOptions_Click();
  EXPECT_TRUE(driver.finished());
}

}  // namespace
}  // namespace qv::test
