#pragma once

namespace qv {

class MainWindow;

// Creates a game through the three setup forms (game, banks, environment) as a wizard, asks for
// the game's folder to be replaced when it already holds a game, then creates and starts the
// game there and opens it in `window`. Sets `ProceedOk`: -1 when the game was created and
// started, 0 when the instructor gave up or an error occurred. A creation that fails returns to
// the game form with every entry kept.
void StartNewGame(MainWindow& window);

}  // namespace qv
