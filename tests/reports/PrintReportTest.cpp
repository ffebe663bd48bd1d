#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/PlotFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "reports/QuarterlyReport.h"
#include "reports/TextPages.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

std::string Layout(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string Blanks(int n) {
  return std::string(static_cast<std::size_t>(n), ' ');
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// A two-bank game in a temporary game directory, its files written by the game's own writers.
struct PrintReportTest : ::testing::Test, test::TestSession {
  TextPages printer;

  void SetUp() override {
    clock.set_now(DateTime{2026, 3, 9, 14, 5, 7});
    session.ProgramDir = dir.Subdir("program");
    session.game.GameName = "Fall 26";
    session.game.ResultsQuarter = 3;
    session.game.NumBanks = 2;
    session.game.BankName(1) = "Alpha";
    session.game.BankName(2) = "Northwind";

    GameTables& t = session.tables;
    t.BankValues(1, 1) = 12.5;  // share price
    t.BankValues(2, 1) = 7.25;
    t.BankValues(1, 3) = 0.75;  // earnings per share, row 2
    t.BankValues(2, 3) = -0.2;
    t.BankValues(1, 46) = 999.94;  // interest income, either side of the adaptive limit
    t.BankValues(2, 46) = 999.95;
    t.BankValues(1, 51) = -12345.67;  // net income, too long for a column
    t.BankValues(2, 51) = 1234.5;
    t.BankValues(1, 103) = 8.125;  // home equity yield
    t.BankValues(2, 103) = -1.5;
    t.BankAmounts(1, 129) = 1234;  // home equity loans, row 20
    t.BankAmounts(2, 129) = -32768;
    t.Decision(1, 5) = 4.5F;  // certificate rate
    t.Decision(2, 5) = 12.0F;
    WriteGameFiles();
  }

  void WriteGameFiles() {
    ASSERT_TRUE(WriteCompFile(session, 0));
    ASSERT_TRUE(WriteBanksUpdate(session, 0));
    ASSERT_TRUE(WritePlotFile(session, 0, Table<BankHistory, kMaxBanks>{}));
  }

  std::string LayoutPath() const { return session.ProgramDir + "report.qvs"; }
  void WriteLayout(const std::string& text) const { dir.Write("program/report.qvs", text); }

  ReportOutcome Print(int copies = 1) {
    return PrintReport(session, LayoutPath(), copies, printer);
  }
};

TEST_F(PrintReportTest, HeaderColumnsAndBankNamesOverTwoLines) {
  WriteLayout(Layout({"-10", "Bank", "99"}));
  ASSERT_EQ(Print(), ReportOutcome::kPrinted);
  EXPECT_TRUE(printer.ended());
  const std::vector<std::string> expected = {
      "Quorvant Version 3.00" + Blanks(8) + "Bank Management Simulation",
      "Game Title: Fall 26" + Blanks(16) + "Quarter 3 " + Blanks(13) + "14:05:07   03-09-2026",
      "",
      Blanks(17) + " Alpha" + " North",
      "Bank" + Blanks(13) + " " + Blanks(5) + " wind",
      std::string(17, '-') + " -----" + " -----",
      "",
  };
  EXPECT_EQ(Lines(printer.Render()), expected);
  // The columns the header promises: the quarter at 36, the time at 59, bank 2 at 24.
  EXPECT_EQ(expected[1].find("Quarter"), 35U);
  EXPECT_EQ(expected[1].find("14:05"), 58U);
  EXPECT_EQ(expected[3].find(" North"), 23U);
}

TEST_F(PrintReportTest, RowsOfEveryKindWorkedOutByHand) {
  WriteLayout(
      Layout({"0",        "PERFORMANCE",        // text line
              "1,3,1",    "Share Price",        // a value item, two decimals
              "-1,3,103", "Neg. H.E. Yield",    // negated; the half rounds away from zero
              "2,1,5",    "CD Rate",            // a decision, whole
              "3,1,129",  "Home Equity Loans",  // an amount item found at row 20; label of 17
              "1,6,46",   "Interest Income",    // adaptive either side of 999.95
              "1,3,51",   "Net Income",         // longer than six characters: the last six
              "1,3,2",    "Row Two",            // not an item number: the row itself (EPS)
              "4,3,0",    "Again",              // an unknown kind prints the last row again
              "-5,3,0",   "Again Negated",
              "99"}));
  ASSERT_EQ(Print(), ReportOutcome::kPrinted);
  const std::vector<std::string> expected = {
      "PERFORMANCE",
      "Share Price" + Blanks(6) + " 12.50" + "  7.25",
      "Neg. H.E. Yield" + Blanks(2) + " -8.13" + "  1.50",
      "CD Rate" + Blanks(10) + "     5" + "    12",
      "Home Equity Loans" + std::string("  1234") + "-32768",
      "Interest Income" + Blanks(2) + " 999.9" + "  1000",
      "Net Income" + Blanks(7) + "345.67" + "234.50",
      "Row Two" + Blanks(10) + "  0.75" + " -0.20",
      "Again" + Blanks(12) + "  0.75" + " -0.20",
      "Again Negated" + Blanks(4) + " -0.75" + "  0.20",
  };
  EXPECT_EQ(Lines(printer.Render()), expected);
  EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PrintReportTest, ALabelPastColumn17PushesTheFiguresToTheNextLine) {
  WriteLayout(Layout({"1,3,1", "Share Price Per Share", "99"}));
  ASSERT_EQ(Print(), ReportOutcome::kPrinted);
  EXPECT_EQ(printer.Render(), "Share Price Per Share\n" + Blanks(17) + " 12.50  7.25\n");
}

TEST_F(PrintReportTest, LayoutWithLineFeedsOnlyAndLinesAfterTheEnd) {
  WriteLayout("0\nText\n99\nnever read\n");
  ASSERT_EQ(Print(), ReportOutcome::kPrinted);
  EXPECT_EQ(printer.Render(), "Text\n");
}

TEST_F(PrintReportTest, CopiesArePassesOnNewPagesWhenThePrinterRefusesThem) {
  WriteLayout(Layout({"-10", "Bank", "1,3,1", "Share Price", "99"}));
  TextPages one_copy;
  ASSERT_EQ(PrintReport(session, LayoutPath(), 1, one_copy), ReportOutcome::kPrinted);

  ASSERT_EQ(Print(2), ReportOutcome::kPrinted);
  EXPECT_EQ(printer.pages().size(), 2U);
  EXPECT_EQ(printer.Render(), one_copy.Render() + "\f" + one_copy.Render());

  TextPages copying(TextPages::Options{.prints_copies = true});
  ASSERT_EQ(PrintReport(session, LayoutPath(), 2, copying), ReportOutcome::kPrinted);
  EXPECT_EQ(copying.pages().size(), 1U) << "one pass when the printer makes the copies";
  EXPECT_EQ(copying.copies(), 2);
  EXPECT_EQ(copying.Render(), printer.Render());
}

TEST_F(PrintReportTest, NoCopiesPrintsNothing) {
  WriteLayout(Layout({"0", "Text", "99"}));
  EXPECT_EQ(Print(0), ReportOutcome::kCancelled);
  EXPECT_FALSE(printer.ended());
  EXPECT_EQ(printer.Render(), "");
}

TEST_F(PrintReportTest, CourierInAnyLetterCaseElseTheFontDialog) {
  WriteLayout(Layout({"0", "Text", "99"}));
  TextPages courier(TextPages::Options{.fonts = {"Arial", "COURIER"}});
  ASSERT_EQ(PrintReport(session, LayoutPath(), 1, courier), ReportOutcome::kPrinted);
  EXPECT_EQ(courier.font(), (PrinterFont{"Courier", 12}));
  EXPECT_TRUE(courier.dialog_presets().empty());

  PrinterFont dialog{"Mono", 10, true, true, true, true};
  TextPages other(TextPages::Options{.fonts = {"Arial"}, .dialog_font = dialog});
  ASSERT_EQ(PrintReport(session, LayoutPath(), 1, other), ReportOutcome::kPrinted);
  ASSERT_EQ(other.dialog_presets().size(), 1U);
  EXPECT_EQ(other.dialog_presets()[0].size, 12);
  EXPECT_EQ(other.font(), (PrinterFont{"Mono", 10, true, true, false, false}))
      << "underline and strikethrough are switched off";

  TextPages cancelled(TextPages::Options{.fonts = {"Arial"}});
  EXPECT_EQ(PrintReport(session, LayoutPath(), 1, cancelled), ReportOutcome::kCancelled);
  EXPECT_EQ(cancelled.Render(), "");
  EXPECT_FALSE(cancelled.ended());
  EXPECT_TRUE(ui.shown().empty()) << "a cancelled dialog shows no message";
}

TEST_F(PrintReportTest, EveryFailureShowsItsNumberAndPrintsNothing) {
  struct Row {
    const char* shows;
    std::string layout;  // empty: no layout file
    int error_number;
  } rows[] = {
      {"no layout file", "", 53},
      {"format code 7", Layout({"1,7,1", "Label", "99"}), 9},
      {"format code 0", Layout({"3,0,1", "Label", "99"}), 9},
      {"decision item 64", Layout({"2,3,64", "Label", "99"}), 9},
      {"competitor row 41", Layout({"1,3,41", "Label", "99"}), 9},
      {"amount row -1", Layout({"3,1,-1", "Label", "99"}), 9},
      {"item number too large", Layout({"2,3,40000", "Label", "99"}), 6},
      {"no 99 line after printed lines", Layout({"-10", "Bank", "0", "Text"}), 62},
      {"header without its caption", "-10\r\n", 62},
      {"row without its label", "1,3,1\r\n", 62},
      {"empty layout", " ", 62},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    test::ScriptedUi answers;
    Session s{files, answers, clock, random};
    s.game = session.game;
    s.GamePath = session.GamePath;
    s.ProgramDir = session.ProgramDir;
    if (row.layout.empty()) {
      std::remove(LayoutPath().c_str());
    } else {
      WriteLayout(row.layout);
    }
    answers.Then(Answer::kCancel);
    TextPages out;
    EXPECT_EQ(PrintReport(s, LayoutPath(), 2, out), ReportOutcome::kFailed);
    ASSERT_EQ(answers.shown().size(), 1U);
    const Message& shown = answers.shown()[0];
    EXPECT_EQ(shown.text, "Error Printing Report: " + std::to_string(row.error_number));
    EXPECT_EQ(shown.title, "Quorvant Instructor");
    EXPECT_EQ(shown.buttons, Buttons::kRetryCancel);
    EXPECT_EQ(shown.icon, Icon::kNone);
    EXPECT_EQ(s.MessageText, shown.text);
    EXPECT_EQ(out.Render(), "") << "nothing half-printed";
    EXPECT_FALSE(out.ended());
  }
}

TEST_F(PrintReportTest, MissingCompetitorFileIsAFailedReadNumberedZero) {
  WriteLayout(Layout({"0", "Text", "99"}));
  std::remove((dir.path() + "Comp.qv").c_str());
  ui.Then(Answer::kCancel).Then(Answer::kCancel);
  EXPECT_EQ(Print(), ReportOutcome::kFailed);
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Cannot read file " + dir.path() + "COMP.QV",
                                                  "Error Printing Report: 0"}));
  EXPECT_EQ(printer.Render(), "");
}

