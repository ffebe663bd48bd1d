#pragma once

#include <array>
#include <string>

namespace qv {

// What the three setup forms hold: the text of each box and the index of each list, as the
// instructor left them. The desktop program's widgets and qvctl's setup file both fill these;
// the setup rules read and, where the rules say so, rewrite them. Texts are UTF-8 here and
// become Windows-1252 when stored in the game.

// Game Setup.
struct GameSetupForm {
  std::string txtGname;
  std::string txtNoBanks;
  std::string txtInstName;
  std::string txtInstPW;
  std::string txtConfirm;
  int cboEnv = 0;  // 0 "Choose", 1 "Random"
  std::string txtBegin;
};

inline constexpr int kManagementHuman = 0;  // 1..3: computer levels

// One row of Bank Setup.
struct BankSetupRow {
  std::string txtCol2;  // bank name
  int cboCol3 = kManagementHuman;
  std::string txtCol4;           // president's name
  std::string txtCol5;           // bank password
  int cboCol6 = 0;               // bank type - 1
  std::string txtCol7 = "a:\\";  // disk path
};

// Bank Setup: rows 0..9 for banks 1..10.
struct BankSetupForm {
  std::array<BankSetupRow, 10> rows;
};

// Environment Setup.
struct EnvSetupForm {
  std::array<std::string, 8> txtCol2;  // maximum loan rates 0..3, maximum deposit rates 4..7
  std::array<std::string, 4> txtCol4;  // reserve requirements
  std::string txtCapAdeq;
  std::string txtFRB;
  std::string txtNotes;
  std::string txtTax;
};

// All three, as the new-game flow keeps them between its steps.
struct SetupForms {
  GameSetupForm game;
  BankSetupForm banks;
  EnvSetupForm environment;
};

inline constexpr int kGameSetupForm = 1;
inline constexpr int kBankSetupForm = 2;
inline constexpr int kEnvSetupForm = 3;

inline constexpr const char* kManagementNames[] = {"Human", "Computer1", "Computer2", "Computer3"};
inline constexpr const char* kBankTypeNames[] = {"Full Service", "Consumer", "Business",
                                                 "Turnaround"};

}  // namespace qv
