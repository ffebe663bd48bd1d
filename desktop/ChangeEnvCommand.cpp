#include "desktop/ChangeEnvCommand.h"

#include <QPushButton>

#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"
#include "desktop/SetupFormDialogs.h"
#include "platform/RuntimeError.h"
#include "setup/ChangeEnvironment.h"
#include "setup/EnvironmentFields.h"

namespace qv {

namespace {

constexpr int kEnvFields = 16;

Answer Tell(Session& session, const std::string& text, Buttons buttons, Icon icon) {
  session.MessageText = text;
  return session.ui.Show(Message{session.MessageText, kAppTitle, buttons, icon, 1});
}

// Shows the form until its fields pass or the instructor gives up; true when they passed.
bool EditEnvironment(Session& session, EnvSetupDialog& form, SetupState& setup) {
  int focus = 1;
  for (;;) {
    const int code = form.ShowModal(focus);
    if (code == kSetupPrevious || code == kSetupNext) {
      focus = form.Check(setup.SetupField) ? 0 : setup.SetupField;
      for (int field = 1; focus == 0 && field <= kEnvFields; ++field) {
        if (!form.Check(field)) {
          focus = field;
        }
      }
      if (focus == 0) {
        return code == kSetupNext;
      }
      continue;
    }
    if (code == kSetupCancel) {
      if (Tell(session, "Abort Changes to Environment?", Buttons::kYesNo, Icon::kExclamation) ==
          Answer::kYes) {
        return false;
      }
      focus = setup.SetupField;
      continue;
    }
    Tell(session, "Illegal return code in Sub ChangeEnv", Buttons::kOk, Icon::kNone);
    return false;
  }
}

}  // namespace

void ChangeEnv(MainWindow& window) {
  Session& session = window.program().session();
  session.ProceedOk = 0;
  try {
    Table<double, 84> environment;
    if (!ReadEnvironmentForChange(session, &environment)) {
      return;
    }
    SetupForms forms;
    FillEnvSetupForm(environment, &forms.environment);
    SetupState setup;
    bool accepted = false;
    {
      EnvSetupDialog form(session.ui, forms, setup, &window);
      form.previous_button()->hide();
      accepted = EditEnvironment(session, form, setup);
      form.hide();
      if (!accepted && setup.SetupCode == kSetupPrevious) {
        Tell(session, "Illegal Return Code in Sub ChangeEnv", Buttons::kOk, Icon::kNone);
      }
    }
    if (!accepted) {
      return;
    }
    StoreEnvSetupForm(forms.environment, &environment);
    session.ProceedOk = -1;
    // A write the instructor gives up on keeps the new values in memory only.
    static_cast<void>(SaveEnvironmentChanges(session, environment));
  } catch (const RuntimeError& error) {
    Tell(session, "Quorvant Sub ChangeEnv Error " + std::to_string(error.number()), Buttons::kOk,
         Icon::kExclamation);
    session.ProceedOk = 0;
  }
}

}  // namespace qv
