#pragma once

#include <cstdint>
#include <string>

#include "platform/Table.h"

namespace qv {

inline constexpr int kMaxBanks = 10;
inline constexpr const char* kGameVersion = "3.00";

// Bank types, in the order of the type list in Bank Setup.
namespace bank_type {
inline constexpr int kFullService = 1;
inline constexpr int kConsumer = 2;
inline constexpr int kBusiness = 3;
inline constexpr int kTurnaround = 4;
}  // namespace bank_type

// Where a bank's decisions live (`DiskType`).
namespace disk_type {
inline constexpr std::int16_t kGame = 0;     // kept on the game disk
inline constexpr std::int16_t kStudent = 1;  // the team's own disk
inline constexpr std::int16_t kNone = 2;     // computer-managed, no disk
}  // namespace disk_type

// The game record, as Global.qv stores it. Strings hold Windows-1252 bytes; per-bank
// entries are indexed 1..10 whatever `NumBanks` is.
struct GameRecord {
  std::string GameVersion;
  std::string GameId;
  std::string GameName;
  std::int16_t ResultsQuarter = 0;
  std::int16_t CreationYear = 0;
  std::int16_t SpareA = 0;
  std::int16_t NumBanks = 0;
  std::int16_t EconPeriod = 0;
  Table<std::string, kMaxBanks> BankName;
  Table<std::string, kMaxBanks> BankPassword;
  Table<std::int16_t, kMaxBanks> BankLevel;
  Table<std::string, kMaxBanks> PresidentName;
  Table<std::int16_t, kMaxBanks> DiskType;
  Table<std::string, kMaxBanks> DiskPath;
  std::string InstructorName;
  std::string InstructorPassword;
  std::int16_t DiskMode = 0;
  std::int16_t SpareB = 0;
  std::int16_t BankDiskFlag = 0;
  Table<std::int16_t, kMaxBanks> BankFlag;

  bool operator==(const GameRecord&) const = default;
};

}  // namespace qv
