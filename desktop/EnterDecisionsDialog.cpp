#include "desktop/EnterDecisionsDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/DecisionForm.h"
#include "platform/Cp1252.h"
#include "platform/Ui.h"
#include "setup/InstructorDecisions.h"

namespace qv {

EnterDecisionsDialog::EnterDecisionsDialog(const Session& session, QWidget* parent)
    : QDialog(parent), scratch_(session) {
  setObjectName("frmEnterDecisions");
  setWindowTitle(tr("Enter Decisions for a Bank"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  banks_ = new QComboBox;
  banks_->setObjectName("cboBank");
  for (int b = 1; b <= scratch_.game.NumBanks; ++b) {
    if (CheckDecisionBank(scratch_.game, b).empty()) {
      banks_->addItem(QString("%1: %2").arg(b).arg(
                          QString::fromStdString(Cp1252ToUtf8(scratch_.game.BankName(b)))),
                      b);
    }
  }
  top->addWidget(
      new QLabel(tr("Decisions for quarter %1 of bank").arg(scratch_.game.ResultsQuarter + 1)));
  top->addWidget(banks_, 1);
  layout->addLayout(top);
  form_place_ = new QVBoxLayout;
  layout->addLayout(form_place_, 1);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(tr("OK"));
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"));
  cancel->setObjectName("cmdCancel");
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  resize(760, 640);

  connect(banks_, &QComboBox::currentIndexChanged, this, &EnterDecisionsDialog::ShowBank);
  connect(ok, &QPushButton::clicked, this, &EnterDecisionsDialog::Store);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowBank();
}

void EnterDecisionsDialog::Tell(const std::string& text) {
  scratch_.MessageText = text;
  (void)scratch_.ui.Show(Message{text, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
}

void EnterDecisionsDialog::ShowBank() {
  delete form_;
  form_ = nullptr;
  if (banks_->currentIndex() < 0) {
    return;
  }
  const int bank = banks_->currentData().toInt();
  BankDecisions start;
  if (std::string failed = LoadInstructorDecisions(scratch_, bank, &start); !failed.empty()) {
    Tell(failed);
    return;
  }
  form_ = new DecisionForm(scratch_, bank, this);
  form_place_->addWidget(form_);
  form_->SetDecisions(start);
}

void EnterDecisionsDialog::Store() {
  if (form_ == nullptr) {
    reject();
    return;
  }
  BankDecisions decisions;
  std::string message;
  if (!form_->Decisions(&decisions, &message)) {
    Tell(message);
    return;
  }
  if (std::string failed =
          StoreInstructorDecisions(scratch_, banks_->currentData().toInt(), decisions);
      !failed.empty()) {
    Tell(failed);
    return;
  }
  accept();
}

}  // namespace qv
