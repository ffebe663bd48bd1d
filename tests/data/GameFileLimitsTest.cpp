#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/GameFileLimits.h"
#include "data/GlobalFile.h"

namespace qv {
namespace {

TEST(GameFileLimits, RecordFilesHoldTheirLayoutAtTenBanks) {
  const struct {
    const char* name;
    std::optional<std::int64_t> most;
    const char* shows;
  } rows[] = {
      {"Banks.qv", 167 * 84, "7 market records, 3 decision records and a block of 13 per bank"},
      {"BANKS.QV", 167 * 84, "in any case"},
      {"Comp.qv", 60 * 40, "60 records of 40 bytes"},
      {"PLOTV.QV", 24 * 128, "4 market records and 2 per bank"},
      {"portf.qv", 100 * 128, "10 records per bank"},
      {"report.qvs", std::nullopt, "not a game file"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(MaxGameFileBytes(row.name), row.most) << row.name << ": " << row.shows;
  }
  EXPECT_EQ(MaxGameFileBytes("Global.qv"), MaxGlobalFileBytes());
  EXPECT_EQ(FileNameOf("a:\\disk/sub\\Banks.qv"), "Banks.qv");
}

// The game record at the longest every field can be set to fits; it grows past the limit only
// with text no setup can give.
TEST(GameFileLimits, TheLongestGameRecordFits) {
  GameRecord r;
  r.GameVersion = "3.00";
  r.GameId = "12-08-202615:10" + std::string(20, '9');
  r.GameName = r.InstructorName = r.InstructorPassword = std::string(10, 'n');
  r.NumBanks = 10;
  for (int b = 1; b <= kMaxBanks; ++b) {
    r.BankName(b) = r.BankPassword(b) = r.PresidentName(b) = std::string(10, 'n');
    r.DiskPath(b) = std::string(99, 'p') + "\\";
    r.BankLevel(b) = r.DiskType(b) = r.BankFlag(b) = 1;
  }
  const std::int64_t size = static_cast<std::int64_t>(EncodeGlobalFile(r).size());
  EXPECT_LE(size, MaxGlobalFileBytes());
  for (int b = 1; b <= kMaxBanks; ++b)
    r.DiskPath(b) += std::string(30, 'p');
  EXPECT_GT(static_cast<std::int64_t>(EncodeGlobalFile(r).size()), MaxGlobalFileBytes());
}

}  // namespace
}  // namespace qv
