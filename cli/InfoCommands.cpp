#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/GameCommands.h"
#include "data/BanksFile.h"
#include "data/GameFiles.h"
#include "platform/Cp1252.h"
#include "setup/GameLists.h"

namespace qv::cli {

namespace {

// Reads every bank's status from the game directory, so the list shows all of them.
GameRecord WithAllStatuses(Session& session) {
  GameRecord shown = session.game;
  SelectFileDir(session, 0);
  for (int b = 1; b <= shown.NumBanks; ++b) {
    shown.BankFlag(b) = ReadBankDisk(session, b) ? 1 : 0;
  }
  return shown;
}

std::string Text(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

void PrintInfo(std::ostream& out, const GameRecord& game, const std::vector<GameInfoRow>& rows) {
  out << "Game Name: " << Text(game.GameName) << "\n"
      << "Instructor: " << Text(game.InstructorName) << "\n"
      << "Results Quarter " << game.ResultsQuarter << "\n"
      << "Decisions Quarter " << game.ResultsQuarter + 1 << "\n"
      << "Economic Period " << game.EconPeriod << "\n"
      << Text(GameInfoCaption(game)) << "\n";
  for (const GameInfoRow& row : rows) {
    out << row.bank << "  " << Text(row.name) << "  " << Text(row.management) << "  " << row.disk
        << "  " << Text(row.path) << "  " << row.last_updated << "  " << row.quarter << "  "
        << row.ready << "\n";
  }
}

void PrintInfoJson(std::ostream& out, const GameRecord& game,
                   const std::vector<GameInfoRow>& rows) {
  nlohmann::json banks = nlohmann::json::array();
  for (const GameInfoRow& row : rows) {
    banks.push_back({{"bank", row.bank},
                     {"name", Text(row.name)},
                     {"management", Text(row.management)},
                     {"level", game.BankLevel(row.bank)},
                     {"disk", row.disk},
                     {"path", Text(row.path)},
                     {"last_updated", row.last_updated},
                     {"quarter", row.quarter.empty() ? nlohmann::json()
                                                     : nlohmann::json(std::stoi(row.quarter))},
                     {"ready", row.ready == "Yes"}});
  }
  const nlohmann::json info = {{"game_title", Text(game.GameName)},
                               {"game_id", Text(game.GameId)},
                               {"version", Text(game.GameVersion)},
                               {"creation_year", game.CreationYear},
                               {"results_quarter", game.ResultsQuarter},
                               {"decisions_quarter", game.ResultsQuarter + 1},
                               {"econ_period", game.EconPeriod},
                               {"instructor_name", Text(game.InstructorName)},
                               {"disk_mode", game.DiskMode},
                               {"banks", banks}};
  out << info.dump(2) << "\n";
}

}  // namespace

void AddInfoCommand(CommandLine& command_line, Action* action) {
  auto json = std::make_shared<bool>(false);
  Command command = AddOpenGameCommand(
      command_line, action, "info", "Show the game record and the bank list",
      [json](Session& session, Streams& streams) {
        const GameRecord shown = WithAllStatuses(session);
        const std::vector<GameInfoRow> rows = GameInfoRows(shown, session.tables);
        if (*json) {
          PrintInfoJson(streams.out, session.game, rows);
        } else {
          PrintInfo(streams.out, session.game, rows);
        }
        return kExitOk;
      },
      GameAccess::kRead);
  command.AddFlag("--json", json.get(), "print JSON");
}

void AddPasswordsCommand(CommandLine& command_line, Action* action) {
  AddOpenGameCommand(
      command_line, action, "passwords", "List the banks' passwords",
      [](Session& session, Streams& streams) {
        streams.out << "Bank Passwords\n";
        for (const PasswordRow& row : PasswordRows(session.game)) {
          streams.out << Text(row.name) << "  " << Text(row.management) << "  "
                      << Text(row.password) << "\n";
        }
        return kExitOk;
      },
      GameAccess::kRead);
}

}  // namespace qv::cli
