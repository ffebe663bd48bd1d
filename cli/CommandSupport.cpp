#include "cli/CommandSupport.h"

#include <chrono>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>

#include <unistd.h>

#include "data/GlobalFile.h"
#include "setup/OpenGame.h"
#include "setup/TakeGame.h"

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

// What a command on a game with an instructor login says when it was not given or was wrong.
constexpr const char* kLoginNeeded =
    "This game needs the instructor's login: give it with --instructor NAME --password PASSWORD "
    "(leave out the one the game does not have), or run the command at a terminal to be asked "
    "for it.\n";

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
           ConsoleUi::Policy policy, FixFallback fallback, FixFallback on_error)
    : ui_(streams, std::move(policy), fallback, on_error),
      seed_(seed.value_or(ClockSeed())),
      random_(seed_),
      session_(files_, ui_, clock_, random_) {
  session_.GamePath = AsDirectory(game_dir);
  session_.ProgramDir = streams.program_dir;
  session_.Seed = seed_;
}

bool Tool::TakeGame(Streams& streams, const std::string& command) {
  const std::string holder = "qvctl " + command + " (process " + std::to_string(::getpid()) + ")";
  const TakenGame taken = qv::TakeGame(files_, session_.GamePath, holder, &lock_);
  if (!taken.restored.empty()) {
    streams.out << taken.restored << "\n";
  }
  if (!taken.taken) {
    streams.err << taken.refusal << "\n";
  }
  return taken.taken;
}

bool Tool::ReadGame(Streams& streams, const std::string& command) {
  const std::string holder = "qvctl " + command + " (process " + std::to_string(::getpid()) + ")";
  const TakenGame taken = qv::TakeGame(files_, session_.GamePath, holder, &lock_);
  if (!taken.restored.empty()) {
    streams.out << taken.restored << "\n";
  }
  if (taken.taken) {
    return true;
  }
  if (taken.in_use && !UpdateUnderWay(files_, session_.GamePath)) {
    streams.err << "Note: " << taken.refusal.substr(0, taken.refusal.find(';'))
                << "; it is read as it stands.\n";
    return true;
  }
  streams.err << taken.refusal << "\n";
  return false;
}

int WriteOutput(Streams& streams, const std::string& output, const std::string& text) {
  if (output.empty()) {
    streams.out << text;
    return kExitOk;
  }
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    streams.err << "Cannot write " << output << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

void AddLoginOptions(Command command, Login* login) {
  command.AddOption("--instructor", &login->instructor, "the instructor's name, for the login");
  command.AddOption("--password", &login->password, "the instructor's password, for the login");
}

Command AddOpenGameCommand(CommandLine& command_line, Action* action, const std::string& name,
                           const std::string& description,
                           const std::function<int(Session&, Streams&)>& run, GameAccess access) {
  Command command = command_line.AddCommand(name, description);
  auto directory = std::make_shared<std::string>();
  auto login = std::make_shared<Login>();
  command.AddOption("DIR", directory.get(), "the game directory").Required();
  AddLoginOptions(command, login.get());
  command.OnChosen([=] {
    *action = [=](Streams& streams) {
      Tool tool(streams, *directory, std::nullopt);
      const bool taken =
          access == GameAccess::kRead ? tool.ReadGame(streams, name) : tool.TakeGame(streams, name);
      if (!taken || !OpenGame(tool, streams, *login)) {
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
  bool missing = false;
  const auto check_login = [&] {
    // A login not given at all is asked for at a terminal, and refused elsewhere without
    // pretending that a wrong name was typed.
    const bool given = !typed.instructor.empty() || !typed.password.empty();
    if (!asked && !given && !(streams.interactive && AskLogin(streams, &typed))) {
      missing = true;
      return LoginCode::kNotOpened;
    }
    // Retry at a terminal asks for the name and password again.
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
      if (!missing) {
        streams.out << "Quorvant Game Was Not Opened\n";
      }
      streams.err << kLoginNeeded;
      return false;
  }
  return false;
}

}  // namespace qv::cli
