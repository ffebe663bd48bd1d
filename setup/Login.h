#pragma once

#include <string>

#include "data/GameRecord.h"

namespace qv {

class Ui;

// How the login dialog was left (`DialogCode`).
enum class LoginCode {
  kOpened = 1,
  kWrongName = 2,      // Retry after a wrong name: show the login again
  kWrongPassword = 3,  // Retry after a wrong password: show the login again
  kNotOpened = 4,
  kGameInfo = 5,
};

// True when opening the game needs the instructor's login.
bool NeedsLogin(const GameRecord& game);

// The OK button of the login: name first, then password, both without regard to letter
// case. A wrong entry asks Retry or Cancel under the title "Instructor Login".
LoginCode CheckLogin(Ui& ui, const GameRecord& game, const std::string& name,
                     const std::string& password);

}  // namespace qv
