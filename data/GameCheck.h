#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// Checks the game directory `directory` (ending in a separator) without changing anything:
// every file of the set is present with the size its layout and the number of banks give,
// Global.qv is a whole game record with sane values, every Single is finite, and every
// bank's balance sheet balances. Returns one line per problem, each naming the file and the
// record or bank; none when the directory is sound.
std::vector<std::string> CheckGameDirectory(FileSystem& files, const std::string& directory);

}  // namespace qv
