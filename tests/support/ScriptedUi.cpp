#include "tests/support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qv::test {

Answer ScriptedUi::Show(const Message& message) {
  shown_.push_back(message);
  if (acknowledge_ok_ && message.buttons == Buttons::kOk) {
    return Answer::kOk;
  }
  if (answers_.empty()) {
    throw std::runtime_error("unexpected message: \"" + message.text + "\"");
  }
  Step step = std::move(answers_.front());
  answers_.pop_front();
  if (step.act) {
    step.act();
  }
  return step.answer;
}

FixChoice ScriptedUi::ChooseFixDecisions(const std::string& label, bool disk_readable) {
  fix_labels_.push_back(label);
  if (fixes_.empty()) {
    throw std::runtime_error("unexpected fix-decisions dialog: \"" + label + "\"");
  }
  const FixChoice choice = fixes_.front();
  fixes_.pop_front();
  if (choice == FixChoice::kUseDisk && !disk_readable) {
    ADD_FAILURE() << "the disk option is hidden for \"" << label << "\"";
  }
  return choice;
}

int ScriptedUi::ChooseComputerLevel() {
  if (levels_.empty()) {
    throw std::runtime_error("unexpected computer-level dialog");
  }
  const int level = levels_.front();
  levels_.pop_front();
  return level;
}

std::vector<std::string> ScriptedUi::texts() const {
  std::vector<std::string> all;
  for (const Message& message : shown_) {
    all.push_back(message.text);
  }
  return all;
}

}  // namespace qv::test
