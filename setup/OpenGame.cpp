#include "setup/OpenGame.h"

#include "data/GlobalFile.h"

namespace qv {

OpenGameResult OpenGameWithLogin(Session& session, const std::function<LoginCode()>& login) {
  if (!ReadGlobalFile(session, 0)) {
    return OpenGameResult::kNoGame;
  }
  if (session.shadow.ResultsQuarter == -1) {
    return OpenGameResult::kNeverStarted;
  }
  ApplyGlobalRecord(session);
  if (!NeedsLogin(session.game)) {
    return OpenGameResult::kOpened;
  }
  for (;;) {
    switch (login()) {
      case LoginCode::kOpened:
        return OpenGameResult::kOpened;
      case LoginCode::kWrongName:
      case LoginCode::kWrongPassword:
      case LoginCode::kGameInfo:
        continue;
      case LoginCode::kNotOpened:
        return OpenGameResult::kNotOpened;
    }
  }
}

}  // namespace qv
