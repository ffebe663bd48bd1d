#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// The rollback journal of the game directory. An update of the game directory
//   1. copies the files it is about to change into a folder inside the game directory and
//      writes the marker Journal.qv beside the game files, naming that folder and each
//      copy's length and checksum (copies and marker synced together);
//   2. replaces the game files;
//   3. removes the marker and syncs the directory.
// Whoever opens the game and finds a marker puts the copies it names back: an update that a
// crash, a kill or a power loss interrupted is undone as a whole. A marker whose copies do
// not match it was left before step 2 began, so the game files were never touched then, and
// it is simply removed.
//
// Journal.qv, text, one item a line:
//   reason REASON          what was interrupted: advance, undo, environment change
//   quarter N              the quarter the copies hold
//   copies FOLDER          the folder of the copies, relative to the game directory
//   file NAME LENGTH SUM   a copy, its length in bytes and checksum (FNV-1a, 32 bits, hex)
//   absent NAME            a game file that did not exist: removed again on a roll back
//   note TEXT              anything the update wants kept with the copies (date, seed, ...)
// The same text is kept as Entry.txt in the folder of the copies, so that the copies can be
// checked and used long after the marker is gone (the quarter archive).

inline constexpr const char* kJournalFileName = "Journal.qv";

// The marker of a game being replaced by a new one. The new game's own updates each come and
// go under Journal.qv while it stands, so it has a name of its own; opening the game rolls
// back an interrupted update first and then the replacement, back to the old game.
inline constexpr const char* kReplaceMarkerName = "Replace.qv";

// A checksum of `bytes` (FNV-1a, 32 bits) for the journal and the archive.
std::uint32_t Checksum(std::string_view bytes);

// The marker's contents: what the copies in a folder stand for.
struct JournalEntry {
  std::string reason;
  int quarter = 0;
  std::string copies;                    // folder, relative to the game directory, ending '/'
  std::vector<std::string> files;        // names copied
  std::vector<std::uint32_t> lengths;    // their lengths
  std::vector<std::uint32_t> checksums;  // their checksums
  std::vector<std::string> absent;       // names that did not exist
  std::vector<std::string> notes;        // "note" lines, without the key
};

inline constexpr const char* kCopiesEntryName = "Entry.txt";

std::string EncodeJournal(const JournalEntry& entry);
[[nodiscard]] bool DecodeJournal(std::string_view text, JournalEntry* entry);

// Where copies are taken from. A bank disk is the team's: a file there that is not a plain file
// within its layout's size (a link, a pipe, a huge file) is not copied but kept as absent, so
// that putting the disk back removes it. In the game directory such a file is an error.
enum class CopySource { kGameDirectory, kBankDisk };

// Stages into `batch` a copy of each of `names` in `from_dir` (those present) in `to_folder`
// (made when missing), then Entry.txt there: `entry` with the copies and absent files added.
// Each file is read no further than the largest its layout allows.
[[nodiscard]] Status StageCopies(FileSystem& files, const std::string& from_dir,
                                 const std::vector<std::string>& names,
                                 const std::string& to_folder, JournalEntry* entry,
                                 FileBatch& batch, CopySource source = CopySource::kGameDirectory);

// Step 1: copies `names` of `game_dir` (those present) into `copies` (relative to the game
// directory) and writes the marker. `quarter` is the quarter the game holds now. `also`, when
// given, stages more files into the same batch (synced with the copies, before the marker).
[[nodiscard]] Status BeginGameUpdate(FileSystem& files, const std::string& game_dir,
                                     const std::vector<std::string>& names,
                                     const std::string& copies, std::string_view reason,
                                     int quarter, const std::vector<std::string>& notes = {},
                                     const std::function<Status(FileBatch&)>& also = nullptr,
                                     std::string_view marker = kJournalFileName);

// Checks the copies `entry` names in `folder` against their lengths and checksums; on success
// fills `contents` (one per file of the entry, in order).
[[nodiscard]] bool ReadCopies(FileSystem& files, const std::string& folder,
                              const JournalEntry& entry, std::vector<std::string>* contents);

// Replaces the files `entry` names in `directory` with `contents` in one batch, Global.qv (the
// file saying which quarter the folder holds) last, removes the ones it lists as absent and
// syncs the folder.
[[nodiscard]] Status PutBackCopies(FileSystem& files, const std::string& directory,
                                   const JournalEntry& entry,
                                   const std::vector<std::string>& contents);

// Step 3: removes the marker.
[[nodiscard]] Status EndGameUpdate(FileSystem& files, const std::string& game_dir,
                                   std::string_view marker = kJournalFileName);

// What opening a game found.
struct Recovery {
  bool restored = false;  // an interrupted update was undone
  std::string reason;
  int quarter = 0;
};

// Puts back the copies a marker in `game_dir` names and removes the marker: an interrupted
// update's, then an interrupted replacement's. Without a marker does nothing. When the copies
// cannot be put back the marker stays, so the next open tries again, and the failure is
// returned.
[[nodiscard]] Status RecoverGame(FileSystem& files, const std::string& game_dir,
                                 Recovery* recovery);

// The same for an interrupted update alone (Journal.qv), as an update about to begin needs.
[[nodiscard]] Status RecoverUpdate(FileSystem& files, const std::string& game_dir,
                                   Recovery* recovery);

// "The last advance was interrupted; the game was restored to quarter N."
std::string RecoveryMessage(const Recovery& recovery);

}  // namespace qv
