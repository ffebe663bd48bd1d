#pragma once

#include <QDialog>

#include "data/Session.h"

class QComboBox;
class QVBoxLayout;

namespace qv {

class DecisionForm;

// "Enter Decisions for a Bank" (frmEnterDecisions): the instructor picks a human-managed bank
// (cboBank), keys in its decisions for the coming quarter in the team's own form, and OK
// (cmdOK) stores them in the game directory; the next advance takes them in place of the
// bank's disk. Cancel (cmdCancel) stores nothing. Works on a copy of `session`, so the open
// game stays as it is.
class EnterDecisionsDialog final : public QDialog {
 public:
  EnterDecisionsDialog(const Session& session, QWidget* parent = nullptr);

 private:
  void ShowBank();
  void Store();
  void Tell(const std::string& text);

  Session scratch_;
  QComboBox* banks_ = nullptr;
  QVBoxLayout* form_place_ = nullptr;
  DecisionForm* form_ = nullptr;
};

}  // namespace qv
