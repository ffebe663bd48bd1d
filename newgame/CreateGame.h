#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"

namespace qv {

// True when the game directory already holds a game.
bool GameExists(Session& session);

// "A Quorvant game already exists in this folder. Replace it?"; true for Yes.
bool ConfirmReplaceGame(Session& session);

// Creates the game the stored setup describes in `GamePath`: its identity and year, the disk
// modes, the opening quarter, the game directory, every bank disk in turn, and the start of
// the game at quarter 0. The shipped data files are copied into the game directory when it
// lacks them. Sets and returns `ProceedOk`: go on when the game was created and started; stop when
// the creation was abandoned or failed (what was already written stays, as for a disk whose
// writing was cancelled).
Proceed CreateGame(Session& session, NewGameState& state);

}  // namespace qv
