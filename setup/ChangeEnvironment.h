#pragma once

#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// The file side of changing the regulation of a running game, shared by both front ends.

// Reads the environment records of the game directory into `environment`, asking "Could not
// read the environment file" (Retry, Cancel) after a failure. False when cancelled.
[[nodiscard]] bool ReadEnvironmentForChange(Session& session, Table<double, 84>* environment);

// Makes `environment` the game's regulation: the session's copy and tax rate take it at once
// (the next quarter's calculation uses them), and the records are written to the game
// directory, asking "Could not save changes to the environment" (Retry, Cancel) after a
// failure. False when the instructor gave up on the write; the new values then stay in
// memory only.
[[nodiscard]] bool SaveEnvironmentChanges(Session& session, const Table<double, 84>& environment);

}  // namespace qv
