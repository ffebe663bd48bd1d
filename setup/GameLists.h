#pragma once

#include <string>
#include <vector>

#include "data/GameRecord.h"
#include "data/GameTables.h"

namespace qv {

// One row of the bank list ("Banks Active In This Game"); the last three columns are empty
// for a bank that is not on the file shown (`BankFlag` other than 1).
struct GameInfoRow {
  int bank;
  std::string name;
  std::string management;
  std::string disk;  // "Game", "Student" or "None"
  std::string path;
  std::string last_updated;
  std::string quarter;
  std::string ready;  // "Yes" or "No"
};

std::string GameInfoCaption(const GameRecord& game);
std::vector<GameInfoRow> GameInfoRows(const GameRecord& game, const GameTables& tables);

// One row of the bank password list; an empty password shows as "None".
struct PasswordRow {
  std::string name;
  std::string management;
  std::string password;
};

std::vector<PasswordRow> PasswordRows(const GameRecord& game);

}  // namespace qv
