#include "data/EnteredDecisionsFile.h"

#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

constexpr int kRecordLength = 84;
constexpr int kSinglesPerRecord = 21;

constexpr int DecisionRecordOf(int bank, int k) {
  return 1 + 3 * (bank - 1) + k;
}

}  // namespace

std::vector<NumberedRecord> EncodeEnteredDecisions(const EnteredDecisions& entered) {
  RecordList list(kRecordLength);
  list.Integers(1, kMaxBanks, [&](int b) { return entered.Quarter(b); });
  for (int b = 1; b <= kMaxBanks; ++b) {
    for (int k = 1; k <= 3; ++k) {
      list.Singles(DecisionRecordOf(b, k), kSinglesPerRecord,
                   [&](int n) { return entered.Decision(b, kSinglesPerRecord * (k - 1) + n); });
    }
  }
  return list.Take();
}

bool ReadEnteredDecisions(Session& session, EnteredDecisions* entered) {
  *entered = EnteredDecisions{};
  const std::string full_name = JoinPath(session.GamePath, kEnteredReadName);
  if (!session.files.Exists(full_name)) {
    return true;
  }
  std::vector<int> numbers;
  for (int r = 1; r <= kEnteredRecords; ++r) {
    numbers.push_back(r);
  }
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, full_name, kRecordLength, numbers, &records)) {
    return false;
  }
  RecordCursor cursor(records);
  cursor.Integers(kMaxBanks, [&](int b, std::int16_t q) { entered->Quarter(b) = q; });
  for (int b = 1; b <= kMaxBanks; ++b) {
    for (int k = 1; k <= 3; ++k) {
      cursor.Singles(kSinglesPerRecord, [&](int n, float v) {
        entered->Decision(b, kSinglesPerRecord * (k - 1) + n) = v;
      });
    }
  }
  return true;
}

bool WriteEnteredDecisions(Session& session, const EnteredDecisions& entered) {
  return WriteRecordFile(session, JoinPath(session.GamePath, kEnteredWriteName), kRecordLength,
                         EncodeEnteredDecisions(entered));
}

}  // namespace qv
