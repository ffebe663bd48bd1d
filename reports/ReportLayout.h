#pragma once

#include <string_view>

#include "data/GameRecord.h"
#include "platform/Table.h"
#include "reports/LayoutLine.h"
#include "reports/ReportFigures.h"

namespace qv {

// The figures of one report row, bank 1..10; banks beyond the game's count keep zeros.
using RowFigures = Table<double, kMaxBanks>;

// One row of the report as its layout describes it and as the game files fill it.
struct LayoutRow {
  const LayoutFields& fields;  // field 1 the row code, 2 the format code, 3 the item
  std::string_view label;
  int format = 1;             // the format code, checked to lie in 1..6
  const RowFigures& figures;  // what the row prints, its sign already changed for a
                              // negative code
};

// What the layout asks for, line by line. The printed report and the on-screen results table
// are both such readers, so a changed layout changes both alike.
class LayoutReader {
 public:
  virtual ~LayoutReader() = default;
  // Line code -10: the report header, `caption` the bank-name column's caption.
  virtual void Header(std::string_view caption) = 0;
  // Line code 0: a text line as it stands (an empty one is a gap).
  virtual void Text(std::string_view line) = 0;
  // Any other code but 99: a row of figures.
  virtual void Row(const LayoutRow& row) = 0;
};

// Walks `layout` (the whole text of a layout file, CR LF or LF lines) up to its first line 99,
// handing each line to `reader` with the figures of banks 1..`num_banks` taken from `figures`:
//   +-1  competitor values, field 3 a bank-result item or a row of COMP.QV
//   +-2  decisions, field 3 a decision item 1..63
//   +-3  competitor amounts, field 3 a bank-amount item or a row of COMP.QV
// A code of any other size repeats the figures of the row before it (zeros for the first).
// Throws RuntimeError: 62 when the layout ends before its line 99, 9 for a format code
// outside 1..6 or an item outside the table it indexes, 6 for a number that does not fit.
void WalkLayout(std::string_view layout, const ReportFigures& figures, int num_banks,
                LayoutReader& reader);

// Where a row's figures come from: its kind (1 values, 2 decisions, 3 amounts, 0 none of
// these) and the row or item it reads after the item lookups. Two rows with the same source
// show the same figures up to their sign.
struct RowSource {
  int kind = 0;
  int row = 0;
  bool operator==(const RowSource&) const = default;
};
RowSource SourceOfRow(const LayoutFields& fields);

}  // namespace qv