TEST_F(PrintReportTest, RetryStartsAgainWithTheReadsAndPrintsOneReport) {
  WriteLayout(Layout({"0", "Text", "99"}));
  files.FailPathTimes("BANKS.QV", 1);
  ui.Then(Answer::kCancel).Then(Answer::kRetry);
  EXPECT_EQ(Print(), ReportOutcome::kPrinted);
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Cannot read file " + dir.path() + "BANKS.QV",
                                                  "Error Printing Report: 0"}));
  EXPECT_EQ(printer.Render(), "Text\n");
}

TEST_F(PrintReportTest, ShippedLayoutPrintsAFullReportForTenBanks) {
  session.game.NumBanks = 10;
  for (int b = 1; b <= 10; ++b) {
    session.game.BankName(b) = "Bank No " + std::to_string(b);
  }
  WriteGameFiles();
  const std::string layout_path = test::ProgramDir() + "report.qvs";
  ASSERT_EQ(PrintReport(session, layout_path, 1, printer), ReportOutcome::kPrinted);
  EXPECT_TRUE(ui.shown().empty());

  std::string layout;
  ASSERT_TRUE(real.ReadText(layout_path, &layout).ok());
  const std::string ends = layout.substr(0, layout.find("\n99\r\n") + 5);
  std::size_t line_feeds = 0;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    if (ends[i] == '\n') {
      ++line_feeds;
      EXPECT_TRUE(i > 0 && ends[i - 1] == '\r') << "line " << line_feeds << " ends in LF only";
    }
  }

  const std::vector<std::string> lines = Lines(printer.Render());
  EXPECT_GT(lines.size(), 40U);
  int rows = 0;
  for (std::size_t i = 7; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() == 17 + 6 * 10) {
      ++rows;
      EXPECT_NE(line[0], ' ') << "figures pushed off their label's line: " << line;
    } else {
      EXPECT_LE(line.size(), 17U + 6 * 10) << line;
    }
  }
  EXPECT_GT(rows, 30) << "rows of figures, each with its label within 17 columns";
}

}  // namespace
}  // namespace qv
