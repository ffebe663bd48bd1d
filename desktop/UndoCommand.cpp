#include "desktop/UndoCommand.h"

#include <string>

#include "advance/UndoAdvance.h"
#include "data/GameJournal.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"

namespace qv {

bool CanUndoAdvance(Session& session) {
  int quarter = 0;
  std::string why;
  return UndoTarget(session, &quarter, &why);
}

void UndoAdvance(MainWindow& window) {
  Instructor& program = window.program();
  Session& session = program.session();
  if (!program.state().GameActive) {
    return;
  }
  int quarter = 0;
  std::string why;
  if (!UndoTarget(session, &quarter, &why)) {
    Tell(session, why, Icon::kExclamation);
    return;
  }
  // Undoing throws away a quarter's results: No is the default.
  if (Tell(session,
           "Are you sure you want to undo the last advance? The game goes back to quarter " +
               std::to_string(quarter) + ".",
           Buttons::kYesNo, Icon::kExclamation, 2) != Answer::kYes) {
    return;
  }
  const Status undone = UndoLastAdvance(session, quarter);
  // With the marker still there the game files stand between two quarters; whoever opens the
  // game next puts them back, so the game must not stay open meanwhile.
  if (session.files.Exists(JoinPath(session.GamePath, kJournalFileName))) {
    Tell(session,
         "The advance was not undone: " + undone.detail() +
             ". The game was closed; open it again to finish putting it back.",
         Icon::kExclamation);
    window.mnuFileClose_Click();
    return;
  }
  if (!ReadGlobalFile(session, 0)) {
    Tell(session, "The game's Global.qv cannot be read after the undo; the game was closed.",
         Icon::kExclamation);
    window.mnuFileClose_Click();
    return;
  }
  ApplyGlobalRecord(session);
  session.ui.GameChanged();
  if (!undone.ok()) {
    Tell(session, "The advance was not undone: " + undone.detail(), Icon::kExclamation);
    return;
  }
  Tell(session, "The game is back at quarter " + std::to_string(quarter) + ".", Icon::kInformation);
}

}  // namespace qv
