#include "data/GameFiles.h"

#include "data/Messages.h"
#include "platform/Ui.h"

namespace qv {

void SelectFileDir(Session& session, int index) {
  session.CurrentPath = index == 0 ? session.GamePath : session.game.DiskPath(index);
}

namespace {

bool AskRetry(Session& session, const char* text) {
  const Answer answer = Tell(session, text, Buttons::kRetryCancel, Icon::kExclamation);
  // Only Retry is a request to try again; a box closed from its frame gives up too.
  session.Cancelled = answer != Answer::kRetry;
  return session.Cancelled;
}

}  // namespace

bool AskRetryRead(Session& session) {
  return AskRetry(session, "Error Reading File");
}

bool AskRetryWrite(Session& session) {
  return AskRetry(session, "Error Writing File");
}

bool RunFileRoutine(Session& session, Transfer direction, const std::string& full_name,
                    const std::function<Status()>& body) {
  const char* prefix = direction == Transfer::kRead ? "Cannot read file " : "Cannot write file ";
  for (;;) {
    if (body().ok()) {
      return true;
    }
    const Answer answer =
        Tell(session, prefix + full_name, Buttons::kRetryCancel, Icon::kExclamation);
    if (answer != Answer::kRetry) {
      return false;
    }
  }
}

}  // namespace qv
