#include "team/TeamCommands.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/NumberFormat.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "reports/ReportFormats.h"
#include "setup/BankDisk.h"
#include "team/TeamView.h"

namespace qv::team {

namespace {

// Nobody is there to answer: every message is a line on the error stream, and a failed file
// routine is not retried.
class HeadlessUi : public Ui {
 public:
  explicit HeadlessUi(std::ostream& err) : err_(err) {}
  Answer Show(const Message& message) override {
    err_ << Cp1252ToUtf8(message.text) << "\n";
    switch (message.buttons) {
      case Buttons::kOk:
        return Answer::kOk;
      case Buttons::kYesNo:
        return Answer::kNo;
      default:
        return Answer::kCancel;
    }
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }

 private:
  std::ostream& err_;
};

struct Arguments {
  std::string disk;
  int bank = 0;
  std::string password;
  bool json = false;
  std::vector<std::string> settings;
  bool not_ready = false;
  int quarter = 0;
};

// The ports and the session of one command on one disk.
class Tool {
 public:
  explicit Tool(Streams& streams)
      : ui_(streams.err), random_(1), session_(files_, ui_, clock_, random_) {
    session_.ProgramDir = streams.program_dir;
  }
  Session& session() { return session_; }

 private:
  LocalFileSystem files_;
  HeadlessUi ui_;
  SystemClock clock_;
  SeededRandom random_;
  Session session_;
};

std::string Text(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

// Opens the disk and logs the team in; prints why not.
bool OpenAndLogin(Session& session, Streams& streams, const Arguments& args) {
  if (std::string failed = OpenBankDisk(session, args.disk); !failed.empty()) {
    streams.err << Text(failed) << "\n";
    return false;
  }
  if (std::string refused = CheckBankLogin(session.game, args.bank, args.password);
      !refused.empty()) {
    streams.err << Text(refused) << "\n";
    return false;
  }
  return true;
}

nlohmann::json DecisionsJson(const Session& session, int bank, const BankDecisions& decisions) {
  const BankDecisions effective = EffectiveDecisions(session, bank, decisions);
  nlohmann::json items = nlohmann::json::array();
  for (const DecisionItem& item : DecisionItems()) {
    const AcceptedRange range = AcceptedDecisionRange(session, bank, item.item, decisions);
    const bool unset =
        item.not_set_at_999 && FormatDecisionValue(item, decisions(item.item)) == "none";
    items.push_back({{"key", item.key},
                     {"item", item.item},
                     {"label", item.label},
                     {"group", GroupName(item.group)},
                     {"unit", UnitName(item.unit)},
                     {"value", decisions(item.item)},
                     {"not_set", unset},
                     {"low", range.low},
                     {"high", range.high ? nlohmann::json(*range.high) : nlohmann::json()},
                     {"effective", effective(item.item)}});
  }
  return items;
}

void PrintJson(Session& session, Streams& streams, const TeamView& view) {
  const GameRecord& game = session.game;
  const int b = view.bank;
  nlohmann::json results = nlohmann::json::array();
  nlohmann::json competitors = nlohmann::json::array();
  for (const ResultRow& row : view.rows) {
    results.push_back({{"section", row.section},
                       {"label", row.label},
                       {"value", row.values(b)},
                       {"shown", FormatResult(row, row.values(b))}});
    nlohmann::json values = nlohmann::json::array();
    for (int other = 1; other <= game.NumBanks; ++other) {
      values.push_back(row.values(other));
    }
    competitors.push_back({{"section", row.section}, {"label", row.label}, {"values", values}});
  }
  nlohmann::json names = nlohmann::json::array();
  for (int other = 1; other <= game.NumBanks; ++other) {
    names.push_back(Text(game.BankName(other)));
  }
  nlohmann::json series = nlohmann::json::array();
  for (int s = 1; s <= kBankSeries; ++s) {
    nlohmann::json values = nlohmann::json::array();
    for (int q = 1; q <= kPlotQuarters; ++q) {
      values.push_back(view.history(s, q));
    }
    series.push_back({{"name", HistorySeriesName(s)}, {"values", values}});
  }
  const nlohmann::json shown = {
      {"game_title", Text(game.GameName)},
      {"bank", b},
      {"bank_name", Text(game.BankName(b))},
      {"results_quarter", game.ResultsQuarter},
      {"decisions_quarter", DecisionsQuarter(session)},
      {"ready", view.ready},
      {"results", results},
      {"competitors", {{"banks", names}, {"rows", competitors}}},
      {"history", {{"last_quarter", game.ResultsQuarter}, {"series", series}}},
      {"decisions", DecisionsJson(session, b, view.decisions)}};
  streams.out << shown.dump(2) << "\n";
}

void PrintText(Session& session, Streams& streams, const TeamView& view) {
  const GameRecord& game = session.game;
  const int b = view.bank;
  std::ostream& out = streams.out;
  out << "Game Title: " << Text(game.GameName) << "\n"
      << "Bank " << b << ": " << Text(game.BankName(b)) << "\n"
      << "Results Quarter " << game.ResultsQuarter << "\n"
      << "Decisions Quarter " << DecisionsQuarter(session) << ": "
      << (view.ready ? "decisions saved as ready" : "decisions awaited") << "\n";
  std::string section;
  for (const ResultRow& row : view.rows) {
    if (row.section != section) {
      section = row.section;
      out << "\n" << section << "\n";
    }
    out << "  " << row.label << std::string(row.label.size() < 18 ? 18 - row.label.size() : 1, ' ')
        << FormatResult(row, row.values(b)) << "\n";
  }
  out << "\nCOMPETITORS\n" << std::string(19, ' ');
  for (int other = 1; other <= game.NumBanks; ++other) {
    out << " " << RightAlignInColumn(Text(game.BankName(other).substr(0, kReportColumnWidth)));
  }
  out << "\n";
  for (const ResultRow& row : view.rows) {
    out << "  " << row.label << std::string(row.label.size() < 17 ? 17 - row.label.size() : 0, ' ');
    for (int other = 1; other <= game.NumBanks; ++other) {
      out << " " << RightAlignInColumn(FormatReportValue(row.values(other), row.format));
    }
    out << "\n";
  }
  out << "\nHISTORY (quarters " << game.ResultsQuarter - kPlotQuarters + 1 << " to "
      << game.ResultsQuarter << ")\n";
  for (int s = 1; s <= kBankSeries; ++s) {
    out << "  " << HistorySeriesName(s) << ":";
    for (int q = 1; q <= kPlotQuarters; ++q) {
      out << " " << FormatShortest(static_cast<float>(view.history(s, q)));
    }
    out << "\n";
  }
  out << "\nDECISIONS for quarter " << DecisionsQuarter(session) << "\n";
  const BankDecisions effective = EffectiveDecisions(session, b, view.decisions);
  for (const DecisionItem& item : DecisionItems()) {
    out << "  "
        << DescribeDecision(item, view.decisions(item.item), effective(item.item),
                            AcceptedDecisionRange(session, b, item.item, view.decisions))
        << "\n";
  }
}

int Show(Streams& streams, const Arguments& args) {
  Tool tool(streams);
  Session& session = tool.session();
  if (!OpenAndLogin(session, streams, args)) {
    return kExitFailed;
  }
  TeamView view;
  if (std::string failed = LoadTeamView(session, args.bank, &view); !failed.empty()) {
    streams.err << Text(failed) << "\n";
    return kExitFailed;
  }
  if (args.json) {
    PrintJson(session, streams, view);
  } else {
    PrintText(session, streams, view);
  }
  return kExitOk;
}

int Decide(Streams& streams, const Arguments& args) {
  Tool tool(streams);
  Session& session = tool.session();
  if (!OpenAndLogin(session, streams, args)) {
    return kExitFailed;
  }
  if (args.quarter != 0 && args.quarter != DecisionsQuarter(session)) {
    streams.err << "This disk expects decisions for quarter " << DecisionsQuarter(session)
                << ", not quarter " << args.quarter << "; nothing was saved\n";
    return kExitFailed;
  }
  if (std::string failed = ReadTeamDecisions(session, args.bank); !failed.empty()) {
    streams.err << Text(failed) << "\n";
    return kExitFailed;
  }
  BankDecisions decisions;
  for (int item = 1; item <= 63; ++item) {
    decisions(item) = session.tables.Decision(args.bank, item);
  }
  if (std::string refused = ApplyDecisionSettings(args.settings, &decisions); !refused.empty()) {
    streams.err << refused << "\n";
    return kExitBadArguments;
  }
  if (std::string refused = SaveTeamDecisions(session, args.bank, decisions, !args.not_ready);
      !refused.empty()) {
    streams.err << Text(refused) << "\n";
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
  streams.out << "Decisions for quarter " << DecisionsQuarter(session) << " saved "
              << (args.not_ready ? "as a draft" : "as ready") << " for Bank " << args.bank << ": "
              << Text(session.game.BankName(args.bank)) << "\n";
  return kExitOk;
}

void AddDiskOptions(CLI::App* command, Arguments* args) {
  command->add_option("DISK", args->disk, "the bank disk folder")->required();
  command->add_option("--bank", args->bank, "the bank, 1..10")->required();
  command->add_option("--password", args->password, "the bank's password");
}

}  // namespace

bool IsHeadless(const std::vector<std::string>& args) {
  if (args.empty()) {
    return false;
  }
  const std::string& first = args.front();
  return first == "show" || first == "decide" || first == "--help" || first == "-h";
}

int RunQvteam(const std::vector<std::string>& args, Streams streams) {
  CLI::App app{"qvteam - a team's program for its Quorvant bank disk", "qvteam"};
  app.require_subcommand(1);
  auto arguments = std::make_shared<Arguments>();
  std::function<int(Streams&, const Arguments&)> action;

  CLI::App* show = app.add_subcommand("show", "Show the bank's results, history and decisions");
  AddDiskOptions(show, arguments.get());
  show->add_flag("--json", arguments->json, "as JSON");
  show->callback([&action] { action = Show; });

  CLI::App* decide =
      app.add_subcommand("decide", "Save the bank's decisions for the coming quarter");
  AddDiskOptions(decide, arguments.get());
  decide->add_option("--set", arguments->settings, "KEY=VALUE, a decision");
  decide->add_flag("--not-ready", arguments->not_ready, "save as a draft, not as final");
  decide->add_option("--quarter", arguments->quarter,
                     "the decisions quarter meant; refused when the disk expects another");
  decide->callback([&action] { action = Decide; });

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    streams.out << app.help();
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    streams.err << error.what() << "\n";
    return kExitBadArguments;
  }
  return action(streams, *arguments);
}

}  // namespace qv::team
