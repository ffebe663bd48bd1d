#include "reports/ResultsExport.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/Cp1252.h"
#include "reports/TroubleRules.h"

namespace qv {

namespace {

constexpr int kDecisionItems = 63;

// Every figure of the game files is a single or a 16-bit whole number, so its shortest
// single-precision text is exact; fixed notation keeps spreadsheets from reading a date or
// an exponent into it.
std::string Number(double value) {
  if (!std::isfinite(value)) {
    return {};
  }
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, static_cast<float>(value), std::chars_format::fixed);
  return std::string(text, result.ptr);
}

std::string CsvCell(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
    return utf8;
  }
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') {
      quoted += '"';
    }
    quoted += c;
  }
  return quoted + '"';
}

void CsvLine(std::string& csv, std::initializer_list<std::string> cells) {
  bool first = true;
  for (const std::string& cell : cells) {
    if (!first) {
      csv += ',';
    }
    csv += CsvCell(cell);
    first = false;
  }
  csv += "\r\n";
}

std::string JsonString(const std::string& utf8) {
  std::string quoted = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string JsonNumber(double value) {
  const std::string text = Number(value);
  return text.empty() ? "null" : text;
}

template <typename Each>
std::string JsonArray(std::size_t count, Each each) {
  std::string array = "[";
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      array += ", ";
    }
    array += each(i);
  }
  return array + "]";
}

std::string Utf8(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

std::string BanksJson(const ResultsTable& table) {
  return JsonArray(static_cast<std::size_t>(table.num_banks), [&](std::size_t i) {
    return "{\"bank\": " + std::to_string(i + 1) +
           ", \"name\": " + JsonString(Utf8(table.bank_names[i])) + ", \"trouble\": " +
           JsonArray(table.bank_troubles[i].size(),
                     [&](std::size_t t) { return JsonString(table.bank_troubles[i][t]); }) +
           "}";
  });
}

// A report row's description and figures, without its closing brace.
std::string RowJson(const ResultsTable& table, const ResultsRow& row) {
  return "{\"section\": " + JsonString(Utf8(row.section)) +
         ", \"label\": " + JsonString(Utf8(row.label)) + ", \"code\": " + std::to_string(row.code) +
         ", \"item\": " + std::to_string(row.item) + ", \"format\": " + std::to_string(row.format) +
         ", \"values\": " +
         JsonArray(static_cast<std::size_t>(table.num_banks),
                   [&](std::size_t i) { return JsonNumber(row.figures(static_cast<int>(i) + 1)); });
}

}  // namespace

bool CollectGameExport(QuarterSource& source, std::string_view layout,
                       const std::vector<int>& quarters, const ExportProgress& progress,
                       GameExport* exported) {
  exported->quarters.clear();
  const int count = static_cast<int>(quarters.size());
  for (int position = 1; position <= count; ++position) {
    const int quarter = quarters[static_cast<std::size_t>(position - 1)];
    if (progress) {
      progress(quarter, position, count);
    }
    QuarterTables tables;
    if (!source.Load(quarter, &tables)) {
      return false;
    }
    exported->game_title = tables.game.GameName;
    ExportQuarter& added = exported->quarters.emplace_back();
    added.table = BuildResultsTable(layout, tables);
    added.decisions = tables.figures.banks.Decision;
    added.competitors = tables.figures.competitors;
  }
  return source.MarketHistory(&exported->market);
}

