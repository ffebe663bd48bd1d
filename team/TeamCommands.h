#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::team {

// Exit codes, as qvctl's.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadArguments = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;
  std::string program_dir;  // where report.qvs is, ending in a separator
};

// True when `args` (without the program name) ask for a headless command rather than the
// window: "show", "decide", or help.
bool IsHeadless(const std::vector<std::string>& args);

// Runs a headless command of qvteam:
//   show DISK --bank N --password PW [--json]
//   decide DISK --bank N --password PW --set KEY=VALUE ... [--not-ready] [--quarter Q]
// Returns the exit code.
int RunQvteam(const std::vector<std::string>& args, Streams streams);

}  // namespace qv::team
