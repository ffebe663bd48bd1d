#pragma once

#include "data/Session.h"

namespace qv {

// True when bank `bank` keeps its decisions on a disk of its own whose path in the game record
// names the folder `folder`.
bool LivesAt(Session& session, int bank, const std::string& folder);

// Takes the bank flags of the disk whose Global.qv was read last, at the path of `DiskBank`,
// for the banks that live there only. A disk cannot speak for a bank whose path leads
// elsewhere: each such claim is named in a warning and dropped, so that bank's own disk is
// still asked for and this disk never receives its password or results.
void TakeOwnedDiskBankFlags(Session& session);

}  // namespace qv
