#include "advance/UpdateDisks.h"

#include <string>
#include <vector>

#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "advance/DiskWrites.h"
#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/FileSnapshot.h"
#include "data/GameFiles.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "data/QuarterArchive.h"
#include "data/StagedWrites.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

// Stages a copy of bank `bank`'s disk files as they stand into the quarter archive.
Status StageDiskCopies(Session& session, int bank, FileBatch& batch) {
  const int quarter = session.LastUpdatedQuarter;
  JournalEntry entry;
  entry.reason = "advance";
  entry.quarter = quarter;
  entry.copies = DiskFolder(quarter, bank);
  entry.notes = {"path " + session.game.DiskPath(bank)};
  return StageCopies(session.files, session.game.DiskPath(bank), BankDiskFileNames(),
                     JoinPath(session.GamePath, entry.copies), &entry, batch,
                     CopySource::kBankDisk);
}

// Every student disk that can be reached goes into the archive with the game's copies, in
// one batch: one wait for the device instead of one per disk. A disk that cannot be read now
// never holds the game back; without its Entry.txt its copies do not count, and it is copied
// again when it is written.
Status StageReachableDisks(Session& session, FileBatch& batch) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.DiskType(b) == 1 && session.LastUpdatedQuarter >= 0 &&
        session.files.Exists(JoinPath(session.game.DiskPath(b), kGlobalFileName))) {
      (void)StageDiskCopies(session, b, batch);
    }
  }
  return Status::Ok();
}

// Keeps the disk's files as they stand in the quarter archive, once per advance: a disk that
// could not be reached when the game's copies were taken is copied when it is written.
bool ArchiveBankDisk(Session& session) {
  const int quarter = session.LastUpdatedQuarter;
  const int bank = session.DiskBank;
  const std::string folder = JoinPath(session.GamePath, DiskFolder(quarter, bank));
  if (quarter < 0 || session.files.Exists(JoinPath(folder, kCopiesEntryName))) {
    return true;
  }
  std::unique_ptr<FileBatch> batch = session.files.StartBatch();
  return StageDiskCopies(session, bank, *batch).ok() && batch->Commit().ok();
}

// Writes one bank disk: every file composed in memory, then all replaced together with
// Global.qv last, so that a disk interrupted between files still reads as not current. A
// failure among the replacements puts the files back, so that a second try does not move the
// histories on twice.
bool WriteBankDisk(Session& session) {
  const int bank = session.DiskBank;
  const std::string& path = session.game.DiskPath(bank);
  session.ui.Progress("Writing the disk of bank " + std::to_string(bank) + ": " +
                      session.game.BankName(bank));
  FileSnapshot before;
  if (!session.files.MakeDirectories(path).ok() ||
      !before.Take(session.files, path, BankDiskFileNames()).ok() || !ArchiveBankDisk(session)) {
    return false;
  }
  StagedWrites staged(session);
  if (!advance::CreateIndexBanks(session, bank) || !WriteGlobalFile(session, bank)) {
    return false;
  }
  if (session.disk_writes != nullptr) {
    // Replaced with the other disks when the pass ends; a disk that fails then is named.
    if (!session.disk_writes->Add(staged).ok()) {
      return false;
    }
    MarkDiskBanksDone(session);
    return true;
  }
  if (!staged.Commit(kGlobalFileName).ok()) {
    (void)before.Restore(session.files);
    return false;
  }
  MarkDiskBanksDone(session);
  return true;
}

// The note's word for where bank `bank`'s decisions came from. Decisions the instructor keyed
// in are settled as a disk's are taken, so they get a word of their own.
const char* SourceName(const Session& session, int bank) {
  static const char* const kNames[] = {"unsettled", "last",      "disk",
                                       "computer1", "computer2", "computer3"};
  const int source = session.DecisionSource(bank);
  if (session.DecisionsEntered(bank) && source == 2) {
    return "entered";
  }
  return source >= 0 && source <= 5 ? kNames[source] : "unsettled";
}

// What the archive keeps about this advance besides the files.
std::vector<std::string> AdvanceNotes(Session& session) {
  const DateTime now = session.clock.Now();
  std::vector<std::string> notes = {"date " + FormatDate(now) + " " + FormatTime(now),
                                    "seed " + std::to_string(session.Seed)};
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    notes.push_back("bank " + std::to_string(b) + " " + SourceName(session, b));
  }
  return notes;
}

