#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qv {

// One process per game: every program that changes a game holds an advisory lock on the file
// Lock.qv in its game directory (the desktop program for as long as the game is open). The
// system lets go of it when the process ends, however it ends, so a crash never leaves a
// game locked. The holder writes who it is into the file, so a second one can say who has it.
inline constexpr const char* kLockFileName = "Lock.qv";

// Takes the lock of the game in `game_dir`; `holder` says who takes it ("qvctl advance,
// process 4242"). On failure `*message` is the text to show: the game is in use by whom, or
// why the lock could not be taken; `*in_use`, when given, says whether another program has it.
[[nodiscard]] bool LockGame(FileSystem& files, const std::string& game_dir, std::string_view holder,
                            std::unique_ptr<FileLock>* lock, std::string* message,
                            bool* in_use = nullptr);

}  // namespace qv
