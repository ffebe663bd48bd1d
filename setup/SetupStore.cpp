#include "setup/SetupStore.h"

#include "data/Items.h"
#include "platform/Cp1252.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "setup/EnvironmentFields.h"
#include "setup/ValidateSetup.h"

namespace qv {

namespace {

// The forms hold UTF-8; the game stores Windows-1252. The setup rules have refused what the
// code page cannot hold, so the conversion cannot fail here.
std::string Stored(const std::string& text) {
  std::string bytes;
  return Utf8ToCp1252(text, &bytes) ? bytes : std::string();
}

std::int16_t StoredInteger(const std::string& text) {
  return ToInteger(ParseSetupNumber(text).value_or(0.0F));
}

}  // namespace

void StoreGameSetup(Session& session, const GameSetupForm& form) {
  GameRecord& game = session.game;
  game.GameName = Stored(form.txtGname);
  game.NumBanks = static_cast<std::int16_t>(SetupNumBanks(form));
  game.InstructorName = Stored(form.txtInstName);
  game.InstructorPassword = Stored(form.txtInstPW);
  if (form.cboEnv == 1) {
    const double drawn = ToInteger(static_cast<double>(session.random.Next()) * 100.0);
    game.EconPeriod = static_cast<std::int16_t>(Min(Max(drawn + 1.0, 1.0), 100.0));
  } else {
    game.EconPeriod = StoredInteger(form.txtBegin);
  }
}

void StoreBankSetup(Session& session, NewGameState& state, const BankSetupForm& form) {
  GameRecord& game = session.game;
  for (int b = 1; b <= game.NumBanks; ++b) {
    const BankSetupRow& row = form.rows[static_cast<std::size_t>(b - 1)];
    const bool human = row.cboCol3 == kManagementHuman;
    game.BankName(b) = Stored(row.txtCol2);
    game.BankLevel(b) = static_cast<std::int16_t>(row.cboCol3);
    game.PresidentName(b) = human ? Stored(row.txtCol4) : kManagementNames[row.cboCol3];
    game.BankPassword(b) = human ? Stored(row.txtCol5) : std::string();
    game.DiskType(b) = human ? disk_type::kStudent : disk_type::kNone;
    game.DiskPath(b) = human ? Stored(row.txtCol7) : std::string();
    state.BankType(b) = static_cast<std::int16_t>(row.cboCol6 + 1);
  }
}

void StoreEnvSetup(Session& session, const EnvSetupForm& form) {
  StoreEnvSetupForm(form, &session.tables.Environment);
  session.tables.TaxRate = ToSingle(session.tables.Environment(environment::kTaxRate));
}

}  // namespace qv
