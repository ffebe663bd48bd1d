#pragma once

#include <cstdint>
#include <vector>

#include "data/GameRecord.h"
#include "data/RecordBuffer.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// Entered.qv in the game directory: decisions the instructor keyed in for banks, each for one
// quarter. 84-byte records, as banks.qv:
//   1             Integers 1..10: the decisions quarter (ResultsQuarter + 1 when entered) of
//                 bank 1..10's entry; 0 = no entry
//   1+3(b-1)+k    bank b's Decision(21(k-1)+1 .. 21k), k = 1..3, 21 Singles each
// All 31 records are always written. A missing file holds no entries. An entry serves only
// the advance to its quarter; afterwards it stays as the record of what was entered.
inline constexpr const char* kEnteredWriteName = "Entered.qv";
inline constexpr const char* kEnteredReadName = "ENTERED.QV";
inline constexpr int kEnteredRecords = 1 + 3 * kMaxBanks;

struct EnteredDecisions {
  Table<std::int16_t, kMaxBanks> Quarter;
  Table2<float, kMaxBanks, 63> Decision;

  bool operator==(const EnteredDecisions&) const = default;
};

std::vector<NumberedRecord> EncodeEnteredDecisions(const EnteredDecisions& entered);

// Reads the game directory's file into `entered`; no file is no entries. Retry protocol;
// returns `FileOK`.
[[nodiscard]] bool ReadEnteredDecisions(Session& session, EnteredDecisions* entered);

// Writes the whole file into the game directory. Retry protocol; returns `FileOK`.
[[nodiscard]] bool WriteEnteredDecisions(Session& session, const EnteredDecisions& entered);

}  // namespace qv
