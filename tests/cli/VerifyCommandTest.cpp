#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/Commands.h"
#include "tests/cli/QvctlRun.h"
#include "tests/data/SampleGame.h"

namespace qv::cli {
namespace {

TEST(VerifyCommand, SoundGameSaysSoInOneLine) {
  test::GameDirectory game(3);
  game.WriteWholeGame();
  std::string without_separator = game.dir.path();
  without_separator.pop_back();
  for (const std::string& dir : {game.dir.path(), without_separator}) {
    const QvctlRun run = Qvctl({"verify", dir});
    EXPECT_EQ(run.exit_code, kExitOk) << dir;
    EXPECT_EQ(run.out, "Game " + game.session.game.GameName + " in " + game.dir.path() +
                           ": results quarter " + std::to_string(game.session.game.ResultsQuarter) +
                           ", 3 banks, no problems found\n")
        << dir;
  }
}

TEST(VerifyCommand, EachProblemIsOneLine) {
  test::GameDirectory game(3);
  game.WriteWholeGame();
  std::remove((game.dir.path() + "Portf.qv").c_str());
  std::remove((game.dir.path() + "Comp.qv").c_str());
  const QvctlRun run = Qvctl({"verify", game.dir.path()});
  EXPECT_EQ(run.exit_code, kExitFailed);
  EXPECT_EQ(run.out, "PORTF.QV: missing\nCOMP.QV: missing\n");
}

TEST(Qvctl, VersionNamesTheProgramAndItsVersion) {
  const QvctlRun run = Qvctl({"--version"});
  EXPECT_EQ(run.exit_code, kExitOk);
  EXPECT_EQ(run.out, std::string("qvctl (Quorvant Instructor) ") + QV_VERSION + "\n");
}

TEST(VerifyCommand, BadArguments) {
  test::TempDir dir;
  EXPECT_EQ(Qvctl({"verify"}).exit_code, kExitBadArguments);
  EXPECT_EQ(Qvctl({"verify", dir.path(), "extra"}).exit_code, kExitBadArguments);
  const QvctlRun missing = Qvctl({"verify", dir.path() + "absent"});
  EXPECT_EQ(missing.exit_code, kExitBadArguments);
  EXPECT_NE(missing.err.find("is not a directory"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace qv::cli
