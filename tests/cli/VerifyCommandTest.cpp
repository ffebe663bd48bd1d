#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/Commands.h"
#include "tests/data/SampleGame.h"

namespace qv::cli {
namespace {

struct Outcome {
  int exit_code;
  std::string out;
  std::string err;
};

Outcome Qvctl(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunQvctl(args, Streams{in, out, err, false, ""});
  return Outcome{code, out.str(), err.str()};
}

TEST(VerifyCommand, SoundGamePrintsNothingAndSucceeds) {
  test::GameDirectory game(3);
  game.WriteWholeGame();
  std::string without_separator = game.dir.path();
  without_separator.pop_back();
  for (const std::string& dir : {game.dir.path(), without_separator}) {
    const Outcome run = Qvctl({"verify", dir});
    EXPECT_EQ(run.exit_code, kExitOk) << dir;
    EXPECT_EQ(run.out, "") << dir;
  }
}

TEST(VerifyCommand, EachProblemIsOneLine) {
  test::GameDirectory game(3);
  game.WriteWholeGame();
  std::remove((game.dir.path() + "Portf.qv").c_str());
  std::remove((game.dir.path() + "Comp.qv").c_str());
  const Outcome run = Qvctl({"verify", game.dir.path()});
  EXPECT_EQ(run.exit_code, kExitFailed);
  EXPECT_EQ(run.out, "PORTF.QV: missing\nCOMP.QV: missing\n");
}

TEST(VerifyCommand, BadArguments) {
  test::TempDir dir;
  EXPECT_EQ(Qvctl({"verify"}).exit_code, kExitBadArguments);
  EXPECT_EQ(Qvctl({"verify", dir.path(), "extra"}).exit_code, kExitBadArguments);
  const Outcome missing = Qvctl({"verify", dir.path() + "absent"});
  EXPECT_EQ(missing.exit_code, kExitBadArguments);
  EXPECT_NE(missing.err.find("is not a directory"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace qv::cli
