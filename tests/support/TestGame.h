#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Table.h"
#include "setup/SetupForms.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

namespace qv::test {

struct BankSpec {
  std::string name;
  int management = kManagementHuman;  // 1..3: computer levels
  int type = 0;                       // index in the type list
};

// A game made by the real creation code in a temporary folder, with a fixed clock and seed.
// Student banks get their disks in folders of their own below the same temporary folder.
class TestGame {
 public:
  explicit TestGame(std::uint64_t seed = 7);

  // The setup forms of a game of `banks` beginning at economic period `period`, with the
  // default environment.
  SetupForms Setup(const std::vector<BankSpec>& banks, int period = 37);
  // The disk folder of a student bank named `name`.
  std::string DiskFolder(const std::string& name) const;

  // Stores the setup and creates the game, answering every disk request OK and every box with
  // only an OK button. Returns
  // `ProceedOk`.
  int Create(const SetupForms& forms);

  // Writes bank `bank`'s decisions on its disk as the students' program does: its status
  // record's quarter and ready flag, and its own decision copy.
  void WriteStudentDecisions(int bank, const Table<float, 63>& decisions, std::int16_t quarter,
                             std::int16_t ready) const;

  // The bytes of every file of a folder, by name.
  std::map<std::string, std::string> FolderBytes(const std::string& folder) const;

  TempDir dir;
  LocalFileSystem real;
  FaultyFileSystem files{real};
  ScriptedUi ui;
  FixedClock clock{DateTime{2026, 12, 8, 15, 10, 0}};
  SeededRandom random;
  Session session;
};

}  // namespace qv::test
