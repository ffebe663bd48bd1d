#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "advance/UndoAdvance.h"
#include "cli/GameCommands.h"
#include "data/QuarterArchive.h"

namespace qv::cli {

namespace {

constexpr const char* kDiscardQuestionEnd =
    " holds decisions made after the last advance. Discard them?";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void AddUndoCommand(CLI::App& app, Action* action) {
  CLI::App* command = app.add_subcommand(
      "undo", "Put the game and its bank disks back as they were before the last advance");
  auto directory = std::make_shared<std::string>();
  auto discard = std::make_shared<bool>(false);
  auto login = std::make_shared<Login>();
  command->add_option("DIR", *directory, "the game directory")->required();
  command->add_flag("--discard-decisions", *discard,
                    "also put back a bank disk that holds decisions made since the advance");
  AddLoginOptions(command, login.get());
  command->callback([=] {
    *action = [=](Streams& streams) {
      ConsoleUi::Policy policy = [=](const Message& message) -> std::optional<Answer> {
        if (EndsWith(message.text, kDiscardQuestionEnd)) {
          return *discard ? Answer::kYes : Answer::kNo;
        }
        return std::nullopt;
      };
      Tool tool(streams, *directory, std::nullopt, policy);
      if (!tool.TakeGame(streams, "undo") || !OpenGame(tool, streams, *login)) {
        return kExitFailed;
      }
      Session& session = tool.session();
      int quarter = 0;
      std::string why;
      if (!UndoTarget(session, &quarter, &why)) {
        streams.err << why << "\n";
        return kExitFailed;
      }
      const Status undone = UndoLastAdvance(session, quarter);
      if (!undone.ok()) {
        streams.err << "The advance was not undone: " << undone.detail() << "\n";
        return kExitFailed;
      }
      streams.out << "The game is back at quarter " << quarter << ".\n";
      return kExitOk;
    };
  });
}

void AddHistoryCommand(CLI::App& app, Action* action) {
  AddOpenGameCommand(
      app, action, "history", "List the archived quarters an undo can go back to",
      [](Session& session, Streams& streams) {
        std::vector<int> quarters;
        if (!ListQuarters(session.files, session.GamePath, &quarters).ok()) {
          streams.err << "The quarter archive cannot be read.\n";
          return kExitFailed;
        }
        streams.out << "Quarter  Advanced          Seed                  Decisions\n";
        for (const int quarter : quarters) {
          if (quarter < 0 || quarter >= session.game.ResultsQuarter) {
            continue;
          }
          JournalEntry entry;
          std::vector<std::string> contents;
          if (!OpenQuarter(session.files, session.GamePath, quarter, 0, &entry, &contents).ok()) {
            streams.out << quarter << "  (damaged)\n";
            continue;
          }
          std::string sources;
          for (int b = 1; b <= session.game.NumBanks; ++b) {
            sources += (b > 1 ? " " : "") + std::to_string(b) + ":" +
                       NoteValue(entry, "bank " + std::to_string(b));
          }
          char line[96];
          std::snprintf(line, sizeof line, "%7d  %-16s  %-20s  ", quarter,
                        NoteValue(entry, "date").c_str(), NoteValue(entry, "seed").c_str());
          streams.out << line << sources << "\n";
        }
        return kExitOk;
      });
}

}  // namespace qv::cli
