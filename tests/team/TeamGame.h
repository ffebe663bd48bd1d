#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/GameRecord.h"
#include "team/TeamCommands.h"
#include "tests/support/TestGame.h"

namespace qv::test {

// What one in-process run of qvteam printed and returned.
struct QvteamRun {
  int exit_code;
  std::string out;
  std::string err;
};

inline QvteamRun Qvteam(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = team::RunQvteam(args, team::Streams{out, err, ProgramDir()});
  return QvteamRun{code, out.str(), err.str()};
}

// A started game of human banks "Alder", "Birch", ... (passwords "pw1", "pw2", ...) and
// `computers` computer-managed banks after them.
inline void StartTeamGame(TestGame& game, int humans, int computers = 0) {
  static const char* const kNames[] = {"Alder", "Birch", "Cedar", "Dogwood", "Elm",
                                       "Fir",   "Gum",   "Hazel", "Ivy",     "Juniper"};
  std::vector<BankSpec> banks;
  for (int i = 0; i < humans + computers; ++i) {
    banks.push_back(BankSpec{kNames[i], i < humans ? kManagementHuman : 2, i % 4});
  }
  ASSERT_EQ(game.Create(game.Setup(banks)), Proceed::kGoOn);
}

// Advances with every student disk supplied in turn, except those of `entered` banks, whose
// disks are asked for only to be written. Returns `ProceedOk`.
inline Proceed AdvanceWithDisks(TestGame& game, const std::vector<int>& entered = {}) {
  const GameRecord& record = game.session.game;
  for (int pass = 1; pass <= 2; ++pass) {
    for (int b = 1; b <= record.NumBanks; ++b) {
      const bool skipped =
          pass == 1 && std::find(entered.begin(), entered.end(), b) != entered.end();
      if (record.DiskType(b) == disk_type::kStudent && !skipped) {
        game.ui.Then(Answer::kOk);
      }
    }
  }
  return AdvanceGame(game.session);
}

}  // namespace qv::test
