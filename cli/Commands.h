#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::cli {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;          // the operation failed or was abandoned
inline constexpr int kExitBadArguments = 2;    // bad arguments or an invalid setup
inline constexpr int kExitDiskNotWritten = 3;  // the game advanced, but a bank disk was not

// Where a command reads answers and writes what it shows.
struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive = false;  // standard input is a terminal
  std::string program_dir;   // where the shipped data files are, ending in a separator
};

// Runs qvctl with `args` (without the program name) and returns its exit code.
int RunQvctl(const std::vector<std::string>& args, Streams streams);

}  // namespace qv::cli
