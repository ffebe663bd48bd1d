#include <memory>
#include <string>

#include "advance/UndoAdvance.h"
#include "cli/GameCommands.h"
#include "data/QuarterArchive.h"
#include "platform/Cp1252.h"

namespace qv::cli {

namespace {

constexpr const char* kDiscardQuestionEnd =
    " holds decisions made after the last advance. Discard them?";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What the archive's note word for a bank's decisions says, as the instructor reads it. An
// archive of an older version has no word for decisions the instructor keyed in: they show as
// the disk's.
std::string SourceText(const std::string& word) {
  if (word == "disk") {
    return "the decisions on its disk";
  }
  if (word == "last") {
    return "last quarter's decisions";
  }
  if (word == "entered") {
    return "decisions entered by the instructor";
  }
  if (word.size() == 9 && word.compare(0, 8, "computer") == 0) {
    return "decisions made by the computer at level " + word.substr(8);
  }
  if (word == "unsettled") {
    return "no decisions settled";
  }
  return word.empty() ? "not recorded" : word;
}

}  // namespace

void AddUndoCommand(CommandLine& command_line, Action* action) {
  Command command = command_line.AddCommand(
      "undo", "Put the game and its bank disks back as they were before the last advance");
  auto directory = std::make_shared<std::string>();
  auto discard = std::make_shared<bool>(false);
  auto login = std::make_shared<Login>();
  command.AddOption("DIR", directory.get(), "the game directory").Required();
  command.AddFlag("--discard-decisions", discard.get(),
                  "also put back a bank disk that holds decisions made since the advance");
  AddLoginOptions(command, login.get());
  command.OnChosen([=] {
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

void AddHistoryCommand(CommandLine& command_line, Action* action) {
  AddOpenGameCommand(
      command_line, action, "history",
      "List the archived quarters an undo can go back to, with where each bank's decisions came "
      "from",
      [](Session& session, Streams& streams) {
        std::vector<int> quarters;
        if (!ListQuarters(session.files, session.GamePath, &quarters).ok()) {
          streams.err << "The quarter archive cannot be read.\n";
          return kExitFailed;
        }
        for (const int quarter : quarters) {
          if (quarter < 0 || quarter >= session.game.ResultsQuarter) {
            continue;
          }
          streams.out << "Quarter " << quarter + 1 << ", advanced from quarter " << quarter;
          JournalEntry entry;
          std::vector<std::string> contents;
          if (!OpenQuarter(session.files, session.GamePath, quarter, 0, &entry, &contents).ok()) {
            streams.out << ": the archive entry is damaged\n";
            continue;
          }
          streams.out << " on " << NoteValue(entry, "date") << " (seed " << NoteValue(entry, "seed")
                      << ")\n";
          for (int b = 1; b <= session.game.NumBanks; ++b) {
            streams.out << "  Bank " << b << ": " << Cp1252ToUtf8(session.game.BankName(b)) << ": "
                        << SourceText(NoteValue(entry, "bank " + std::to_string(b))) << "\n";
          }
        }
        return kExitOk;
      },
      GameAccess::kRead);
}

}  // namespace qv::cli
