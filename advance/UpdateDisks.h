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

// Writes the next bank disk still to be written, asking for it. Leaves `MergeState` 0 when
// no disk is left, 1 when one was written, 2 when the instructor omitted it. Returns false,
// with `Cancelled`, after a run-time error.
[[nodiscard]] bool UpdateNextDisk(Session& session);

}  // namespace qv
