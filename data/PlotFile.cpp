#include "data/PlotFile.h"

#include <memory>
#include <vector>

#include "data/GameFiles.h"
#include "data/RecordBuffer.h"
#include "data/RecordBytes.h"
#include "data/RecordRoutines.h"
#include "data/StagedWrites.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

constexpr int kSinglesPerRecord = 2 * kPlotQuarters;

// Each record holds two series: series `first` in Singles 1..16, the next one in 17..32.
int SeriesOf(int first, int n) {
  return first + (n - 1) / kPlotQuarters;
}
int QuarterOf(int n) {
  return (n - 1) % kPlotQuarters + 1;
}

void AddMarketRecords(const GameTables& t, RecordList* list) {
  for (int r = 1; r <= kMarketPlotRecords; ++r) {
    list->Singles(r, kSinglesPerRecord,
                  [&](int n) { return t.PlotHistory(QuarterOf(n), SeriesOf(2 * r - 1, n)); });
  }
}

bool Flagged(const Session& session, int bank) {
  return session.game.BankFlag(bank) == 1;
}

// Moves the two series of `record` one quarter on and puts the new values in place 16.
void MoveOn(RecordBuffer* record, double first_new, double second_new) {
  for (int base : {0, kPlotQuarters}) {
    for (int q = 1; q < kPlotQuarters; ++q) {
      record->SetSingle(base + q, record->Single(base + q + 1));
    }
  }
  record->SetSingle(kPlotQuarters, first_new);
  record->SetSingle(2 * kPlotQuarters, second_new);
}

// Reads record `number`, or gives an empty history when the file does not yet hold it whole:
// a copy written while the bank was not flagged, or a disk made afresh.
Status ReadHistory(RecordFile& file, int number, RecordBuffer* record) {
  record->Clear();
  if (file.SizeBytes() < static_cast<std::int64_t>(number) * kPlotRecordLength) {
    return Status::Ok();
  }
  return record->ReadFrom(file, number);
}

Status UpdateBankHistory(RecordFile& file, const GameTables& t, int bank) {
  RecordBuffer record(kPlotRecordLength);
  for (int half = 0; half < 2; ++half) {
    const int number = BankHistoryRecord(bank) + half;
    Status read = ReadHistory(file, number, &record);
    if (!read.ok()) {
      return read;
    }
    MoveOn(&record, t.BankSummary(bank, 2 * half + 1), t.BankSummary(bank, 2 * half + 2));
    Status written = record.WriteTo(file, number);
    if (!written.ok()) {
      return written;
    }
  }
  return Status::Ok();
}

std::vector<int> MarketRecordNumbers() {
  std::vector<int> numbers;
  for (int r = 1; r <= kMarketPlotRecords; ++r) {
    numbers.push_back(r);
  }
  return numbers;
}

bool ReadMarketHistory(Session& session, const std::string& full_name,
                       Table2<double, kPlotQuarters, kMarketSeries>* history) {
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, full_name, kPlotRecordLength, MarketRecordNumbers(), &records)) {
    return false;
  }
  RecordCursor cursor(records);
  for (int r = 1; r <= kMarketPlotRecords; ++r) {
    cursor.Singles(kSinglesPerRecord,
                   [&](int n, float v) { (*history)(QuarterOf(n), SeriesOf(2 * r - 1, n)) = v; });
  }
  return true;
}

}  // namespace

bool WritePlotFile(Session& session, int index, const Table<BankHistory, kMaxBanks>& histories) {
  SelectFileDir(session, index);
  RecordList list(kPlotRecordLength);
  AddMarketRecords(session.tables, &list);
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (!Flagged(session, b)) {
      continue;
    }
    const BankHistory& history = histories(b);
    for (int half = 0; half < 2; ++half) {
      list.Singles(BankHistoryRecord(b) + half, kSinglesPerRecord,
                   [&](int n) { return history(SeriesOf(2 * half + 1, n), QuarterOf(n)); });
    }
  }
  return WriteRecordFile(session, JoinPath(session.CurrentPath, kPlotWriteName), kPlotRecordLength,
                         list.Take());
}

bool WritePlotUpdate(Session& session, int index) {
  SelectFileDir(session, index);
  const std::string full_name = JoinPath(session.CurrentPath, kPlotWriteName);
  RecordList list(kPlotRecordLength);
  AddMarketRecords(session.tables, &list);
  const std::vector<NumberedRecord> market = list.Take();
  return RunFileRoutine(session, Transfer::kWrite, full_name, [&] {
    std::string bytes;
    bool exists = false;
    Status status = ReadWholeFile(session, full_name, &bytes, &exists);
    RecordBytes file(bytes, kPlotRecordLength);
    if (status.ok()) {
      status = WriteRecords(file, market);
    }
    for (int b = 1; status.ok() && b <= session.game.NumBanks; ++b) {
      if (Flagged(session, b)) {
        status = UpdateBankHistory(file, session.tables, b);
      }
    }
    return status.ok() ? WriteWholeFile(session, full_name, std::move(bytes)) : status;
  });
}

bool ReadPlotFile(Session& session) {
  SelectFileDir(session, 0);
  return ReadMarketHistory(session, JoinPath(session.CurrentPath, kPlotReadName),
                           &session.tables.PlotHistory);
}

bool ReadPlotvEH(Session& session, Table2<double, kPlotQuarters, kMarketSeries>* history) {
  return ReadMarketHistory(session, JoinPath(session.GamePath, kPlotReadName), history);
}

}  // namespace qv
