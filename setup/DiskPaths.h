#pragma once

#include <optional>
#include <string>

#include "setup/SetupForms.h"

namespace qv {

class FileSystem;
class Ui;

// The rule on the bank-disk paths of a setup taken together, which needs the file system and
// the game directory: a path of a human bank names a folder of its own, as the file system
// will resolve it (drive map, letter case, links), and that folder neither is the game
// directory nor lies inside it or around it: a team must not reach the game's own files. Returns
// the message for row `row` (0-based), or nothing when its path may be used; rows 0..num_banks-1
// take part.
std::optional<std::string> DiskPathConflict(FileSystem& files, const BankSetupForm& banks,
                                            int num_banks, int row, const std::string& game_dir);

// Checks the path of every human bank of `forms` in bank order; shows the first conflict
// (exclamation icon, OK) and returns its Bank Setup field number (51..60), or nothing.
std::optional<int> FirstDiskPathConflict(Ui& ui, FileSystem& files, const SetupForms& forms,
                                         const std::string& game_dir);

}  // namespace qv
