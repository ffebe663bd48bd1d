#pragma once

#include "data/Session.h"
#include "platform/Status.h"

namespace qv {

// Copies DATAEC.QVS and INIT.QVS from the program directory into the game directory, each only
// when the game directory does not hold it yet (a game keeps the data it was created with).
// Returns the first failure: a data file missing from the program directory, or a write
// that failed. The creation's readers then report the missing file with their own prompt.
[[nodiscard]] Status CopyStaticDataFiles(Session& session);

}  // namespace qv
