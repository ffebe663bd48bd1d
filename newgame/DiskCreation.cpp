#include "newgame/DiskCreation.h"

#include <string>

#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "data/BanksFile.h"
#include "data/GameFiles.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "data/RecordRoutines.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

Table<BankHistory, kMaxBanks> OpeningHistories(const Session& session, const NewGameState& state) {
  Table<BankHistory, kMaxBanks> histories;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    histories(b) = state.TypeProfile(state.BankType(b)).History;
  }
  return histories;
}

}  // namespace

void SetDiskModes(Session& session) {
  GameRecord& game = session.game;
  bool game_disk_banks = false;
  bool student_disk_banks = false;
  for (int b = 1; b <= game.NumBanks; ++b) {
    game.BankFlag(b) = game.DiskType(b) == disk_type::kGame ? 1 : 0;
    game_disk_banks = game_disk_banks || game.DiskType(b) == disk_type::kGame;
    student_disk_banks = student_disk_banks || game.DiskType(b) == disk_type::kStudent;
  }
  if (game_disk_banks) {
    game.DiskMode = student_disk_banks ? 1 : 0;
  } else {
    game.DiskMode = student_disk_banks ? 2 : 3;
  }
}

bool WriteBanksFile(Session& session, int index) {
  SelectFileDir(session, index);
  return WriteRecordFile(
      session, JoinPath(session.CurrentPath, kBanksWriteName), kBanksRecordLength,
      EncodeBanksRecords(session.tables, session.game.NumBanks, DecisionCopy::kAsMade));
}

namespace newgame {

bool CreateIndexBanks(Session& session, const NewGameState& state, int index) {
  try {
    if (WriteBanksFile(session, index) &&
        WritePlotFile(session, index, OpeningHistories(session, state))) {
      MarkDiskBanksDone(session);
      return true;
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "CreateIndexBanks Module", failure.number());
  }
  return false;
}

}  // namespace newgame

std::int16_t CreateGameDisk(Session& session, NewGameState& state) {
  try {
    for (;;) {
      if (WriteGlobalFile(session, 0) && WritePortfolioFile(session) &&
          newgame::CreateIndexBanks(session, state, 0)) {
        return state.NewGameAbort = 0;
      }
      if (AskRetryWrite(session)) {
        return state.NewGameAbort = -1;
      }
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "CreateGameDisk Module", failure.number());
    return state.NewGameAbort = -1;
  }
}

DiskCreation CreateNextDisk(Session& session, NewGameState& state) {
  try {
    GameRecord& game = session.game;
    for (;;) {
      while (session.DiskBank <= game.NumBanks &&
             session.DiskState(session.DiskBank) != disk_state::kPending) {
        ++session.DiskBank;
      }
      if (session.DiskBank > game.NumBanks) {
        state.NewGameAbort = 0;
        return DiskCreation::kNoneLeft;
      }
      FlagDiskBanks(session);
      if (RequestIndexDisk(session) == kDiskCancelled) {
        state.NewGameAbort = -1;
        return DiskCreation::kAborted;
      }
      while (CheckIndexDisk(session, session.DiskBank) == disk_check::kCurrent) {
        if (Tell(session, "Disk is already in use for this game", Buttons::kRetryCancel,
                 Icon::kExclamation) != Answer::kRetry) {
          state.NewGameAbort = -1;
          return DiskCreation::kAborted;
        }
      }
      // A bank disk is a directory; one that does not exist yet is made.
      const bool made = session.files.MakeDirectories(game.DiskPath(session.DiskBank)).ok();
      if (made && WriteGlobalFile(session, session.DiskBank) &&
          newgame::CreateIndexBanks(session, state, session.DiskBank)) {
        state.NewGameAbort = 0;
        return DiskCreation::kWritten;
      }
      if (AskRetryWrite(session)) {
        state.NewGameAbort = -1;
        return DiskCreation::kAborted;
      }
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "CreateNextDisk Module", failure.number());
    state.NewGameAbort = -1;
    return DiskCreation::kAborted;
  }
}

}  // namespace qv
