#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleUi.h"
#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

namespace qv::cli {

// What a command does once its arguments parsed; returns the exit code.
using Action = std::function<int(Streams&)>;

// A directory as the game holds it: ending in a separator, so file names append.
std::string AsDirectory(std::string path);

// The ports and the session of one command on one game directory.
class Tool {
 public:
  // `seed` fixes the random numbers; without one they are seeded from the clock.
  Tool(Streams& streams, const std::string& game_dir, std::optional<std::uint64_t> seed,
       ConsoleUi::Policy policy = {}, FixFallback fallback = FixFallback(),
       FixFallback on_error = FixFallback());

  Session& session() { return session_; }

  // Takes the game directory's lock for the rest of the command, in the name of `command`
  // ("advance"), and finishes or undoes an update that was interrupted there, printing what
  // it did. Prints why not and returns false when another program holds the game.
  bool TakeGame(Streams& streams, const std::string& command);

  // The same for a command that only reads the game. While another program holds the game
  // with no update under way (the desktop program with the game open), it reads the game as
  // it stands, without the lock, and says so.
  bool ReadGame(Streams& streams, const std::string& command);

 private:
  LocalFileSystem files_;
  ConsoleUi ui_;
  SystemClock clock_;
  std::uint64_t seed_;
  SeededRandom random_;
  Session session_;
  std::unique_ptr<FileLock> lock_;
};

// Writes `text` to standard output, or replaces the file `output` with it. Returns the exit
// code ("Cannot write FILE" when the file could not be written).
int WriteOutput(Streams& streams, const std::string& output, const std::string& text);

// The instructor's login as the command line gives it.
struct Login {
  std::string instructor;
  std::string password;
};

// Adds --instructor and --password to `command`.
void AddLoginOptions(Command command, Login* login);

// What a command does with the game it opens.
enum class GameAccess { kRead, kWrite };

// Adds a command on an existing game, with the argument DIR and the login options: the game
// is taken (Tool::TakeGame, or Tool::ReadGame for `GameAccess::kRead`) and opened (the login
// checked) before `run`, which gets the open session. Returns the command, for options of its
// own.
Command AddOpenGameCommand(CommandLine& command_line, Action* action, const std::string& name,
                           const std::string& description,
                           const std::function<int(Session&, Streams&)>& run,
                           GameAccess access = GameAccess::kWrite);

// Opens the game of the tool's directory as the desktop program does: its Global.qv read, a
// game that was never started refused, and the login checked when the game has an
// instructor name or password. Prints why a game was not opened. True when open.
bool OpenGame(Tool& tool, Streams& streams, const Login& login);

}  // namespace qv::cli
