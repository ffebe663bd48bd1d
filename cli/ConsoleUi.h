#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "cli/Commands.h"
#include "platform/Ui.h"

namespace qv::cli {

// How an unattended run settles a bank whose decisions are not ready: one of the dialog's
// options and, for the computer, its level.
struct FixFallback {
  FixChoice choice = FixChoice::kWait;
  int level = 2;
};

// The Ui of qvctl: every message box becomes a line on standard output. At a terminal the
// user answers; otherwise the command's policy answers, and where it has no answer the box's
// own default does, with a guard against loops: a disk request (OK/Cancel) is answered OK the
// first time and Cancel when the same request comes again, and a Yes/No question already
// answered once gets the other answer, so an unattended command always ends.
class ConsoleUi : public Ui {
 public:
  using Policy = std::function<std::optional<Answer>(const Message&)>;

  explicit ConsoleUi(Streams streams, Policy policy = {}, FixFallback fallback = FixFallback())
      : streams_(streams), policy_(std::move(policy)), fallback_(fallback) {}

  Answer Show(const Message& message) override;
  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override;
  int ChooseComputerLevel() override;

 private:
  Answer Unattended(const Message& message);
  Answer Ask(const Message& message);

  Streams streams_;
  Policy policy_;
  FixFallback fallback_;
  std::set<std::string> seen_;
};

// "Retry" for kRetry and so on, as the answer is printed after its question.
const char* AnswerName(Answer answer);

}  // namespace qv::cli
