#include "data/GameCheck.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/EconomicFiles.h"
#include "data/GameFileLimits.h"
#include "data/GameRecord.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "data/PlotFile.h"
#include "data/RecordBuffer.h"

namespace qv {

namespace {

// The names as the checker reports them; the file system finds them in any letter case.
constexpr const char* kBanks = "banks.qv";
constexpr const char* kPlot = "PLOTV.QV";
constexpr const char* kPortfolio = "PORTF.QV";
constexpr const char* kComp = "COMP.QV";

constexpr int kPortfolioRecordLength = 128;
constexpr int kPortfolioRecordsPerBank = 10;
constexpr int kEconomicRecordLength = 128;
constexpr int kInitRecordLength = 8;
constexpr int kInitRecords = 188;
constexpr int kMarketRecords = 7;

// Which Singles of a record to check: slots first..last.
struct SingleSlots {
  int first;
  int last;
};

class Checker {
 public:
  Checker(FileSystem& files, std::string directory)
      : files_(files), directory_(std::move(directory)) {}

  std::vector<std::string> Run() {
    std::optional<GameRecord> game = CheckGlobal();
    const int num_banks = game ? game->NumBanks : 0;
    CheckBanks(num_banks, game && game->ResultsQuarter >= 0
                              ? std::optional<int>(game->ResultsQuarter)
                              : std::nullopt);
    CheckPlot(num_banks);
    CheckPortfolio(num_banks);
    CheckComp(game);
    CheckEconomic();
    return std::move(problems_);
  }

 private:
  void Problem(std::string line) { problems_.push_back(std::move(line)); }

  std::string Path(const char* name) const { return JoinPath(directory_, name); }

  // The file's size in bytes, or nothing (and a problem line) when it is missing or unreadable.
  std::optional<std::int64_t> Size(const char* name, bool required) {
    std::int64_t size = 0;
    if (!files_.Exists(Path(name))) {
      if (required) {
        Problem(std::string(name) + ": missing");
      }
      return std::nullopt;
    }
    Status status = files_.FileSize(Path(name), &size);
    if (!status.ok()) {
      Problem(std::string(name) + ": cannot be read (error " +
              std::to_string(status.error_number()) + ")");
      return std::nullopt;
    }
    return size;
  }

  // Reports a size other than `records` whole records of `length` bytes.
  void ExpectRecords(const char* name, std::int64_t size, int length, int records,
                     const std::string& why) {
    const std::int64_t expected = static_cast<std::int64_t>(records) * length;
    if (size != expected) {
      Problem(std::string(name) + ": " + std::to_string(size) + " bytes, expected " +
              std::to_string(expected) + " (" + std::to_string(records) + " records of " +
              std::to_string(length) + " bytes" + why + ")");
    }
  }

  // Reads every whole record of the file in turn; `visit(number, record)`. Stops at the first
  // record that cannot be read.
  void ForEachRecord(const char* name, int length, std::int64_t size,
                     const std::function<void(int, const RecordBuffer&)>& visit) {
    std::unique_ptr<RecordFile> file;
    Status status = files_.OpenRecords(Path(name), length, OpenMode::kRead, &file);
    const auto records = static_cast<int>(size / length);
    RecordBuffer record(length);
    for (int number = 1; status.ok() && number <= records; ++number) {
      status = record.ReadFrom(*file, number);
      if (status.ok()) {
        visit(number, record);
      }
    }
    if (!status.ok()) {
      Problem(std::string(name) + ": cannot be read (error " +
              std::to_string(status.error_number()) + ")");
    }
  }

  void ExpectFinite(const char* name, int number, const RecordBuffer& record, SingleSlots slots) {
    int bad = 0;
    int first_bad = 0;
    for (int n = slots.first; n <= slots.last; ++n) {
      if (!std::isfinite(record.Single(n))) {
        first_bad = bad == 0 ? n : first_bad;
        ++bad;
      }
    }
    if (bad > 0) {
      std::string line = std::string(name) + " record " + std::to_string(number) + ": Single " +
                         std::to_string(first_bad) + " is not finite";
      if (bad > 1) {
        line += " (and " + std::to_string(bad - 1) + " more)";
      }
      Problem(std::move(line));
    }
  }

