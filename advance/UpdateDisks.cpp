#include "advance/UpdateDisks.h"

#include <string>
#include <vector>

#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/FileSnapshot.h"
#include "data/GameFiles.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

Answer Tell(Session& session, std::string text, Buttons buttons, Icon icon) {
  session.MessageText = std::move(text);
  return session.ui.Show(Message{session.MessageText, kAppTitle, buttons, icon, 1});
}

const std::vector<std::string>& BankDiskFileNames() {
  static const std::vector<std::string> names = {kGlobalFileName, kBanksWriteName, kPlotWriteName,
                                                 kCompWriteName};
  return names;
}

// Writes one bank disk; on a failure puts its files back, so that a second try does not move
// the histories on twice.
bool WriteBankDisk(Session& session) {
  const int bank = session.DiskBank;
  const std::string& path = session.game.DiskPath(bank);
  session.ui.Progress("Writing the disk of bank " + std::to_string(bank) + ": " +
                      session.game.BankName(bank));
  FileSnapshot before;
  const bool saved = session.files.MakeDirectories(path).ok() &&
                     before.Take(session.files, path, BankDiskFileNames()).ok();
  if (saved && WriteGlobalFile(session, bank) && advance::CreateIndexBanks(session, bank)) {
    return true;
  }
  if (saved) {
    (void)before.Restore(session.files);
  }
  return false;
}

bool AnyNamedBankDone(const Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.BankFlag(b) == 1 && session.DiskState(b) == disk_state::kDone) {
      return true;
    }
  }
  return false;
}

int AskAgain(Session& session, const char* text) {
  return Tell(session, text, Buttons::kOkCancel, Icon::kExclamation) == Answer::kOk
             ? kDiskSupplied
             : kDiskCancelled;
}

}  // namespace

namespace advance {

bool CreateIndexBanks(Session& session, int index) {
  try {
    if (WriteBanksUpdate(session, index) && WritePlotUpdate(session, index) &&
        WriteCompFile(session, index)) {
      MarkDiskBanksDone(session);
      return true;
    }
  } catch (const RuntimeError& failure) {
    Tell(session, "Quorvant CreateIndexBanks Module Error " + std::to_string(failure.number()),
         Buttons::kOk, Icon::kExclamation);
  }
  return false;
}

}  // namespace advance

bool UpdateGameDisk(Session& session) {
  try {
    for (;;) {
      std::string failure;
      if (CheckGameDisk(session) == disk_check::kCurrent) {
        FileSnapshot before;
        if (before.Take(session.files, session.GamePath, GameFileNames()).ok() &&
            WriteGlobalFile(session, 0) && WritePortfolioFile(session) &&
            advance::CreateIndexBanks(session, 0)) {
          session.Cancelled = false;
          return true;
        }
        (void)before.Restore(session.files);
        failure = "Error writing file!\r";
      }
      if (Tell(session, failure + "Please insert instructor disk", Buttons::kOkCancel,
               Icon::kExclamation) != Answer::kOk) {
        session.Cancelled = true;
        return false;
      }
    }
  } catch (const RuntimeError&) {
    Tell(session, "Error in sub UpdateGameDisk", Buttons::kOk, Icon::kNone);
    session.Cancelled = true;
    return false;
  }
}

bool UpdateNextDisk(Session& session) {
  try {
    GameRecord& game = session.game;
    while (session.DiskBank <= game.NumBanks &&
           session.DiskState(session.DiskBank) != disk_state::kPending) {
      ++session.DiskBank;
    }
    if (session.DiskBank > game.NumBanks) {
      session.MergeState = 0;
      session.Cancelled = false;
      return true;
    }
    for (;;) {
      FlagDiskBanks(session);
      int prompt = RequestIndexDisk(session);
      bool write = false;
      while (!write) {
        if (prompt != kDiskSupplied) {
          if (Tell(session, "Can omit disk or make new disk.  Do you want to omit?",
                   Buttons::kYesNo, Icon::kExclamation) == Answer::kYes) {
            session.MergeState = 2;
            session.Cancelled = false;
            return true;
          }
          if (CheckIndexDisk(session, session.DiskBank) == disk_check::kCurrent) {
            LoadDiskBankFlags(session);
            prompt = AskAgain(
                session,
                "This disk is already active in the current game ... insert requested disk");
            continue;
          }
          write = true;  // a blank, foreign or outdated disk becomes a new disk
        } else {
          if (!ReportBadIndex(session, session.DiskBank)) {
            break;  // ask for the disk again
          }
          if (AnyNamedBankDone(session)) {
            prompt =
                AskAgain(session, "This disk has already been updated ... insert requested disk");
            continue;
          }
          write = true;
        }
      }
      if (!write) {
        continue;
      }
      if (WriteBankDisk(session)) {
        session.MergeState = 1;
        session.Cancelled = false;
        return true;
      }
      Tell(session, "Error writing file", Buttons::kOk, Icon::kExclamation);
    }
  } catch (const RuntimeError&) {
    Tell(session, "Error in sub UpdateNextDisk", Buttons::kOk, Icon::kNone);
    session.Cancelled = true;
    return false;
  }
}

}  // namespace qv
