#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CreationLeftovers.h"
#include "cli/GameCommands.h"
#include "cli/SetupFile.h"
#include "newgame/CreateGame.h"
#include "newgame/PeriodZero.h"
#include "setup/DiskPaths.h"
#include "setup/EnvironmentFields.h"
#include "setup/NewGameFlow.h"
#include "setup/ValidateSetup.h"

namespace qv::cli {

namespace {

constexpr const char* kReplaceQuestion =
    "A Quorvant game already exists in this folder. Replace it?";

ConsoleUi::Policy ReplacePolicy(bool replace) {
  return [replace](const Message& message) -> std::optional<Answer> {
    if (message.text == kReplaceQuestion) {
      return replace ? Answer::kYes : Answer::kNo;
    }
    return std::nullopt;
  };
}

}  // namespace

EnvSetupForm DefaultEnvironmentForm(Session& session) {
  EnvironmentDefaults(session);
  EnvSetupForm form;
  FillEnvSetupForm(session.tables.Environment, &form);
  return form;
}

int CreateFromSetup(Session& session, Streams& streams, SetupForms& forms) {
  if (FirstInvalidField(session.ui, forms) ||
      FirstDiskPathConflict(session.ui, session.files, forms, session.GamePath)) {
    return kExitBadArguments;  // the field's message has been shown
  }
  // Whatever stops the creation from here on, the folders are left as they were found.
  std::vector<std::string> folders = {session.GamePath};
  for (int row = 0; row < SetupNumBanks(forms.game); ++row) {
    const BankSetupRow& bank = forms.banks.rows[static_cast<std::size_t>(row)];
    if (bank.cboCol3 == kManagementHuman) {
      folders.push_back(bank.txtCol7);
    }
  }
  CreationLeftovers leftovers;
  leftovers.Note(LocalFileSystem(), folders);
  switch (PrepareGameFolder(session)) {
    case GameFolder::kNotMade:
      leftovers.Remove();
      streams.err << "Cannot create the game directory " << session.GamePath << "\n";
      return kExitFailed;
    case GameFolder::kKept:
      streams.out << "Nothing was written.\n";
      return kExitFailed;
    case GameFolder::kReady:
      break;
  }
  NewGameState state;
  StoreSetupForms(session, state, forms);
  if (CreateGameInFolder(session, state) == Proceed::kGoOn) {
    return kExitOk;
  }
  leftovers.Remove();
  return kExitFailed;
}

void AddNewCommand(CommandLine& command_line, Action* action) {
  Command command = command_line.AddCommand("new", "Create a game from a setup file and start it");
  auto directory = std::make_shared<std::string>();
  auto setup_path = std::make_shared<std::string>();
  auto seed = std::make_shared<std::uint64_t>(0);
  auto replace = std::make_shared<bool>(false);
  command.AddOption("DIR", directory.get(), "the game directory").Required();
  command.AddOption("--setup", setup_path.get(), "the setup file (JSON)").Required();
  const CommandOption seed_option =
      command.AddOption("--seed", seed.get(), "seed of the random numbers");
  command.AddFlag("--replace", replace.get(), "replace a game that already exists in DIR");
  command.OnChosen([=] {
    const bool seeded = seed_option.Given();
    *action = [=](Streams& streams) {
      std::ifstream file(*setup_path, std::ios::binary);
      if (!file) {
        streams.err << "Cannot read the setup file " << *setup_path << "\n";
        return kExitBadArguments;
      }
      const std::string text((std::istreambuf_iterator<char>(file)), {});
      Tool tool(streams, *directory, seeded ? std::optional<std::uint64_t>(*seed) : std::nullopt,
                ReplacePolicy(*replace));
      Session& session = tool.session();
      SetupFile setup;
      std::string problem;
      if (!ParseSetupFile(text, DefaultEnvironmentForm(session), &setup, &problem)) {
        streams.err << *setup_path << ": " << problem << "\n";
        return kExitBadArguments;
      }
      // A game already in the folder is locked against other programs, and an update of it
      // that was interrupted is finished, before anything decides to replace it.
      if (session.files.IsDirectory(session.GamePath) && !tool.TakeGame(streams, "new")) {
        return kExitFailed;
      }
      return CreateFromSetup(session, streams, setup.forms);
    };
  });
}

}  // namespace qv::cli
