#include "data/TeamDecisionsFile.h"

#include "data/BanksFile.h"
#include "data/RecordRoutines.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

// Integer slots of the status record: bytes 16..17 and 18..19.
constexpr int kQuarterSlot = 9;
constexpr int kReadySlot = 10;
constexpr int kSinglesPerRecord = 21;
constexpr int kDecisionRecords = 3;

}  // namespace

std::vector<NumberedRecord> EncodeTeamDecisions(int bank, const RecordBuffer& status,
                                                const BankDecisions& decisions,
                                                std::int16_t ready) {
  const int block = BankBlockRecord(bank);
  RecordList list(kBanksRecordLength);
  RecordBuffer stamped = status;
  stamped.SetInteger(kReadySlot, ready);
  list.Add(block, std::move(stamped));
  for (int k = 1; k <= kDecisionRecords; ++k) {
    list.Singles(block + k, kSinglesPerRecord,
                 [&](int n) { return decisions(kSinglesPerRecord * (k - 1) + n); });
  }
  return list.Take();
}

bool ReadBankStatusRecord(Session& session, int bank, RecordBuffer* status) {
  std::vector<NumberedRecord> records;
  if (!ReadRecordFile(session, JoinPath(session.CurrentPath, kBanksReadName), kBanksRecordLength,
                      {BankBlockRecord(bank)}, &records)) {
    return false;
  }
  *status = records.front().record;
  return true;
}

bool WriteTeamDecisions(Session& session, int bank, const RecordBuffer& status,
                        const BankDecisions& decisions, std::int16_t ready) {
  return WriteRecordFile(session, JoinPath(session.CurrentPath, kBanksWriteName),
                         kBanksRecordLength, EncodeTeamDecisions(bank, status, decisions, ready));
}

std::int16_t StatusQuarter(const RecordBuffer& status) {
  return status.Integer(kQuarterSlot);
}

std::int16_t StatusReady(const RecordBuffer& status) {
  return status.Integer(kReadySlot);
}

}  // namespace qv
