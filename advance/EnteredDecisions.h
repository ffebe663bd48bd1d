#pragma once

#include <string>

#include "data/EnteredDecisionsFile.h"
#include "data/Session.h"

namespace qv {

// Decisions the instructor keyed in stand in for a bank's disk in the merge: the bank's disk
// is not asked for (it is still written after the quarter), and its decisions are taken as
// entered.

// Reads the entries and marks each human-managed bank with one for the coming quarter:
// `DecisionsEntered`, and its decisions settled as given. Returns `FileOK`.
[[nodiscard]] bool TakeEnteredDecisions(Session& session, EnteredDecisions* entered);

// Marks the disks of those banks read, once the merge has set up its disk states.
void SkipEnteredDisks(Session& session);

// Puts the entered decisions in place of whatever the merge read for those banks.
void PutEnteredDecisions(Session& session, const EnteredDecisions& entered);

// A line per such bank for the closing message, "Bank 2: Beta: decisions entered by the
// instructor", each after a line break; empty when there is none.
std::string EnteredDecisionsNote(const Session& session);

}  // namespace qv
