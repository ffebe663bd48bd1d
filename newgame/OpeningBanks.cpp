#include "newgame/OpeningBanks.h"

namespace qv {

void LoadOpeningBanks(Session& session, const NewGameState& state) {
  GameTables& tables = session.tables;
  const BankProfile empty{};
  for (int b = 1; b <= kMaxBanks; ++b) {
    const bool in_game = b <= session.game.NumBanks;
    const BankProfile& p = in_game ? state.TypeProfile(state.BankType(b)) : empty;
    for (int item = 1; item <= 63; ++item) {
      tables.Decision(b, item) = p.Decision(item);
    }
    for (int item = 1; item <= 121; ++item) {
      tables.BankValues(b, item) = p.Results(item);
    }
    for (int item = 1; item <= 168; ++item) {
      tables.BankAmounts(b, item) = p.Amounts(item);
    }
    tables.Portfolios(b) = p.lots;
  }
}

}  // namespace qv
