#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace qv::test {

// Answers message boxes from a script and records every message it was shown, so tests can
// assert the exact texts and their order. A message or dialog with no scripted answer throws
// std::runtime_error, which ends the test as a failure naming the text, so nothing can loop.
class ScriptedUi : public Ui {
 public:
  ScriptedUi& Then(Answer answer) {
    answers_.push_back({answer, nullptr});
    return *this;
  }
  // Answers the next question after running `act`, which plays what the person does
  // meanwhile (inserts another disk, ...).
  ScriptedUi& ThenDo(std::function<void()> act, Answer answer) {
    answers_.push_back({answer, std::move(act)});
    return *this;
  }
  // Boxes with only an OK button are answered without a script (they are still recorded).
  ScriptedUi& AcknowledgeOkBoxes() {
    acknowledge_ok_ = true;
    return *this;
  }

  ScriptedUi& ThenFix(FixChoice choice) {
    fixes_.push_back(choice);
    return *this;
  }
  ScriptedUi& ThenLevel(int level) {
    levels_.push_back(level);
    return *this;
  }

  Answer Show(const Message& message) override;
  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override;
  int ChooseComputerLevel() override;

  // The labels of the fix-decisions dialogs shown, in order.
  const std::vector<std::string>& fix_labels() const { return fix_labels_; }

  const std::vector<Message>& shown() const { return shown_; }
  std::vector<std::string> texts() const;
  bool script_used_up() const { return answers_.empty() && fixes_.empty() && levels_.empty(); }

 private:
  struct Step {
    Answer answer;
    std::function<void()> act;
  };
  std::deque<Step> answers_;
  bool acknowledge_ok_ = false;
  std::deque<FixChoice> fixes_;
  std::deque<int> levels_;
  std::vector<std::string> fix_labels_;
  std::vector<Message> shown_;
};

}  // namespace qv::test
