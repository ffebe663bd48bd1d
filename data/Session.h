#pragma once

#include <cstdint>
#include <string>

#include "data/GameRecord.h"
#include "data/GameTables.h"
#include "data/SessionFlags.h"
#include "platform/Table.h"

namespace qv {

class Clock;
class DiskWrites;
class FileSystem;
class Random;
class StagedWrites;
class Ui;

// A Global.qv text and the record it decodes to.
struct DecodedGlobalFile {
  std::string text;
  GameRecord record;
};

// The program state: the open game, the shell's paths and flags, and the ports through
// which the logic reaches files, the user, the clock and chance. Procedures take the session;
// nothing else is shared, so many sessions can live side by side.
struct Session {
  Session(FileSystem& file_system, Ui& user, Clock& time, Random& chance)
      : files(file_system), ui(user), clock(time), random(chance) {}

  FileSystem& files;
  Ui& ui;
  Clock& clock;
  Random& random;
  // Where file routines leave their files while an update stages them; null otherwise.
  StagedWrites* staged = nullptr;
  // Where an update pass gathers the bank disks it writes; null otherwise.
  DiskWrites* disk_writes = nullptr;

  GameRecord game;    // the live game record
  GameRecord shadow;  // the last Global.qv read
  std::int16_t LastUpdatedQuarter = 0;
  GameTables tables;

  std::string GamePath;                // the game directory, ending in a separator
  std::string ProgramDir;              // where the program and its shipped data files are
  std::string CurrentPath;             // the directory the next file routine uses
  std::string MessageText;             // the text of the last message shown
  DecodedGlobalFile last_global_file;  // the last Global.qv read, parsed
  bool Cancelled = false;              // the last retry question was answered Cancel
  Proceed ProceedOk = Proceed::kStop;

  // Kept with each quarter in the archive: the seed `random` started from, and how many
  // quarters the archive keeps (0: all).
  std::uint64_t Seed = 0;
  int ArchiveDepth = 0;

  // The exchange with the bank disks during one creation or advance.
  Table<std::int16_t, kMaxBanks> DecisionSource;  // 0 unsettled, 1 last quarter's, 2 the
                                                  // disk's, 3..5 the computer at level 1..3
  Table<std::int16_t, kMaxBanks> DiskState;
  Table<bool, kMaxBanks> DecisionsEntered;  // the instructor keyed in this quarter's decisions
  int DiskBank = 1;
  DiskRead MergeState = DiskRead::kNoneLeft;
  MergeProgress MergeStatus = MergeProgress::kWaiting;
};

}  // namespace qv
