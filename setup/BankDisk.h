#pragma once

#include <string>
#include <vector>

#include "data/Session.h"
#include "data/TeamDecisionsFile.h"

namespace qv {

// A team's side of the disk exchange: the team opens the disk the instructor last wrote,
// reads its bank's results and decisions, and writes back its decisions for the coming
// quarter. Every function returns an empty text on success, or the message for the team.

// Opens the disk in `folder` into `session`: `GamePath` becomes the folder, its Global.qv the
// game record (and `LastUpdatedQuarter` its quarter) and its banks.qv the tables.
std::string OpenBankDisk(Session& session, const std::string& folder);

// The human-managed banks this disk carries records for, in bank order.
std::vector<int> BanksOnDisk(const GameRecord& game);

// The login of a team: the bank must be on the disk and `password` the one the disk holds for
// it, without regard to letter case.
std::string CheckBankLogin(const GameRecord& game, int bank, const std::string& password);

// Bank `bank`'s own decision copy and status (LastUpdated, BankQuarter, DecisionsReady) from
// the open disk into the session's tables.
std::string ReadTeamDecisions(Session& session, int bank);

// Writes `decisions` as the bank's decisions for the quarter after the one the disk was opened
// at, final (`ready`) or as a draft. Refused, with nothing written, when the disk now holds
// another game or another quarter, or when the bank's records on it missed the last update.
std::string SaveTeamDecisions(Session& session, int bank, const BankDecisions& decisions,
                              bool ready);

}  // namespace qv
