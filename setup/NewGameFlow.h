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

// Creates the game stored in the session in `GamePath`, as CreateGame does. A game already
// there (whose replacement was confirmed) stays until the new one is whole: its files, and
// those of the bank disks the new game writes to, are copied first under the journal; a
// creation that fails puts them all back, and one that a crash interrupts is rolled back by
// the next open of the game. Only once the new game is complete do the old game's quarter
// archive and the decisions keyed in for it go.
Proceed CreateGameInFolder(Session& session, NewGameState& state);

}  // namespace qv
