#include "advance/EnteredDecisions.h"

#include <cmath>

#include "advance/DiskRequests.h"
#include "data/Items.h"

namespace qv {

namespace {

// Settled as given: the source the merge gives decisions it takes as they stand.
constexpr std::int16_t kSourceAsGiven = 2;

}  // namespace

bool TakeEnteredDecisions(Session& session, EnteredDecisions* entered) {
  session.DecisionsEntered.Fill(false);
  if (!ReadEnteredDecisions(session, entered)) {
    return false;
  }
  const GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    if (entered->Quarter(b) == game.ResultsQuarter + 1 && game.DiskType(b) != disk_type::kNone) {
      session.DecisionsEntered(b) = true;
      session.DecisionSource(b) = kSourceAsGiven;
    }
  }
  return true;
}

void SkipEnteredDisks(Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.DecisionsEntered(b)) {
      session.DiskState(b) = disk_state::kDone;
    }
  }
}

void PutEnteredDecisions(Session& session, const EnteredDecisions& entered) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (!session.DecisionsEntered(b)) {
      continue;
    }
    for (int item = 1; item <= decision::kCount; ++item) {
      const float value = entered.Decision(b, item);
      session.tables.Decision(b, item) = std::isfinite(value) ? value : 0.0F;
    }
  }
}

std::string EnteredDecisionsNote(const Session& session) {
  std::string note;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.DecisionsEntered(b)) {
      note += "\nBank " + std::to_string(b) + ": " + session.game.BankName(b) +
              ": decisions entered by the instructor";
    }
  }
  return note;
}

}  // namespace qv
