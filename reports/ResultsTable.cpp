#include "reports/ResultsTable.h"

#include <algorithm>
#include <numeric>

#include "platform/Cp1252.h"
#include "platform/Numeric.h"
#include "reports/ReportFormats.h"
#include "reports/TroubleRules.h"

namespace qv {

namespace {

// A heading line reads "BALANCE SHEET      (end of the quarter)": the heading is the text
// before the first run of blanks.
std::string HeadingOf(std::string_view line) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    return {};
  }
  line.remove_prefix(start);
  return std::string(line.substr(0, line.find("  ")));
}

// A tab or line break inside a name or label would split it over two cells.
std::string OneCell(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return text;
}

class TableBuilder final : public LayoutReader {
 public:
  TableBuilder(ResultsTable& table, const ReportFigures& figures)
      : table_(table), figures_(figures) {}

  void Header(std::string_view) override {}

  void Text(std::string_view line) override {
    std::string heading = HeadingOf(line);
    if (!heading.empty()) {
      section_ = std::move(heading);
    }
  }

  void Row(const LayoutRow& row) override {
    ResultsRow& added = table_.rows.emplace_back();
    added.section = section_;
    added.label = std::string(row.label);
    added.code = ToInteger(row.fields(1));
    added.item = ToInteger(row.fields(3));
    added.format = row.format;
    added.source = SourceOfRow(row.fields);
    added.figures = row.figures;
    for (int b = 1; b <= table_.num_banks; ++b) {
      added.trouble(b) = RowTrouble(added.source, figures_, b);
    }
  }

 private:
  ResultsTable& table_;
  const ReportFigures& figures_;
  std::string section_;
};

}  // namespace

std::string ResultsTable::Cell(std::size_t row, int bank) const {
  const ResultsRow& shown = rows.at(row);
  return FormatReportValue(shown.figures(bank), shown.format);
}

ResultsTable BuildResultsTable(std::string_view layout, const QuarterTables& tables) {
  ResultsTable table;
  table.quarter = tables.quarter;
  table.num_banks = tables.game.NumBanks;
  for (int b = 1; b <= table.num_banks; ++b) {
    table.bank_names.push_back(tables.game.BankName(b));
    table.bank_troubles.push_back(BankTroubles(tables.figures, b));
  }
  TableBuilder builder(table, tables.figures);
  WalkLayout(layout, tables.figures, table.num_banks, builder);
  return table;
}

std::vector<int> RankBanks(const ResultsTable& table, std::size_t row) {
  std::vector<int> banks(static_cast<std::size_t>(table.num_banks));
  std::iota(banks.begin(), banks.end(), 1);
  const RowFigures& figures = table.rows.at(row).figures;
  std::stable_sort(banks.begin(), banks.end(),
                   [&figures](int a, int b) { return figures(a) > figures(b); });
  return banks;
}

std::string ResultsAsTsv(const ResultsTable& table, const std::vector<int>& bank_order) {
  std::string text;
  for (int bank : bank_order) {
    text += '\t';
    text += OneCell(Cp1252ToUtf8(table.bank_names.at(static_cast<std::size_t>(bank - 1))));
  }
  text += '\n';
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    text += OneCell(Cp1252ToUtf8(table.rows[r].label));
    for (int bank : bank_order) {
      text += '\t';
      text += table.Cell(r, bank);
    }
    text += '\n';
  }
  return text;
}

}  // namespace qv
