#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "reports/LiveQuarterSource.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportFormats.h"
#include "reports/ReportInterpreter.h"
#include "reports/ResultsTable.h"
#include "reports/TextPages.h"
#include "reports/TroubleRules.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// The printed line of a table row: the label, then every bank's cell in its column.
std::string PrintedLine(const ResultsTable& table, std::size_t row) {
  std::string line = table.rows[row].label;
  line.resize(kReportLabelWidth, ' ');
  for (int b = 1; b <= table.num_banks; ++b) {
    line += RightAlignInColumn(table.Cell(row, b));
  }
  return line;
}

// A game of four computer banks, one of them with a long name, two quarters on.
struct ResultsTableTest : ::testing::Test {
  test::TestGame game;

  void SetUp() override {
    ASSERT_EQ(
        game.Create(game.Setup(
            {{"Alder", 1, 0}, {"Birchwood Savings", 2, 1}, {"Cedar", 3, 2}, {"Dogwood", 1, 3}})),
        Proceed::kGoOn);
    game.ui.AcknowledgeOkBoxes();
    for (int q = 0; q < 2; ++q) {
      ASSERT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
    }
  }

  std::string Layout() {
    std::string text;
    EXPECT_TRUE(game.session.files.ReadText(ReportLayoutPath(game.session), &text).ok());
    return text;
  }

  ResultsTable Table(const std::string& layout) {
    LiveQuarterSource source(game.session);
    QuarterTables tables;
    EXPECT_TRUE(source.Load(game.session.game.ResultsQuarter, &tables));
    return BuildResultsTable(layout, tables);
  }

  std::vector<std::string> PrintedLines(const std::string& layout_path) {
    TextPages pages;
    EXPECT_EQ(PrintReport(game.session, layout_path, 1, pages), ReportOutcome::kPrinted);
    return Lines(pages.Render());
  }
};

TEST_F(ResultsTableTest, ShowsEveryRowOfThePrintedReportInItsOrder) {
  const ResultsTable table = Table(Layout());
  const std::vector<std::string> printed = PrintedLines(ReportLayoutPath(game.session));
  ASSERT_FALSE(table.rows.empty());
  EXPECT_EQ(table.quarter, 2);
  EXPECT_EQ(table.bank_names[1], "Birchwood Savings");

  // Every row stands in the printed report in the same order, and nothing else there has
  // figures in the bank columns.
  std::size_t at = 0;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::string expected = PrintedLine(table, r);
    while (at < printed.size() && printed[at] != expected) {
      ++at;
    }
    ASSERT_LT(at, printed.size()) << "row " << r << " not printed in order: '" << expected << "'";
    ++at;
  }
  const auto has_figures = [&table](const std::string& line) {
    if (line.size() != kReportLabelWidth + 6U * static_cast<std::size_t>(table.num_banks)) {
      return false;
    }
    const std::string columns = line.substr(kReportLabelWidth);
    return columns.find_first_not_of(" -.0123456789") == std::string::npos &&
           columns.find_first_of("0123456789") != std::string::npos;
  };
  const auto figure_lines =
      static_cast<std::size_t>(std::count_if(printed.begin(), printed.end(), has_figures));
  EXPECT_EQ(figure_lines, table.rows.size());
}

TEST_F(ResultsTableTest, FollowsAChangedLayoutAsThePrintedReportDoes) {
  // A negated row, a decision row, a row of an unknown kind that repeats the figures before
  // it, and an item number used as a row of COMP.QV.
  const std::string layout =
      "-10\r\nBank\r\n0\r\nFIRST PART   (notes)\r\n-1,3,51\r\nLoss\r\n7,6,0\r\nAgain\r\n"
      "0\r\n\r\n2,1,5\r\nCD Rate\r\n3,1,20\r\nRow 20\r\n99\r\n";
  game.dir.Write("layout.qvs", layout);
  const ResultsTable table = Table(layout);
  const std::vector<std::string> printed = PrintedLines(game.dir.path() + "layout.qvs");

  ASSERT_EQ(table.rows.size(), 4U);
  EXPECT_EQ(table.rows[0].section, "FIRST PART");
  EXPECT_EQ(table.rows[2].section, "FIRST PART") << "an empty text line keeps the heading";
  EXPECT_EQ(table.rows[0].code, -1);
  EXPECT_EQ(table.rows[1].figures, table.rows[0].figures);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    EXPECT_NE(std::find(printed.begin(), printed.end(), PrintedLine(table, r)), printed.end())
        << PrintedLine(table, r);
  }
}

