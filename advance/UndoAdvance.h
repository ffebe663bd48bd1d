#pragma once

#include <string>
#include <vector>

#include "data/Session.h"
#include "platform/Status.h"

namespace qv {

// Undoing the last advance: the game directory and every reachable bank disk are put back as
// the quarter archive kept them before it, so that advancing again reads the same decisions.

// The quarter an undo would go back to, from the archive: the newest archived quarter below
// the game's `ResultsQuarter`. False (with `*why` the text to show) when there is none.
[[nodiscard]] bool UndoTarget(Session& session, int* quarter, std::string* why);

// Puts the game directory back to archived `quarter` through the journal (so an interrupted
// undo is finished by the next open), then each student bank's disk that was archived and can
// be reached. A disk that holds decisions its team made after the advance is named, and kept
// unless the instructor confirms that they are to be discarded. The archive entry goes last.
// Returns the failure that stopped it; disks are put back one by one, so a disk that fails
// is named and the others go on.
[[nodiscard]] Status UndoLastAdvance(Session& session, int quarter);

}  // namespace qv
