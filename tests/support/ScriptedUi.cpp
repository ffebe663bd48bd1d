#include "tests/support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace qv::test {

Answer ScriptedUi::Show(const Message& message) {
  shown_.push_back(message);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message: \"" << message.text << "\"";
    return Answer::kClosed;
  }
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> ScriptedUi::texts() const {
  std::vector<std::string> all;
  for (const Message& message : shown_) {
    all.push_back(message.text);
  }
  return all;
}

}  // namespace qv::test
