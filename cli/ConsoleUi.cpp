#include "cli/ConsoleUi.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "advance/FailedBanks.h"
#include "platform/Cp1252.h"

namespace qv::cli {

namespace {

struct Choice {
  char key;
  const char* label;
  Answer answer;
};

std::vector<Choice> ChoicesOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return {{'o', "[O]K", Answer::kOk}};
    case Buttons::kOkCancel:
      return {{'o', "[O]K", Answer::kOk}, {'c', "[C]ancel", Answer::kCancel}};
    case Buttons::kYesNo:
      return {{'y', "[Y]es", Answer::kYes}, {'n', "[N]o", Answer::kNo}};
    case Buttons::kRetryCancel:
      return {{'r', "[R]etry", Answer::kRetry}, {'c', "[C]ancel", Answer::kCancel}};
  }
  return {};
}

}  // namespace

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return "OK";
    case Answer::kCancel:
      return "Cancel";
    case Answer::kYes:
      return "Yes";
    case Answer::kNo:
      return "No";
    case Answer::kRetry:
      return "Retry";
    case Answer::kClosed:
      return "Closed";
  }
  return "";
}

Answer ConsoleUi::Show(const Message& message) {
  // A box breaks lines at a carriage return; on a terminal it would overwrite the line.
  std::string text;
  for (const char c : Cp1252ToUtf8(message.text)) {
    if (c == '\r') {
      text += '\n';
    } else if (c != '\n' || text.empty() || text.back() != '\n') {
      text += c;
    }
  }
  streams_.out << text << "\n";
  if (message.buttons == Buttons::kOk) {
    return Answer::kOk;
  }
  const Answer answer = streams_.interactive ? Ask(message) : Unattended(message);
  if (!streams_.interactive) {
    streams_.out << "  -> " << AnswerName(answer) << "\n";
  }
  return answer;
}

namespace {

constexpr const char* kFixOptions[] = {
    "Use the Decisions on the Disk", "Use the Decisions Made for this Bank Last Quarter",
    "Wait for Decisions (Abort)", "Have the Computer Make the Decisions for this Bank"};
constexpr const char* kLevelOptions[] = {"Beginner - Level 1", "Intermediate - Level 2",
                                         "Expert - Level 3"};

// Reads a number among `allowed` from the terminal; -1 at the end of the input.
int AskNumber(Streams& streams, int first, int last) {
  for (;;) {
    streams.out << "  Choose " << first << "-" << last << ": " << std::flush;
    std::string line;
    if (!std::getline(streams.in, line)) {
      return -1;
    }
    if (line.size() == 1 && line[0] >= '0' + first && line[0] <= '0' + last) {
      return line[0] - '0';
    }
  }
}

}  // namespace

FixChoice ConsoleUi::ChooseFixDecisions(const std::string& label, bool disk_readable) {
  streams_.out << Cp1252ToUtf8(label) << "\n";
  if (!streams_.interactive) {
    const FixFallback& fallback =
        label.starts_with(kCalculationFailurePrefix) ? on_error_ : fallback_;
    level_ = fallback.level;
    FixChoice choice = fallback.choice;
    if (choice == FixChoice::kUseDisk && !disk_readable) {
      choice = FixChoice::kWait;  // the disk's decisions are not there to use
    }
    streams_.out << "  -> " << kFixOptions[static_cast<int>(choice)] << "\n";
    return choice;
  }
  for (int option = disk_readable ? 0 : 1; option < 4; ++option) {
    streams_.out << "  " << option << " " << kFixOptions[option] << "\n";
  }
  const int chosen = AskNumber(streams_, disk_readable ? 0 : 1, 3);
  return chosen < 0 ? FixChoice::kClosed : static_cast<FixChoice>(chosen);
}

void ConsoleUi::Progress(const std::string& step) {
  if (streams_.interactive) {
    streams_.err << Cp1252ToUtf8(step) << "\n";
  }
}

int ConsoleUi::ChooseComputerLevel() {
  streams_.out << "Choose Computer Expertise Level\n";
  if (!streams_.interactive) {
    streams_.out << "  -> " << kLevelOptions[level_ - 1] << "\n";
    return level_;
  }
  for (int level = 1; level <= 3; ++level) {
    streams_.out << "  " << level << " " << kLevelOptions[level - 1] << "\n";
  }
  const int chosen = AskNumber(streams_, 1, 3);
  return chosen < 0 ? 0 : chosen;
}

Answer ConsoleUi::Unattended(const Message& message) {
  if (policy_) {
    if (const auto decided = policy_(message)) {
      return *decided;
    }
  }
  if (++answered_ > kMostUnattendedAnswers) {
    throw UnattendedLoop();
  }
  const int times = ++times_seen_[message.text];
  const std::vector<Choice> choices = ChoicesOf(message.buttons);
  switch (message.buttons) {
    case Buttons::kOkCancel:
      // A disk is asked for twice in a run: to read it and to write it back.
      return times <= kDiskRequestsAnswered ? Answer::kOk : Answer::kCancel;
    case Buttons::kRetryCancel:
      // Nothing changes between two unattended tries, so retrying cannot help.
      return Answer::kCancel;
    case Buttons::kYesNo: {
      // The default first, then the two answers in turn, so that a question which keeps
      // coming back is sooner or later answered the way that leaves the loop.
      const std::size_t preferred = message.default_button == 2 ? 1 : 0;
      return choices[times % 2 == 1 ? preferred : 1 - preferred].answer;
    }
    case Buttons::kOk:
      break;
  }
  return Answer::kOk;
}

Answer ConsoleUi::Ask(const Message& message) {
  const std::vector<Choice> choices = ChoicesOf(message.buttons);
  for (;;) {
    streams_.out << " ";
    for (const Choice& choice : choices) {
      streams_.out << " " << choice.label;
    }
    streams_.out << "? " << std::flush;
    std::string line;
    if (!std::getline(streams_.in, line)) {
      return Answer::kClosed;
    }
    const char key =
        line.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    for (const Choice& choice : choices) {
      if (choice.key == key) {
        return choice.answer;
      }
    }
  }
}

}  // namespace qv::cli
