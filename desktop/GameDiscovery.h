#pragma once

#include <optional>
#include <string>

namespace qv {

class FileSystem;

// The places a game is looked for at start-up, after the game directory itself.
inline constexpr const char* kDisketteLocations[] = {"A:\\", "A:\\Quorvant\\", "B:\\",
                                                     "B:\\Quorvant\\"};

// The first of `game_path` and the diskette locations that holds banks.qv. A missing drive,
// or one without a medium, holds no game.
std::optional<std::string> FindGame(FileSystem& files, const std::string& game_path);

// The start-up dialog's heading for a game found at `search_path`.
std::string FoundGameHeading(const std::string& search_path);

// `search_path` as the start-up dialog shows it: whole up to 50 characters, longer ones as
// their first 40 characters, "..." and their last 7.
std::string ShortenLocation(const std::string& search_path);

// The game directory of a chosen file: everything up to and including the last separator.
std::string DirectoryOfFile(const std::string& file_name);

}  // namespace qv
