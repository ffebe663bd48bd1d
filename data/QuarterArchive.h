#pragma once

#include <string>
#include <vector>

#include "data/GameJournal.h"
#include "platform/FileSystem.h"

namespace qv {

// The quarter archive: every advance keeps, inside the game directory, the game as it stood
// before it. The copies that the advance's journal takes are the archive, so it costs one
// copy of the files written and nothing more.
//
//   Archive/Q0004/              the game at results quarter 4, before the advance to 5
//     Global.qv Banks.qv Plotv.qv Comp.qv Portf.qv     the game files that existed then
//     Entry.txt                 the journal text described in data/GameJournal.h: each copy's
//     length and
//                               checksum, the files that were absent, and notes:
//                                 date MM-DD-YYYY hh:mm    when the advance ran
//                                 seed N                   the seed of its random numbers
//                                 bank B SOURCE            where bank B's decisions came from:
//                                   disk, last (last quarter's), entered (keyed in by the
//                                   instructor), computer1..computer3, unsettled
//     DiskBB/                   bank BB's disk as it stood before the advance wrote it
//       Global.qv Banks.qv Plotv.qv Comp.qv  Entry.txt (the same form; a note "path P")
//
// An entry is whole when its Entry.txt decodes and every copy matches it.

inline constexpr const char* kArchiveFolderName = "Archive";

// "Archive/Q0004/" (relative to the game directory).
std::string QuarterFolder(int quarter);
// "Archive/Q0004/Disk03/".
std::string DiskFolder(int quarter, int bank);

// The quarters that have an entry (whole or not), oldest first.
[[nodiscard]] Status ListQuarters(FileSystem& files, const std::string& game_dir,
                                  std::vector<int>* quarters);

// Reads the entry of `quarter` (or of its disk `bank` when `bank` > 0) and its copies, checked
// against the entry. Fails with error 53 when there is no entry and 57 when it is damaged.
[[nodiscard]] Status OpenQuarter(FileSystem& files, const std::string& game_dir, int quarter,
                                 int bank, JournalEntry* entry, std::vector<std::string>* contents);

// Removes `folder` and everything in it.
[[nodiscard]] Status RemoveTree(FileSystem& files, const std::string& folder);

// Removes the entry of `quarter` and everything in it.
[[nodiscard]] Status RemoveQuarter(FileSystem& files, const std::string& game_dir, int quarter);

// Keeps the `keep` newest entries and removes the others; `keep` 0 keeps all.
[[nodiscard]] Status PruneArchive(FileSystem& files, const std::string& game_dir, int keep);

// The value of the note `key` ("date", "seed", ...) of an entry, or empty.
std::string NoteValue(const JournalEntry& entry, const std::string& key);

}  // namespace qv
