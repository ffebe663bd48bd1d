#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The parser's header costs seconds of code generation in every file that includes it, so
// only CommandLine.cpp does; the rest of qvctl sees these two names and nothing more.
namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace qv::cli {

// An option, flag or positional argument of a command. A handle: the command line that made
// it owns it, and the handle stays valid while that command line lives.
class CommandOption {
 public:
  // Refuses a command line that leaves the option out.
  CommandOption& Required();
  // Accepts only one of `names`; help lists them in this order.
  CommandOption& OneOf(const std::vector<std::string>& names);
  // Accepts only a number of zero or more.
  CommandOption& NonNegative();
  // Accepts only a whole number from `low` to `high`, both included.
  CommandOption& Within(int low, int high);
  // Refuses a command line that gives both this option and `other`.
  CommandOption& Excludes(const CommandOption& other);

  // After the parse: whether the command line gave the option (its default value does not
  // count).
  bool Given() const;

 private:
  friend class Command;
  explicit CommandOption(CLI::Option* option) : option_(option) {}

  CLI::Option* option_;
};

// A command of the program ("advance"), as a handle owned by its command line. A name without
// dashes ("DIR") adds a positional argument, one with dashes ("--seed") a named option. Each
// value is written by the parse, so it must outlive it.
class Command {
 public:
  CommandOption AddOption(const std::string& name, std::string* value,
                          const std::string& description);
  CommandOption AddOption(const std::string& name, int* value, const std::string& description);
  CommandOption AddOption(const std::string& name, std::uint64_t* value,
                          const std::string& description);
  // Each occurrence of the option adds one value.
  CommandOption AddOption(const std::string& name, std::vector<std::string>* values,
                          const std::string& description);
  // A flag sets `value` when given and takes no value of its own.
  CommandOption AddFlag(const std::string& name, bool* value, const std::string& description);

  // `chosen` runs during a parse that chose this command, after all its options were read.
  void OnChosen(std::function<void()> chosen);

 private:
  friend class CommandLine;
  explicit Command(CLI::App* app) : app_(app) {}

  CLI::App* app_;
};

// What parsing the arguments came to.
struct ParseOutcome {
  enum class Kind {
    kRun,      // one command chosen and its options read
    kHelp,     // --help given: `text` is the help of the program or of the command chosen
    kVersion,  // --version given: `text` is the version line
    kRefused,  // bad arguments: `text` says what was wrong
  };
  Kind kind = Kind::kRun;
  std::string text;
};

// The program's command line: --help, --version and exactly one command.
class CommandLine {
 public:
  // `description` heads the help; `version` is the line --version prints.
  CommandLine(const std::string& name, const std::string& description, const std::string& version);
  ~CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  Command AddCommand(const std::string& name, const std::string& description);

  // Parses `args` (without the program name); the chosen command's OnChosen runs during it.
  [[nodiscard]] ParseOutcome Parse(const std::vector<std::string>& args);

 private:
  std::unique_ptr<CLI::App> app_;
};

}  // namespace qv::cli
