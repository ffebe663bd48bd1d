#include <QApplication>
#include <QSettings>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "team/TeamCommands.h"
#include "team/TeamWindow.h"

namespace {

// The shipped report layout lies beside the executable.
std::string ProgramDir(const char* argv0) {
  std::error_code ignored;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  if (program.empty()) {
    program = std::filesystem::absolute(argv0, ignored);
  }
  return program.parent_path().string() + "/";
}

}  // namespace

// With "show" or "decide" the team's program runs without a window; otherwise it opens one.
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string program_dir = ProgramDir(argv[0]);
  if (qv::team::IsHeadless(args)) {
    return qv::team::RunQvteam(args, qv::team::Streams{std::cout, std::cerr, program_dir});
  }
  QApplication app(argc, argv);
  QSettings settings("Quorvant", "Quorvant Team");
  qv::team::TeamWindow window(settings, program_dir);
  window.show();
  return QApplication::exec();
}
