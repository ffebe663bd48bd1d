#include "advance/DiskIdentity.h"

#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

int CheckIndexDisk(Session& session, int bank) {
  const Status read = LoadGlobalFile(session, bank);
  if (read.error_number() == error::kPathFileAccess) {
    return disk_check::kRefused;
  }
  if (!read.ok()) {
    return disk_check::kNoGame;
  }
  const GameRecord& disk = session.shadow;
  const GameRecord& game = session.game;
  if (disk.GameName != game.GameName || disk.GameId != game.GameId) {
    return disk_check::kOtherGame;
  }
  return session.LastUpdatedQuarter > disk.ResultsQuarter ? disk_check::kOutdated
                                                          : disk_check::kCurrent;
}

int CheckGameDisk(Session& session) {
  const int check = CheckIndexDisk(session, 0);
  if (check == disk_check::kRefused) {
    return disk_check::kNoGame;
  }
  if (check != disk_check::kNoGame && session.shadow.BankDiskFlag != 0) {
    return disk_check::kBankDisk;
  }
  return check;
}

void FlagGameBanks(Session& session) {
  GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    game.BankFlag(b) = game.DiskType(b) == disk_type::kGame ? 1 : 0;
  }
}

bool WaitForGameDisk(Session& session) {
  for (;;) {
    if (CheckGameDisk(session) == disk_check::kCurrent) {
      FlagGameBanks(session);
      session.Cancelled = false;
      return true;
    }
    const Answer answer = Tell(session, "Put Quorvant Disk in Drive", Buttons::kOkCancel,
                               Icon::kExclamation, 1, FolderDetail(session.GamePath));
    // Only OK means the disk is in; a box closed from its frame gives up like Cancel.
    if (answer != Answer::kOk) {
      session.Cancelled = true;
      return false;
    }
  }
}

}  // namespace qv