std::string ExportCsv(const GameExport& exported) {
  std::string csv;
  CsvLine(csv, {"kind", "quarter", "bank", "bank_name", "section", "item", "label", "value"});
  for (const ExportQuarter& quarter : exported.quarters) {
    const ResultsTable& table = quarter.table;
    const std::string quarter_text = std::to_string(table.quarter);
    for (const ResultsRow& row : table.rows) {
      for (int b = 1; b <= table.num_banks; ++b) {
        CsvLine(csv, {"report", quarter_text, std::to_string(b),
                      Utf8(table.bank_names[static_cast<std::size_t>(b - 1)]), Utf8(row.section),
                      std::to_string(row.item), Utf8(row.label), Number(row.figures(b))});
      }
    }
    for (int b = 1; b <= table.num_banks; ++b) {
      const std::string name = Utf8(table.bank_names[static_cast<std::size_t>(b - 1)]);
      for (int item = 1; item <= kDecisionItems; ++item) {
        CsvLine(csv, {"decision", quarter_text, std::to_string(b), name, "", std::to_string(item),
                      "", Number(quarter.decisions(b, item))});
      }
    }
  }
  for (const MarketPoint& point : exported.market) {
    for (int s = 1; s <= kMarketSeriesCount; ++s) {
      CsvLine(csv,
              {"market", std::to_string(point.quarter), "", "", "", std::to_string(s),
               MarketSeriesNames()[static_cast<std::size_t>(s - 1)].name, Number(point.series(s))});
    }
  }
  return csv;
}

std::string ExportJson(const GameExport& exported) {
  std::string json =
      "{\n  \"game_title\": " + JsonString(Utf8(exported.game_title)) + ",\n  \"quarters\": [";
  for (std::size_t q = 0; q < exported.quarters.size(); ++q) {
    const ExportQuarter& quarter = exported.quarters[q];
    const ResultsTable& table = quarter.table;
    const auto banks = static_cast<std::size_t>(table.num_banks);
    json += q == 0 ? "\n" : ",\n";
    json += "    {\"quarter\": " + std::to_string(table.quarter) + ",\n     \"banks\": ";
    json += BanksJson(table);
    json += ",\n     \"report\": [";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const ResultsRow& row = table.rows[r];
      json += r == 0 ? "\n" : ",\n";
      json += "       " + RowJson(table, row) + "}";
    }
    json += "],\n     \"decisions\": ";
    json += JsonArray(banks, [&](std::size_t i) {
      const int b = static_cast<int>(i) + 1;
      return "{\"bank\": " + std::to_string(b) + ", \"items\": " +
             JsonArray(kDecisionItems,
                       [&](std::size_t item) {
                         return JsonNumber(quarter.decisions(b, static_cast<int>(item) + 1));
                       }) +
             "}";
    });
    json += "}";
  }
  json += "],\n  \"market_history\": {\n    \"series\": ";
  json += JsonArray(kMarketSeriesCount, [](std::size_t s) {
    const MarketSeriesName& name = MarketSeriesNames()[s];
    return "{\"series\": " + std::to_string(s + 1) + ", \"name\": " + JsonString(name.name) +
           ", \"unit\": " + JsonString(name.unit) + "}";
  });
  json += ",\n    \"quarters\": [";
  for (std::size_t p = 0; p < exported.market.size(); ++p) {
    const MarketPoint& point = exported.market[p];
    json += p == 0 ? "\n" : ",\n";
    json += "      {\"quarter\": " + std::to_string(point.quarter) + ", \"values\": " +
            JsonArray(
                kMarketSeriesCount,
                [&](std::size_t s) { return JsonNumber(point.series(static_cast<int>(s) + 1)); }) +
            "}";
  }
  json += "]\n  }\n}\n";
  return json;
}

std::string ReportJson(const std::string& game_title, const ResultsTable& table) {
  std::string json = "{\n  \"game_title\": " + JsonString(Utf8(game_title)) +
                     ",\n  \"quarter\": " + std::to_string(table.quarter) +
                     ",\n  \"banks\": " + BanksJson(table) + ",\n  \"rows\": [";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    json += r == 0 ? "\n    " : ",\n    ";
    json += RowJson(table, table.rows[r]) + ", \"texts\": " +
            JsonArray(
                static_cast<std::size_t>(table.num_banks),
                [&](std::size_t i) { return JsonString(table.Cell(r, static_cast<int>(i) + 1)); }) +
            "}";
  }
  return json + "]\n}\n";
}

}  // namespace qv
