#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "desktop/QtPrinter.h"
#include "platform/Cp1252.h"
#include "reports/QuarterlyReport.h"
#include "reports/TextPages.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

bool HasCourier() {
  QPrinter printer;
  for (const std::string& family : QtPrinter(printer, nullptr).FontNames()) {
    if (QString::fromStdString(family).compare("Courier", Qt::CaseInsensitive) == 0) {
      return true;
    }
  }
  return false;
}

// The lines that carry text, without trailing blanks, with the time of printing masked: the
// two renderings are made seconds apart.
QStringList TextLines(const QString& text) {
  QStringList lines;
  for (QString line : text.split(QRegularExpression("[\n\f]"))) {
    line.replace(QRegularExpression("\\d\\d:\\d\\d:\\d\\d"), "hh:mm:ss");
    line.remove(QRegularExpression("\\s+$"));
    if (!line.isEmpty()) {
      lines << line;
    }
  }
  return lines;
}

QString Pdftotext(const QStringList& arguments) {
  QProcess process;
  process.start("pdftotext", arguments);
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Unescape(QString text) {
  return text.replace("&lt;", "<")
      .replace("&gt;", ">")
      .replace("&quot;", "\"")
      .replace("&amp;", "&");
}

QString PageByPosition(const QString& boxes);

// The pages rebuilt from the exact place of every word: its line from its top edge and its
// column from its left edge, in the width of one character of the fixed-pitch font.
QString PdfPagesByPosition(const QString& pdf) {
  QString text;
  for (const QString& page : Pdftotext({"-bbox", pdf, "-"}).split("<page ")) {
    text += PageByPosition(page) + "\f";
  }
  return text;
}

QString PageByPosition(const QString& boxes) {
  const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
  struct Placed {
    double x, y, width;
    QString text;
  };
  std::vector<Placed> words;
  for (auto match = word.globalMatch(boxes); match.hasNext();) {
    const auto found = match.next();
    const double x = found.captured(1).toDouble();
    words.push_back({x, found.captured(2).toDouble(), found.captured(3).toDouble() - x,
                     Unescape(found.captured(4))});
  }
  if (words.empty()) {
    return {};
  }
  double left = words.front().x;
  double char_width = words.front().width / words.front().text.size();
  for (const Placed& placed : words) {
    left = std::min(left, placed.x);
  }
  std::map<long, QString> lines;  // by top edge, in hundredths of a point
  for (const Placed& placed : words) {
    QString& line = lines[std::lround(placed.y * 100)];
    const int column = static_cast<int>(std::lround((placed.x - left) / char_width));
    line = line.leftJustified(column, ' ') + placed.text;
  }
  QStringList text;
  for (const auto& [top, line] : lines) {
    text << line;
  }
  return text.join("\n");
}

TEST(QtPrinterFont, CourierResolvesToAFixedPitchFont) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  QtPrinter report_printer(printer, nullptr);
  report_printer.SetFont(PrinterFont{"Courier", 12});
  const QFontInfo info(report_printer.font());
  EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
  EXPECT_EQ(info.pointSize(), 12);
}

// The fonts the README installs stand in for Courier under its name (fontconfig's alias), and
// that counts as the printer having Courier: the font dialog is not needed.
TEST(QtPrinterFont, TheSystemsCourierAliasCounts) {
  EXPECT_TRUE(HasCourier());
}

