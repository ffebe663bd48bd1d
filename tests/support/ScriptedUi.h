#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace qv::test {

// Answers message boxes from a script and records every message it was shown, so tests can
// assert the exact texts and their order. A message with no scripted answer fails the test
// and is answered as closed from the window frame, so nothing can loop forever.
class ScriptedUi : public Ui {
 public:
  ScriptedUi& Then(Answer answer) {
    answers_.push_back(answer);
    return *this;
  }

  Answer Show(const Message& message) override;

  const std::vector<Message>& shown() const { return shown_; }
  std::vector<std::string> texts() const;
  bool script_used_up() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  std::vector<Message> shown_;
};

}  // namespace qv::test
