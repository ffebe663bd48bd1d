#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/GameCommands.h"
#include "platform/Cp1252.h"
#include "platform/RuntimeError.h"
#include "reports/GameQuarters.h"
#include "reports/LiveQuarterSource.h"
#include "reports/QuarterlyReport.h"
#include "reports/ResultsExport.h"

namespace qv::cli {

namespace {

struct ExportChoice {
  std::optional<int> quarter;  // none: the latest
  bool all = false;
  std::string format;  // "csv" or "json"; empty: from the output's name, else csv
  std::string output;  // empty: standard output
};

bool EndsWithJson(const std::string& name) {
  std::string tail = name.size() >= 5 ? name.substr(name.size() - 5) : name;
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".json";
}

// The quarters the choice names, or none with the reason shown when a quarter is not kept.
std::optional<std::vector<int>> ChosenQuarters(QuarterSource& source, const ExportChoice& choice,
                                               Streams& streams) {
  const std::vector<int> kept = source.Quarters();
  if (kept.empty()) {
    streams.err << "qvctl export: the game has no results to export\n";
    return std::nullopt;
  }
  if (choice.all) {
    return kept;
  }
  const int wanted = choice.quarter.value_or(kept.back());
  if (std::find(kept.begin(), kept.end(), wanted) == kept.end()) {
    streams.err << "qvctl export: quarter " << wanted << " is not kept; the game holds quarter";
    for (int quarter : kept) {
      streams.err << ' ' << quarter;
    }
    streams.err << "\n";
    return std::nullopt;
  }
  return std::vector<int>{wanted};
}

// The layout the printed report takes, so that the export has the report's rows.
std::optional<std::string> ReportLayout(Session& session, Streams& streams) {
  std::string layout;
  const std::string path = ReportLayoutPath(session);
  if (!session.files.ReadText(path, &layout).ok()) {
    streams.err << "Cannot read the report layout " << path << "\n";
    return std::nullopt;
  }
  return layout;
}

int ExportGame(Session& session, Streams& streams, const ExportChoice& choice) {
  const std::unique_ptr<QuarterSource> source = OpenQuarterSource(session);
  const std::optional<std::vector<int>> quarters = ChosenQuarters(*source, choice, streams);
  const std::optional<std::string> layout = ReportLayout(session, streams);
  if (!quarters || !layout) {
    return kExitFailed;
  }
  // A line per quarter while a person watches; a pipe or a script gets only the export.
  const ExportProgress progress = [&streams](int quarter, int position, int count) {
    if (streams.interactive) {
      streams.err << "Reading quarter " << quarter << " (" << position << " of " << count << ")\n";
    }
  };
  GameExport exported;
  try {
    if (!CollectGameExport(*source, *layout, *quarters, progress, &exported)) {
      streams.err << "qvctl export: the game files could not be read\n";
      return kExitFailed;
    }
  } catch (const RuntimeError& failure) {
    streams.err << "qvctl export: the report layout fails with error " << failure.number() << "\n";
    return kExitFailed;
  }
  const bool json =
      choice.format == "json" || (choice.format.empty() && EndsWithJson(choice.output));
  return WriteOutput(streams, choice.output, json ? ExportJson(exported) : ExportCsv(exported));
}

}  // namespace

int PrintReportJson(Session& session, Streams& streams, const std::string& layout_file,
                    const std::string& output) {
  std::string layout;
  const std::string path = layout_file.empty() ? ReportLayoutPath(session) : layout_file;
  if (!session.files.ReadText(path, &layout).ok()) {
    streams.err << "Cannot read the report layout " << path << "\n";
    return kExitFailed;
  }
  LiveQuarterSource source(session);
  QuarterTables tables;
  if (!source.Load(session.game.ResultsQuarter, &tables)) {
    return kExitFailed;
  }
  try {
    return WriteOutput(streams, output,
                       ReportJson(tables.game.GameName, BuildResultsTable(layout, tables)));
  } catch (const RuntimeError& failure) {
    streams.err << "Error Printing Report: " << failure.number() << "\n";
    return kExitFailed;
  }
}

void AddExportCommand(CommandLine& command_line, Action* action) {
  auto choice = std::make_shared<ExportChoice>();
  auto quarter = std::make_shared<int>(0);
  // Set once the option exists; the command runs only after the arguments parsed.
  auto quarter_option = std::make_shared<std::optional<CommandOption>>();
  Command command = AddOpenGameCommand(
      command_line, action, "export",
      "Export every report row of every bank, the market history and the decisions",
      [=](Session& session, Streams& streams) {
        if ((*quarter_option)->Given()) {
          choice->quarter = *quarter;
        }
        return ExportGame(session, streams, *choice);
      },
      GameAccess::kRead);
  *quarter_option =
      command.AddOption("--quarter", quarter.get(), "the results quarter N (default: the latest)");
  command.AddFlag("--all", &choice->all, "every quarter the game keeps").Excludes(**quarter_option);
  command
      .AddOption("--format", &choice->format,
                 "csv or json (default: json for a .json FILE, else csv)")
      .OneOf({"csv", "json"});
  command.AddOption("--output", &choice->output, "write to FILE instead of standard output");
}

}  // namespace qv::cli
