#pragma once

#include <string>
#include <string_view>

#include "data/Session.h"
#include "platform/Ui.h"

namespace qv {

// Keeps `text` as the session's `MessageText` and shows it through the Ui port under the
// program's title. Returns the button chosen.
// `detail` is shown under the text (the folder a disk prompt means) and is not part of it.
Answer Tell(Session& session, std::string text, Buttons buttons, Icon icon, int default_button = 1,
            std::string detail = {});

// A message with only an OK button.
void Tell(Session& session, std::string text, Icon icon);

// Shows "Quorvant <where> Error <number>" with an OK button for a run-time error caught at
// `where`, which names the procedure as the message does ("Sub AdvanceGame",
// "CalcPeriod0 Module").
void ReportRuntimeError(Session& session, std::string_view where, int number);

}  // namespace qv
