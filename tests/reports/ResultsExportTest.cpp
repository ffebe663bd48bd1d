#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "reports/LiveQuarterSource.h"
#include "reports/QuarterlyReport.h"
#include "reports/ResultsExport.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

// The stored files read byte by byte, apart from the game's own readers.
struct StoredFiles {
  std::string comp, banks, plot;

  static float Single(const std::string& bytes, std::size_t at) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
      bits = (bits << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  static std::int16_t Integer(const std::string& bytes, std::size_t at) {
    const auto low = static_cast<unsigned char>(bytes.at(at));
    const auto high = static_cast<unsigned char>(bytes.at(at + 1));
    return static_cast<std::int16_t>(low | (high << 8));
  }

  // COMP.QV: value rows in records 1..40, amount rows two to a record in 41..60.
  double CompValue(int bank, int row) const {
    return Single(comp, static_cast<std::size_t>((row - 1) * 40 + (bank - 1) * 4));
  }
  double CompAmount(int bank, int row) const {
    const int record = 40 + (row + 1) / 2;
    const int slot = ((row - 1) % 2) * 10 + bank;
    return Integer(comp, static_cast<std::size_t>((record - 1) * 40 + (slot - 1) * 2));
  }
  // banks.qv: decision item i of bank b in record 7 + 3(b-1) + k.
  double Decision(int bank, int item) const {
    const int record = 7 + 3 * (bank - 1) + (item - 1) / 21 + 1;
    return Single(banks, static_cast<std::size_t>((record - 1) * 84 + ((item - 1) % 21) * 4));
  }
  // PLOTV.QV: window quarter q of market series s in record (s + 1) / 2.
  double Market(int quarter, int series) const {
    const int record = (series + 1) / 2;
    const int slot = ((series - 1) % 2) * 16 + quarter;
    return Single(plot, static_cast<std::size_t>((record - 1) * 128 + (slot - 1) * 4));
  }
};

// The rows of COMP.QV that a report item names, from the lists of the competitor file.
int ValueRow(int item) {
  const std::vector<int> items = {1,  3,  4,  5,  6,  7,  8,  46, 47, 49,  50,
                                  51, 72, 75, 76, 79, 83, 86, 87, 88, 103, 104};
  const auto at = std::find(items.begin(), items.end(), item);
  return at == items.end() ? item : static_cast<int>(at - items.begin()) + 1;
}
int AmountRow(int item) {
  const std::vector<int> items = {1,  2,  3,  4,  5,  6,   7,   8,   9,   10,  11,  32,  37,
                                  43, 45, 47, 52, 57, 104, 129, 125, 126, 127, 128, 129, 130};
  const auto at = std::find(items.begin(), items.end(), item);
  return at == items.end() ? item : static_cast<int>(at - items.begin()) + 1;
}

// RFC 4180 as a spreadsheet reads it: quoted cells may hold commas, quotes and line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1);
  std::string cell;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().push_back(cell);
      cell.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.back().push_back(cell);
      cell.clear();
      rows.emplace_back();
      ++i;
    } else {
      cell += c;
    }
  }
  rows.pop_back();  // after the last line end
  return rows;
}

struct ResultsExportTest : ::testing::Test {
  test::TestGame game;
  GameExport exported;
  StoredFiles stored;

  void SetUp() override {
    // Names as entered, with a comma and a letter beyond ASCII.
    ASSERT_EQ(
        game.Create(game.Setup({{"Smith, Co", 1, 0}, {"Caf\xC3\xA9 B", 2, 1}, {"Cedar", 3, 2}})),
        Proceed::kGoOn);
    game.ui.AcknowledgeOkBoxes();
    ASSERT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
    std::string layout;
    ASSERT_TRUE(game.session.files.ReadText(ReportLayoutPath(game.session), &layout).ok());
    LiveQuarterSource source(game.session);
    std::vector<int> seen;
    ASSERT_TRUE(CollectGameExport(
        source, layout, source.Quarters(), [&](int quarter, int, int) { seen.push_back(quarter); },
        &exported));
    EXPECT_EQ(seen, std::vector<int>{1});
    stored.comp = game.dir.Read("game/Comp.qv");
    stored.banks = game.dir.Read("game/Banks.qv");
    stored.plot = game.dir.Read("game/Plotv.qv");
    ASSERT_FALSE(stored.comp.empty());
    ASSERT_FALSE(stored.banks.empty());
    ASSERT_FALSE(stored.plot.empty());
  }

  // The stored figure behind a report row, its sign as the row's code asks.
  double StoredReportFigure(int code, int item, int bank) const {
    const int kind = std::abs(code);
    const double figure = kind == 1   ? stored.CompValue(bank, ValueRow(item))
                          : kind == 3 ? stored.CompAmount(bank, AmountRow(item))
                                      : stored.Decision(bank, item);
    return code < 0 ? -figure : figure;
  }
};

