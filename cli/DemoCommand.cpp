#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "cli/GameCommands.h"
#include "data/Items.h"
#include "platform/Cp1252.h"

namespace qv::cli {

namespace {

constexpr int kDemoQuarters = 4;

struct DemoBank {
  const char* name;
  int management;  // 1..3, the computer's level
  int type;        // index in the type list
};

constexpr DemoBank kDemoBanks[] = {
    {"Alder", 1, 0},   {"Birch", 2, 1}, {"Cedar", 3, 2},
    {"Dogwood", 1, 3}, {"Elm", 2, 0},   {"Fir", 3, 1},
};

SetupForms DemoSetup(const EnvSetupForm& environment) {
  SetupForms forms;
  forms.game.txtGname = "Demo";
  forms.game.txtNoBanks = std::to_string(std::size(kDemoBanks));
  forms.game.txtBegin = "37";
  for (std::size_t i = 0; i < std::size(kDemoBanks); ++i) {
    BankSetupRow& row = forms.banks.rows[i];
    row.txtCol2 = kDemoBanks[i].name;
    row.cboCol3 = kDemoBanks[i].management;
    row.cboCol6 = kDemoBanks[i].type;
    row.txtCol7.clear();
  }
  forms.environment = environment;
  return forms;
}

std::string NewTemporaryDirectory() {
  std::random_device entropy;
  for (;;) {
    const auto candidate = std::filesystem::temp_directory_path() /
                           ("quorvant-demo-" + std::to_string(entropy() % 1000000));
    std::error_code code;
    if (std::filesystem::create_directory(candidate, code)) {
      return candidate.string() + "/";
    }
  }
}

void PrintSummary(std::ostream& out, const Session& session) {
  const GameTables& t = session.tables;
  char line[160];
  std::snprintf(line, sizeof line, "%-10s %-13s %-10s %8s %8s %8s %8s %8s\n", "Bank", "Type",
                "Management", "Price", "Net inc.", "Assets", "Equity", "Capital");
  out << line;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    const DemoBank& bank = kDemoBanks[b - 1];
    std::snprintf(line, sizeof line, "%-10s %-13s %-10s %8.2f %8.1f %8d %8d %8.2f\n",
                  Cp1252ToUtf8(session.game.BankName(b)).c_str(), kBankTypeNames[bank.type],
                  Cp1252ToUtf8(session.game.PresidentName(b)).c_str(),
                  t.BankValues(b, value::kSharePrice), t.BankValues(b, value::kNetIncome),
                  t.BankAmounts(b, amount::kTotalAssets), t.BankAmounts(b, amount::kEquity),
                  t.BankValues(b, value::kCapitalRatio));
    out << line;
  }
}

}  // namespace

void AddDemoCommand(CommandLine& command_line, Action* action) {
  Command command = command_line.AddCommand(
      "demo", "Create a game of six computer-managed banks, advance it and show the results");
  auto directory = std::make_shared<std::string>();
  auto seed = std::make_shared<std::uint64_t>(1);
  command.AddOption("DIR", directory.get(),
                    "where to create the game (a new temporary folder "
                    "when left out)");
  command.AddOption("--seed", seed.get(), "seed of the random numbers (default 1)");
  command.OnChosen([=] {
    *action = [=](Streams& streams) {
      const std::string path = directory->empty() ? NewTemporaryDirectory() : *directory;
      Tool tool(streams, path, *seed);
      Session& session = tool.session();
      streams.out << "Creating a game of " << std::size(kDemoBanks) << " computer-managed banks in "
                  << session.GamePath << "\n";
      SetupForms forms = DemoSetup(DefaultEnvironmentForm(session));
      if (const int created = CreateFromSetup(session, streams, forms); created != kExitOk) {
        return created;
      }
      for (int quarter = 1; quarter <= kDemoQuarters; ++quarter) {
        if (!AdvanceOneQuarter(session)) {
          return kExitFailed;
        }
      }
      streams.out << "\nResults of quarter " << session.game.ResultsQuarter << "\n";
      PrintSummary(streams.out, session);
      streams.out << "\n";
      if (const int printed = PrintQuarterlyReport(session, streams, "", 1, "");
          printed != kExitOk) {
        return printed;
      }
      streams.out << "\nThe game is in " << session.GamePath << "\n";
      return kExitOk;
    };
  });
}

}  // namespace qv::cli
