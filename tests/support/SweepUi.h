#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace qv::test {

// Answers whatever an advance asks when its files fail under it, so that every run ends: disk
// requests OK a few times and then Cancel, retries Cancel, every yes/no Yes (give up, omit the
// disk), a bank whose decisions cannot be read `fix` (abort by default).
class SweepUi : public Ui {
 public:
  explicit SweepUi(FixChoice fix = FixChoice::kWait) : fix_(fix) {}
  Answer Show(const Message& message) override {
    texts.push_back(message.text);
    switch (message.buttons) {
      case Buttons::kOk:
        return Answer::kOk;
      case Buttons::kOkCancel:
        return ++asked_[message.text] <= 3 ? Answer::kOk : Answer::kCancel;
      case Buttons::kYesNo:
        return Answer::kYes;
      case Buttons::kRetryCancel:
        return Answer::kCancel;
    }
    return Answer::kCancel;
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return fix_; }
  int ChooseComputerLevel() override { return 1; }

  std::vector<std::string> texts;

 private:
  FixChoice fix_;
  std::map<std::string, int> asked_;
};

}  // namespace qv::test
