#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"
#include "setup/SetupForms.h"

namespace qv {

// Stores all three checked setup forms into the session, as the wizard does form by form.
void StoreSetupForms(Session& session, NewGameState& state, const SetupForms& forms);

// Whether the game folder `GamePath` may receive a new game.
enum class GameFolder {
  kReady,
  kNotMade,  // the folder could not be created
  kKept,     // it holds a game and the instructor chose not to replace it
};

// Creates the game folder when it is missing and asks "A Quorvant game already exists in this
// folder. Replace it?" when it holds one. Nothing of a game is written.
GameFolder PrepareGameFolder(Session& session);

}  // namespace qv
