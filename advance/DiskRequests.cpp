#include "advance/DiskRequests.h"

#include <string>

#include "advance/DiskIdentity.h"
#include "advance/DiskOwnership.h"
#include "data/Messages.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

std::string DiskRequestText(const Session& session) {
  const GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    if (game.BankFlag(b) == 1) {
      const char* kind = game.DiskType(b) == disk_type::kStudent
                             ? "Please insert the student disk for bank "
                             : "Please insert the instructor disk for bank ";
      return kind + std::to_string(b) + ": " + game.BankName(b);
    }
  }
  return "Please insert the game disk into the drive";
}

// The folder the disk request means: the first flagged bank's disk, else the game directory.
std::string DiskRequestFolder(const Session& session) {
  const GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    if (game.BankFlag(b) == 1) {
      return game.DiskPath(b);
    }
  }
  return session.GamePath;
}

}  // namespace

void InitDiskStates(Session& session) {
  const GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    switch (game.DiskType(b)) {
      case disk_type::kGame:
        session.DiskState(b) = disk_state::kDone;
        break;
      case disk_type::kStudent:
        session.DiskState(b) = disk_state::kPending;
        break;
      default:
        session.DiskState(b) = disk_state::kNoDisk;
    }
  }
  session.DiskBank = 1;
}

void FlagDiskBanks(Session& session) {
  GameRecord& game = session.game;
  const std::string& disk_bank_name = game.BankName(session.DiskBank);
  for (int b = 1; b <= game.NumBanks; ++b) {
    game.BankFlag(b) = game.BankName(b) == disk_bank_name && game.DiskType(b) < disk_type::kNone;
  }
}

void MarkDiskBanksDone(Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.BankFlag(b) == 1) {
      session.DiskState(b) = disk_state::kDone;
    }
  }
}

void MarkDiskBanksOmitted(Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.BankFlag(b) == 1) {
      session.DiskState(b) = disk_state::kMissed;
    }
  }
}

void LoadDiskBankFlags(Session& session) {
  TakeOwnedDiskBankFlags(session);
}

int RequestIndexDisk(Session& session) {
  try {
    for (;;) {
      if (Tell(session, DiskRequestText(session), Buttons::kOkCancel, Icon::kNone, 1,
               FolderDetail(DiskRequestFolder(session))) == Answer::kOk) {
        return kDiskSupplied;
      }
      if (Tell(session, "Are you sure you want to cancel?", Buttons::kYesNo, Icon::kExclamation,
               2) == Answer::kYes) {
        return kDiskCancelled;
      }
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "RequestIndexDisk Module", failure.number());
    return kDiskCancelled;
  }
}

bool ReportBadIndex(Session& session, int bank) {
  switch (CheckIndexDisk(session, bank)) {
    case disk_check::kCurrent:
    case disk_check::kOutdated:
      LoadDiskBankFlags(session);
      return true;
    case disk_check::kOtherGame:
      Tell(session, "Disk is not for the current game", Buttons::kOk, Icon::kExclamation);
      return false;
    case disk_check::kNoGame:
      Tell(session, "Quorvant disk is not available", Buttons::kOk, Icon::kExclamation, 1,
           FolderDetail(session.CurrentPath));
      return false;
    case disk_check::kRefused:
      Tell(session,
           "The disk for Bank " + std::to_string(bank) + ": " + session.game.BankName(bank) +
               " at " + session.game.DiskPath(bank) +
               " holds a Global.qv that is a link, not a plain file, or too large; it is not "
               "used",
           Buttons::kOk, Icon::kExclamation);
      return false;
    default:
      Tell(session, "Error in sub ReportBadIndex", Buttons::kOk, Icon::kNone);
      return false;
  }
}

}  // namespace qv
