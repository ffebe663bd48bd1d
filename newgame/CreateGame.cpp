#include "newgame/CreateGame.h"

#include <string>

#include "advance/AdvanceGame.h"
#include "advance/DiskRequests.h"
#include "data/BanksFile.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "newgame/DiskCreation.h"
#include "newgame/OpeningBanks.h"
#include "newgame/PeriodZero.h"
#include "newgame/StaticDataFiles.h"
#include "platform/Clock.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

// Date, time and a random number, with no blank between them.
void StampIdentity(Session& session) {
  GameRecord& game = session.game;
  const DateTime now = session.clock.Now();
  game.GameVersion = kGameVersion;
  const std::int16_t draw = ToInteger(static_cast<double>(session.random.Next()) * 10000.0);
  game.GameId = FormatDate(now) + FormatTime(now) + std::to_string(draw);
  game.SpareA = 0;
  game.CreationYear = static_cast<std::int16_t>(Min(Max(now.year, 2001), 9000));
  const std::string stamp = FormatDate(now) + " " + FormatTime(now);
  for (int b = 1; b <= game.NumBanks; ++b) {
    session.tables.LastUpdated(b) = stamp;
  }
}

bool Create(Session& session, NewGameState& state) {
  GameRecord& game = session.game;
  StampIdentity(session);
  SetDiskModes(session);
  (void)CopyStaticDataFiles(session);  // a missing file is reported by its reader
  if (CalcPeriod0(session, state) == -1) {
    return false;
  }
  LoadOpeningBanks(session, state);
  game.BankDiskFlag = 0;
  if (CreateGameDisk(session, state) == -1) {
    return false;
  }
  if (game.DiskMode != 0) {
    game.BankDiskFlag = 1;
    InitDiskStates(session);
    DiskCreation turn = DiskCreation::kWritten;
    while (turn != DiskCreation::kNoneLeft) {
      turn = CreateNextDisk(session, state);
      if (turn == DiskCreation::kAborted) {
        return false;
      }
    }
  }
  return AdvanceGame(session) != Proceed::kStop;
}

}  // namespace

bool GameExists(Session& session) {
  return session.files.Exists(session.GamePath + kGlobalFileName) ||
         session.files.Exists(session.GamePath + kBanksReadName);
}

bool ConfirmReplaceGame(Session& session) {
  return Tell(session, "A Quorvant game already exists in this folder. Replace it?",
              Buttons::kYesNo, Icon::kExclamation, 2) == Answer::kYes;
}

Proceed CreateGame(Session& session, NewGameState& state) {
  try {
    session.ProceedOk = Create(session, state) ? Proceed::kGoOn : Proceed::kStop;
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "NewGame Module", failure.number());
    session.ProceedOk = Proceed::kStop;
  }
  if (session.ProceedOk == Proceed::kGoOn) {
    session.ui.GameChanged();
  }
  return session.ProceedOk;
}

}  // namespace qv
