#include "desktop/StartupDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/GameDiscovery.h"
#include "platform/Ui.h"

namespace qv {

StartupDialog::StartupDialog(QWidget* owner) : QDialog(owner) {
  setObjectName("frmStartup");
  setModal(true);
  setWindowTitle(kAppTitle);
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel("Warning:  No Quorvant Game was Found", this);
  heading_->setObjectName("lblLabel1");
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  location_ = new QLabel(this);
  location_->setObjectName("lblLabel2");
  location_->setTextFormat(Qt::PlainText);
  layout->addWidget(heading_);
  layout->addWidget(location_);
  layout->addSpacing(8);
  const char* captions[4] = {"Open the Quorvant Game Found at this Location:",
                             "Browse the File System for a Quorvant Game to Open",
                             "Start a New Quorvant Game", "Do Not Open a Quorvant Game Now"};
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    options_[i] = new QRadioButton(captions[i], this);
    options_[i]->setObjectName(QString("optOption%1").arg(i + 1));
    group->addButton(options_[i], i + 1);
    layout->addWidget(options_[i]);
  }
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = new QPushButton("Continue", this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  row->addWidget(ok);
  layout->addSpacing(8);
  layout->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void StartupDialog::ShowFound(const std::optional<std::string>& search_path) {
  if (!search_path) {
    heading_->setText("No Quorvant Game was Found");
    location_->setText("Please Select One of the Following:");
    options_[1]->setChecked(true);
    options_[0]->setVisible(false);
    return;
  }
  heading_->setText(QString::fromStdString(FoundGameHeading(*search_path)));
  location_->setText(QString::fromStdString(ShortenLocation(*search_path)));
  options_[0]->setChecked(true);
}

bool StartupDialog::Ask() {
  return exec() == QDialog::Accepted;
}

StartupDialog::Choice StartupDialog::choice() const {
  for (int i = 0; i < 4; ++i) {
    if (options_[i]->isChecked()) {
      return static_cast<Choice>(i + 1);
    }
  }
  return Choice::kNothing;
}

}  // namespace qv
