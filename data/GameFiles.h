#pragma once

#include <functional>
#include <string>

#include "data/Session.h"
#include "platform/Status.h"

namespace qv {

// Sets `CurrentPath` for the next file routine: 0 is the game directory, 1..10 that bank's
// disk directory. Any other index is run-time error 9.
void SelectFileDir(Session& session, int index);

// "Error Reading File" / "Error Writing File" with Retry and Cancel; sets and returns
// `Cancelled` (true when the answer was Cancel). For callers that retry a group of routines.
bool AskRetryRead(Session& session);
bool AskRetryWrite(Session& session);

enum class Transfer { kRead, kWrite };

// The protocol every record-file routine shares. `body` opens the file, transfers all of its
// records and returns the first failure; whatever it opened is closed when it returns. On a
// failure "Cannot read file " or "Cannot write file " and `full_name` is shown with Retry
// and Cancel: Retry runs `body` again from its first record, Cancel gives up.
// Returns the routine's `FileOK`: true when the transfer finished, false when cancelled.
[[nodiscard]] bool RunFileRoutine(Session& session, Transfer direction,
                                  const std::string& full_name,
                                  const std::function<Status()>& body);

}  // namespace qv
