#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"
#include "setup/SetupForms.h"

namespace qv {

// Turns what the setup forms hold, once checked, into the game: the game form into the game
// record (a "Random" beginning period draws one), the bank rows 1..NumBanks into the bank
// arrays and types, the environment form into `Environment` and `TaxRate`.
void StoreGameSetup(Session& session, const GameSetupForm& form);
void StoreBankSetup(Session& session, NewGameState& state, const BankSetupForm& form);
void StoreEnvSetup(Session& session, const EnvSetupForm& form);

}  // namespace qv
