#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The readable sources of the two data files that come with the program, and their packing
// into the fixed-record files the program reads. A source is text: lines starting with '#'
// and blank lines are comments, every other line is one record of comma-separated fields.
// The layouts and the ranges each field must lie in are described in dataec.csv and
// init.csv beside this file.

inline constexpr int kEconomicRecordCount = 100;
inline constexpr int kEconomicRecordLength = 128;  // 32 singles
inline constexpr int kInitRecordCount = 188;
inline constexpr int kInitRecordLength = 8;  // 4 integers, one per bank type

// The outcome of packing: the file's bytes, or why the source was refused ("line 12: ...").
struct PackResult {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
  std::string error;
};

// DATAEC.QVS from dataec.csv: 100 lines of the quarter number and 32 values.
PackResult PackEconomicSource(std::string_view text);

// INIT.QVS from init.csv: lines P1..P128 and L1..L60, each with four whole numbers.
PackResult PackInitSource(std::string_view text);

}  // namespace qv