  std::optional<GameRecord> CheckGlobal() {
    std::string text;
    if (!files_.Exists(Path(kGlobalFileName))) {
      Problem(std::string(kGlobalFileName) + ": missing");
      return std::nullopt;
    }
    GameRecord game;
    if (!files_.ReadTextAtMost(Path(kGlobalFileName), MaxGlobalFileBytes(), &text).ok() ||
        !DecodeGlobalFile(text, &game)) {
      Problem(std::string(kGlobalFileName) + ": not a game record of " +
              std::to_string(kGlobalFileLines) + " lines");
      return std::nullopt;
    }
    bool sane = true;
    auto expect = [&](const char* field, int value, int low, int high) {
      if (value < low || value > high) {
        Problem(std::string(kGlobalFileName) + ": " + field + " is " + std::to_string(value) +
                ", expected " + std::to_string(low) + " to " + std::to_string(high));
        sane = false;
      }
    };
    expect("NumBanks", game.NumBanks, 1, kMaxBanks);
    expect("EconPeriod", game.EconPeriod, 1, kEconomicPeriods);
    expect("ResultsQuarter", game.ResultsQuarter, -1, 32767);
    if (!sane) {
      return std::nullopt;
    }
    return game;
  }

  // `quarter`: the results quarter Global.qv holds, which each bank's status record must
  // hold too: an update interrupted between the two files leaves them apart.
  void CheckBanks(int num_banks, std::optional<int> quarter) {
    const std::optional<std::int64_t> size = Size(kBanks, true);
    if (!size) {
      return;
    }
    if (num_banks > 0) {
      ExpectRecords(kBanks, *size, kBanksRecordLength, BanksFileRecords(num_banks),
                    " for " + std::to_string(num_banks) + " banks");
    }
    // Which records hold Singles, by record number; the amounts and unused records do not.
    std::vector<std::optional<SingleSlots>> layout(
        static_cast<std::size_t>(BanksFileRecords(kMaxBanks)) + 1);
    auto singles = [&](int record, SingleSlots slots) {
      layout[static_cast<std::size_t>(record)] = slots;
    };
    const SingleSlots whole{1, 21};
    for (int record = 1; record <= kMarketRecords; ++record) {
      singles(record, whole);
    }
    std::vector<Table<std::int16_t, 42>> amounts(static_cast<std::size_t>(num_banks) + 1);
    for (int b = 1; b <= num_banks; ++b) {
      for (int k = 1; k <= 3; ++k) {
        singles(DecisionRecord(b, k), whole);
      }
      const int block = BankBlockRecord(b);
      singles(block, SingleSlots{6, 21});
      for (int offset = 1; offset <= 8; ++offset) {
        singles(block + offset, whole);
      }
    }
    ForEachRecord(kBanks, kBanksRecordLength, *size, [&](int number, const RecordBuffer& record) {
      if (static_cast<std::size_t>(number) < layout.size() &&
          layout[static_cast<std::size_t>(number)]) {
        ExpectFinite(kBanks, number, record, *layout[static_cast<std::size_t>(number)]);
      }
      for (int b = 1; b <= num_banks; ++b) {
        constexpr int kStatusQuarter = kLastUpdatedLength / 2 + 1;
        if (number == BankBlockRecord(b) && quarter && record.Integer(kStatusQuarter) != *quarter) {
          Problem(std::string(kBanks) + " bank " + std::to_string(b) + ": status of quarter " +
                  std::to_string(record.Integer(kStatusQuarter)) + ", but " + kGlobalFileName +
                  " holds quarter " + std::to_string(*quarter));
        }
        if (number == BankBlockRecord(b) + 9) {
          for (int item = 1; item <= 42; ++item) {
            amounts[static_cast<std::size_t>(b)](item) = record.Integer(item);
          }
          CheckBalance(b, amounts[static_cast<std::size_t>(b)]);
        }
      }
    });
  }

