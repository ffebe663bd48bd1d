#include "advance/AdvanceGame.h"

#include <string>

#include "advance/ComputerDecisions.h"
#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "advance/EnteredDecisions.h"
#include "advance/FixDecisions.h"
#include "advance/GameDiskPortfolios.h"
#include "advance/MergeDisks.h"
#include "advance/UpdateDisks.h"
#include "data/BanksFile.h"
#include "data/EconomicFiles.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "engine/Engine.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

enum class Outcome { kDone, kAbandoned, kFailed };

void Tell(Session& session, std::string text, Icon icon) {
  session.MessageText = std::move(text);
  session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kOk, icon, 1});
}

// Collects every bank's decisions; false when the instructor chose to wait.
Outcome Merge(Session& session) {
  InitDecisionSources(session);
  EnteredDecisions entered;
  if (!TakeEnteredDecisions(session, &entered)) {
    return Outcome::kFailed;
  }
  session.MergeStatus = 2;
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
      case 0:
        session.MergeStatus = 1;
        break;
      case 1:
        CheckDiskBanks(session);
        break;
      case 2:
        DiskNotAvailable(session);
        break;
      case 3:
        DiskError(session);
        break;
      case 4:
        break;
      default:
        Tell(session, "Illegal value at MergeDiskLoop", Icon::kNone);
        return Outcome::kFailed;
    }
  } while (session.MergeStatus == 2);
  if (session.MergeStatus != 1) {
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
  do {
    if (!UpdateNextDisk(session)) {
      return false;
    }
    if (session.MergeState == 2) {
      MarkDiskBanksOmitted(session);
    }
  } while (session.MergeState != 0);
  session.LastUpdatedQuarter = game.ResultsQuarter;
  return true;
}

Outcome Advance(Session& session) {
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
    if (ComputerDecisions(session) == 0) {
      return Outcome::kFailed;
    }
  }
  GameDiskPortfolios portfolios(session);
  if (CalculateResults(session, portfolios) != -1) {
    return Outcome::kFailed;
  }
  return Update(session) ? Outcome::kDone : Outcome::kFailed;
}

}  // namespace

int AdvanceGame(Session& session) {
  Outcome outcome = Outcome::kFailed;
  try {
    outcome = Advance(session);
  } catch (const RuntimeError& failure) {
    Tell(session, "Quorvant Sub AdvanceGame Error " + std::to_string(failure.number()),
         Icon::kExclamation);
  }
  session.game.BankDiskFlag = 0;
  const bool started = session.game.ResultsQuarter > 0;
  if (outcome == Outcome::kFailed) {
    session.ProceedOk = 0;
    Tell(session, started ? "Game did NOT advance successfully" : "Game did NOT start successfully",
         Icon::kNone);
    return session.ProceedOk;
  }
  session.ProceedOk = -1;
  session.ui.GameChanged();
  if (outcome == Outcome::kDone) {
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
