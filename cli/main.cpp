#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDir.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // The shipped data files lie in the installation's data folder or beside the executable.
  std::error_code ignored;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  if (program.empty()) {
    program = std::filesystem::absolute(argv[0], ignored);
  }
  qv::LocalFileSystem files;
  return qv::cli::RunQvctl(
      args, qv::cli::Streams{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                             qv::FindProgramDir(files, program.parent_path().string())});
}
