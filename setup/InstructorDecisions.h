#pragma once

#include <string>

#include "data/Session.h"
#include "data/TeamDecisionsFile.h"

namespace qv {

// The instructor keys in a bank's decisions for the coming quarter, in place of its disk
// (kept in the game directory's Entered.qv; the next advance takes them). Each function
// returns an empty text on success, or the message for the instructor.

// Why bank `bank` cannot have decisions entered: not in the game, or managed by the computer.
std::string CheckDecisionBank(const GameRecord& game, int bank);

// The open game's tables read from the game directory, and the decisions the entry starts
// from: an entry already made for the coming quarter, else last quarter's decisions as the
// bank's own copy carries them into the new quarter (transactions cleared, limits unset).
std::string LoadInstructorDecisions(Session& session, int bank, BankDecisions* start);

// Stores `decisions` as bank `bank`'s for the coming quarter, replacing an earlier entry.
std::string StoreInstructorDecisions(Session& session, int bank, const BankDecisions& decisions);

}  // namespace qv
