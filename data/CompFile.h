#pragma once

#include <cstdint>

#include "data/GameRecord.h"
#include "data/GameTables.h"
#include "data/RecordBuffer.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// COMP.QV, the competitor analysis: 40-byte records, one figure per bank j = 1..10.
//   r = 1..40     Single j = BankValues(j, CompetitorValueRows(r))
//   40 + k        Integer 10(m-1) + j = BankAmounts(j, CompetitorAmountRows(2(k-1) + m)),
//   (k = 1..20)   m = 1, 2
// All ten bank columns are written whatever NumBanks is. The game directory and the bank
// disks hold it from the first advance on.
inline constexpr const char* kCompWriteName = "Comp.qv";
inline constexpr const char* kCompReadName = "COMP.QV";
inline constexpr int kCompRecordLength = 40;
inline constexpr int kCompetitorRows = 40;
inline constexpr int kCompRecords = 60;

// The BankValues item of competitor value row `row` (1..40), and the BankAmounts item of
// competitor amount row `row`. A row outside 1..40 is run-time error 9.
int CompetitorValueRows(int row);
int CompetitorAmountRows(int row);

// Records 1..60 from the BankValues and BankAmounts of all ten banks.
std::vector<NumberedRecord> EncodeCompRecords(const GameTables& tables);

// The advance's competitor writer: records 1..60 into directory `index`. Retry protocol;
// returns `FileOK`.
[[nodiscard]] bool WriteCompFile(Session& session, int index);

// The report's view of COMP.QV, (bank, row).
struct CompetitorTables {
  Table2<float, kMaxBanks, kCompetitorRows> CompetitorValues;
  Table2<std::int16_t, kMaxBanks, kCompetitorRows> CompetitorAmounts;
};

// Reads `GamePath` + "COMP.QV": records 1..40 into the values, 41..60 into the amounts.
// Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadComp(Session& session, CompetitorTables* tables);

}  // namespace qv
