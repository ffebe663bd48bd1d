#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

#include "data/GlobalFile.h"
#include "desktop/OptionsDialog.h"
#include "desktop/QtPrinter.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

void Click(QWidget* dialog, const char* button) {
  dialog->findChild<QAbstractButton*>(button)->click();
}

QLineEdit* Box(QWidget* dialog, const char* name) {
  return dialog->findChild<QLineEdit*>(name);
}

TEST(Options, ShowWhatTheSettingsHold) {
  DesktopHarness harness;
  harness.settings().SaveSetting("Drives", "A", "/srv/disks/a/");
  harness.settings().SaveSetting(kPrinterSection, kPrinterSizeKey, "10.5");
  OptionsDialog dialog(harness.settings(), nullptr);
  EXPECT_EQ(Box(&dialog, "txtDriveA")->text(), "/srv/disks/a/");
  EXPECT_EQ(Box(&dialog, "txtDriveB")->text(), "");
  EXPECT_EQ(dialog.findChild<QDoubleSpinBox*>("txtPrinterFontSize")->value(), 10.5);
  EXPECT_TRUE(
      QFontInfo(dialog.findChild<QFontComboBox*>("cboPrinterFont")->currentFont()).fixedPitch());
}

// One row per way of leaving: what the settings hold afterwards, and whether the program was
// told to use them.
TEST(Options, ApplyAndOkStoreCancelForgets) {
  struct Row {
    const char* what;
    std::vector<const char*> buttons;  // pressed in turn, the drive changed before each
    const char* stored_a;              // what the settings hold for drive A afterwards
    int applied;                       // how often the program was told
    bool open;                         // the dialog is still open
  };
  const Row rows[] = {
      {"Apply stores and stays open", {"cmdApply"}, "/new/0/", 1, true},
      {"OK stores and closes", {"cmdOK"}, "/new/0/", 1, false},
      {"Cancel forgets", {"cmdCancel"}, "/old/", 0, false},
      {"Cancel after Apply keeps what was applied", {"cmdApply", "cmdCancel"}, "/new/0/", 1, false},
      {"Apply twice stores the second", {"cmdApply", "cmdApply"}, "/new/1/", 2, true},
  };
  for (const Row& row : rows) {
    DesktopHarness harness;
    harness.settings().SaveSetting("Drives", "A", "/old/");
    OptionsDialog dialog(harness.settings(), nullptr);
    int applied = 0;
    dialog.set_on_applied([&] { ++applied; });
    dialog.show();
    int turn = 0;
    for (const char* button : row.buttons) {
      Box(&dialog, "txtDriveA")->setText(QString("/new/%1/").arg(turn++));
      Click(&dialog, button);
    }
    EXPECT_EQ(harness.settings().GetSetting("Drives", "A", ""), row.stored_a) << row.what;
    EXPECT_EQ(applied, row.applied) << row.what;
    EXPECT_EQ(dialog.isVisible(), row.open) << row.what;
  }
}

TEST(Options, SettingsOutliveTheProgram) {
  std::string settings_file;
  {
    DesktopHarness harness;
    settings_file = harness.settings_file();
    OptionsDialog dialog(harness.settings(), nullptr);
    Box(&dialog, "txtDriveB")->setText("/media/disk-b/");
    dialog.findChild<QDoubleSpinBox*>("txtPrinterFontSize")->setValue(9);
    Click(&dialog, "cmdOK");
    // A second store over the same file, as the next run of the program opens it.
    SettingsStore again(QString::fromStdString(settings_file));
    EXPECT_EQ(again.GetSetting("Drives", "B", ""), "/media/disk-b/");
    EXPECT_EQ(again.GetSetting(kPrinterSection, kPrinterSizeKey, ""), "9");
    EXPECT_FALSE(again.GetSetting(kPrinterSection, kPrinterFontKey, "").isEmpty());
  }
}