TEST(QtPrinterFont, TheFontDialogOffersFixedPitchFontsAndCanBeCancelled) {
  QPrinter printer;
  QtPrinter report_printer(printer, nullptr);
  const PrinterFont preset{"Courier", 12};
  PrinterFont chosen;
  ModalDriver driver;
  driver
      .Then("dlgCommonDialog",
            [](QWidget* window_shown) {
              auto* dialog = qobject_cast<QFontDialog*>(window_shown);
              ASSERT_NE(dialog, nullptr);
              EXPECT_EQ(dialog->windowTitle(), "Select Printer Font");
              EXPECT_TRUE(dialog->testOption(QFontDialog::MonospacedFonts));
              // The family list offers fixed-pitch fonts only.
              auto* families = dialog->findChild<QListView*>();
              ASSERT_NE(families, nullptr);
              ASSERT_GT(families->model()->rowCount(), 0);
              for (int row = 0; row < families->model()->rowCount(); ++row) {
                const QString family = families->model()->index(row, 0).data().toString();
                EXPECT_TRUE(QFontDatabase::isFixedPitch(family)) << family.toStdString();
              }
              dialog->setCurrentFont(QFont("Nimbus Mono PS", 10));
              static_cast<QDialog*>(dialog)->accept();
            })
      .Then("dlgCommonDialog", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
  ASSERT_TRUE(report_printer.ChooseFixedPitchFont(preset, &chosen));
  EXPECT_EQ(chosen.name, "Nimbus Mono PS");
  EXPECT_EQ(chosen.size, 10);
  PrinterFont untouched{"kept", 9};
  EXPECT_FALSE(report_printer.ChooseFixedPitchFont(preset, &untouched));
  EXPECT_EQ(untouched.name, "kept");
  EXPECT_TRUE(driver.finished());
}

// Print Report with no printer installed writes the report to the PDF file the dialog offers,
// in the game's folder; its text is the page qvctl's text printer makes of the same game.
TEST(PrintReport, PdfHoldsTheSamePageAsTheTextPrinter) {
  DesktopHarness harness;
  const auto game = MakeGame(ComputerBanks(), "", "", 2);
  MainWindow& window = harness.Window(ProgramDir());
  Session& session = window.program().session();
  session.GamePath = game->session.GamePath;
  window.ExecuteOpen();
  ASSERT_TRUE(window.program().state().GameActive);
  const QString pdf = QString::fromStdString(game->session.GamePath) + "Quorvant Report.pdf";

  ModalDriver driver;
  driver.Then("dlgCommonDialog", [pdf](QWidget* window_shown) {
    auto* dialog = qobject_cast<QPrintDialog*>(window_shown);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Print Report");
    EXPECT_EQ(dialog->printer()->outputFileName(), pdf);
    static_cast<QDialog*>(dialog)->accept();
  });
  if (!HasCourier()) {
    driver.Then("dlgCommonDialog", [](QWidget* window_shown) {
      auto* dialog = qobject_cast<QFontDialog*>(window_shown);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Select Printer Font");
      EXPECT_TRUE(dialog->testOption(QFontDialog::MonospacedFonts));
      dialog->setCurrentFont(QFont("Nimbus Mono PS", 12));
      static_cast<QDialog*>(dialog)->accept();
    });
  }
  // The report shows in the print preview first; its Print button prints it.
  driver.Then("dlgPrintPreview", [pdf](QWidget* preview) {
    EXPECT_FALSE(QFile::exists(pdf)) << "nothing printed before Print is pressed";
    auto* print = preview->findChild<QAction*>("cmdPrint");
    ASSERT_NE(print, nullptr);
    print->trigger();
  });
  window.mnuFilePrintReport_Click();
  ASSERT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  ASSERT_TRUE(QFile::exists(pdf));

  TextPages pages;
  ASSERT_EQ(PrintReport(session, ReportLayoutPath(session), 1, pages), ReportOutcome::kPrinted);
  const QStringList expected = TextLines(QString::fromStdString(Cp1252ToUtf8(pages.Render())));
  ASSERT_GT(expected.size(), 10);
  EXPECT_EQ(TextLines(PdfPagesByPosition(pdf)), expected);
  // The layout text keeps every word of every line in its order.
  const QStringList layout = TextLines(Pdftotext({"-layout", pdf, "-"}));
  ASSERT_EQ(layout.size(), expected.size());
  for (int i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(layout[i].simplified(), expected[i].simplified()) << "line " << i + 1;
  }
}

TEST(PrintReport, ClosingThePreviewPrintsNothing) {
  DesktopHarness harness;
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = harness.Window(ProgramDir());
  window.program().session().GamePath = game->session.GamePath;
  window.ExecuteOpen();
  const QString pdf = QString::fromStdString(game->session.GamePath) + "Quorvant Report.pdf";
  ModalDriver driver;
  driver.Then("dlgCommonDialog", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); })
      .Then("dlgPrintPreview", [](QWidget* preview) { static_cast<QDialog*>(preview)->reject(); });
  window.mnuFilePrintReport_Click();
  EXPECT_TRUE(driver.finished()) << driver.seen().join(" | ").toStdString();
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PrintReport, CancellingThePrintDialogPrintsNothing) {
  DesktopHarness harness;
  const auto game = MakeGame(ComputerBanks());
  MainWindow& window = harness.Window(ProgramDir());
  window.program().session().GamePath = game->session.GamePath;
  window.ExecuteOpen();
  const auto before = game->FolderBytes(game->session.GamePath);
  ModalDriver driver;
  driver.Then("dlgCommonDialog", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
  window.mnuFilePrintReport_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(game->FolderBytes(game->session.GamePath), before);
}

}  // namespace
}  // namespace qv::test
