#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/cli/QvctlRun.h"
#include "tests/support/TempDir.h"

namespace qv::cli {
namespace {

// A game of a computer bank and a student bank played three quarters: the student bank's disk
// is never answered, so its decisions are last quarter's, then keyed in by the instructor,
// then the computer's.
struct PlayedGame : ::testing::Test {
  test::TempDir dir;
  std::string game = dir.path() + "game";

  void SetUp() override {
    dir.Write("setup.json", R"({"game_title": "History", "instructor_name": "Reyes",
      "instructor_password": "Secret", "beginning_period": 12, "banks": [
      {"name": "Alder", "management": "Computer2", "type": "Consumer"},
      {"name": "Birch", "management": "Human", "president": "Kim", "password": "b2",
       "type": "Business", "path": ")" +
                                dir.path() + R"(birch/"}]})");
    ASSERT_EQ(As({"new", game, "--setup", dir.path() + "setup.json", "--seed", "4"}).exit_code,
              kExitOk);
    ASSERT_EQ(As({"advance", game, "--fallback", "last"}).exit_code, kExitOk);
    const QvctlRun decided = As({"decide", game, "--bank", "2", "--set", "savings_rate=2.5"});
    ASSERT_EQ(decided.exit_code, kExitOk) << decided.out << decided.err;
    const QvctlRun entered = As({"advance", game, "--fallback", "abort"});
    ASSERT_EQ(entered.exit_code, kExitOk) << entered.out << entered.err;
    ASSERT_EQ(As({"advance", game, "--fallback", "computer3"}).exit_code, kExitOk);
  }

  QvctlRun As(std::vector<std::string> args) {
    if (args.front() != "new") {
      args.insert(args.end(), {"--instructor", "Reyes", "--password", "Secret"});
    }
    return Qvctl(args);
  }
};

TEST_F(PlayedGame, HistoryListsWhereEachBanksDecisionsCameFrom) {
  const QvctlRun run = As({"history", game});
  ASSERT_EQ(run.exit_code, kExitOk) << run.err;
  EXPECT_NE(run.out.find("Quarter 1, advanced from quarter 0 on "), std::string::npos) << run.out;
  const auto quarter = [&](int number) {
    const std::size_t from = run.out.find("Quarter " + std::to_string(number) + ",");
    const std::size_t to = run.out.find("Quarter " + std::to_string(number + 1) + ",");
    return from == std::string::npos ? std::string() : run.out.substr(from, to - from);
  };
  EXPECT_NE(quarter(1).find("  Bank 1: Alder: decisions made by the computer at level 2\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(quarter(1).find("  Bank 2: Birch: last quarter's decisions\n"), std::string::npos)
      << run.out;
  EXPECT_NE(quarter(2).find("  Bank 2: Birch: decisions entered by the instructor\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(quarter(3).find("  Bank 2: Birch: decisions made by the computer at level 3\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("Quarter 4,"), std::string::npos) << "no advance past quarter 3 yet";
}

// Entries as an older version or damage left them; each quarter is listed still.
TEST_F(PlayedGame, HistoryListsOlderAndDamagedEntries) {
  const std::string entry = "game/Archive/Q0001/Entry.txt";
  std::string text = dir.Read(entry);
  // An older archive knew no word for entered decisions and took them as the disk's.
  const std::size_t word = text.find("note bank 2 entered");
  ASSERT_NE(word, std::string::npos) << text;
  text.replace(word, 19, "note bank 2 disk");
  // And one before the decision notes were kept at all.
  std::string bare = dir.Read("game/Archive/Q0002/Entry.txt");
  bare = bare.substr(0, bare.find("note bank 1"));
  dir.Write(entry, text);
  dir.Write("game/Archive/Q0002/Entry.txt", bare);
  std::filesystem::remove(dir.path() + "game/Archive/Q0000/Comp.qv");

  const QvctlRun run = As({"history", game});
  ASSERT_EQ(run.exit_code, kExitOk) << run.err;
  EXPECT_NE(run.out.find("Quarter 1, advanced from quarter 0: the archive entry is damaged\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  Bank 2: Birch: the decisions on its disk\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  Bank 2: Birch: not recorded\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace qv::cli