  void CheckBalance(int bank, const Table<std::int16_t, 42>& a) {
    const int total = a(amount::kTotalAssets);
    const int claims = a(amount::kDeposits) + a(amount::kPurchasedFunds) +
                       a(amount::kCentralBankBorrowing) + a(amount::kCapitalNotes) +
                       a(amount::kEquity);
    const int assets = a(amount::kCashAndReserves) + a(amount::kOvernightInvestments) +
                       a(amount::kSecurities) + a(amount::kLoans) + a(amount::kPremises);
    const std::string prefix = std::string(kBanks) + " bank " + std::to_string(bank) +
                               ": total assets " + std::to_string(total);
    if (total != claims) {
      Problem(prefix + " differ from liabilities and equity " + std::to_string(claims) +
              " (items 7 + 8 + 9 + 10 + 11)");
    }
    if (total != assets) {
      Problem(prefix + " differ from the asset items " + std::to_string(assets) +
              " (items 2 + 3 + 4 + 5 + 6)");
    }
  }

  void CheckPlot(int num_banks) {
    const std::optional<std::int64_t> size = Size(kPlot, true);
    if (!size) {
      return;
    }
    if (*size % kPlotRecordLength != 0) {
      Problem(std::string(kPlot) + ": " + std::to_string(*size) + " bytes, not a whole number of " +
              std::to_string(kPlotRecordLength) + "-byte records");
    } else if (num_banks > 0) {
      const std::int64_t records = *size / kPlotRecordLength;
      const int most = BankHistoryRecord(num_banks) + 1;
      if (records < kMarketPlotRecords || records > most || records % 2 != 0) {
        Problem(std::string(kPlot) + ": " + std::to_string(records) +
                " records, expected an even number from " + std::to_string(kMarketPlotRecords) +
                " to " + std::to_string(most) + " for " + std::to_string(num_banks) + " banks");
      }
    }
    ForEachRecord(kPlot, kPlotRecordLength, *size, [&](int number, const RecordBuffer& record) {
      ExpectFinite(kPlot, number, record, SingleSlots{1, 32});
    });
  }

  void CheckPortfolio(int num_banks) {
    const std::optional<std::int64_t> size = Size(kPortfolio, true);
    if (!size) {
      return;
    }
    if (num_banks > 0) {
      ExpectRecords(kPortfolio, *size, kPortfolioRecordLength, kPortfolioRecordsPerBank * num_banks,
                    " for " + std::to_string(num_banks) + " banks");
    }
    ForEachRecord(kPortfolio, kPortfolioRecordLength, *size,
                  [&](int number, const RecordBuffer& record) {
                    // The last two records of each bank hold Integers.
                    if (number % kPortfolioRecordsPerBank != 0 &&
                        number % kPortfolioRecordsPerBank != kPortfolioRecordsPerBank - 1) {
                      ExpectFinite(kPortfolio, number, record, SingleSlots{1, 32});
                    }
                  });
  }

  void CheckComp(const std::optional<GameRecord>& game) {
    // The first advance writes it; a game still being created has none.
    const bool required = game && game->ResultsQuarter >= 0;
    const std::optional<std::int64_t> size = Size(kComp, required);
    if (!size) {
      return;
    }
    ExpectRecords(kComp, *size, kCompRecordLength, kCompRecords, "");
    ForEachRecord(kComp, kCompRecordLength, *size, [&](int number, const RecordBuffer& record) {
      if (number <= kCompetitorRows) {
        ExpectFinite(kComp, number, record, SingleSlots{1, kMaxBanks});
      }
    });
  }

  void CheckEconomic() {
    if (const std::optional<std::int64_t> size = Size(kEconomicFileName, true)) {
      ExpectRecords(kEconomicFileName, *size, kEconomicRecordLength, kEconomicPeriods, "");
      ForEachRecord(kEconomicFileName, kEconomicRecordLength, *size,
                    [&](int number, const RecordBuffer& record) {
                      ExpectFinite(kEconomicFileName, number, record, SingleSlots{1, 32});
                    });
    }
    if (const std::optional<std::int64_t> size = Size(kInitFileName, false)) {
      ExpectRecords(kInitFileName, *size, kInitRecordLength, kInitRecords, "");
    }
  }

  FileSystem& files_;
  std::string directory_;
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> CheckGameDirectory(FileSystem& files, const std::string& directory) {
  if (!files.IsDirectory(directory)) {
    return {directory + ": not a directory"};
  }
  return Checker(files, directory).Run();
}

}  // namespace qv
