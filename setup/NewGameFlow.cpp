#include "setup/NewGameFlow.h"

#include <cstdio>
#include <string>
#include <vector>

#include "data/EnteredDecisionsFile.h"
#include "data/FileSnapshot.h"
#include "data/GameFileLimits.h"
#include "data/GameJournal.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/QuarterArchive.h"
#include "newgame/CreateGame.h"
#include "platform/FileSystem.h"
#include "setup/SetupStore.h"

namespace qv {

namespace {

// Where the game being replaced is kept while the new one is made.
constexpr const char* kReplacedFolder = "Archive/Replaced/";

std::string ReplacedDiskFolder(int bank) {
  char name[16];
  std::snprintf(name, sizeof name, "Disk%02d/", bank);
  return std::string(kReplacedFolder) + name;
}

const std::vector<std::string>& ReplacedFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all = GameFileNames();
    all.emplace_back(kEnteredWriteName);
    return all;
  }();
  return names;
}

// The results quarter of the game in `game_dir`, 0 when its Global.qv does not say.
int StoredQuarter(FileSystem& files, const std::string& game_dir) {
  std::string text;
  GameRecord record;
  if (files.ReadTextAtMost(JoinPath(game_dir, kGlobalFileName), MaxGlobalFileBytes(), &text).ok() &&
      DecodeGlobalFile(text, &record)) {
    return record.ResultsQuarter;
  }
  return 0;
}

// The team disks the new game will write: the old game's files there are kept with its own.
Status StageNewGamesDisks(Session& session, FileBatch& batch) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    const std::string& path = session.game.DiskPath(b);
    if (session.game.DiskType(b) != 1 || !session.files.IsDirectory(path)) {
      continue;
    }
    JournalEntry entry;
    entry.reason = "new game";
    entry.copies = ReplacedDiskFolder(b);
    entry.notes = {"path " + path};
    Status staged =
        StageCopies(session.files, path, BankDiskFileNames(),
                    JoinPath(session.GamePath, entry.copies), &entry, batch, CopySource::kBankDisk);
    if (!staged.ok()) {
      return staged;
    }
  }
  return Status::Ok();
}

// Puts back the disks that StageNewGamesDisks kept; goes on after a disk that fails.
void PutBackDisks(Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    const std::string folder = JoinPath(session.GamePath, ReplacedDiskFolder(b));
    std::string text;
    JournalEntry entry;
    std::vector<std::string> contents;
    if (session.files.Exists(JoinPath(folder, kCopiesEntryName)) &&
        session.files.ReadText(JoinPath(folder, kCopiesEntryName), &text).ok() &&
        DecodeJournal(text, &entry) && ReadCopies(session.files, folder, entry, &contents)) {
      (void)PutBackCopies(session.files, NoteValue(entry, "path"), entry, contents);
    }
  }
}

// The new game takes the folder for good: the decisions keyed in for the old one go, then the
// marker, so that either is rolled back with the other.
Status CommitReplacement(Session& session) {
  const std::string entered = JoinPath(session.GamePath, kEnteredWriteName);
  Status status = session.files.Exists(entered) ? session.files.RemoveFile(entered) : Status::Ok();
  return status.ok() ? EndGameUpdate(session.files, session.GamePath, kReplaceMarkerName) : status;
}

// Once the new game has the folder, the old game's quarters and copies go. Should that fail,
// verify (and so the next advance) refuses the quarters left until they are removed.
Status RemoveReplacedGame(Session& session) {
  std::vector<int> quarters;
  Status status = ListQuarters(session.files, session.GamePath, &quarters);
  for (std::size_t i = 0; status.ok() && i < quarters.size(); ++i) {
    status = RemoveQuarter(session.files, session.GamePath, quarters[i]);
  }
  return status.ok() ? RemoveTree(session.files, JoinPath(session.GamePath, kReplacedFolder))
                     : status;
}

}  // namespace

void StoreSetupForms(Session& session, NewGameState& state, const SetupForms& forms) {
  StoreGameSetup(session, forms.game);
  StoreBankSetup(session, state, forms.banks);
  StoreEnvSetup(session, forms.environment);
}

GameFolder PrepareGameFolder(Session& session) {
  if (!session.files.MakeDirectories(session.GamePath).ok()) {
    return GameFolder::kNotMade;
  }
  if (GameExists(session) && !ConfirmReplaceGame(session)) {
    return GameFolder::kKept;
  }
  return GameFolder::kReady;
}

Proceed CreateGameInFolder(Session& session, NewGameState& state) {
  if (!GameExists(session)) {
    return CreateGame(session, state);
  }
  const std::string replaced = JoinPath(session.GamePath, kReplacedFolder);
  if ((session.files.IsDirectory(replaced) && !RemoveTree(session.files, replaced).ok()) ||
      !BeginGameUpdate(
           session.files, session.GamePath, ReplacedFileNames(), kReplacedFolder, "new game",
           StoredQuarter(session.files, session.GamePath), {},
           [&](FileBatch& batch) { return StageNewGamesDisks(session, batch); }, kReplaceMarkerName)
           .ok()) {
    (void)EndGameUpdate(session.files, session.GamePath, kReplaceMarkerName);
    (void)RemoveTree(session.files, replaced);
    Tell(session,
         "The game in " + session.GamePath +
             " could not be kept while the new one is made; nothing was changed.",
         Icon::kExclamation);
    return session.ProceedOk = Proceed::kStop;
  }
  const bool created = CreateGame(session, state) == Proceed::kGoOn;
  if (created) {
    (void)CommitReplacement(session);  // the marker's going is what counts
  }
  if (!created || session.files.Exists(JoinPath(session.GamePath, kReplaceMarkerName))) {
    Recovery recovery;
    PutBackDisks(session);
    if (RecoverGame(session.files, session.GamePath, &recovery).ok()) {
      (void)RemoveTree(session.files, replaced);
    }
    return session.ProceedOk = Proceed::kStop;
  }
  session.ProceedOk = Proceed::kGoOn;
  if (!RemoveReplacedGame(session).ok()) {
    Tell(session,
         "The new game is complete, but what was left of the old one in " + session.GamePath +
             " could not all be removed: remove its folder " + kArchiveFolderName +
             " before the first advance.",
         Icon::kExclamation);
  }
  return session.ProceedOk;
}

}  // namespace qv
