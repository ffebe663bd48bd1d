#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// The label of the fix-decisions dialog for a bank whose results could not be calculated
// ("Error Calculating Bank 3: Gamma").
std::string CalculationFailureLabel(const Session& session, int bank);
inline constexpr const char* kCalculationFailurePrefix = "Error Calculating Bank ";

// Banks whose quarter failed to calculate with the decisions they had, and how the instructor
// settled each for the advance's next try. Lives for one advance.
class FailedBanks {
 public:
  // The fix-decisions dialog for `bank` without the disk's option, whose decisions just
  // failed: last quarter's decisions or the computer at a level. Returns false when the
  // instructor chose to wait, or chose again what had already failed for this bank.
  [[nodiscard]] bool Settle(Session& session, int bank);

  // After the merge, replaces each settled bank's decisions: last quarter's read again from
  // the game directory with the quarter's transactions cleared, or the bank handed to the
  // computer. Returns false when the stored decisions could not be read.
  [[nodiscard]] bool Apply(Session& session) const;

 private:
  Table<std::int16_t, kMaxBanks> source_;  // 0 unsettled, else a `DecisionSource`
  std::set<std::pair<int, int>> tried_;    // (bank, source) that failed
};

}  // namespace qv
