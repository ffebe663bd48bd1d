#include "advance/UndoAdvance.h"

#include <memory>

#include "data/BanksFile.h"
#include "data/FileSnapshot.h"
#include "data/GameFileLimits.h"
#include "data/GameJournal.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/QuarterArchive.h"
#include "platform/ByteCoding.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace qv {

namespace {

// True when the team has marked decisions final on the disk since it was written.
bool HoldsNewDecisions(Session& session, const std::string& path, int bank) {
  std::string bytes;
  const std::string banks = JoinPath(path, kBanksWriteName);
  if (!session.files.Exists(banks) ||
      !session.files.ReadTextAtMost(banks, *MaxGameFileBytes(kBanksWriteName), &bytes).ok()) {
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
    Tell(session, "The disk of " + name + " cannot be reached; the next advance catches it.",
         Icon::kExclamation);
    return;
  }
  if (HoldsNewDecisions(session, path, bank)) {
    if (Tell(session,
             "The disk of " + name + " holds decisions made after the last advance. Discard them?",
             Buttons::kYesNo, Icon::kExclamation, 2) != Answer::kYes) {
      return;
    }
  }
  if (!PutBackCopies(session.files, path, entry, contents).ok()) {
    Tell(session, "The disk of " + name + " could not be put back; the next advance catches it.",
         Icon::kExclamation);
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
    status = PutBackCopies(session.files, session.GamePath, entry, contents);
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
