#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

namespace qv::cli {

CommandOption& CommandOption::Required() {
  option_->required();
  return *this;
}

CommandOption& CommandOption::OneOf(const std::vector<std::string>& names) {
  option_->check(CLI::IsMember(names));
  return *this;
}

CommandOption& CommandOption::NonNegative() {
  option_->check(CLI::NonNegativeNumber);
  return *this;
}

CommandOption& CommandOption::Within(int low, int high) {
  option_->check(CLI::Range(low, high));
  return *this;
}

CommandOption& CommandOption::Excludes(const CommandOption& other) {
  option_->excludes(other.option_);
  return *this;
}

bool CommandOption::Given() const {
  return option_->count() > 0;
}

CommandOption Command::AddOption(const std::string& name, std::string* value,
                                 const std::string& description) {
  return CommandOption(app_->add_option(name, *value, description));
}

CommandOption Command::AddOption(const std::string& name, int* value,
                                 const std::string& description) {
  return CommandOption(app_->add_option(name, *value, description));
}

CommandOption Command::AddOption(const std::string& name, std::uint64_t* value,
                                 const std::string& description) {
  return CommandOption(app_->add_option(name, *value, description));
}

CommandOption Command::AddOption(const std::string& name, std::vector<std::string>* values,
                                 const std::string& description) {
  return CommandOption(app_->add_option(name, *values, description));
}

CommandOption Command::AddFlag(const std::string& name, bool* value,
                               const std::string& description) {
  return CommandOption(app_->add_flag(name, *value, description));
}

void Command::OnChosen(std::function<void()> chosen) {
  app_->callback(std::move(chosen));
}

CommandLine::CommandLine(const std::string& name, const std::string& description,
                         const std::string& version)
    : app_(std::make_unique<CLI::App>(description, name)) {
  app_->require_subcommand(1);
  app_->set_version_flag("--version", version);
}

CommandLine::~CommandLine() = default;

Command CommandLine::AddCommand(const std::string& name, const std::string& description) {
  return Command(app_->add_subcommand(name, description));
}

ParseOutcome CommandLine::Parse(const std::vector<std::string>& args) {
  // The parser takes the arguments last first, as it pops them off the back.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app_->parse(reversed);
  } catch (const CLI::CallForHelp&) {
    // The help of the command chosen, when one was, else the program's.
    return {ParseOutcome::Kind::kHelp, app_->help()};
  } catch (const CLI::CallForVersion& version) {
    return {ParseOutcome::Kind::kVersion, version.what()};
  } catch (const CLI::ParseError& failure) {
    return {ParseOutcome::Kind::kRefused, failure.what()};
  }
  return {ParseOutcome::Kind::kRun, {}};
}

}  // namespace qv::cli