TEST_F(ResultsExportTest, CsvHoldsEveryStoredFigureOncePerCell) {
  const std::vector<std::vector<std::string>> rows = ParseCsv(ExportCsv(exported));
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], (std::vector<std::string>{"kind", "quarter", "bank", "bank_name", "section",
                                               "item", "label", "value"}));
  const ResultsTable& table = exported.quarters.at(0).table;
  std::map<std::string, int> kinds;
  std::size_t report_row = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string>& row = rows[i];
    ASSERT_EQ(row.size(), 8U) << "line " << i;
    ++kinds[row[0]];
    // Each figure is a single; its text reads back as the same single.
    const double value = std::stof(row[7]);
    if (row[0] == "market") {
      EXPECT_TRUE(row[2].empty());
      const int window_quarter = std::stoi(row[1]) - 1 + 16;
      EXPECT_EQ(value, stored.Market(window_quarter, std::stoi(row[5]))) << "line " << i;
      continue;
    }
    EXPECT_EQ(row[1], "1");
    const int bank = std::stoi(row[2]);
    const std::vector<std::string> names = {"Smith, Co", "Caf\xC3\xA9 B", "Cedar"};
    EXPECT_EQ(row[3], names.at(static_cast<std::size_t>(bank - 1))) << "UTF-8, as entered";
    if (row[0] == "decision") {
      EXPECT_EQ(value, stored.Decision(bank, std::stoi(row[5]))) << "line " << i;
    } else {
      const ResultsRow& shown = table.rows.at(report_row / 3);
      EXPECT_EQ(row[6], shown.label);
      EXPECT_EQ(value, StoredReportFigure(shown.code, shown.item, bank)) << row[6];
      EXPECT_EQ(row[7].find_first_of("eE"), std::string::npos) << "plain decimals: " << row[7];
      ++report_row;
    }
  }
  EXPECT_EQ(kinds["report"], static_cast<int>(table.rows.size()) * 3);
  EXPECT_EQ(kinds["decision"], 63 * 3);
  EXPECT_EQ(kinds["market"], 16 * 8);
}

TEST_F(ResultsExportTest, JsonHoldsEveryStoredFigureUnderItsDocumentedKeys) {
  const nlohmann::json json = nlohmann::json::parse(ExportJson(exported));
  EXPECT_EQ(json["game_title"], "Test");
  ASSERT_EQ(json["quarters"].size(), 1U);
  const nlohmann::json& quarter = json["quarters"][0];
  EXPECT_EQ(quarter["quarter"], 1);
  ASSERT_EQ(quarter["banks"].size(), 3U);
  EXPECT_EQ(quarter["banks"][1]["name"], "Caf\xC3\xA9 B");
  EXPECT_TRUE(quarter["banks"][1]["trouble"].is_array());

  const ResultsTable& table = exported.quarters.at(0).table;
  ASSERT_EQ(quarter["report"].size(), table.rows.size());
  for (const nlohmann::json& row : quarter["report"]) {
    ASSERT_EQ(row["values"].size(), 3U);
    for (int b = 1; b <= 3; ++b) {
      EXPECT_EQ(row["values"][static_cast<std::size_t>(b - 1)].get<float>(),
                StoredReportFigure(row["code"], row["item"], b))
          << row["label"];
    }
  }
  for (const nlohmann::json& bank : quarter["decisions"]) {
    ASSERT_EQ(bank["items"].size(), 63U);
    for (int item = 1; item <= 63; ++item) {
      EXPECT_EQ(bank["items"][static_cast<std::size_t>(item - 1)].get<float>(),
                stored.Decision(bank["bank"], item));
    }
  }
  const nlohmann::json& market = json["market_history"];
  ASSERT_EQ(market["series"].size(), 8U);
  EXPECT_EQ(market["series"][6]["name"], "Price Index");
  ASSERT_EQ(market["quarters"].size(), 16U);
  EXPECT_EQ(market["quarters"][15]["quarter"], 1) << "the window ends at the results quarter";
  for (int q = 1; q <= 16; ++q) {
    for (int s = 1; s <= 8; ++s) {
      EXPECT_EQ(market["quarters"][static_cast<std::size_t>(q - 1)]["values"]
                      [static_cast<std::size_t>(s - 1)]
                          .get<float>(),
                stored.Market(q, s));
    }
  }
}

TEST(ResultsExport, FiguresThatAreNotNumbersStayEmpty) {
  GameExport exported;
  MarketPoint point;
  point.quarter = 3;
  point.series(1) = std::nan("");
  point.series(2) = 1e-7;
  exported.market.push_back(point);
  const std::vector<std::vector<std::string>> rows = ParseCsv(ExportCsv(exported));
  ASSERT_EQ(rows.size(), 9U);
  EXPECT_EQ(rows[1][7], "");
  EXPECT_EQ(std::stof(rows[2][7]), 1e-7F);
  const nlohmann::json json = nlohmann::json::parse(ExportJson(exported));
  EXPECT_TRUE(json["market_history"]["quarters"][0]["values"][0].is_null());
}

}  // namespace
}  // namespace qv
