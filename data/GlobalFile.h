#pragma once

#include <string>
#include <string_view>

#include "data/GameRecord.h"
#include "data/Session.h"
#include "platform/Status.h"

namespace qv {

inline constexpr const char* kGlobalFileName = "Global.qv";
inline constexpr int kGlobalFileLines = 72;

// Global.qv, the game record as text: 72 lines of comma-separated fields ending in CR LF.
// A string field is quoted and carries the prefix "X" before its value; an integer is a
// plain decimal number.
//   1       GameVersion, GameId, GameName, ResultsQuarter, CreationYear, SpareA, NumBanks,
//           EconPeriod
//   2..11   BankName(1..10)          12..21  BankPassword(1..10)   22..31  BankLevel(1..10)
//   32..41  PresidentName(1..10)     42..51  DiskType(1..10)       52..61  DiskPath(1..10)
//   62      InstructorName, InstructorPassword, DiskMode, SpareB, BankDiskFlag
//   63..72  BankFlag(1..10)
// The format has no escape for a double quote, so a string holding one cannot be stored.
std::string EncodeGlobalFile(const GameRecord& record);

// Parses Global.qv text (CR LF or LF lines). Returns false for anything that is not a whole
// game record: missing lines or fields, a string without quotes or holding control bytes,
// an integer out of range, more than blank lines after line 72.
[[nodiscard]] bool DecodeGlobalFile(std::string_view text, GameRecord* record);

// Reads Global.qv of directory `index` into the shadow record. Fails silently: the disk
// checks recognise a disk without a game by this failure. Returns `FileOK`.
[[nodiscard]] bool ReadGlobalFile(Session& session, int index);

// The same, saying why it failed: the file system's error (53 when there is no Global.qv,
// 75 when it is not a plain file or larger than any Global.qv can be), or 13 when the text is
// not a game record.
[[nodiscard]] Status LoadGlobalFile(Session& session, int index);

// Writes the live record to Global.qv of directory `index`, with the retry protocol.
// A bank disk (index 1..10) gets the passwords its banks need and no others: the students
// never see the instructor's password or another team's. Returns `FileOK`.
[[nodiscard]] bool WriteGlobalFile(Session& session, int index);

// The record as a bank disk carries it: the instructor password and the passwords of the
// banks not flagged for that disk (`BankFlag` other than 1) emptied.
GameRecord BankDiskRecord(const GameRecord& game);

// Copies the shadow record into the live one, all but `BankDiskFlag`, and sets
// `LastUpdatedQuarter` to the file's `ResultsQuarter`.
void ApplyGlobalRecord(Session& session);

}  // namespace qv
