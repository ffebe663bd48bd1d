#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "tests/support/TempDir.h"

namespace qv::cli {

// What one in-process run of qvctl printed and returned.
struct QvctlRun {
  int exit_code;
  std::string out;
  std::string err;
};

// Runs qvctl unattended (standard input not a terminal) with the built data files.
inline QvctlRun Qvctl(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunQvctl(args, Streams{in, out, err, false, test::ProgramDir()});
  return QvctlRun{code, out.str(), err.str()};
}

// Runs qvctl as at a terminal, reading the answers from `typed`.
inline QvctlRun QvctlAtTerminal(const std::vector<std::string>& args, const std::string& typed) {
  std::istringstream in(typed);
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunQvctl(args, Streams{in, out, err, true, test::ProgramDir()});
  return QvctlRun{code, out.str(), err.str()};
}

}  // namespace qv::cli
