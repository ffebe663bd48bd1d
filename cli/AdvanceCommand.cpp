#include <map>
#include <memory>

#include "advance/AdvanceGame.h"
#include "cli/GameCommands.h"
#include "data/StorageCheck.h"

namespace qv::cli {

namespace {

constexpr const char* kOmitQuestion = "Can omit disk or make new disk.  Do you want to omit?";

const std::map<std::string, FixFallback>& Fallbacks() {
  static const std::map<std::string, FixFallback> fallbacks = {
      {"disk", {FixChoice::kUseDisk, 2}},       {"last", {FixChoice::kLastQuarter, 2}},
      {"abort", {FixChoice::kWait, 2}},         {"computer1", {FixChoice::kComputer, 1}},
      {"computer2", {FixChoice::kComputer, 2}}, {"computer3", {FixChoice::kComputer, 3}}};
  return fallbacks;
}

}  // namespace

// Advances one quarter. Returns true when the quarter was calculated and written.
bool AdvanceOneQuarter(Session& session) {
  const std::int16_t before = session.game.ResultsQuarter;
  return AdvanceGame(session) == Proceed::kGoOn && session.game.ResultsQuarter == before + 1;
}

void AddAdvanceCommand(CommandLine& command_line, Action* action) {
  Command command = command_line.AddCommand("advance", "Advance the game to the next quarter");
  auto directory = std::make_shared<std::string>();
  auto seed = std::make_shared<std::uint64_t>(0);
  auto fallback = std::make_shared<std::string>("abort");
  auto on_error = std::make_shared<std::string>("abort");
  auto omit_missing = std::make_shared<bool>(false);
  auto keep = std::make_shared<int>(0);
  auto login = std::make_shared<Login>();
  command.AddOption("DIR", directory.get(), "the game directory").Required();
  const CommandOption seed_option =
      command.AddOption("--seed", seed.get(), "seed of the random numbers");
  std::vector<std::string> choices;
  for (const auto& [name, ignored] : Fallbacks())
    choices.push_back(name);
  command
      .AddOption("--fallback", fallback.get(),
                 "how to settle a bank whose decisions are not ready (default abort)")
      .OneOf(choices);
  std::vector<std::string> error_choices;
  for (const auto& [name, ignored] : Fallbacks()) {
    if (name != "disk")
      error_choices.push_back(name);
  }
  command
      .AddOption("--on-error", on_error.get(),
                 "how to settle a bank whose results cannot be calculated with its decisions "
                 "(default abort)")
      .OneOf(error_choices);
  command.AddFlag("--omit-missing", omit_missing.get(),
                  "omit a bank disk that cannot be written instead of making a new one");
  command
      .AddOption("--keep-quarters", keep.get(),
                 "how many quarters the archive keeps for undo (default 0: all)")
      .NonNegative();
  AddLoginOptions(command, login.get());
  command.OnChosen([=] {
    const bool seeded = seed_option.Given();
    *action = [=](Streams& streams) {
      // Unattended, a bank disk that cannot be written is made anew once and omitted after
      // that, unless --omit-missing omits it at once.
      auto omit_asked = std::make_shared<int>(0);
      ConsoleUi::Policy policy = [=](const Message& message) -> std::optional<Answer> {
        if (message.text == kOmitQuestion) {
          return *omit_missing || (*omit_asked)++ > 0 ? Answer::kYes : Answer::kNo;
        }
        return std::nullopt;
      };
      Tool tool(streams, *directory, seeded ? std::optional<std::uint64_t>(*seed) : std::nullopt,
                policy, Fallbacks().at(*fallback), Fallbacks().at(*on_error));
      if (!tool.TakeGame(streams, "advance")) {
        return kExitFailed;
      }
      // A game that verify rejects is not advanced: its next quarter would build on faults.
      const std::vector<std::string> problems =
          GameProblems(tool.session().files, tool.session().GamePath, ArchiveScope::kNewestQuarter);
      if (!problems.empty()) {
        for (const std::string& line : problems) {
          streams.err << line << "\n";
        }
        streams.err << "The game was not advanced; qvctl verify lists the same problems.\n";
        return kExitFailed;
      }
      tool.session().ArchiveDepth = *keep;
      if (!OpenGame(tool, streams, *login)) {
        return kExitFailed;
      }
      if (!AdvanceOneQuarter(tool.session())) {
        return kExitFailed;
      }
      return DisksNotWritten(tool.session()).empty() ? kExitOk : kExitDiskNotWritten;
    };
  });
}

}  // namespace qv::cli
