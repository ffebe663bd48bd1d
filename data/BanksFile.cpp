#include "data/BanksFile.h"

#include <utility>

#include "data/GameFiles.h"
#include "data/Items.h"
#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

constexpr int kSinglesPerRecord = 21;
constexpr int kIntegersPerRecord = 42;
constexpr int kEnvironmentRecords = 4;
constexpr int kIndustrySumRecords = 2;
constexpr int kDecisionRecords = 3;
constexpr int kValueRecords = 5;
constexpr int kAmountRecords = 4;

// The status record: text in bytes 0..15, the two Integers in slots 9 and 10 (bytes 16..19),
// BankValues 106..121 in Single slots 6..21 (bytes 20..83).
constexpr int kQuarterSlot = 9;
constexpr int kReadySlot = 10;
constexpr int kFirstStatusSingle = 6;
constexpr int kFirstStatusValue = 106;
constexpr int kStatusValues = 16;

// Offsets within a bank's block.
constexpr int kOwnDecisions = 1;
constexpr int kValues = 4;
constexpr int kAmounts = 9;

// The item in slot n of the k-th record of a table stored `per_record` items to a record.
constexpr int Item(int k, int n, int per_record = kSinglesPerRecord) {
  return per_record * (k - 1) + n;
}

RecordBuffer StatusRecord(const GameTables& tables, int bank) {
  RecordBuffer record(kBanksRecordLength);
  record.SetText(0, kLastUpdatedLength, tables.LastUpdated(bank));
  record.SetInteger(kQuarterSlot, tables.BankQuarter(bank));
  record.SetInteger(kReadySlot, tables.DecisionsReady(bank));
  for (int i = 0; i < kStatusValues; ++i) {
    record.SetSingle(kFirstStatusSingle + i, tables.BankValues(bank, kFirstStatusValue + i));
  }
  return record;
}

void StatusValuesFrom(const RecordBuffer& record, GameTables* tables, int bank) {
  for (int i = 0; i < kStatusValues; ++i) {
    tables->BankValues(bank, kFirstStatusValue + i) = record.Single(kFirstStatusSingle + i);
  }
}

void MarketRecordsFrom(RecordCursor& cursor, Table<double, 10>* rates, Table<double, 11>* index,
                       Table<double, 84>* environment, Table<double, 42>* sums) {
  cursor.Singles(kSinglesPerRecord, [&](int n, float v) {
    if (n <= 10) {
      (*rates)(n) = v;
    } else {
      (*index)(n - 10) = v;
    }
  });
  for (int k = 1; k <= kEnvironmentRecords; ++k) {
    cursor.Singles(kSinglesPerRecord, [&](int n, float v) { (*environment)(Item(k, n)) = v; });
  }
  for (int k = 1; k <= kIndustrySumRecords; ++k) {
    cursor.Singles(kSinglesPerRecord, [&](int n, float v) { (*sums)(Item(k, n)) = v; });
  }
}

template <typename Decisions>
void DecisionsFrom(RecordCursor& cursor, Decisions* decision, int bank) {
  for (int k = 1; k <= kDecisionRecords; ++k) {
    cursor.Singles(kSinglesPerRecord, [&](int n, float v) { (*decision)(bank, Item(k, n)) = v; });
  }
}

std::vector<int> MarketRecordNumbers() {
  std::vector<int> numbers;
  for (int record = 1; record <= 1 + kEnvironmentRecords + kIndustrySumRecords; ++record) {
    numbers.push_back(record);
  }
  return numbers;
}

void AddDecisionRecordNumbers(int bank, std::vector<int>* numbers) {
  for (int k = 1; k <= kDecisionRecords; ++k) {
    numbers->push_back(DecisionRecord(bank, k));
  }
}

std::vector<int> EnvironmentRecordNumbers() {
  std::vector<int> numbers;
  for (int k = 1; k <= kEnvironmentRecords; ++k) {
    numbers.push_back(1 + k);
  }
  return numbers;
}

}  // namespace

