#include <memory>
#include <ostream>
#include <vector>

#include "cli/GameCommands.h"
#include "platform/Cp1252.h"
#include "setup/DecisionItems.h"
#include "setup/InstructorDecisions.h"

namespace qv::cli {

namespace {

struct DecideArguments {
  int bank = 0;
  std::vector<std::string> settings;
};

int Decide(Session& session, Streams& streams, const DecideArguments& args) {
  if (std::string refused = CheckDecisionBank(session.game, args.bank); !refused.empty()) {
    streams.err << Cp1252ToUtf8(refused) << "\n";
    return kExitBadArguments;
  }
  BankDecisions decisions;
  if (std::string failed = LoadInstructorDecisions(session, args.bank, &decisions);
      !failed.empty()) {
    streams.err << Cp1252ToUtf8(failed) << "\n";
    return kExitFailed;
  }
  // Entering nothing shows the decisions the next advance would start from and stores nothing.
  if (args.settings.empty()) {
    const BankDecisions effective = EffectiveDecisions(session, args.bank, decisions);
    for (const DecisionItem& item : DecisionItems()) {
      streams.out << DescribeDecision(
                         item, decisions(item.item), effective(item.item),
                         AcceptedDecisionRange(session, args.bank, item.item, decisions))
                  << "\n";
    }
    streams.out << "Nothing entered\n";
    return kExitOk;
  }
  if (std::string refused = ApplyDecisionSettings(args.settings, &decisions); !refused.empty()) {
    streams.err << refused << "\n";
    return kExitBadArguments;
  }
  if (std::string failed = StoreInstructorDecisions(session, args.bank, decisions);
      !failed.empty()) {
    streams.err << Cp1252ToUtf8(failed) << "\n";
    return kExitFailed;
  }
  const BankDecisions effective = EffectiveDecisions(session, args.bank, decisions);
  for (const std::string& setting : args.settings) {
    const DecisionItem* item = FindDecisionItem(setting.substr(0, setting.find('=')));
    streams.out << DescribeDecision(
                       *item, decisions(item->item), effective(item->item),
                       AcceptedDecisionRange(session, args.bank, item->item, decisions))
                << "\n";
  }
  streams.out << "Decisions for quarter " << session.game.ResultsQuarter + 1
              << " entered by the instructor for Bank " << args.bank << ": "
              << Cp1252ToUtf8(session.game.BankName(args.bank)) << "\n";
  return kExitOk;
}

}  // namespace

void AddDecideCommand(CommandLine& command_line, Action* action) {
  auto args = std::make_shared<DecideArguments>();
  Command command = AddOpenGameCommand(
      command_line, action, "decide", "Key in a bank's decisions for the coming quarter",
      [args](Session& session, Streams& streams) { return Decide(session, streams, *args); });
  command.AddOption("--bank", &args->bank, "the bank, 1..10").Required();
  command.AddOption("--set", &args->settings, "KEY=VALUE, a decision (keys: see the list)");
}

}  // namespace qv::cli
