#include "advance/UndoAdvance.h"

#include <memory>

#include "data/BanksFile.h"
#include "data/FileSnapshot.h"
#include "data/GameJournal.h"
#include "data/GlobalFile.h"
#include "data/QuarterArchive.h"
#include "platform/ByteCoding.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace qv {

namespace {

void Tell(Session& session, std::string text) {
  session.MessageText = std::move(text);
  session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
}

// Replaces the files `entry` names in `directory` with `contents` (the file saying which
// quarter the folder holds last) and removes the ones it lists as absent.
Status PutBack(FileSystem& files, const std::string& directory, const JournalEntry& entry,
               const std::vector<std::string>& contents) {
  std::unique_ptr<FileBatch> batch = files.StartBatch();
  Status status = Status::Ok();
  for (std::size_t i = 0; status.ok() && i < entry.files.size(); ++i) {
    if (entry.files[i] != kGlobalFileName) {
      status = batch->Stage(JoinPath(directory, entry.files[i]), contents[i]);
    }
  }
  for (std::size_t i = 0; status.ok() && i < entry.files.size(); ++i) {
    if (entry.files[i] == kGlobalFileName) {
      status = batch->Stage(JoinPath(directory, entry.files[i]), contents[i]);
    }
  }
  if (status.ok()) {
    status = batch->Commit();
  }
  for (std::size_t i = 0; status.ok() && i < entry.absent.size(); ++i) {
    status = files.RemoveFile(JoinPath(directory, entry.absent[i]));
  }
  return status.ok() ? files.SyncDirectory(directory) : status;
}

// True when the team has marked decisions final on the disk since it was written.
bool HoldsNewDecisions(Session& session, const std::string& path, int bank) {
  std::string bytes;
  if (!session.files.Exists(JoinPath(path, kBanksWriteName)) ||
      !session.files.ReadText(JoinPath(path, kBanksWriteName), &bytes).ok()) {
    return false;
  }
  const std::size_t offset =
      static_cast<std::size_t>(BankBlockRecord(bank) - 1) * kBanksRecordLength + 18;
  if (bytes.size() < offset + 2) {
    return false;
  }
  const std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           bytes.size());
  return GetInt16(view, offset) == 1;
}

void UndoDisk(Session& session, int quarter, int bank) {
  JournalEntry entry;
  std::vector<std::string> contents;
  if (!OpenQuarter(session.files, session.GamePath, quarter, bank, &entry, &contents).ok()) {
    return;  // not archived: the disk was not written by that advance
  }
  const std::string path = NoteValue(entry, "path");
  const std::string name = "bank " + std::to_string(bank) + ": " + session.game.BankName(bank);
  if (path.empty() || !session.files.IsDirectory(path)) {
    Tell(session, "The disk of " + name + " cannot be reached; the next advance catches it.");
    return;
  }
  if (HoldsNewDecisions(session, path, bank)) {
    session.MessageText =
        "The disk of " + name + " holds decisions made after the last advance. Discard them?";
    if (session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kYesNo, Icon::kExclamation,
                                2}) != Answer::kYes) {
      return;
    }
  }
  if (!PutBack(session.files, path, entry, contents).ok()) {
    Tell(session, "The disk of " + name + " could not be put back; the next advance catches it.");
  }
}

}  // namespace

bool UndoTarget(Session& session, int* quarter, std::string* why) {
  std::vector<int> quarters;
  if (!ListQuarters(session.files, session.GamePath, &quarters).ok()) {
    *why = "The quarter archive of this game cannot be read.";
    return false;
  }
  for (auto it = quarters.rbegin(); it != quarters.rend(); ++it) {
    if (*it >= 0 && *it < session.game.ResultsQuarter) {
      *quarter = *it;
      return true;
    }
  }
  *why = "No archived quarter to go back to.";
  return false;
}

Status UndoLastAdvance(Session& session, int quarter) {
  JournalEntry entry;
  std::vector<std::string> contents;
  Status status = OpenQuarter(session.files, session.GamePath, quarter, 0, &entry, &contents);
  if (!status.ok()) {
    return status;
  }
  // The archive entry is its own journal: a marker naming it makes any open finish the undo.
  entry.reason = "undo";
  status =
      session.files.WriteText(JoinPath(session.GamePath, kJournalFileName), EncodeJournal(entry));
  if (status.ok()) {
    status = PutBack(session.files, session.GamePath, entry, contents);
  }
  if (!status.ok()) {
    return status;
  }
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    if (session.game.DiskType(b) == 1) {
      UndoDisk(session, quarter, b);
    }
  }
  status = EndGameUpdate(session.files, session.GamePath);
  return status.ok() ? RemoveQuarter(session.files, session.GamePath, quarter) : status;
}

}  // namespace qv
