#include "cli/Commands.h"

#include <functional>
#include <iostream>
#include <memory>

#include "cli/CommandLine.h"
#include "cli/ConsoleUi.h"
#include "cli/GameCommands.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/StorageCheck.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"

namespace qv::cli {

namespace {

// The one line of a sound game: which game it is, where it stands, and that all is well.
std::string SoundGameLine(Streams& streams, const std::string& path) {
  Tool tool(streams, path, std::nullopt);
  Session& session = tool.session();
  if (!ReadGlobalFile(session, 0)) {
    return path + ": no problems found";
  }
  const GameRecord& game = session.shadow;
  return "Game " + Cp1252ToUtf8(game.GameName) + " in " + path + ": results quarter " +
         std::to_string(game.ResultsQuarter) + ", " + std::to_string(game.NumBanks) +
         (game.NumBanks == 1 ? " bank" : " banks") + ", no problems found";
}

// verify DIR: prints one line per problem of the game directory; needs no login, since it
// shows nothing of the game but its faults.
void AddVerify(CommandLine& command_line, Action* action) {
  Command command = command_line.AddCommand(
      "verify", "Check a game directory: files, sizes, finite values, balanced books");
  auto directory = std::make_shared<std::string>();
  command.AddOption("DIR", directory.get(), "the game directory").Required();
  command.OnChosen([action, directory] {
    *action = [directory](Streams& streams) {
      LocalFileSystem files;
      const std::string path = AsDirectory(*directory);
      if (!files.IsDirectory(path)) {
        streams.err << "qvctl verify: " << *directory << " is not a directory\n";
        return kExitBadArguments;
      }
      const std::vector<std::string> problems = GameProblems(files, path);
      for (const std::string& line : problems) {
        streams.out << line << '\n';
      }
      if (problems.empty()) {
        streams.out << SoundGameLine(streams, path) << '\n';
      }
      return problems.empty() ? kExitOk : kExitFailed;
    };
  });
}

}  // namespace

int RunQvctl(const std::vector<std::string>& args, Streams streams) {
  CommandLine command_line("qvctl", "qvctl - the headless front end of Quorvant Instructor",
                           "qvctl (Quorvant Instructor) " QV_VERSION);

  Action action;
  AddNewCommand(command_line, &action);
  AddAdvanceCommand(command_line, &action);
  AddInfoCommand(command_line, &action);
  AddPasswordsCommand(command_line, &action);
  AddVerify(command_line, &action);
  AddReportCommand(command_line, &action);
  AddEnvCommand(command_line, &action);
  AddExportCommand(command_line, &action);
  AddDemoCommand(command_line, &action);
  AddUndoCommand(command_line, &action);
  AddHistoryCommand(command_line, &action);
  AddDecideCommand(command_line, &action);

  const ParseOutcome parsed = command_line.Parse(args);
  switch (parsed.kind) {
    case ParseOutcome::Kind::kRun:
      break;
    case ParseOutcome::Kind::kHelp:
      streams.out << parsed.text;
      return kExitOk;
    case ParseOutcome::Kind::kVersion:
      streams.out << parsed.text << "\n";
      return kExitOk;
    case ParseOutcome::Kind::kRefused:
      streams.err << parsed.text << "\n"
                  << "Run 'qvctl --help' for the commands.\n";
      return kExitBadArguments;
  }
  if (!action) {
    return kExitOk;
  }
  try {
    return action(streams);
  } catch (const UnattendedLoop& loop) {
    streams.err << "qvctl: " << loop.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace qv::cli
