#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // The shipped data files lie beside the executable.
  std::error_code ignored;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  if (program.empty()) {
    program = std::filesystem::absolute(argv[0], ignored);
  }
  return qv::cli::RunQvctl(
      args, qv::cli::Streams{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                             program.parent_path().string() + "/"});
}
