#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"

namespace qv {

// Builds the opening profile of bank type `type` (1..4) in `state.TypeProfile(type)`: the
// balance sheet from the type's lots and constants, capital and reserves, the lots' rates, one
// quarter of income, last quarter's decisions and the bank's 16-quarter history. Needs the
// lots from INIT.QVS, the type constants, the market rates and history and the rate table in
// place. Throws RuntimeError on an overflowing amount or a division by zero.
void BuildTypeProfile(Session& session, NewGameState& state, int type);

}  // namespace qv