Table<float, 63> OwnDecisionCopy(const GameTables& tables, int bank, DecisionCopy copy) {
  Table<float, 63> decisions;
  for (int item = 1; item <= decision::kCount; ++item) {
    decisions(item) = tables.Decision(bank, item);
  }
  if (copy == DecisionCopy::kClearedForNextQuarter) {
    for (int item = decision::kFirstSecurityPurchase; item <= decision::kNotesRetired; ++item) {
      decisions(item) = 0.0F;
    }
    decisions(decision::kSharesIssued) = 0.0F;
    decisions(decision::kSharesRepurchased) = 0.0F;
    const auto no_limit = static_cast<float>(decision::kNoLimit);
    decisions(decision::kPurchasedFundsLimit) = no_limit;
    decisions(decision::kCentralBankLimit) = no_limit;
    for (int item = decision::kFirstVolumeLimit; item <= decision::kHomeEquityLoanLimit; ++item) {
      decisions(item) = no_limit;
    }
  }
  return decisions;
}

std::vector<NumberedRecord> EncodeBanksRecords(const GameTables& t, int num_banks,
                                               DecisionCopy copy) {
  RecordList list(kBanksRecordLength);
  list.Singles(1, kSinglesPerRecord,
               [&](int n) { return n <= 10 ? t.MarketRates(n) : t.EconIndex(n - 10); });
  for (int k = 1; k <= kEnvironmentRecords; ++k) {
    list.Singles(1 + k, kSinglesPerRecord, [&](int n) { return t.Environment(Item(k, n)); });
  }
  for (int k = 1; k <= kIndustrySumRecords; ++k) {
    list.Singles(5 + k, kSinglesPerRecord, [&](int n) { return t.IndustrySums(Item(k, n)); });
  }
  for (int b = 1; b <= num_banks; ++b) {
    for (int k = 1; k <= kDecisionRecords; ++k) {
      list.Singles(DecisionRecord(b, k), kSinglesPerRecord,
                   [&](int n) { return t.Decision(b, Item(k, n)); });
    }
  }
  for (int b = 1; b <= num_banks; ++b) {
    const int block = BankBlockRecord(b);
    list.Add(block, StatusRecord(t, b));
    const Table<float, 63> own = OwnDecisionCopy(t, b, copy);
    for (int k = 1; k <= kDecisionRecords; ++k) {
      list.Singles(block + kOwnDecisions + k - 1, kSinglesPerRecord,
                   [&](int n) { return own(Item(k, n)); });
    }
    for (int m = 1; m <= kValueRecords; ++m) {
      list.Singles(block + kValues + m - 1, kSinglesPerRecord,
                   [&](int n) { return t.BankValues(b, Item(m, n)); });
    }
    for (int m = 1; m <= kAmountRecords; ++m) {
      list.Integers(block + kAmounts + m - 1, kIntegersPerRecord,
                    [&](int n) { return t.BankAmounts(b, Item(m, n, kIntegersPerRecord)); });
    }
  }
  return list.Take();
}

bool WriteBanksUpdate(Session& session, int index) {
  SelectFileDir(session, index);
  return WriteRecordFile(session, JoinPath(session.CurrentPath, kBanksWriteName),
                         kBanksRecordLength,
                         EncodeBanksRecords(session.tables, session.game.NumBanks,
                                            DecisionCopy::kClearedForNextQuarter));
}

