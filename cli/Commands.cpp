#include "cli/Commands.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace qv::cli {

int RunQvctl(const std::vector<std::string>& args, Streams streams) {
  CLI::App app{"qvctl - the headless front end of Quorvant Instructor", "qvctl"};
  app.require_subcommand(1);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& help) {
    streams.out << app.help();
    return kExitOk;
  } catch (const CLI::ParseError& failure) {
    streams.err << failure.what() << "\n" << "Run 'qvctl --help' for the commands.\n";
    return kExitBadArguments;
  }
  return kExitOk;
}

}  // namespace qv::cli
