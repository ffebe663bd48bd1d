#pragma once

#include <QDialog>

class QLineEdit;

namespace qv {

struct Session;

// frmLogin, the instructor's login that guards opening a game. Its boxes keep their text
// between shows.
class LoginDialog final : public QDialog {
 public:
  LoginDialog(Session& session, QWidget* parent);

  void ClearEntries();
  // Shows the login modally and returns how it was left (`LoginCode` as an int); closing it
  // from the window frame is a cancel.
  int ShowModal();

 private:
  void cmdOK_Click();

  Session& session_;
  QLineEdit* name_ = nullptr;
  QLineEdit* password_ = nullptr;
  int code_ = 0;
};

}  // namespace qv