// Writes the game directory's files as one journaled update: the files as they stand are
// copied into the quarter archive with the journal's marker, the new files replace them, the
// marker goes. A failure puts the copies back; when even that fails the marker stays and the
// next open of the game finishes the restore.
bool WriteGameDisk(Session& session) {
  const int quarter = session.LastUpdatedQuarter;
  Recovery unfinished;
  if (!RecoverUpdate(session.files, session.GamePath, &unfinished).ok()) {
    return false;  // an earlier try left new files it could not take back
  }
  StagedWrites staged(session);
  if (!WriteGlobalFile(session, 0) || !WritePortfolioFile(session) ||
      !advance::CreateIndexBanks(session, 0)) {
    return false;
  }
  // The new files are written out beside the old ones before the journal begins, so that a
  // full disk shows while nothing needs taking back.
  std::unique_ptr<FileBatch> batch = session.files.StartBatch();
  if (!staged.StageInto(*batch, kGlobalFileName).ok()) {
    return false;
  }
  // The start of a game has no quarter before it to go back to: its copies serve the journal
  // only, beside the archive.
  const std::string copies = quarter >= 0 ? QuarterFolder(quarter) : "Archive/Start/";
  if (!BeginGameUpdate(session.files, session.GamePath, GameFileNames(), copies, "advance", quarter,
                       AdvanceNotes(session),
                       [&](FileBatch& also) { return StageReachableDisks(session, also); })
           .ok()) {
    (void)EndGameUpdate(session.files, session.GamePath);
    return false;
  }
  if (!batch->Commit().ok()) {
    Recovery ignored;
    if (batch->replaced() == 0) {
      (void)EndGameUpdate(session.files, session.GamePath);  // no game file was touched
    } else {
      (void)RecoverUpdate(session.files, session.GamePath, &ignored);
    }
    return false;
  }
  if (!EndGameUpdate(session.files, session.GamePath).ok()) {
    return false;  // the marker stays: the next open rolls back, so this one fails with it
  }
  (void)PruneArchive(session.files, session.GamePath, session.ArchiveDepth);
  return true;
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
      return true;
    }
  } catch (const RuntimeError& failure) {
    ReportRuntimeError(session, "CreateIndexBanks Module", failure.number());
  }
  return false;
}

}  // namespace advance

bool UpdateGameDisk(Session& session) {
  try {
    for (;;) {
      std::string failure;
      if (CheckGameDisk(session) == disk_check::kCurrent) {
        if (WriteGameDisk(session)) {
          MarkDiskBanksDone(session);
          session.Cancelled = false;
          return true;
        }
        failure = "Error writing file!\r";
      }
      if (Tell(session, failure + "Please insert instructor disk", Buttons::kOkCancel,
               Icon::kExclamation, 1, FolderDetail(session.GamePath)) != Answer::kOk) {
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

DiskUpdate UpdateNextDisk(Session& session) {
  try {
    GameRecord& game = session.game;
    while (session.DiskBank <= game.NumBanks &&
           session.DiskState(session.DiskBank) != disk_state::kPending) {
      ++session.DiskBank;
    }
    if (session.DiskBank > game.NumBanks) {
      session.Cancelled = false;
      return DiskUpdate::kNoneLeft;
    }
    for (;;) {
      FlagDiskBanks(session);
      int prompt = RequestIndexDisk(session);
      bool write = false;
      while (!write) {
        if (prompt != kDiskSupplied) {
          if (Tell(session, "Can omit disk or make new disk.  Do you want to omit?",
                   Buttons::kYesNo, Icon::kExclamation) == Answer::kYes) {
            session.Cancelled = false;
            return DiskUpdate::kOmitted;
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
        session.Cancelled = false;
        return DiskUpdate::kWritten;
      }
      Tell(session, "Error writing file", Buttons::kOk, Icon::kExclamation);
    }
  } catch (const RuntimeError&) {
    Tell(session, "Error in sub UpdateNextDisk", Buttons::kOk, Icon::kNone);
    session.Cancelled = true;
    return DiskUpdate::kFailed;
  }
}

}  // namespace qv
