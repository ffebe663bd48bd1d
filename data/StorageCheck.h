#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// Checks what a crash or a half-done update can leave in the game directory `directory`,
// beside what CheckGameDirectory checks: a journal marker left behind (an update that did not
// finish) and quarter archive entries whose copies no longer match them. Returns one line per
// problem; none when all is whole.
// How much of the quarter archive a check reads: every quarter (verify), or only the newest,
// which is all an advance and its undo rely on, so that the check before each advance does
// not grow with the game.
enum class ArchiveScope { kEveryQuarter, kNewestQuarter };

std::vector<std::string> CheckStorage(FileSystem& files, const std::string& directory,
                                      ArchiveScope scope = ArchiveScope::kEveryQuarter);

// What verify reports of the game directory `directory`, one line per problem: its storage
// (markers, archive) and its files. A game with any is not advanced.
std::vector<std::string> GameProblems(FileSystem& files, const std::string& directory,
                                      ArchiveScope scope = ArchiveScope::kEveryQuarter);

}  // namespace qv
