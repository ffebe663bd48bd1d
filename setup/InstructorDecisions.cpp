#include "setup/InstructorDecisions.h"

#include "data/BanksFile.h"
#include "data/EnteredDecisionsFile.h"

namespace qv {

std::string CheckDecisionBank(const GameRecord& game, int bank) {
  if (bank < 1 || bank > game.NumBanks) {
    return "There is no bank " + std::to_string(bank) + " in this game";
  }
  if (game.DiskType(bank) == disk_type::kNone) {
    return "Bank " + std::to_string(bank) + ": " + game.BankName(bank) +
           " is managed by the computer";
  }
  return {};
}

std::string LoadInstructorDecisions(Session& session, int bank, BankDecisions* start) {
  if (std::string refused = CheckDecisionBank(session.game, bank); !refused.empty()) {
    return refused;
  }
  EnteredDecisions entered;
  if (!ReadBanksFull(session) || !ReadEnteredDecisions(session, &entered)) {
    return "Cannot read the game files in " + session.GamePath;
  }
  if (entered.Quarter(bank) == session.game.ResultsQuarter + 1) {
    for (int item = 1; item <= 63; ++item) {
      (*start)(item) = entered.Decision(bank, item);
    }
  } else {
    *start = OwnDecisionCopy(session.tables, bank, DecisionCopy::kClearedForNextQuarter);
  }
  return {};
}

std::string StoreInstructorDecisions(Session& session, int bank, const BankDecisions& decisions) {
  if (std::string refused = CheckDecisionBank(session.game, bank); !refused.empty()) {
    return refused;
  }
  EnteredDecisions entered;
  if (!ReadEnteredDecisions(session, &entered)) {
    return "Cannot read the entered decisions in " + session.GamePath;
  }
  entered.Quarter(bank) = static_cast<std::int16_t>(session.game.ResultsQuarter + 1);
  for (int item = 1; item <= 63; ++item) {
    entered.Decision(bank, item) = decisions(item);
  }
  if (!WriteEnteredDecisions(session, entered)) {
    return "Cannot write the entered decisions in " + session.GamePath;
  }
  return {};
}

}  // namespace qv
