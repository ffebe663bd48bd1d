#include "desktop/AdvanceDialogs.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr std::array<const char*, 4> kFixOptions = {
    "Use the Decisions on the Disk",
    "Use the Decisions Made for this Bank Last Quarter",
    "Wait for Decisions (Abort)",
    "Have the Computer Make the Decisions for this Bank",
};

constexpr std::array<const char*, 3> kLevelOptions = {
    "Beginner - Level 1",
    "Intermediate - Level 2",
    "Expert - Level 3",
};

// A dialog of a label, one exclusive group of options (a control array `optOption`) and an OK
// button, filling `options`.
template <std::size_t N>
void BuildChoice(QDialog* dialog, const char* form_name, const QString& label,
                 const std::array<const char*, N>& captions,
                 std::array<QRadioButton*, N>* options) {
  dialog->setObjectName(form_name);
  dialog->setWindowTitle(kAppTitle);
  dialog->setModal(true);
  dialog->setMinimumWidth(440);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QLabel(label, dialog);
  text->setObjectName("lblLabel1");
  text->setWordWrap(true);
  QFont bold = text->font();
  bold.setBold(true);
  text->setFont(bold);
  layout->addWidget(text);
  layout->addSpacing(6);
  auto* group = new QButtonGroup(dialog);
  for (std::size_t i = 0; i < N; ++i) {
    auto* option = new QRadioButton(captions[i], dialog);
    option->setObjectName(QString("optOption(%1)").arg(i));
    group->addButton(option, static_cast<int>(i));
    layout->addWidget(option);
    (*options)[i] = option;
  }
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = new QPushButton("OK", dialog);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  row->addWidget(ok);
  layout->addSpacing(6);
  layout->addLayout(row);
}

}  // namespace

FixDecisionsDialog::FixDecisionsDialog(const QString& label, bool disk_readable, QWidget* parent)
    : QDialog(parent) {
  BuildChoice(this, "frmFixDecisions", label, kFixOptions, &options_);
  options_[0]->setVisible(disk_readable);
  options_[disk_readable ? 0 : 1]->setChecked(true);
}

FixChoice FixDecisionsDialog::Choose() {
  if (exec() != QDialog::Accepted) {
    return FixChoice::kClosed;
  }
  for (std::size_t i = 0; i < options_.size(); ++i) {
    if (options_[i]->isChecked()) {
      return static_cast<FixChoice>(i);
    }
  }
  return FixChoice::kClosed;
}

ComputerLevelDialog::ComputerLevelDialog(QWidget* parent) : QDialog(parent) {
  BuildChoice(this, "frmComputerLevel", "Choose Computer Expertise Level", kLevelOptions,
              &options_);
  options_[1]->setChecked(true);
}

int ComputerLevelDialog::Choose() {
  if (exec() != QDialog::Accepted) {
    return 0;
  }
  for (std::size_t i = 0; i < options_.size(); ++i) {
    if (options_[i]->isChecked()) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

}  // namespace qv
