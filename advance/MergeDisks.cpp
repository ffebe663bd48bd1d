#include "advance/MergeDisks.h"

#include <cmath>
#include <string>

#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "advance/FixDecisions.h"
#include "data/BanksFile.h"
#include "data/GameFiles.h"
#include "data/Messages.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

void ReplaceNonFiniteDecisions(Session& session, int bank) {
  for (int item = 1; item <= 63; ++item) {
    float& decision = session.tables.Decision(bank, item);
    if (!std::isfinite(decision)) {
      decision = 0.0F;
    }
  }
}

// Names the disk that holds nothing still to read: the last bank it carries, or the game disk.
std::string NotNeededText(const Session& session) {
  int last_named = 0;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.shadow.BankFlag(b) == 1) {
      last_named = b;
    }
  }
  if (last_named == 0) {
    return std::string("Game Disk") + " is Not Needed";
  }
  return "Disk for Bank " + std::to_string(last_named) + ": " + session.game.BankName(last_named) +
         " is Not Needed";
}

}  // namespace

bool ReadIndexBanks(Session& session) {
  GameRecord& game = session.game;
  bool all_read = true;
  int bank = 1;
  try {
    for (; bank <= game.NumBanks; ++bank) {
      if (game.BankFlag(bank) != 1) {
        continue;
      }
      if (ReadBankDisk(session, bank)) {
        ReplaceNonFiniteDecisions(session, bank);
        session.DiskState(bank) = 1;
      } else {
        game.BankFlag(bank) = 2;
        session.DiskState(bank) = 3;
        all_read = false;
      }
    }
  } catch (const RuntimeError&) {
    for (; bank <= game.NumBanks; ++bank) {
      if (game.BankFlag(bank) == 1) {
        game.BankFlag(bank) = 2;
        session.DiskState(bank) = 3;
      }
    }
    return false;
  }
  return all_read;
}

bool LoadGameDiskBanks(Session& session) {
  if (!WaitForGameDisk(session)) {
    return false;
  }
  for (;;) {
    if (ReadIndexBanks(session)) {
      return true;
    }
    if (AskRetryRead(session)) {
      return false;
    }
    if (!WaitForGameDisk(session)) {
      return false;
    }
  }
}

bool ReadGameDiskBanks(Session& session) {
  if (!LoadGameDiskBanks(session)) {
    return false;
  }
  session.MergeState = DiskRead::kRead;
  CheckDiskBanks(session);
  return session.MergeStatus != MergeProgress::kWaiting;
}

void ReadNextDisk(Session& session) {
  GameRecord& game = session.game;
  while (session.DiskBank <= game.NumBanks) {
    const std::int16_t state = session.DiskState(session.DiskBank);
    if (state == disk_state::kDone || state == disk_state::kMissed) {
      ++session.DiskBank;
      continue;
    }
    if (state == disk_state::kNoDisk) {
      session.MergeState = DiskRead::kComputerManaged;
      ++session.DiskBank;
      return;
    }
    if (state != disk_state::kPending) {
      Tell(session, "Error in sub ReadNextDisk", Icon::kNone);
      session.MergeState = DiskRead::kUnknownDiskState;
      return;
    }
    for (;;) {
      FlagDiskBanks(session);
      bool identified = false;
      while (!identified) {
        if (RequestIndexDisk(session) == kDiskCancelled) {
          session.MergeState = DiskRead::kNotSupplied;
          return;
        }
        identified = ReportBadIndex(session, session.DiskBank);
      }
      if (session.LastUpdatedQuarter > session.shadow.ResultsQuarter) {
        Tell(session,
             "WARNING:  Decisions on this Disk are Not Current -- they are for Quarter " +
                 std::to_string(session.shadow.ResultsQuarter + 1),
             Icon::kExclamation);
      }
      // Any disk of the game with unread banks is read; the requested one is asked for again
      // on the next turn.
      bool any_unread = false;
      for (int b = 1; b <= game.NumBanks; ++b) {
        const bool unread = game.BankFlag(b) == 1 && session.DiskState(b) == disk_state::kPending;
        game.BankFlag(b) = unread ? 1 : 0;
        any_unread = any_unread || unread;
      }
      if (any_unread) {
        session.MergeState = ReadIndexBanks(session) ? DiskRead::kRead : DiskRead::kReadError;
        return;
      }
      Tell(session, NotNeededText(session), Icon::kExclamation);
    }
  }
  session.MergeState = DiskRead::kNoneLeft;
}

}  // namespace qv
