#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/QvctlRun.h"
#include "tests/support/TempDir.h"

namespace qv::cli {
namespace {

namespace fs = std::filesystem;

// A setup of two team banks whose disk paths, beginning period and first bank name are given.
std::string Setup(const std::string& first_path, const std::string& second_path,
                  const std::string& period = "37", const std::string& first_name = "Alder") {
  const auto bank = [](const std::string& name, const std::string& path) {
    std::string text = R"({"name": ")" + name + R"(", "president": "Kim", "password": "pw")";
    if (!path.empty())
      text += R"(, "path": ")" + path + "\"";
    return text + "}";
  };
  return R"({"game_title": "Course", "beginning_period": )" + period + R"(, "banks": [)" +
         bank(first_name, first_path) + ", " + bank("Birch", second_path) + "]}";
}

struct Refusal {
  const char* what;
  std::string json;  // "GAME" and "DIR" stand for the game directory and the temporary folder
  int exit_code;
  const char* message;  // a line of the output
};

void PrintTo(const Refusal& row, std::ostream* out) {
  *out << row.what;
}

class NewCommandRefusal : public ::testing::TestWithParam<Refusal> {};

// Every refusal and failure leaves the folders as they were: no game directory, no disk.
TEST_P(NewCommandRefusal, LeavesNothingBehind) {
  test::TempDir dir;
  const std::string game = dir.path() + "game/";
  std::string json = GetParam().json;
  for (const auto& [mark, value] : {std::pair<std::string, std::string>{"GAME", game},
                                    std::pair<std::string, std::string>{"DIR", dir.path()}}) {
    for (auto at = json.find(mark); at != std::string::npos; at = json.find(mark))
      json.replace(at, mark.size(), value);
  }
  dir.Write("setup.json", json);
  const QvctlRun run = Qvctl({"new", game, "--setup", dir.path() + "setup.json"});
  EXPECT_EQ(run.exit_code, GetParam().exit_code) << run.out << run.err;
  EXPECT_NE(run.out.find(std::string(GetParam().message) + "\n"), std::string::npos)
      << run.out << run.err;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.path().filename() != "setup.json")
      left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Setups, NewCommandRefusal,
    ::testing::Values(
        Refusal{"two banks on one disk", Setup("DIRdisk/", "DIRdisk/"), 2, "Path must be unique"},
        Refusal{"two paths differing in case only", Setup("DIRdisk/", "DIRDISK/"), 2,
                "Path must be unique"},
        Refusal{"a disk in the game directory", Setup("GAME", "DIRb/"), 2,
                "Path must not be the game directory, a folder inside it or a folder holding it"},
        Refusal{"a disk inside the game directory", Setup("GAMEdisks/a/", "DIRb/"), 2,
                "Path must not be the game directory, a folder inside it or a folder holding it"},
        Refusal{"a disk holding the game directory", Setup("DIR", "DIRb/"), 2,
                "Path must not be the game directory, a folder inside it or a folder holding it"},
        Refusal{"a line break in a path", Setup("DIRa\\r\\n", "DIRb/"), 2,
                "Path must not contain control characters"},
        Refusal{"a control character in a name", Setup("DIRa/", "DIRb/", "37", "Al\\u0001"), 2,
                "Bank name must not contain control characters"},
        Refusal{"a fractional beginning period", Setup("DIRa/", "DIRb/", "1.5"), 2,
                "Beginning economic period must be a whole number between 1 and 100"},
        Refusal{"a drive that is not there", Setup("DIRa/", "a:\\\\"), 1, "Error Writing File"}),
    [](const ::testing::TestParamInfo<Refusal>& row_info) {
      std::string name;
      for (const char c : std::string(row_info.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
          name += c;
      }
      return name;
    });

}  // namespace
}  // namespace qv::cli
