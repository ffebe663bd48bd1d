#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace qv::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device seed;
  for (;;) {
    const fs::path candidate =
        fs::temp_directory_path() / ("qvtest-" + std::to_string(seed()) + std::to_string(seed()));
    std::error_code code;
    if (fs::create_directory(candidate, code)) {
      path_ = candidate.string() + "/";
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::Subdir(const std::string& name) const {
  fs::create_directories(path_ + name);
  return path_ + name + "/";
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream file(path_ + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream file(path_ + name, std::ios::binary | std::ios::trunc);
  file << bytes;
}

std::string ProgramDir() {
  const char* dir = std::getenv("QV_PROGRAM_DIR");
  return dir != nullptr ? std::string(dir) + "/" : std::string("./");
}

}  // namespace qv::test
