#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "cli/Commands.h"
#include "platform/Ui.h"

namespace qv::cli {

// Thrown when an unattended run has answered more questions than any real run asks.
class UnattendedLoop : public std::runtime_error {
 public:
  UnattendedLoop()
      : std::runtime_error("the same questions keep coming; nobody is there to answer") {}
};

// How an unattended run settles a bank whose decisions are not ready: one of the dialog's
// options and, for the computer, its level.
struct FixFallback {
  FixChoice choice = FixChoice::kWait;
  int level = 2;
};

// The Ui of qvctl: every message box becomes a line on standard output. At a terminal the
// user answers; otherwise the command's policy answers, and where it has no answer the box's
// own default does, with a guard against loops: a request (OK/Cancel) is answered OK the first
// two times it comes, since a disk is asked for once to be read and once to be written back,
// and Cancel after that; a Yes/No question gets its default first and then the two answers in
// turn. Should questions still keep coming, the command gives up with `UnattendedLoop`.
class ConsoleUi : public Ui {
 public:
  using Policy = std::function<std::optional<Answer>(const Message&)>;

  // `on_error` answers the dialog for a bank whose results could not be calculated, whose
  // disk's decisions are not on offer; `fallback` answers the others.
  explicit ConsoleUi(Streams streams, Policy policy = {}, FixFallback fallback = FixFallback(),
                     FixFallback on_error = FixFallback())
      : streams_(std::move(streams)),
        policy_(std::move(policy)),
        fallback_(fallback),
        on_error_(on_error) {}

  Answer Show(const Message& message) override;
  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override;
  int ChooseComputerLevel() override;
  // A line per step while a person watches at a terminal; nothing for a pipe or a script.
  void Progress(const std::string& step) override;

 private:
  Answer Unattended(const Message& message);
  Answer Ask(const Message& message);

  Streams streams_;
  Policy policy_;
  FixFallback fallback_;
  FixFallback on_error_;
  int level_ = 2;  // of the fallback that answered the last fix-decisions dialog
  static constexpr int kDiskRequestsAnswered = 2;
  static constexpr int kMostUnattendedAnswers = 1000;
  int answered_ = 0;
  std::map<std::string, int> times_seen_;
};

// "Retry" for kRetry and so on, as the answer is printed after its question.
const char* AnswerName(Answer answer);

}  // namespace qv::cli
