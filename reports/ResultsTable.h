#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Table.h"
#include "reports/QuarterSource.h"
#include "reports/ReportLayout.h"

namespace qv {

// One row of the results table: a row of the quarterly report with its figures.
struct ResultsRow {
  std::string section;  // the heading of the report's last text line above the row
  std::string label;    // as the layout gives it, Windows-1252
  int code = 0;         // the layout's row code, sign included
  int item = 0;         // the item or row number the layout names
  int format = 1;       // the report's format code 1..6
  RowSource source;
  RowFigures figures;  // as the report prints them, sign changed for a negative code
  // Per bank, the trouble rule the figure breaks, empty when none.
  Table<std::string, kMaxBanks> trouble;
};

// The quarterly comparison of every bank on screen: the rows of the printed report in the
// layout's order, with its labels and number formats.
struct ResultsTable {
  int quarter = 0;
  int num_banks = 0;
  std::vector<std::string> bank_names;  // banks 1..num_banks, Windows-1252
  std::vector<ResultsRow> rows;
  // Per bank (from bank 1), the texts of every trouble rule it breaks, whether or not the
  // layout has a row for the rule's figure.
  std::vector<std::vector<std::string>> bank_troubles;

  // The figure of `row` (from 0) for `bank` (1..num_banks) in the row's report format, whole:
  // a text longer than the printed column is not cut.
  std::string Cell(std::size_t row, int bank) const;
};

// Builds the table of `tables` from the layout text `layout` (the report's report.qvs), with
// the same walk of the layout the printed report takes. Throws RuntimeError as WalkLayout does.
ResultsTable BuildResultsTable(std::string_view layout, const QuarterTables& tables);

// The banks in the order of row `row`'s figures, highest first; equal figures keep bank order.
std::vector<int> RankBanks(const ResultsTable& table, std::size_t row);

// The table as tab-separated UTF-8 text for a spreadsheet's paste: a line of the bank names in
// `bank_order`, then one line per row, its label and the cells in that order.
std::string ResultsAsTsv(const ResultsTable& table, const std::vector<int>& bank_order);

}  // namespace qv
