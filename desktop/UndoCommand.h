#pragma once

namespace qv {

class MainWindow;
struct Session;

// True when the open game's archive holds a quarter that an undo can go back to.
bool CanUndoAdvance(Session& session);

// Undo Last Advance: asks, naming the quarter the game goes back to, then puts the game and
// every bank disk that can be reached back as they were before the last advance, reads the
// game again so that every view of it follows, and says what it did. An undo that stopped
// half way closes the game: opening it again finishes putting it back.
void UndoAdvance(MainWindow& window);

}  // namespace qv