TEST_F(ResultsTableTest, RanksBanksByARowAndCopiesThemInThatOrder) {
  ResultsTable table;
  table.num_banks = 3;
  table.bank_names = {"A\tB", "Zo\xEB", "C"};
  table.bank_troubles.resize(3);
  ResultsRow& row = table.rows.emplace_back();
  row.label = "Net Income";
  row.format = 3;
  row.figures(1) = 2;
  row.figures(2) = 5;
  row.figures(3) = 2;

  const std::vector<int> order = RankBanks(table, 0);
  EXPECT_EQ(order, (std::vector<int>{2, 1, 3})) << "highest first, equal figures in bank order";
  EXPECT_EQ(ResultsAsTsv(table, order), "\tZo\xC3\xAB\tA B\tC\nNet Income\t5.00\t2.00\t2.00\n");
}

// One row per rule, each at both sides of its limit.
struct TroubleCase {
  const char* what;
  int kind;  // 1 competitor value row, 3 competitor amount row
  int item;
  double figure;
  const char* expected;  // the rule's text, or "" when kept
};

TEST(TroubleRules, MarkEachRuleAtItsLimit) {
  const TroubleCase cases[] = {
      {"capital just under the minimum", 1, 8, 0.99, "Capital below the required minimum"},
      {"capital at the minimum", 1, 8, 1.0, ""},
      {"equity below zero", 3, 11, -1, "Negative equity"},
      {"no equity at all", 3, 11, 0, ""},
      {"a small loss", 1, 51, -0.1, "Negative net income"},
      {"break-even", 1, 51, 0, ""},
      {"liquidity under the threshold", 1, 83, 9.9, "Liquidity below 10 % of deposits"},
      {"liquidity at the threshold", 1, 83, kLowLiquidityPercent, ""},
      {"any central bank debt", 3, 9, 1, "Borrowing from the central bank"},
      {"no central bank debt", 3, 9, 0, ""},
  };
  for (const TroubleCase& c : cases) {
    ReportFigures figures;
    // A healthy bank, apart from the figure under test.
    figures.competitors.CompetitorValues(2, 7) = 1.5F;    // capital / minimum
    figures.competitors.CompetitorValues(2, 17) = 25.0F;  // liquidity
    figures.competitors.CompetitorAmounts(2, 11) = 80;    // equity
    RowSource source = SourceOfRow([&] {
      LayoutFields fields;
      fields(1) = c.kind;
      fields(3) = c.item;
      return fields;
    }());
    if (c.kind == 1) {
      figures.competitors.CompetitorValues(2, source.row) = static_cast<float>(c.figure);
    } else {
      figures.competitors.CompetitorAmounts(2, source.row) = static_cast<std::int16_t>(c.figure);
    }
    EXPECT_EQ(RowTrouble(source, figures, 2), c.expected) << c.what;
    const std::vector<std::string> all = BankTroubles(figures, 2);
    EXPECT_EQ(all.size(), std::string(c.expected).empty() ? 0U : 1U) << c.what;
    EXPECT_EQ(RowTrouble(source, figures, 1),
              c.kind == 1 && c.item == 8
                  ? "Capital below the required minimum"
                  : (c.kind == 1 && c.item == 83 ? "Liquidity below 10 % of deposits" : ""))
        << "bank 1 holds zeros: " << c.what;
  }
}

TEST_F(ResultsTableTest, MarksTheRowsOfABankInTrouble) {
  QuarterTables tables;
  LiveQuarterSource source(game.session);
  ASSERT_TRUE(source.Load(2, &tables));
  tables.figures.competitors.CompetitorAmounts(3, 9) = 40;  // central bank debt of bank 3
  const ResultsTable table = BuildResultsTable(Layout(), tables);
  int marked = 0;
  for (const ResultsRow& row : table.rows) {
    for (int b = 1; b <= table.num_banks; ++b) {
      if (!row.trouble(b).empty()) {
        ++marked;
        EXPECT_EQ(row.label, "Central Bank Debt");
        EXPECT_EQ(b, 3);
      }
    }
  }
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(table.bank_troubles[2], (std::vector<std::string>{"Borrowing from the central bank"}));
}

}  // namespace
}  // namespace qv
