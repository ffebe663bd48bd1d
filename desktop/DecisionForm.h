#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "data/Session.h"
#include "setup/DecisionItems.h"

class QLabel;
class QLineEdit;

namespace qv {

// The decision form of the team's program and of the instructor's "Enter Decisions for a
// Bank": one box per group of items, and a row per item with its label, the value typed
// (`txt_<key>`), its unit, the range the results engine accepts (`lblRange_<key>`) and the
// value the engine will use (`lblEffective_<key>`), kept current as the values change. A
// policy limit takes "none" for no limit. Items without a meaning are carried as they came.
// `session` (the game's tables as last written) must outlive the form.
class DecisionForm final : public QWidget {
 public:
  DecisionForm(const Session& session, int bank, QWidget* parent = nullptr);

  void SetDecisions(const BankDecisions& decisions);

  // The decisions as typed; false, with the message for the user, when a box holds no number.
  bool Decisions(BankDecisions* decisions, std::string* message) const;

 private:
  struct Row {
    const DecisionItem* item;
    QLineEdit* value;
    QLabel* range;
    QLabel* effective;
  };
  // The values typed, over those last set where a box holds no number; `refused` is the
  // first such item, or nullptr.
  BankDecisions Typed(const DecisionItem** refused) const;
  void Refresh();

  const Session& session_;
  int bank_;
  BankDecisions carried_;
  std::map<int, Row> rows_;  // by item number
};

}  // namespace qv
