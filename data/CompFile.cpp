#include "data/CompFile.h"

#include <array>

#include "data/GameFiles.h"
#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace qv {

namespace {

constexpr int kValueRecords = 40;
constexpr int kAmountRecords = 20;
constexpr int kAmountRowsPerRecord = 2;

// The later rows repeat the last item; the report's layout decides which rows it prints.
constexpr std::array<int, kCompetitorRows> kValueRows = {
    1,   3,   4,   5,   6,   7,   8,   46,  47,  49,  50,  51,  72,  75,
    76,  79,  83,  86,  87,  88,  103, 104, 104, 104, 104, 104, 104, 104,
    104, 104, 104, 104, 104, 104, 104, 104, 104, 104, 104, 104};
constexpr std::array<int, kCompetitorRows> kAmountRows = {
    1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  32,  37,  43,
    45,  47,  52,  57,  104, 129, 125, 126, 127, 128, 129, 130, 130, 130,
    130, 130, 130, 130, 130, 130, 130, 130, 130, 130, 130, 130};

int RowItem(const std::array<int, kCompetitorRows>& rows, int row) {
  if (row < 1 || row > kCompetitorRows) {
    throw RuntimeError(error::kSubscriptOutOfRange);
  }
  return rows[static_cast<std::size_t>(row - 1)];
}

// Integer n of an amount record belongs to bank 10(m-1) + j: m picks the row of the pair.
int AmountRow(int k, int n) {
  return kAmountRowsPerRecord * (k - 1) + (n - 1) / kMaxBanks + 1;
}
int AmountBank(int n) {
  return (n - 1) % kMaxBanks + 1;
}

}  // namespace

int CompetitorValueRows(int row) {
  return RowItem(kValueRows, row);
}
int CompetitorAmountRows(int row) {
  return RowItem(kAmountRows, row);
}

std::vector<NumberedRecord> EncodeCompRecords(const GameTables& t) {
  RecordList list(kCompRecordLength);
  for (int r = 1; r <= kValueRecords; ++r) {
    list.Singles(r, kMaxBanks, [&](int j) { return t.BankValues(j, CompetitorValueRows(r)); });
  }
  for (int k = 1; k <= kAmountRecords; ++k) {
    list.Integers(kValueRecords + k, kAmountRowsPerRecord * kMaxBanks, [&](int n) {
      return t.BankAmounts(AmountBank(n), CompetitorAmountRows(AmountRow(k, n)));
    });
  }
  return list.Take();
}

bool WriteCompFile(Session& session, int index) {
  SelectFileDir(session, index);
  return WriteRecordFile(session, JoinPath(session.CurrentPath, kCompWriteName), kCompRecordLength,
                         EncodeCompRecords(session.tables));
}

bool ReadComp(Session& session, CompetitorTables* tables) {
  std::vector<int> numbers;
  for (int record = 1; record <= kCompRecords; ++record) {
    numbers.push_back(record);
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.GamePath, kCompReadName), kCompRecordLength,
                      numbers, &records)) {
    return false;
  }
  RecordCursor cursor(records);
  for (int r = 1; r <= kValueRecords; ++r) {
    cursor.Singles(kMaxBanks, [&](int j, float v) { tables->CompetitorValues(j, r) = v; });
  }
  for (int k = 1; k <= kAmountRecords; ++k) {
    cursor.Integers(kAmountRowsPerRecord * kMaxBanks, [&](int n, std::int16_t v) {
      tables->CompetitorAmounts(AmountBank(n), AmountRow(k, n)) = v;
    });
  }
  return true;
}

}  // namespace qv
