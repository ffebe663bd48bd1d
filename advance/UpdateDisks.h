#pragma once

#include "data/Session.h"

namespace qv {

namespace advance {
// Writes the quarter's banks.qv, PLOTV.QV and COMP.QV into directory `index`, each only after
// the one before succeeded. Returns `FileOK`.
[[nodiscard]] bool CreateIndexBanks(Session& session, int index);
}  // namespace advance

// Writes the quarter into the game directory: Global.qv, PORTF.QV and the files of
// `advance::CreateIndexBanks`. A write that fails puts every file of the game directory
// back as it was before asking "Please insert instructor disk" again, so the stored game is
// either the old quarter or the new one, never a mixture. Returns true when written; false,
// with `Cancelled`, when the instructor gave up.
[[nodiscard]] bool UpdateGameDisk(Session& session);

// What one turn of writing the bank disks did.
enum class DiskUpdate {
  kFailed,    // a run-time error; `Cancelled` is set
  kNoneLeft,  // every bank disk has been written or omitted
  kWritten,   // the requested disk was written
  kOmitted,   // the instructor omitted the requested disk
};

// Writes the next bank disk still to be written, asking for it.
[[nodiscard]] DiskUpdate UpdateNextDisk(Session& session);

}  // namespace qv
