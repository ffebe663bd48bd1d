#include "advance/DiskOwnership.h"

#include <string>

#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace qv {

bool LivesAt(Session& session, int bank, const std::string& folder) {
  const GameRecord& game = session.game;
  return bank <= game.NumBanks && game.DiskType(bank) == disk_type::kStudent &&
         session.files.SameDirectory(game.DiskPath(bank), folder);
}

void TakeOwnedDiskBankFlags(Session& session) {
  GameRecord& game = session.game;
  const int reader = session.DiskBank;
  const std::string& folder = game.DiskPath(reader);
  for (int b = 1; b <= kMaxBanks; ++b) {
    const bool claimed = session.shadow.BankFlag(b) == 1;
    const bool owned = claimed && LivesAt(session, b, folder);
    if (claimed && !owned && b <= game.NumBanks) {
      session.MessageText = "The disk for Bank " + std::to_string(reader) + ": " +
                            game.BankName(reader) + " at " + folder + " claims Bank " +
                            std::to_string(b) + ": " + game.BankName(b) +
                            ", whose disk is elsewhere; the claim is ignored";
      session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
    }
    game.BankFlag(b) = owned ? 1 : 0;
  }
}

}  // namespace qv
