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

}  // namespace qv::cli
