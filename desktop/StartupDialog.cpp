#include "desktop/StartupDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/ContextHelp.h"
#include "desktop/GameDiscovery.h"
#include "platform/Ui.h"

namespace qv {

StartupDialog::StartupDialog(QWidget* owner) : QDialog(owner) {
  setObjectName("frmStartup");
  setModal(true);
  setWindowTitle(kAppTitle);
  SetContextHelp(this, "startup");
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
  options_[4] = new QRadioButton("Open a Recent Quorvant Game:", this);
  options_[4]->setObjectName("optOption5");
  group->addButton(options_[4], 5);
  layout->addWidget(options_[4]);
  recent_ = new QListWidget(this);
  recent_->setObjectName("lstRecent");
  layout->addWidget(recent_);
  connect(recent_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) {
      options_[4]->setChecked(true);
    }
  });
  connect(recent_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  ShowRecent({});
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

void StartupDialog::ShowRecent(const std::vector<std::string>& games) {
  recent_->clear();
  for (const std::string& game : games) {
    recent_->addItem(QString::fromStdString(game));
  }
  options_[4]->setVisible(!games.empty());
  recent_->setVisible(!games.empty());
}

std::string StartupDialog::recent_game() const {
  const QListWidgetItem* item = recent_->currentItem();
  return item == nullptr ? std::string() : item->text().toStdString();
}

bool StartupDialog::Ask() {
  return exec() == QDialog::Accepted;
}

StartupDialog::Choice StartupDialog::choice() const {
  for (int i = 0; i < 5; ++i) {
    if (options_[i]->isChecked()) {
      // A recent game must be picked from the list to be opened.
      if (i == 4 && recent_->currentItem() == nullptr) {
        return Choice::kNothing;
      }
      return static_cast<Choice>(i + 1);
    }
  }
  return Choice::kNothing;
}

}  // namespace qv
