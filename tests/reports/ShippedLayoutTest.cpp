#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportInterpreter.h"
#include "reports/ResultsTable.h"
#include "reports/TextPages.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

// The range each row of the shipped report takes in play, as printed (sign included).
const std::map<std::string, std::pair<double, double>>& PlayedRanges() {
  static const std::map<std::string, std::pair<double, double>> ranges = {
      {"Share Price", {0.01, 9999}},        {"Earnings/Share", {-9.99, 99.99}},
      {"Dividend/Share", {0, 99.99}},       {"Price/Earnings", {-999.9, 999.9}},
      {"Return on Equity", {-99.9, 999.9}}, {"Return on Assets", {-9.99, 99.99}},
      {"Capital/Minimum", {0.01, 99.99}},   {"Liquidity % Dep.", {0, 999.9}},
  };
  return ranges;
}

// Income statement figures are whole amounts from -9999 up; the balance sheet's 16-bit
// amounts from -9999 to 32767; decisions are rates or per-share amounts below 100.
std::pair<double, double> RangeOf(const ResultsRow& row) {
  const auto named = PlayedRanges().find(row.label);
  if (named != PlayedRanges().end()) {
    return named->second;
  }
  if (row.section == "INCOME STATEMENT") {
    return {-9999, 32767};
  }
  if (row.section == "BALANCE SHEET") {
    return {-9999, 32767};
  }
  return {0, 99.99};
}

void Store(ReportFigures& figures, const ResultsRow& row, int bank, double printed) {
  const double stored = row.code < 0 ? -printed : printed;
  switch (row.source.kind) {
    case 1:
      figures.competitors.CompetitorValues(bank, row.source.row) = static_cast<float>(stored);
      break;
    case 2:
      figures.banks.Decision(bank, row.source.row) = static_cast<float>(stored);
      break;
    default:
      figures.competitors.CompetitorAmounts(bank, row.source.row) =
          static_cast<std::int16_t>(stored);
  }
}

struct ShippedLayout : ::testing::Test, test::TestSession {
  std::string layout;

  void SetUp() override {
    session.ProgramDir = test::ProgramDir();
    ASSERT_TRUE(files.ReadText(ReportLayoutPath(session), &layout).ok());
    session.game.GameName = "Columns";
    session.game.NumBanks = 4;
    for (int b = 1; b <= 4; ++b) {
      session.game.BankName(b) = "Bank" + std::to_string(b);
    }
  }
};

TEST_F(ShippedLayout, KeepsABlankBeforeEveryFigureOverThePlayedRanges) {
  QuarterTables tables;
  tables.game = session.game;
  const ResultsTable rows = BuildResultsTable(layout, tables);
  // Banks 1 and 3 at the low end of each row, 2 and 4 at the high end; the issue's own
  // pair first: a share price of 19.75 beside one of 108.40.
  for (const ResultsRow& row : rows.rows) {
    const auto [low, high] = RangeOf(row);
    Store(tables.figures, row, 1, low);
    Store(tables.figures, row, 2, high);
    Store(tables.figures, row, 3, low);
    Store(tables.figures, row, 4, high);
    if (row.label == "Share Price") {
      Store(tables.figures, row, 1, 19.75);
      Store(tables.figures, row, 2, 108.40);
    }
  }
  TextPages pages;
  ReportInterpreter(session, tables.figures).PrintPass(layout, true, pages);
  const ResultsTable shown = BuildResultsTable(layout, tables);
  for (std::size_t r = 0; r < shown.rows.size(); ++r) {
    for (int b = 1; b <= 4; ++b) {
      EXPECT_LE(shown.Cell(r, b).size(), 5U)
          << shown.rows[r].label << " of bank " << b << " prints as '" << shown.Cell(r, b)
          << "' and touches the column before it";
    }
  }
  const std::vector<std::string>& page = pages.pages().at(0);
  EXPECT_NE(std::find_if(page.begin(), page.end(),
                         [](const std::string& line) {
                           return line.rfind("Share Price", 0) == 0 &&
                                  line.find(" 19.8 108.4") != std::string::npos;
                         }),
            page.end());
}

}  // namespace
}  // namespace qv
