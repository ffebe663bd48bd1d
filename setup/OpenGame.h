#pragma once

#include <functional>

#include "data/Session.h"
#include "setup/Login.h"

namespace qv {

// How opening a game ended.
enum class OpenGameResult {
  kOpened,
  kNoGame,        // no readable Global.qv in the folder
  kNeverStarted,  // a game whose creation never reached quarter 0
  kNotOpened,     // the login gave up
};

// Opens the game in `GamePath` as both front ends do: reads its Global.qv, refuses a folder
// without a game and a game that was never started, takes the record as the live game, then,
// when the game has an instructor name or password, asks `login` until the login is passed
// or given up. `login` answers how the login was left; a wrong name, a wrong password (after
// Retry) and Game Info ask again.
OpenGameResult OpenGameWithLogin(Session& session, const std::function<LoginCode()>& login);

}  // namespace qv
