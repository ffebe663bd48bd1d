#include "cli/Commands.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <memory>

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
void AddVerify(CLI::App& app, Action* action) {
  CLI::App* command = app.add_subcommand(
      "verify", "Check a game directory: files, sizes, finite values, balanced books");
  auto directory = std::make_shared<std::string>();
  command->add_option("DIR", *directory, "the game directory")->required();
  command->callback([action, directory] {
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
  CLI::App app{"qvctl - the headless front end of Quorvant Instructor", "qvctl"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("qvctl (Quorvant Instructor) ") + QV_VERSION);

  Action action;
  AddNewCommand(app, &action);
  AddAdvanceCommand(app, &action);
  AddInfoCommand(app, &action);
  AddPasswordsCommand(app, &action);
  AddVerify(app, &action);
  AddReportCommand(app, &action);
  AddEnvCommand(app, &action);
  AddExportCommand(app, &action);
  AddDemoCommand(app, &action);
  AddUndoCommand(app, &action);
  AddHistoryCommand(app, &action);
  AddDecideCommand(app, &action);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& help) {
    streams.out << app.help();
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    streams.out << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& failure) {
    streams.err << failure.what() << "\n"
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
