#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return qv::cli::RunQvctl(
      args, qv::cli::Streams{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1});
}
