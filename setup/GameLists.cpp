#include "setup/GameLists.h"

namespace qv {

std::string GameInfoCaption(const GameRecord& game) {
  return "Banks Active In This Quorvant Game:  " + game.GameName;
}

std::vector<GameInfoRow> GameInfoRows(const GameRecord& game, const GameTables& tables) {
  std::vector<GameInfoRow> rows;
  for (int b = 1; b <= game.NumBanks && b <= kMaxBanks; ++b) {
    GameInfoRow row{b, game.BankName(b), game.PresidentName(b), "None", game.DiskPath(b), "", "",
                    ""};
    if (game.DiskType(b) == disk_type::kGame) {
      row.disk = "Game";
    } else if (game.DiskType(b) == disk_type::kStudent) {
      row.disk = "Student";
    }
    if (game.BankFlag(b) == 1) {
      row.last_updated = tables.LastUpdated(b);
      row.quarter = std::to_string(tables.BankQuarter(b));
      row.ready = tables.DecisionsReady(b) == 1 ? "Yes" : "No";
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<PasswordRow> PasswordRows(const GameRecord& game) {
  std::vector<PasswordRow> rows;
  for (int b = 1; b <= game.NumBanks && b <= kMaxBanks; ++b) {
    rows.push_back(PasswordRow{game.BankName(b), game.PresidentName(b),
                               game.BankPassword(b).empty() ? "None" : game.BankPassword(b)});
  }
  return rows;
}

}  // namespace qv
