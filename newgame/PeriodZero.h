#pragma once

#include <cstdint>

#include "data/Session.h"
#include "newgame/NewGameState.h"

namespace qv {

// Sets `Environment(1..84)` of the session to the regulation a new game starts with: no
// effective rate ceilings (50 %), reserve requirements of 12.75 % on checking and 3 % on
// savings, minimum capital 5 % of assets, tax rate 0.49 and the engine's parameters.
void EnvironmentDefaults(Session& session);

// Puts the constants of each bank type into its profile: premises, checking, savings,
// purchased funds and central-bank borrowing (`Amounts` 6, 45, 47, 8, 9), and the unit fee,
// cost and loss rates every type shares (`Results` 89..96, 101, 102).
void TypeDefaults(NewGameState& state);

// Builds the opening quarter of a new game in memory from DATAEC.QVS and INIT.QVS in the game
// directory, the setup (`NumBanks`, `BankType`, `EconPeriod`, `Environment`, `TaxRate`) and a
// few random perturbations: the four type profiles in `state`, and in the session the market
// rates, indices, industry averages, spread parameters (`Environment` 19..22) and market
// history; `ResultsQuarter` and `LastUpdatedQuarter` become -1, every bank's `BankQuarter` 0
// and `DecisionsReady` 2. Writes no file.
// Sets and returns `NewGameAbort`: 0 on success, -1 when a read was cancelled after its
// "Cannot read file " prompt, or after a run-time error, which it reports as
// "Quorvant CalcPeriod0 Module Error " and the error number.
std::int16_t CalcPeriod0(Session& session, NewGameState& state);

}  // namespace qv
