#include "resources/StaticDataSource.h"

#include <charconv>
#include <cmath>
#include <span>

#include "platform/ByteCoding.h"

namespace qv {

namespace {

constexpr int kSeriesCount = 32;  // 31 economic series and the growth factor
constexpr int kTypeCount = 4;
constexpr int kPortfolioRecords = 128;

struct SourceLine {
  int number;  // 1-based line number in the source text
  std::vector<std::string_view> fields;
};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The record lines of a source, each split into trimmed fields.
std::vector<SourceLine> RecordLines(std::string_view text) {
  std::vector<SourceLine> lines;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    ++number;
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    SourceLine record{number, {}};
    std::size_t field_start = 0;
    for (;;) {
      const std::size_t comma = line.find(',', field_start);
      record.fields.push_back(Trim(line.substr(field_start, comma - field_start)));
      if (comma == std::string_view::npos) {
        break;
      }
      field_start = comma + 1;
    }
    lines.push_back(std::move(record));
  }
  return lines;
}

std::string Where(const SourceLine& line) {
  return "line " + std::to_string(line.number) + ": ";
}

PackResult Refuse(std::string message) {
  return PackResult{false, {}, std::move(message)};
}

bool ParseNumber(std::string_view field, double* value) {
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, *value);
  return error == std::errc() && stop == end && std::isfinite(*value);
}

bool ParseWhole(std::string_view field, long* value) {
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, *value);
  return error == std::errc() && stop == end;
}

struct Range {
  double low;
  double high;
  const char* text;  // how the range is shown in a refusal
};

// Series 1..10 are rates, 11..18 and the growth factor are factors near 1, 19..31 reserved.
Range SeriesRange(int series) {
  if (series <= 10) {
    return {0.0, 30.0, "a rate, must lie in 0 .. 30"};
  }
  if (series <= 18 || series == kSeriesCount) {
    return {0.95, 1.10, "a factor, must lie in 0.95 .. 1.10"};
  }
  return {0.0, 0.0, "reserved, must be 0"};
}

std::string FieldName(int series) {
  return series == kSeriesCount ? std::string("the growth factor")
                                : "series " + std::to_string(series);
}

std::string CountMessage(std::size_t found, int expected, const char* what) {
  return "found " + std::to_string(found) + " records, expected " + std::to_string(expected) +
         " (" + what + ")";
}

}  // namespace

PackResult PackEconomicSource(std::string_view text) {
  const std::vector<SourceLine> lines = RecordLines(text);
  PackResult result;
  result.bytes.assign(static_cast<std::size_t>(kEconomicRecordCount) * kEconomicRecordLength, 0);
  const std::span<std::uint8_t> bytes(result.bytes);
  int period = 0;
  for (const SourceLine& line : lines) {
    ++period;
    if (period > kEconomicRecordCount) {
      return Refuse(Where(line) + "more than 100 quarters");
    }
    if (line.fields.size() != kSeriesCount + 1) {
      return Refuse(Where(line) + "expected 33 fields (the quarter and 32 values), found " +
                    std::to_string(line.fields.size()));
    }
    double quarter = 0.0;
    if (!ParseNumber(line.fields[0], &quarter) || quarter != period) {
      return Refuse(Where(line) + "the first field must be the quarter number " +
                    std::to_string(period) + ", found '" + std::string(line.fields[0]) + "'");
    }
    const std::size_t record_start = static_cast<std::size_t>(period - 1) * kEconomicRecordLength;
    for (int series = 1; series <= kSeriesCount; ++series) {
      const std::string_view field = line.fields[static_cast<std::size_t>(series)];
      double value = 0.0;
      if (!ParseNumber(field, &value)) {
        return Refuse(Where(line) + FieldName(series) + " is not a number: '" + std::string(field) +
                      "'");
      }
      const Range range = SeriesRange(series);
      if (value < range.low || value > range.high) {
        return Refuse(Where(line) + FieldName(series) + " is " + range.text + ", found " +
                      std::string(field));
      }
      PutSingle(bytes, record_start + static_cast<std::size_t>(series - 1) * 4,
                static_cast<float>(value));
    }
  }
  if (period != kEconomicRecordCount) {
    return Refuse(CountMessage(lines.size(), kEconomicRecordCount, "quarters 1..100"));
  }
  result.ok = true;
  return result;
}

PackResult PackInitSource(std::string_view text) {
  const std::vector<SourceLine> lines = RecordLines(text);
  PackResult result;
  result.bytes.assign(static_cast<std::size_t>(kInitRecordCount) * kInitRecordLength, 0);
  const std::span<std::uint8_t> bytes(result.bytes);
  int record = 0;
  for (const SourceLine& line : lines) {
    ++record;
    if (record > kInitRecordCount) {
      return Refuse(Where(line) + "more than 188 records (P1..P128, L1..L60)");
    }
    const std::string label = record <= kPortfolioRecords
                                  ? "P" + std::to_string(record)
                                  : "L" + std::to_string(record - kPortfolioRecords);
    if (line.fields.size() != kTypeCount + 1) {
      return Refuse(Where(line) + "expected 5 fields (the label and one number per bank type), " +
                    "found " + std::to_string(line.fields.size()));
    }
    if (line.fields[0] != label) {
      return Refuse(Where(line) + "expected the label " + label + ", found '" +
                    std::string(line.fields[0]) + "'");
    }
    for (int type = 1; type <= kTypeCount; ++type) {
      const std::string_view field = line.fields[static_cast<std::size_t>(type)];
      long value = 0;
      if (!ParseWhole(field, &value)) {
        return Refuse(Where(line) + label + " of bank type " + std::to_string(type) +
                      " is not a whole number: '" + std::string(field) + "'");
      }
      if (value < 0 || value > 32767) {
        return Refuse(Where(line) + label + " of bank type " + std::to_string(type) +
                      " must lie in 0 .. 32767, found " + std::string(field));
      }
      PutInt16(bytes,
               static_cast<std::size_t>(record - 1) * kInitRecordLength +
                   static_cast<std::size_t>(type - 1) * 2,
               static_cast<std::int16_t>(value));
    }
  }
  if (record != kInitRecordCount) {
    return Refuse(CountMessage(lines.size(), kInitRecordCount, "P1..P128 and L1..L60"));
  }
  result.ok = true;
  return result;
}

}  // namespace qv
