#pragma once

#include <string>

#include "desktop/SetupDialog.h"

class QLineEdit;

namespace qv {

// frmGameSetup: the game's title, number of banks, instructor, beginning economic period, and
// the folder the game is created in (not a numbered field: it is checked when the game is
// created).
class GameSetupDialog final : public SetupDialog {
 public:
  GameSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner);

  std::string folder() const;
  void set_folder(const std::string& folder);

 private:
  QLineEdit* folder_ = nullptr;
};

// frmBankSetup: one row per bank, rows above the game's number of banks disabled.
class BankSetupDialog final : public SetupDialog {
 public:
  BankSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner);

  // Enables the controls of rows 1..num_banks and disables the others.
  void EnableRows(int num_banks);
};

// frmEnvSetup: the sixteen regulatory limits; also shown alone to change a running game's.
class EnvSetupDialog final : public SetupDialog {
 public:
  EnvSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner);
};

}  // namespace qv
