#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"

namespace qv {

// Gives every bank 1..NumBanks the opening profile of its type in the session's tables: its
// last decisions (`Decision`), results (`BankValues`), amounts (`BankAmounts`) and lots
// (`Portfolios`); the tables of banks above NumBanks are cleared. Together with what
// CalcPeriod0 left in the session this is the game just before its first quarter;
// CalculateResults can start it once the advance's economic records are read
// (ReadEconomicRecords).
void LoadOpeningBanks(Session& session, const NewGameState& state);

}  // namespace qv
