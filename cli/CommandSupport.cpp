#include "cli/CommandSupport.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <istream>
#include <memory>
#include <ostream>

#include "setup/OpenGame.h"

namespace qv::cli {

namespace {

bool AskLogin(Streams& streams, Login* login) {
  streams.out << "Instructor: " << std::flush;
  if (!std::getline(streams.in, login->instructor)) {
    return false;
  }
  streams.out << "Password: " << std::flush;
  return static_cast<bool>(std::getline(streams.in, login->password));
}

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

std::string AsDirectory(std::string path) {
  if (!EndsWithSeparator(path)) {
    path += '/';
  }
  return path;
}

Tool::Tool(Streams& streams, const std::string& game_dir, std::optional<std::uint64_t> seed,
           ConsoleUi::Policy policy, FixFallback fallback)
    : ui_(streams, std::move(policy), fallback),
      random_(seed.value_or(ClockSeed())),
      session_(files_, ui_, clock_, random_) {
  session_.GamePath = AsDirectory(game_dir);
  session_.ProgramDir = streams.program_dir;
}

void AddLoginOptions(CLI::App* command, Login* login) {
  command->add_option("--instructor", login->instructor, "the instructor's name, for the login");
  command->add_option("--password", login->password, "the instructor's password, for the login");
}

CLI::App* AddOpenGameCommand(CLI::App& app, Action* action, const std::string& name,
                             const std::string& description,
                             std::function<int(Session&, Streams&)> run) {
  CLI::App* command = app.add_subcommand(name, description);
  auto directory = std::make_shared<std::string>();
  auto login = std::make_shared<Login>();
  command->add_option("DIR", *directory, "the game directory")->required();
  AddLoginOptions(command, login.get());
  command->callback([=] {
    *action = [=](Streams& streams) {
      Tool tool(streams, *directory, std::nullopt);
      if (!OpenGame(tool, streams, *login)) {
        return kExitFailed;
      }
      return run(tool.session(), streams);
    };
  });
  return command;
}

bool OpenGame(Tool& tool, Streams& streams, const Login& login) {
  Session& session = tool.session();
  Login typed = login;
  bool asked = false;
  // Retry at a terminal asks for the name and password again.
  const auto check_login = [&] {
    if (asked && !AskLogin(streams, &typed)) {
      return LoginCode::kNotOpened;
    }
    asked = true;
    return CheckLogin(session.ui, session.game, typed.instructor, typed.password);
  };
  switch (OpenGameWithLogin(session, check_login)) {
    case OpenGameResult::kOpened:
      return true;
    case OpenGameResult::kNoGame:
      streams.err << "No Quorvant game in " << session.GamePath << "\n";
      return false;
    case OpenGameResult::kNeverStarted:
      streams.err << "The game in " << session.GamePath
                  << " was never started; create it again with qvctl new\n";
      return false;
    case OpenGameResult::kNotOpened:
      streams.out << "Quorvant Game Was Not Opened\n";
      return false;
  }
  return false;
}

}  // namespace qv::cli
