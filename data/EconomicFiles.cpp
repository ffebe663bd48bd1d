#include "data/EconomicFiles.h"

#include <array>
#include <memory>

#include "data/GameFiles.h"
#include "platform/ByteCoding.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace qv {

// DATAEC.QVS: record p (1..100) is economic period p, 32 singles: the 31 series, then the
// growth factor. INIT.QVS: 188 records of four integers, integer t for bank type t; records
// 1..128 are the opening portfolio buckets, 128 + r the opening loan-book bucket r.

namespace {

constexpr int kSeries = 31;
constexpr int kPeriodLength = 128;
constexpr std::size_t kGrowthOffset = 4 * kSeries;  // the 32nd single
constexpr int kInitRecords = 188;
constexpr int kInitLength = 8;
constexpr int kBankTypes = 4;
constexpr int kPortfolioBuckets = 128;
constexpr int kLoanBuckets = 60;
static_assert(kPortfolioBuckets + kLoanBuckets == kInitRecords);

using PeriodRecord = std::array<std::uint8_t, kPeriodLength>;

// The cycle has no ends: the period after 100 is 1, the one before 1 is 100.
int WrapPeriod(int period) {
  if (period < 1) {
    return period + kEconomicPeriods;
  }
  if (period > kEconomicPeriods) {
    return period - kEconomicPeriods;
  }
  return period;
}

double Series(const PeriodRecord& record, int series) {
  return GetSingle(record, static_cast<std::size_t>(series - 1) * 4);
}

double Growth(const PeriodRecord& record) {
  return GetSingle(record, kGrowthOffset);
}

// Opens a whole data file for reading. A file shorter than its layout is input past its
// end, whichever of its records the caller needs.
Status OpenWhole(Session& session, const std::string& full_name, int record_length, int records,
                 std::unique_ptr<RecordFile>* file) {
  Status status = session.files.OpenRecords(full_name, record_length, OpenMode::kRead, file);
  if (!status.ok()) {
    return status;
  }
  if ((*file)->SizeBytes() < static_cast<std::int64_t>(record_length) * records) {
    return Status::Error(error::kInputPastEnd, full_name + " is shorter than its layout");
  }
  return Status::Ok();
}

}  // namespace

bool ReadEconomicFile(Session& session, EconomicWindow* window) {
  const std::string full_name = JoinPath(session.GamePath, kEconomicFileName);
  const int current = session.game.EconPeriod;
  return RunFileRoutine(session, Transfer::kRead, full_name, [&]() -> Status {
    std::unique_ptr<RecordFile> file;
    Status status = OpenWhole(session, full_name, kPeriodLength, kEconomicPeriods, &file);
    if (!status.ok()) {
      return status;
    }
    PeriodRecord record{};
    // Columns 1..16 end at the current period; growth entries 17..20 look four ahead.
    for (int column = 1; column <= 20; ++column) {
      status = file->Read(WrapPeriod(current + column - 16), record);
      if (!status.ok()) {
        return status;
      }
      if (column <= 16) {
        for (int series = 1; series <= kSeries; ++series) {
          window->EconWindow(series, column) = Series(record, series);
        }
      }
      window->GrowthWindow(column) = Growth(record);
    }
    return Status::Ok();
  });
}

bool ReadInitFile(Session& session, InitialAmounts* amounts) {
  const std::string full_name = JoinPath(session.GamePath, kInitFileName);
  return RunFileRoutine(session, Transfer::kRead, full_name, [&]() -> Status {
    std::unique_ptr<RecordFile> file;
    Status status = OpenWhole(session, full_name, kInitLength, kInitRecords, &file);
    if (!status.ok()) {
      return status;
    }
    std::array<std::uint8_t, kInitLength> record{};
    for (int number = 1; number <= kInitRecords; ++number) {
      status = file->Read(number, record);
      if (!status.ok()) {
        return status;
      }
      for (int type = 1; type <= kBankTypes; ++type) {
        const std::int16_t value = GetInt16(record, static_cast<std::size_t>(type - 1) * 2);
        if (number <= kPortfolioBuckets) {
          amounts->InitialPortfolioAmounts(type, number) = value;
        } else {
          amounts->InitialLoanAmounts(type, number - kPortfolioBuckets) = value;
        }
      }
    }
    return Status::Ok();
  });
}

bool ReadEconomicRecords(Session& session) {
  SelectFileDir(session, 0);
  const std::string full_name = JoinPath(session.CurrentPath, kEconomicFileName);
  const int current = session.game.EconPeriod;
  Table<double, 62> series;
  Table<double, 6> trend;
  const bool file_ok = RunFileRoutine(session, Transfer::kRead, full_name, [&]() -> Status {
    std::unique_ptr<RecordFile> file;
    Status status = OpenWhole(session, full_name, kPeriodLength, kEconomicPeriods, &file);
    if (!status.ok()) {
      return status;
    }
    PeriodRecord record{};
    // The new quarter is the period after the current one; the current one is last quarter.
    for (int slot = 0; slot < 2; ++slot) {
      status = file->Read(WrapPeriod(current + 1 - slot), record);
      if (!status.ok()) {
        return status;
      }
      for (int item = 1; item <= kSeries; ++item) {
        series(slot * kSeries + item) = Series(record, item);
      }
    }
    for (int entry = 1; entry <= 6; ++entry) {
      status = file->Read(WrapPeriod(current + entry - 1), record);
      if (!status.ok()) {
        return status;
      }
      trend(entry) = Growth(record);
    }
    return Status::Ok();
  });
  if (file_ok) {
    session.tables.EconSeries = series;
    session.tables.EconTrend = trend;
  }
  return file_ok;
}

}  // namespace qv
