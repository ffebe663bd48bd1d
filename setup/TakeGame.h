#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qv {

// What taking a game for a program found.
struct TakenGame {
  bool taken = false;    // the lock is held and the game files are whole
  std::string restored;  // when an interrupted update was undone: the text that says so
  std::string refusal;   // when not taken: why (another program holds it, or the undo failed)
  bool in_use = false;   // not taken because another program holds the lock
};

// Takes the lock of the game in `game_dir` in the name of `holder` ("qvctl advance (process
// 42)") and then finishes or undoes an update that a crash left behind there, in this order,
// so that no other program writes while the game files are put back. `*lock` holds the lock
// on success and is empty on a refusal: a game whose interrupted update could not be undone
// yet is not held, and the next taker tries again.
TakenGame TakeGame(FileSystem& files, const std::string& game_dir, std::string_view holder,
                   std::unique_ptr<FileLock>* lock);

// True when `dir` holds a game or what an interrupted update left of one (Global.qv or a
// marker): a folder without either is no game to take, and gets no lock file.
bool HoldsGameFiles(FileSystem& files, const std::string& dir);

// True when an update of the game in `dir` is under way or was interrupted (a marker is there):
// its files may then be a mix of two quarters until it ends or is rolled back.
bool UpdateUnderWay(FileSystem& files, const std::string& dir);

}  // namespace qv
