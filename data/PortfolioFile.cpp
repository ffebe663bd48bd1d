#include "data/PortfolioFile.h"

#include <vector>

#include "data/GameFiles.h"
#include "data/RecordBuffer.h"
#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

constexpr const char* kReadName = "PORTF.QV";
constexpr int kRecordLength = 128;
constexpr int kSingles = 32;
constexpr int kIntegers = 64;
constexpr int kRecordsPerBank = 10;
// The loan book's 60 buckets fill one record and 28 Singles of the next; the last four
// Singles of that record are written as zero and never read.
constexpr int kLoanTail = 60 - kSingles;
constexpr int kYieldRecords = 4;
constexpr int kAmountRecords = 2;

int FirstRecord(int bank) {
  return kRecordsPerBank * bank - (kRecordsPerBank - 1);
}

// Item n of record m (1-based) of a table laid out `per_record` to a record.
int Item(int m, int n, int per_record) {
  return per_record * (m - 1) + n;
}

void AddBankRecords(int bank, const Portfolio& p, RecordList* list) {
  int record = FirstRecord(bank);
  for (const Table<double, 60>* book : {&p.LoanRate, &p.LoanAmount}) {
    list->Singles(record++, kSingles, [&](int n) { return (*book)(n); });
    list->Singles(record++, kLoanTail, [&](int n) { return (*book)(kSingles + n); });
  }
  for (int m = 1; m <= kYieldRecords; ++m) {
    list->Singles(record++, kSingles,
                  [&](int n) { return p.PortfolioYield(Item(m, n, kSingles)); });
  }
  for (int m = 1; m <= kAmountRecords; ++m) {
    list->Integers(record++, kIntegers,
                   [&](int n) { return p.PortfolioAmount(Item(m, n, kIntegers)); });
  }
}

std::string FullName(Session& session, const char* name) {
  SelectFileDir(session, 0);
  return JoinPath(session.CurrentPath, name);
}

}  // namespace

bool ReadPortfolio(Session& session, int bank, Portfolio* portfolio) {
  std::vector<int> numbers;
  numbers.reserve(kRecordsPerBank);
  for (int i = 0; i < kRecordsPerBank; ++i) {
    numbers.push_back(FirstRecord(bank) + i);
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, FullName(session, kReadName), kRecordLength, numbers, &records)) {
    return false;
  }
  Portfolio& p = *portfolio;
  RecordCursor cursor(records);
  for (Table<double, 60>* book : {&p.LoanRate, &p.LoanAmount}) {
    cursor.Singles(kSingles, [&](int n, float v) { (*book)(n) = v; });
    cursor.Singles(kLoanTail, [&](int n, float v) { (*book)(kSingles + n) = v; });
  }
  for (int m = 1; m <= kYieldRecords; ++m) {
    cursor.Singles(kSingles, [&](int n, float v) { p.PortfolioYield(Item(m, n, kSingles)) = v; });
  }
  for (int m = 1; m <= kAmountRecords; ++m) {
    cursor.Integers(kIntegers,
                    [&](int n, std::int16_t v) { p.PortfolioAmount(Item(m, n, kIntegers)) = v; });
  }
  return true;
}

bool WritePortfolio(Session& session, int bank, const Portfolio& portfolio) {
  RecordList list(kRecordLength);
  AddBankRecords(bank, portfolio, &list);
  return WriteRecordFile(session, FullName(session, kPortfolioFileName), kRecordLength,
                         list.Take());
}

bool WritePortfolioFile(Session& session) {
  RecordList list(kRecordLength);
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    AddBankRecords(b, session.tables.Portfolios(b), &list);
  }
  return WriteRecordFile(session, FullName(session, kPortfolioFileName), kRecordLength,
                         list.Take());
}

}  // namespace qv
