#include "setup/NewGameFlow.h"

#include "newgame/CreateGame.h"
#include "platform/FileSystem.h"
#include "setup/SetupStore.h"

namespace qv {

void StoreSetupForms(Session& session, NewGameState& state, const SetupForms& forms) {
  StoreGameSetup(session, forms.game);
  StoreBankSetup(session, state, forms.banks);
  StoreEnvSetup(session, forms.environment);
}

GameFolder PrepareGameFolder(Session& session) {
  if (!session.files.MakeDirectories(session.GamePath).ok()) {
    return GameFolder::kNotMade;
  }
  if (GameExists(session) && !ConfirmReplaceGame(session)) {
    return GameFolder::kKept;
  }
  return GameFolder::kReady;
}

}  // namespace qv
