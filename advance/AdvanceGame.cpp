#include "advance/AdvanceGame.h"

#include <string>

#include "advance/ComputerDecisions.h"
#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "advance/DiskWrites.h"
#include "advance/EnteredDecisions.h"
#include "advance/FailedBanks.h"
#include "advance/FixDecisions.h"
#include "advance/GameDiskPortfolios.h"
#include "advance/MergeDisks.h"
#include "advance/UpdateDisks.h"
#include "data/BanksFile.h"
#include "data/EconomicFiles.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/PlotFile.h"
#include "engine/Engine.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

enum class Outcome { kDone, kAbandoned, kFailed };

// Collects every bank's decisions; false when the instructor chose to wait.
Outcome Merge(Session& session) {
  InitDecisionSources(session);
  EnteredDecisions entered;
  if (!TakeEnteredDecisions(session, &entered)) {
    return Outcome::kFailed;
  }
  session.MergeStatus = MergeProgress::kMerging;
  GameRecord& game = session.game;
  bool game_disk_read = true;
  if (game.DiskMode != 2) {
    game.BankDiskFlag = 0;
    game_disk_read = ReadGameDiskBanks(session);
  }
  if (!game_disk_read) {
    return Outcome::kAbandoned;
  }
  if (game.DiskMode == 0) {
    PutEnteredDecisions(session, entered);
    return Outcome::kDone;
  }
  game.BankDiskFlag = 1;
  InitDiskStates(session);
  SkipEnteredDisks(session);
  do {
    ReadNextDisk(session);
    switch (session.MergeState) {
      case DiskRead::kNoneLeft:
        session.MergeStatus = MergeProgress::kDone;
        break;
      case DiskRead::kRead:
        CheckDiskBanks(session);
        break;
      case DiskRead::kNotSupplied:
        DiskNotAvailable(session);
        break;
      case DiskRead::kReadError:
        DiskError(session);
        break;
      case DiskRead::kComputerManaged:
        break;
      case DiskRead::kUnknownDiskState:
        Tell(session, "Illegal value at MergeDiskLoop", Icon::kNone);
        return Outcome::kFailed;
    }
  } while (session.MergeStatus == MergeProgress::kMerging);
  if (session.MergeStatus != MergeProgress::kDone) {
    return Outcome::kAbandoned;
  }
  PutEnteredDecisions(session, entered);
  return Outcome::kDone;
}

// Stamps every bank and writes the game directory, then every bank disk.
bool Update(Session& session) {
  GameRecord& game = session.game;
  GameTables& tables = session.tables;
  const DateTime now = session.clock.Now();
  const std::string stamp = FormatDate(now) + " " + FormatTime(now);
  for (int b = 1; b <= game.NumBanks; ++b) {
    tables.LastUpdated(b) = stamp;
    tables.BankQuarter(b) = game.ResultsQuarter;
    tables.DecisionsReady(b) = 2;
  }
  game.BankDiskFlag = 0;
  if (!UpdateGameDisk(session)) {
    return false;
  }
  game.BankDiskFlag = 1;
  InitDiskStates(session);
  DiskWrites disks(session);
  DiskUpdate turn = DiskUpdate::kWritten;
  do {
    turn = UpdateNextDisk(session);
    if (turn == DiskUpdate::kFailed) {
      disks.Finish();
      return false;
    }
    if (turn == DiskUpdate::kOmitted) {
      MarkDiskBanksOmitted(session);
    }
  } while (turn != DiskUpdate::kNoneLeft);
  disks.Finish();
  session.LastUpdatedQuarter = game.ResultsQuarter;
  return true;
}

// One try at the quarter. `failed_bank` is set when a run-time error arose in one bank's
// part of the calculation.
Outcome Advance(Session& session, const FailedBanks& failed_banks, int* failed_bank) {
  if (!WaitForGameDisk(session)) {
    return Outcome::kFailed;
  }
  ApplyGlobalRecord(session);
  if (!ReadEconomicRecords(session) || !ReadPlotFile(session) || !ReadBanksFull(session)) {
    return Outcome::kFailed;
  }
  GameRecord& game = session.game;
  game.EconPeriod = static_cast<std::int16_t>(game.EconPeriod % 100 + 1);
  if (game.ResultsQuarter != -1) {
    const Outcome merged = Merge(session);
    if (merged != Outcome::kDone) {
      return merged;
    }
    if (!failed_banks.Apply(session) || ComputerDecisions(session) == Proceed::kStop) {
      return Outcome::kFailed;
    }
  }
  // The start's calculation has no decisions of the banks in it to settle.
  const bool starting = game.ResultsQuarter == -1;
  GameDiskPortfolios portfolios(session);
  if (CalculateResults(session, portfolios, starting ? nullptr : failed_bank) != Proceed::kGoOn) {
    return Outcome::kFailed;
  }
  return Update(session) ? Outcome::kDone : Outcome::kFailed;
}

}  // namespace

std::vector<int> DisksNotWritten(const Session& session) {
  std::vector<int> banks;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.DiskType(b) == 1 && session.DiskState(b) == disk_state::kMissed) {
      banks.push_back(b);
    }
  }
  return banks;
}

Proceed AdvanceGame(Session& session) {
  Outcome outcome = Outcome::kFailed;
  try {
    // A bank whose decisions cannot be calculated is settled by the instructor, and the
    // quarter is tried again from the start with nothing stored in between.
    FailedBanks failed_banks;
    for (;;) {
      int failed_bank = 0;
      outcome = Advance(session, failed_banks, &failed_bank);
      if (outcome != Outcome::kFailed || failed_bank == 0 ||
          !failed_banks.Settle(session, failed_bank)) {
        break;
      }
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "Sub AdvanceGame", failure.number());
  }
  session.game.BankDiskFlag = 0;
  const bool started = session.game.ResultsQuarter > 0;
  if (outcome == Outcome::kFailed) {
    session.ProceedOk = Proceed::kStop;
    Tell(session, started ? "Game did NOT advance successfully" : "Game did NOT start successfully",
         Icon::kNone);
    return session.ProceedOk;
  }
  session.ProceedOk = Proceed::kGoOn;
  session.ui.GameChanged();
  const std::vector<int> not_written = DisksNotWritten(session);
  if (outcome == Outcome::kDone && !not_written.empty()) {
    // The game moved on, but a disk that was not written must never read as a success.
    std::string text = started ? "Game advanced, but these bank disks were not written:"
                               : "Game started, but these bank disks were not written:";
    for (const int b : not_written) {
      text += "\rBank " + std::to_string(b) + ": " + session.game.BankName(b) + " (" +
              session.game.DiskPath(b) + ")";
    }
    Tell(session, text + "\rThe next advance asks for them again." + EnteredDecisionsNote(session),
         Icon::kExclamation);
  } else if (outcome == Outcome::kDone) {
    Tell(session,
         started ? "Game advanced successfully" + EnteredDecisionsNote(session)
                 : "Game started successfully",
         Icon::kNone);
  } else {
    Tell(session, started ? "Game did NOT advance successfully" : "Game did NOT start successfully",
         Icon::kNone);
  }
  return session.ProceedOk;
}

}  // namespace qv
