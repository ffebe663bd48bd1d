#pragma once

#include "data/Session.h"

namespace qv {

// What the Global.qv found at a disk's path says about that disk (`DiskCheck`).
namespace disk_check {
inline constexpr int kCurrent = 1;    // the open game's disk, not older than the last update
inline constexpr int kOutdated = 2;   // the open game's disk, older than the last update
inline constexpr int kOtherGame = 3;  // another game's disk
inline constexpr int kNoGame = 4;     // no readable Global.qv
inline constexpr int kBankDisk = 5;   // asked for the game disk, found a bank disk
inline constexpr int kRefused = 6;    // a Global.qv that is a link, not a plain file, or too large
}  // namespace disk_check

// Reads Global.qv at the game directory (bank 0) or at `DiskPath(bank)` into the shadow
// record and compares its game name and identity, exactly, with the open game's. Returns
// `DiskCheck` 1..4, or 6 when the file there is refused unread.
int CheckIndexDisk(Session& session, int bank);

// CheckIndexDisk(0), then refuses a readable Global.qv that a bank disk wrote (5).
int CheckGameDisk(Session& session);

// `BankFlag` = 1 exactly for banks 1..NumBanks whose decisions are kept on the game disk.
void FlagGameBanks(Session& session);

// Asks "Put Quorvant Disk in Drive" until the game directory holds the open game's current
// game disk, then flags the game-disk banks. Returns true with `Cancelled` false when the
// disk is there, false with `Cancelled` true when the instructor cancelled.
[[nodiscard]] bool WaitForGameDisk(Session& session);

}  // namespace qv
