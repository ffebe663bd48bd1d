#include "data/Messages.h"

#include <utility>

namespace qv {

Answer Tell(Session& session, std::string text, Buttons buttons, Icon icon, int default_button,
            std::string detail) {
  session.MessageText = std::move(text);
  return session.ui.Show(
      Message{session.MessageText, kAppTitle, buttons, icon, default_button, std::move(detail)});
}

void Tell(Session& session, std::string text, Icon icon) {
  Tell(session, std::move(text), Buttons::kOk, icon);
}

void ReportRuntimeError(Session& session, std::string_view where, int number) {
  Tell(session, "Quorvant " + std::string(where) + " Error " + std::to_string(number), Buttons::kOk,
       Icon::kExclamation);
}

}  // namespace qv