bool ReadBanksFull(Session& session) {
  SelectFileDir(session, 0);
  const int num_banks = session.game.NumBanks;
  std::vector<int> numbers = MarketRecordNumbers();
  for (int b = 1; b <= num_banks; ++b) {
    AddDecisionRecordNumbers(b, &numbers);
  }
  for (int b = 1; b <= num_banks; ++b) {
    const int block = BankBlockRecord(b);
    numbers.push_back(block);
    for (int offset = kValues; offset < kAmounts + kAmountRecords; ++offset) {
      numbers.push_back(block + offset);
    }
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.CurrentPath, kBanksReadName), kBanksRecordLength,
                      numbers, &records)) {
    return false;
  }
  GameTables& t = session.tables;
  RecordCursor cursor(records);
  MarketRecordsFrom(cursor, &t.MarketRates, &t.EconIndex, &t.Environment, &t.IndustrySums);
  for (int b = 1; b <= num_banks; ++b) {
    DecisionsFrom(cursor, &t.Decision, b);
  }
  for (int b = 1; b <= num_banks; ++b) {
    StatusValuesFrom(cursor.Next(), &t, b);
    for (int m = 1; m <= kValueRecords; ++m) {
      cursor.Singles(kSinglesPerRecord, [&](int n, float v) { t.BankValues(b, Item(m, n)) = v; });
    }
    for (int m = 1; m <= kAmountRecords; ++m) {
      cursor.Integers(kIntegersPerRecord, [&](int n, std::int16_t v) {
        t.BankAmounts(b, Item(m, n, kIntegersPerRecord)) = v;
      });
    }
  }
  return true;
}

bool ReadBankDisk(Session& session, int bank) {
  const int block = BankBlockRecord(bank);
  std::vector<int> numbers{block};
  for (int k = 0; k < kDecisionRecords; ++k) {
    numbers.push_back(block + kOwnDecisions + k);
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.CurrentPath, kBanksReadName), kBanksRecordLength,
                      numbers, &records)) {
    return false;
  }
  GameTables& t = session.tables;
  RecordCursor cursor(records);
  const RecordBuffer& status = cursor.Next();
  t.LastUpdated(bank) = status.Text(0, kLastUpdatedLength);
  t.BankQuarter(bank) = status.Integer(kQuarterSlot);
  t.DecisionsReady(bank) = status.Integer(kReadySlot);
  DecisionsFrom(cursor, &t.Decision, bank);
  return true;
}

bool ReadBankDecisions(Session& session, int bank) {
  SelectFileDir(session, 0);
  std::vector<int> numbers;
  AddDecisionRecordNumbers(bank, &numbers);
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.CurrentPath, kBanksReadName), kBanksRecordLength,
                      numbers, &records)) {
    return false;
  }
  RecordCursor cursor(records);
  DecisionsFrom(cursor, &session.tables.Decision, bank);
  return true;
}

bool ReadBanksXFD(Session& session, BanksReport* report) {
  const int num_banks = session.game.NumBanks;
  std::vector<int> numbers = MarketRecordNumbers();
  for (int b = 1; b <= num_banks; ++b) {
    AddDecisionRecordNumbers(b, &numbers);
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.GamePath, kBanksReadName), kBanksRecordLength,
                      numbers, &records)) {
    return false;
  }
  RecordCursor cursor(records);
  MarketRecordsFrom(cursor, &report->MarketRates, &report->EconIndex, &report->Environment,
                    &report->IndustrySums);
  for (int b = 1; b <= num_banks; ++b) {
    DecisionsFrom(cursor, &report->Decision, b);
  }
  return true;
}

bool ReadEnvironmentRecords(Session& session, Table<double, 84>* environment) {
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.GamePath, kBanksReadName), kBanksRecordLength,
                      EnvironmentRecordNumbers(), &records)) {
    return false;
  }
  RecordCursor cursor(records);
  for (int k = 1; k <= kEnvironmentRecords; ++k) {
    cursor.Singles(kSinglesPerRecord, [&](int n, float v) { (*environment)(Item(k, n)) = v; });
  }
  return true;
}

bool WriteEnvironmentRecords(Session& session, const Table<double, 84>& environment) {
  RecordList list(kBanksRecordLength);
  for (int k = 1; k <= kEnvironmentRecords; ++k) {
    list.Singles(1 + k, kSinglesPerRecord, [&](int n) { return environment(Item(k, n)); });
  }
  return WriteRecordFile(session, JoinPath(session.GamePath, kBanksWriteName), kBanksRecordLength,
                         list.Take());
}

}  // namespace qv
