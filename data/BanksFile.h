#pragma once

#include <cstdint>
#include <vector>

#include "data/GameTables.h"
#include "data/RecordBuffer.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// banks.qv: 84-byte records of 21 Singles, 42 Integers, or a bank's status.
//   1          MarketRates 1..10, EconIndex 1..11
//   2..5       Environment 1..84, 21 per record
//   6..7       IndustrySums 1..42, 21 per record
//   7+3(b-1)+k Decision(b, 21(k-1)+1 .. 21k), k = 1..3 (records 8..37)
//   B = 38+13(b-1), bank b's block:
//     B          status: bytes 0..15 LastUpdated (16 characters, space padded), 16..17
//                BankQuarter, 18..19 DecisionsReady, 20..83 BankValues 106..121
//     B+1..B+3   the bank's own copy of Decision 1..63
//     B+4..B+8   BankValues 1..105
//     B+9..B+12  BankAmounts 1..168, 42 Integers per record
// Only banks 1..NumBanks are written; the records of the others are left as they are.
// Writers name the file "Banks.qv", readers "BANKS.QV"; both are the same file.
inline constexpr const char* kBanksWriteName = "Banks.qv";
inline constexpr const char* kBanksReadName = "BANKS.QV";
inline constexpr int kBanksRecordLength = 84;
inline constexpr int kLastUpdatedLength = 16;

// Record of bank `bank`'s decisions 21(k-1)+1 .. 21k, k = 1..3.
constexpr int DecisionRecord(int bank, int k) {
  return 7 + 3 * (bank - 1) + k;
}
// First record of bank `bank`'s block (its status record).
constexpr int BankBlockRecord(int bank) {
  return 38 + 13 * (bank - 1);
}
// Number of records of the file of a game of `num_banks` banks: the end of the last block.
constexpr int BanksFileRecords(int num_banks) {
  return BankBlockRecord(num_banks) + 12;
}

// What a bank's own decision copy (B+1..B+3) carries.
enum class DecisionCopy {
  kAsMade,  // the decisions as they stand
  // the quarter's transactions cleared (items 22..38, 41, 42 := 0) and the policy limits
  // unset (20, 21, 43..48 := 999), so the bank starts the next quarter from a clean sheet
  kClearedForNextQuarter,
};

// Bank `bank`'s decisions as its own copy carries them.
Table<float, 63> OwnDecisionCopy(const GameTables& tables, int bank, DecisionCopy copy);

// Records 1..7, the decision records and the blocks of banks 1..`num_banks` from `tables`,
// in file order, ready for `WriteRecords`.
std::vector<NumberedRecord> EncodeBanksRecords(const GameTables& tables, int num_banks,
                                               DecisionCopy copy);

// The update after a quarter: writes the whole file into directory `index` from the session's
// tables, each bank's own decision copy cleared for the next quarter. Retry protocol;
// returns `FileOK`.
[[nodiscard]] bool WriteBanksUpdate(Session& session, int index);

// The advance's reload from the game directory: records 1..7, the decision records of banks
// 1..NumBanks and of each block the status record's Singles (BankValues 106..121), BankValues
// 1..105 and BankAmounts. Neither the own decision copies nor the status fields are read.
// Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadBanksFull(Session& session);

// Reads what a bank's own program changes, from the banks.qv of the disk the last disk check
// selected (`CurrentPath`): bank `bank`'s LastUpdated, BankQuarter and DecisionsReady and its
// own decision copy into Decision(bank, 1..63). Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadBankDisk(Session& session, int bank);

// Last quarter's decisions of bank `bank` as the instructor stored them: its decision
// records in the game directory into Decision(bank, 1..63). Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadBankDecisions(Session& session, int bank);

// The main window's copy of the market data and decisions, for the report.
struct BanksReport {
  Table<double, 10> MarketRates;
  Table<double, 11> EconIndex;
  Table<double, 84> Environment;
  Table<double, 42> IndustrySums;
  Table2<float, kMaxBanks, 63> Decision;
};

// Reads `GamePath` + "BANKS.QV": records 1..7 and the decision records of banks
// 1..NumBanks into `report`. Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadBanksXFD(Session& session, BanksReport* report);

// Records 2..5 of the game directory's file, Environment 1..84. Retry protocol; return `FileOK`.
[[nodiscard]] bool ReadEnvironmentRecords(Session& session, Table<double, 84>* environment);
[[nodiscard]] bool WriteEnvironmentRecords(Session& session, const Table<double, 84>& environment);

}  // namespace qv
