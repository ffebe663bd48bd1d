#pragma once

#include <cstdint>
#include <vector>

#include "data/RecordBuffer.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// A bank's 63 decisions, numbered as banks.qv stores them.
using BankDecisions = Table<float, 63>;

// What a team's program changes in the banks.qv of its bank disk, and nothing else: in bank
// `bank`'s block (first record B = 38 + 13(b-1), layout in BanksFile.h)
//   B          the status record as the instructor wrote it, but bytes 18..19 (DecisionsReady)
//              1 = the decisions are final, 2 = still a draft
//   B+1..B+3   the bank's own copy of Decision 1..63, 21 Singles each
// LastUpdated, BankQuarter and BankValues 106..121 keep their bytes, so the instructor's next
// reader finds the quarter it wrote.
inline constexpr std::int16_t kDecisionsFinal = 1;
inline constexpr std::int16_t kDecisionsAwaited = 2;

// The status record of `bank` (as read) and its three decision records, ready to write.
std::vector<NumberedRecord> EncodeTeamDecisions(int bank, const RecordBuffer& status,
                                                const BankDecisions& decisions, std::int16_t ready);

// Reads bank `bank`'s status record from the banks.qv of `CurrentPath`. Retry protocol;
// returns `FileOK`.
[[nodiscard]] bool ReadBankStatusRecord(Session& session, int bank, RecordBuffer* status);

// Writes the records of EncodeTeamDecisions into the banks.qv of `CurrentPath`. Retry
// protocol; returns `FileOK`.
[[nodiscard]] bool WriteTeamDecisions(Session& session, int bank, const RecordBuffer& status,
                                      const BankDecisions& decisions, std::int16_t ready);

// The BankQuarter and DecisionsReady a status record holds.
std::int16_t StatusQuarter(const RecordBuffer& status);
std::int16_t StatusReady(const RecordBuffer& status);

}  // namespace qv
