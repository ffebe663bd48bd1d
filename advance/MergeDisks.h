#pragma once

#include "data/Session.h"

namespace qv {

// Reads the status and decisions of every flagged bank from the disk at `CurrentPath`. A bank
// whose record fails gets `BankFlag` 2 and `DiskState` missed. Decisions that are not finite
// numbers are taken as 0: a disk is written by another program and is not trusted. Returns
// `FileOK`: true only when every read succeeded.
[[nodiscard]] bool ReadIndexBanks(Session& session);

// Reads the banks kept on the game disk, asking for it and offering to retry a failed read.
// Returns false, with `Cancelled`, when the instructor gave up.
[[nodiscard]] bool LoadGameDiskBanks(Session& session);

// The game-disk banks read and checked. Returns `FileOK`: false when the game disk was
// cancelled or the instructor chose to wait.
[[nodiscard]] bool ReadGameDiskBanks(Session& session);

// One turn of the merge loop: asks for the next bank disk still to be read and reads every
// unread bank on whatever disk of this game is inserted. Leaves in `MergeState` what it found.
void ReadNextDisk(Session& session);

}  // namespace qv
