#include "data/GameFiles.h"

#include "platform/Ui.h"

namespace qv {

void SelectFileDir(Session& session, int index) {
  session.CurrentPath = index == 0 ? session.GamePath : session.game.DiskPath(index);
}

namespace {

bool AskRetry(Session& session, const char* text) {
  session.MessageText = text;
  const Answer answer = session.ui.Show(
      Message{session.MessageText, kAppTitle, Buttons::kRetryCancel, Icon::kExclamation, 1});
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
    session.MessageText = prefix + full_name;
    const Answer answer = session.ui.Show(
        Message{session.MessageText, kAppTitle, Buttons::kRetryCancel, Icon::kExclamation, 1});
    if (answer != Answer::kRetry) {
      return false;
    }
  }
}

}  // namespace qv