// A drive set in Options is used at once: a game on it is found without a restart.
TEST(Options, ADriveSetInOptionsLeadsToItsFolderAtOnce) {
  const auto game = MakeGame(ComputerBanks());
  TempDir program_dir;
  DesktopHarness harness;
  MainWindow& window = harness.Window(program_dir.path());
  FileSystem& files = harness.Program(program_dir.path()).files();
  EXPECT_FALSE(files.Exists("A:\\Global.qv"));
  ModalDriver driver;
  driver.Then("frmOptions", [&](QWidget* dialog) {
    Box(dialog, "txtDriveA")->setText(QString::fromStdString(game->session.GamePath));
    Click(dialog, "cmdOK");
  });
  window.mnuToolsOptions_Click();
  EXPECT_TRUE(driver.finished());
  EXPECT_TRUE(files.Exists("A:\\Global.qv"));
}

// The font chosen in the options wins over the report's Courier and answers its font dialog.
TEST(Options, TheChosenPrinterFontIsTheReportsFont) {
  DesktopHarness harness;
  EXPECT_FALSE(ReportPrinterFont(harness.settings()).has_value()) << "nothing chosen yet";
  harness.settings().SaveSetting(kPrinterSection, kPrinterFontKey, "DejaVu Sans Mono");
  harness.settings().SaveSetting(kPrinterSection, kPrinterSizeKey, "9");
  const std::optional<PrinterFont> font = ReportPrinterFont(harness.settings());
  ASSERT_TRUE(font.has_value());
  TempDir dir;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(dir.path() + "report.pdf"));
  QtPrinter report(printer, nullptr);
  report.set_preferred_font(*font);
  PrinterFont chosen;
  EXPECT_TRUE(report.ChooseFixedPitchFont(PrinterFont{"", 12}, &chosen)) << "no dialog shown";
  EXPECT_EQ(chosen.name, "DejaVu Sans Mono");
  PrinterFont courier{"Courier", 12};
  courier.bold = true;
  report.SetFont(courier);
  EXPECT_EQ(report.font().family(), "DejaVu Sans Mono");
  EXPECT_EQ(report.font().pointSizeF(), 9.0);
  EXPECT_TRUE(report.font().bold()) << "the report's own emphasis stays";
}

TEST(Options, ControlTabWalksTheTabsBothWays) {
  DesktopHarness harness;
  OptionsDialog dialog(harness.settings(), nullptr);
  dialog.show();
  auto* tabs = dialog.findChild<QTabBar*>("tbsOptions");
  const int last = tabs->count() - 1;
  QTest::keyClick(&dialog, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(tabs->currentIndex(), last);  // from the first to the last
  QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(tabs->currentIndex(), 0);  // and on from the last to the first
  QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(tabs->currentIndex(), 1);
  for (int i = 0; i <= last; ++i) {
    auto* page = dialog.findChild<QWidget*>(QString("picOptions(%1)").arg(i));
    EXPECT_EQ(page->isEnabled(), i == 1) << i;
    EXPECT_EQ(page->isVisible(), i == 1) << i;
  }
}

// The quarters kept for undo: what the box shows for what the settings hold, and what the
// program reads back; anything but a whole number of at least 0 counts as unset.
TEST(Options, QuartersKeptForUndo) {
  struct Row {
    const char* stored;
    int read;
  };
  const Row rows[] = {{"", 0}, {"4", 4}, {"0", 0}, {"-2", 0}, {"many", 0}, {"1.5", 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stored);
    DesktopHarness harness;
    harness.settings().SaveSetting(kArchiveSection, kKeepQuartersKey, row.stored);
    EXPECT_EQ(ArchiveDepthSetting(harness.settings()), row.read);
    OptionsDialog dialog(harness.settings(), nullptr);
    auto* keep = dialog.findChild<QSpinBox*>("txtKeepQuarters");
    ASSERT_NE(keep, nullptr);
    EXPECT_EQ(keep->value(), row.read);
    keep->setValue(6);
    Click(&dialog, "cmdOK");
    EXPECT_EQ(ArchiveDepthSetting(harness.settings()), 6);
  }
}

}  // namespace
}  // namespace qv::test
