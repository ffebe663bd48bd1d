#include "setup/ChangeEnvironment.h"

#include "data/BanksFile.h"
#include "data/Items.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qv {

namespace {

bool AskRetry(Session& session, const char* text) {
  session.MessageText = text;
  return session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kRetryCancel,
                                 Icon::kExclamation, 1}) == Answer::kRetry;
}

}  // namespace

bool ReadEnvironmentForChange(Session& session, Table<double, 84>* environment) {
  while (!ReadEnvironmentRecords(session, environment)) {
    if (!AskRetry(session, "Could not read the environment file")) {
      return false;
    }
  }
  return true;
}

bool SaveEnvironmentChanges(Session& session, const Table<double, 84>& environment) {
  session.tables.Environment = environment;
  session.tables.TaxRate = ToSingle(environment(environment::kTaxRate));
  while (!WriteEnvironmentRecords(session, environment)) {
    if (!AskRetry(session, "Could not save changes to the environment")) {
      return false;
    }
  }
  return true;
}

}  // namespace qv
