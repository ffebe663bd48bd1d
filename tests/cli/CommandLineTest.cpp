#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "tests/cli/QvctlRun.h"

namespace qv::cli {
namespace {

std::string Joined(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) {
    joined += " " + arg;
  }
  return joined;
}

// A program with one command of every kind of option qvctl uses, and what the parse left.
struct SampleProgram {
  CommandLine command_line{"prog", "prog - a sample", "prog 1.0"};
  std::string directory;
  std::uint64_t seed = 7;
  std::string level = "low";
  int keep = 0;
  int copies = 1;
  bool all = false;
  int quarter = 0;
  std::vector<std::string> settings;
  bool seed_given = false;
  int run_chosen = 0;
  int other_chosen = 0;

  SampleProgram() {
    Command run = command_line.AddCommand("run", "Run it");
    run.AddOption("DIR", &directory, "the directory").Required();
    const CommandOption seed_option = run.AddOption("--seed", &seed, "the seed");
    run.AddOption("--level", &level, "the level").OneOf({"low", "high", "mid"});
    run.AddOption("--keep", &keep, "how many to keep").NonNegative();
    run.AddOption("--copies", &copies, "number of copies").Within(1, 99);
    const CommandOption quarter_option = run.AddOption("--quarter", &quarter, "the quarter");
    run.AddFlag("--all", &all, "every quarter").Excludes(quarter_option);
    run.AddOption("--set", &settings, "KEY=VALUE");
    run.OnChosen([this, seed_option] {
      ++run_chosen;
      seed_given = seed_option.Given();
    });
    Command other = command_line.AddCommand("other", "Something else");
    other.OnChosen([this] { ++other_chosen; });
  }
};

TEST(CommandLine, OptionsReachTheirValuesInAnyOrder) {
  SampleProgram program;
  const ParseOutcome parsed =
      program.command_line.Parse({"run", "--set", "a=1", "--level", "high", "/games/x", "--keep",
                                  "3", "--set", "b=2", "--copies", "99", "--all"});
  ASSERT_EQ(parsed.kind, ParseOutcome::Kind::kRun) << parsed.text;
  EXPECT_EQ(program.directory, "/games/x");
  EXPECT_EQ(program.level, "high");
  EXPECT_EQ(program.keep, 3);
  EXPECT_EQ(program.copies, 99);
  EXPECT_TRUE(program.all);
  EXPECT_EQ(program.settings, (std::vector<std::string>{"a=1", "b=2"}));
  EXPECT_EQ(program.run_chosen, 1);
  EXPECT_EQ(program.other_chosen, 0);
}

// The commands tell a default from an option given with the same value: --seed 7 fixes the
// random numbers, no --seed leaves them to the clock.
TEST(CommandLine, GivenCountsTheCommandLineNotTheValue) {
  SampleProgram left_out;
  ASSERT_EQ(left_out.command_line.Parse({"run", "d"}).kind, ParseOutcome::Kind::kRun);
  EXPECT_FALSE(left_out.seed_given);
  EXPECT_EQ(left_out.seed, 7u);

  SampleProgram given;
  ASSERT_EQ(given.command_line.Parse({"run", "d", "--seed", "7"}).kind, ParseOutcome::Kind::kRun);
  EXPECT_TRUE(given.seed_given);
}

TEST(CommandLine, RefusalsSayWhatWasWrong) {
  struct Row {
    const char* shows;
    std::vector<std::string> args;
    std::string text;
  };
  const Row rows[] = {
      {"no command", {}, "A subcommand is required"},
      {"a required positional left out", {"run"}, "DIR is required"},
      {"a name outside the list",
       {"run", "d", "--level", "top"},
       "--level: top not in {low,high,mid}"},
      {"a negative count",
       {"run", "d", "--keep", "-1"},
       "--keep: Value -1 not in range 0.000000 to "},
      {"below the range", {"run", "d", "--copies", "0"}, "--copies: Value 0 not in range 1 to 99"},
      {"above the range",
       {"run", "d", "--copies", "100"},
       "--copies: Value 100 not in range 1 to 99"},
      {"options that exclude each other",
       {"run", "d", "--all", "--quarter", "2"},
       "--quarter excludes --all"},
      {"not a number", {"run", "d", "--quarter", "two"}, "Could not convert: --quarter = two"},
      {"an unknown option",
       {"run", "d", "--bogus"},
       "The following argument was not expected: --bogus"},
      {"an extra positional", {"run", "d", "e"}, "The following argument was not expected: e"},
  };
  for (const Row& row : rows) {
    SampleProgram program;
    const ParseOutcome parsed = program.command_line.Parse(row.args);
    EXPECT_EQ(parsed.kind, ParseOutcome::Kind::kRefused) << row.shows << ":" << Joined(row.args);
    EXPECT_EQ(parsed.text.substr(0, row.text.size()), row.text)
        << row.shows << ":" << Joined(row.args);
    EXPECT_EQ(program.run_chosen, 0) << row.shows << ": a refused command must not run";
  }
}

TEST(CommandLine, HelpIsOfTheCommandChosen) {
  SampleProgram program;
  const ParseOutcome whole = program.command_line.Parse({"--help"});
  EXPECT_EQ(whole.kind, ParseOutcome::Kind::kHelp);
  EXPECT_EQ(whole.text.rfind("prog - a sample\nUsage: prog [OPTIONS] SUBCOMMAND\n", 0), 0u)
      << whole.text;
  EXPECT_NE(whole.text.find("  other                       Something else\n"), std::string::npos)
      << whole.text;

  SampleProgram command;
  // Help wins over a mistake later on the line, so that it can be asked for while typing.
  const ParseOutcome run = command.command_line.Parse({"run", "--help", "--bogus"});
  EXPECT_EQ(run.kind, ParseOutcome::Kind::kHelp);
  EXPECT_EQ(run.text.rfind("Run it\nUsage: prog run [OPTIONS] DIR\n", 0), 0u) << run.text;
  for (const char* line :
       {"  DIR TEXT REQUIRED           the directory\n", "  --seed UINT                 the seed\n",
        "  --level TEXT:{low,high,mid} the level\n",
        "  --keep INT:NONNEGATIVE      how many to keep\n", "  --copies INT:INT in [1 - 99]\n",
        "  --all Excludes: --quarter   every quarter\n",
        "  --set TEXT ...              KEY=VALUE\n"}) {
    EXPECT_NE(run.text.find(line), std::string::npos) << line << "\nin\n" << run.text;
  }
  EXPECT_EQ(command.run_chosen, 0);
}

TEST(CommandLine, VersionIsTheLineGiven) {
  SampleProgram program;
  const ParseOutcome parsed = program.command_line.Parse({"--version"});
  EXPECT_EQ(parsed.kind, ParseOutcome::Kind::kVersion);
  EXPECT_EQ(parsed.text, "prog 1.0");
}

// Every command of qvctl answers --help with its own usage, and the program's help lists it.
TEST(Qvctl, EveryCommandHasItsHelp) {
  const QvctlRun whole = Qvctl({"--help"});
  EXPECT_EQ(whole.exit_code, kExitOk);
  for (const std::string command : {"new", "advance", "info", "passwords", "verify", "report",
                                    "env", "export", "demo", "undo", "history", "decide"}) {
    EXPECT_NE(whole.out.find("\n  " + command + " "), std::string::npos) << command;
    const QvctlRun run = Qvctl({command, "--help"});
    EXPECT_EQ(run.exit_code, kExitOk) << command;
    EXPECT_NE(run.out.find("Usage: qvctl " + command + " [OPTIONS]"), std::string::npos)
        << command << "\n"
        << run.out;
    EXPECT_EQ(run.err, "") << command;
  }
}

}  // namespace
}  // namespace qv::cli
