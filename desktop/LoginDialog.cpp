#include "desktop/LoginDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/Session.h"
#include "platform/Cp1252.h"
#include "setup/Login.h"

namespace qv {

namespace {

// A typed entry in the game's single-byte text; a character the game cannot hold can never
// match, so it is kept as typed.
std::string GameEntry(const QString& text) {
  const std::string utf8 = text.toStdString();
  std::string cp1252;
  return Utf8ToCp1252(utf8, &cp1252) ? cp1252 : utf8;
}

}  // namespace

LoginDialog::LoginDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("frmLogin");
  setWindowTitle("Quorvant Instructor Login");
  setModal(true);
  auto* grid = new QGridLayout(this);
  auto* name_label = new QLabel("&Instructor:", this);
  name_label->setObjectName("lblLabels(0)");
  name_ = new QLineEdit(this);
  name_->setObjectName("txtUserName");
  name_label->setBuddy(name_);
  auto* password_label = new QLabel("&Password:", this);
  password_label->setObjectName("lblLabels(1)");
  password_ = new QLineEdit(this);
  password_->setObjectName("txtPassword");
  password_->setEchoMode(QLineEdit::Password);
  password_label->setBuddy(password_);
  grid->addWidget(name_label, 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(password_label, 1, 0);
  grid->addWidget(password_, 1, 1);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cmdCancel");
  auto* info = new QPushButton("Game Info...", this);
  info->setObjectName("cmdLoginInfo");
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(info);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnMinimumWidth(1, 220);

  connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cancel, &QPushButton::clicked, this,
          [this] { done(static_cast<int>(LoginCode::kNotOpened)); });
  connect(info, &QPushButton::clicked, this,
          [this] { done(static_cast<int>(LoginCode::kGameInfo)); });
}

void LoginDialog::ClearEntries() {
  name_->clear();
  password_->clear();
}

int LoginDialog::ShowModal() {
  const int code = exec();
  // Closing from the window frame (or Escape) rejects with 0: not opened.
  return code == 0 ? static_cast<int>(LoginCode::kNotOpened) : code;
}

void LoginDialog::cmdOK_Click() {
  const LoginCode code = CheckLogin(session_.ui, session_.game, GameEntry(name_->text()),
                                    GameEntry(password_->text()));
  QLineEdit* wrong = code == LoginCode::kWrongName       ? name_
                     : code == LoginCode::kWrongPassword ? password_
                                                         : nullptr;
  if (wrong != nullptr) {
    wrong->setFocus();
    wrong->selectAll();
  }
  done(static_cast<int>(code));
}

}  // namespace qv
