#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Table.h"
#include "reports/QuarterSource.h"
#include "reports/ResultsTable.h"

namespace qv {

// One quarter of an export: the report's rows and every bank's decisions of that quarter.
struct ExportQuarter {
  ResultsTable table;
  Table2<float, kMaxBanks, 63> decisions;
  // The competitor figures the table was built from, for charts of figures the layout may
  // leave out.
  CompetitorTables competitors;
};

// Everything an export holds: the chosen quarters, oldest first, and the market history.
struct GameExport {
  std::string game_title;  // Windows-1252 as the game stores it
  std::vector<ExportQuarter> quarters;
  std::vector<MarketPoint> market;
};

// Called before each quarter is read: the quarter, its position from 1 and how many there are.
using ExportProgress = std::function<void(int quarter, int position, int count)>;

// Loads `quarters` from `source`, builds each one's table from the layout text `layout` and
// reads the market history. False when a quarter or the history cannot be read; a layout
// that cannot be interpreted throws RuntimeError as BuildResultsTable does.
[[nodiscard]] bool CollectGameExport(QuarterSource& source, std::string_view layout,
                                     const std::vector<int>& quarters,
                                     const ExportProgress& progress, GameExport* exported);

// The export as CSV for a spreadsheet, UTF-8, CR LF lines, a header row and then one figure
// per line:
//   kind,quarter,bank,bank_name,section,item,label,value
// kind is "report" (a row of the report: section its heading, item the item the layout names,
// label the row label, value the figure as the report shows it, sign included), "decision"
// (item the decision item 1..63, label empty) or "market" (bank and bank_name empty, item the
// series 1..8, label its name). Values are plain decimal numbers with a dot; a figure that is
// not a finite number is an empty cell. Cells with a comma, quote or line break are quoted.
std::string ExportCsv(const GameExport& exported);

// The export as JSON, UTF-8:
//   {"game_title": text,
//    "quarters": [{"quarter": n,
//                  "banks": [{"bank": b, "name": text, "trouble": [rule texts]}],
//                  "report": [{"section": text, "label": text, "code": row code,
//                              "item": n, "format": 1..6, "values": [one per bank]}],
//                  "decisions": [{"bank": b, "items": [decision items 1..63]}]}],
//    "market_history": {"series": [{"series": 1..8, "name": text, "unit": text}],
//                       "quarters": [{"quarter": n, "values": [series 1..8]}]}}
// Figures that are not finite numbers are null.
std::string ExportJson(const GameExport& exported);

// The quarterly report of one quarter as JSON, UTF-8:
//   {"game_title": text, "quarter": n, "banks": [{"bank": b, "name": text, "trouble": [..]}],
//    "rows": [{"section": text, "label": text, "code": row code, "item": n, "format": 1..6,
//              "values": [one per bank], "texts": [each value as the report prints it]}]}
std::string ReportJson(const std::string& game_title, const ResultsTable& table);

}  // namespace qv
