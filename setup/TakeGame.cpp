#include "setup/TakeGame.h"

#include "data/GameJournal.h"
#include "data/GameLock.h"
#include "data/GlobalFile.h"

namespace qv {

TakenGame TakeGame(FileSystem& files, const std::string& game_dir, std::string_view holder,
                   std::unique_ptr<FileLock>* lock) {
  TakenGame taken;
  if (!LockGame(files, game_dir, holder, lock, &taken.refusal, &taken.in_use)) {
    return taken;
  }
  Recovery recovery;
  const Status recovered = RecoverGame(files, game_dir, &recovery);
  if (recovery.restored) {
    taken.restored = RecoveryMessage(recovery);
  }
  if (!recovered.ok()) {
    lock->reset();
    taken.refusal = "The last update of " + game_dir +
                    " was interrupted and could not be undone yet: " + recovered.detail();
    return taken;
  }
  taken.taken = true;
  return taken;
}

bool HoldsGameFiles(FileSystem& files, const std::string& dir) {
  return files.Exists(JoinPath(dir, kGlobalFileName)) || UpdateUnderWay(files, dir);
}

bool UpdateUnderWay(FileSystem& files, const std::string& dir) {
  return files.Exists(JoinPath(dir, kJournalFileName)) ||
         files.Exists(JoinPath(dir, kReplaceMarkerName));
}

}  // namespace qv
