#include "data/GameFileLimits.h"

#include <string>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GameRecord.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"

namespace qv {

namespace {

// The setup's limits on the texts of a game (names, passwords: 10 characters; disk paths:
// 100), and room for the program's own version and game identity, which are much shorter.
constexpr std::size_t kLongestName = 10;
constexpr std::size_t kLongestPath = 100;
constexpr std::size_t kLongestStamp = 40;
// A reader accepts blank lines after the record; a writer leaves at most a few.
constexpr std::int64_t kTrailingBlankLines = 16;
constexpr int kPortfolioRecordsPerBank = 10;
constexpr int kPortfolioRecordLength = 128;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

namespace {

std::int64_t WidestGlobalFileBytes() {
  GameRecord widest;
  const std::string name(kLongestName, 'W');
  widest.GameVersion = widest.GameId = std::string(kLongestStamp, 'W');
  widest.GameName = widest.InstructorName = widest.InstructorPassword = name;
  // Every integer at its widest decimal form.
  widest.ResultsQuarter = widest.CreationYear = widest.SpareA = widest.NumBanks =
      widest.EconPeriod = widest.DiskMode = widest.SpareB = widest.BankDiskFlag = -32768;
  for (int b = 1; b <= kMaxBanks; ++b) {
    widest.BankName(b) = widest.BankPassword(b) = widest.PresidentName(b) = name;
    widest.DiskPath(b) = std::string(kLongestPath, 'W');
    widest.BankLevel(b) = widest.DiskType(b) = widest.BankFlag(b) = -32768;
  }
  return static_cast<std::int64_t>(EncodeGlobalFile(widest).size()) + 2 * kTrailingBlankLines;
}

}  // namespace

std::int64_t MaxGlobalFileBytes() {
  // Worked out once: every read of a Global.qv asks for it.
  static const std::int64_t most = WidestGlobalFileBytes();
  return most;
}

std::optional<std::int64_t> MaxGameFileBytes(std::string_view name) {
  if (SameName(name, kGlobalFileName)) {
    return MaxGlobalFileBytes();
  }
  if (SameName(name, kBanksReadName)) {
    return std::int64_t{BanksFileRecords(kMaxBanks)} * kBanksRecordLength;
  }
  if (SameName(name, kCompReadName)) {
    return std::int64_t{kCompRecords} * kCompRecordLength;
  }
  if (SameName(name, kPlotReadName)) {
    return std::int64_t{BankHistoryRecord(kMaxBanks) + 1} * kPlotRecordLength;
  }
  if (SameName(name, kPortfolioFileName)) {
    return std::int64_t{kMaxBanks} * kPortfolioRecordsPerBank * kPortfolioRecordLength;
  }
  return std::nullopt;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace qv
