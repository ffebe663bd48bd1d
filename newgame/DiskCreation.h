#pragma once

#include "data/Session.h"
#include "newgame/NewGameState.h"

namespace qv {

// Which kinds of bank disks the game uses (`DiskMode`), from the banks' `DiskType`s; flags
// the banks kept on the game disk.
void SetDiskModes(Session& session);

// banks.qv of a new game into directory `index`: every bank 1..NumBanks with the opening books
// loaded into the session's tables, each bank's own decision copy as made. Returns `FileOK`.
[[nodiscard]] bool WriteBanksFile(Session& session, int index);

namespace newgame {
// banks.qv, then PLOTV.QV with the opening histories of the flagged banks, into directory
// `index`; then the flagged banks' disks are done. Returns `FileOK`.
[[nodiscard]] bool CreateIndexBanks(Session& session, const NewGameState& state, int index);
}  // namespace newgame

// Writes the new game's directory: Global.qv, PORTF.QV, banks.qv and PLOTV.QV, asking
// "Error Writing File" after a failure. Sets and returns `NewGameAbort` (0 or -1).
std::int16_t CreateGameDisk(Session& session, NewGameState& state);

// Writes the next bank disk still to be written, refusing a disk that already belongs to the
// game. Sets `NewGameAbort` (0 or -1) and returns what the turn did.
enum class DiskCreation { kAborted, kNoneLeft, kWritten };
DiskCreation CreateNextDisk(Session& session, NewGameState& state);

}  // namespace qv
