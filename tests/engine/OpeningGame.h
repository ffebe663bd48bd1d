#pragma once

#include <cstdint>
#include <string>

#include "data/Session.h"

namespace qv::test {

// Creates a game of `banks` banks of the four types in turn, all kept on the game disk, in
// `session`'s game directory as the real creation computes it, starting at `period`: the
// opening books in the session's tables, DATAEC.QVS and INIT.QVS copied from the program
// directory, Global.qv written. Returns false (with a test failure) when a step failed.
bool CreateOpeningGame(Session& session, int banks, std::int16_t period);

// What the advance does before CalculateResults: moves the economic period on, reads the
// economic records and stores the lots and the game record, and leaves each bank last
// quarter's decisions without their one-off transactions.
bool PrepareQuarter(Session& session);

// CalculateResults with each bank's lots read from the game directory, as the advance does.
int CalculateFromGameDisk(Session& session);

}  // namespace qv::test
