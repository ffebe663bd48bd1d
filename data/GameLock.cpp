#include "data/GameLock.h"

namespace qv {

bool LockGame(FileSystem& files, const std::string& game_dir, std::string_view holder,
              std::unique_ptr<FileLock>* lock, std::string* message, bool* in_use) {
  std::string held_by;
  const Status locked = files.Lock(JoinPath(game_dir, kLockFileName), holder, lock, &held_by);
  if (in_use != nullptr) {
    *in_use = locked.error_number() == 70;
  }
  if (locked.ok()) {
    return true;
  }
  if (locked.error_number() == 70) {
    *message = "The game in " + game_dir + " is in use by " +
               (held_by.empty() ? std::string("another program") : held_by) +
               "; try again when it has finished.";
  } else {
    *message = "The game in " + game_dir + " cannot be locked: " + locked.detail();
  }
  return false;
}

}  // namespace qv
