#include "advance/FailedBanks.h"

#include "advance/FixDecisions.h"
#include "data/BanksFile.h"
#include "platform/Ui.h"

namespace qv {

namespace {

constexpr std::int16_t kSourceLastQuarter = 1;
constexpr std::int16_t kSourceComputerBase = 2;  // + level 1..3

}  // namespace

std::string CalculationFailureLabel(const Session& session, int bank) {
  return kCalculationFailurePrefix + std::to_string(bank) + ": " + session.game.BankName(bank);
}

bool FailedBanks::Settle(Session& session, int bank) {
  // What the bank had when it failed: the disk's or its own level's decisions the first time.
  const std::int16_t failed = source_(bank) != 0 ? source_(bank) : session.DecisionSource(bank);
  tried_.insert({bank, failed});
  const std::string label = CalculationFailureLabel(session, bank);
  for (;;) {
    std::int16_t chosen = 0;
    switch (session.ui.ChooseFixDecisions(label, false)) {
      case FixChoice::kLastQuarter:
        chosen = kSourceLastQuarter;
        break;
      case FixChoice::kComputer: {
        const int level = session.ui.ChooseComputerLevel();
        if (level >= 1 && level <= 3) {
          chosen = static_cast<std::int16_t>(kSourceComputerBase + level);
        }
        break;
      }
      case FixChoice::kWait:
        return false;
      case FixChoice::kUseDisk:
      case FixChoice::kClosed:
        break;
    }
    if (chosen != 0) {
      source_(bank) = chosen;
      return tried_.count({bank, chosen}) == 0;
    }
  }
}

bool FailedBanks::Apply(Session& session) const {
  for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
    const std::int16_t source = source_(bank);
    if (source == kSourceLastQuarter) {
      if (!ReadBankDecisions(session, bank)) {
        return false;
      }
      ClearTransactions(session, bank);
    }
    if (source != 0) {
      session.DecisionSource(bank) = source;
    }
  }
  return true;
}

}  // namespace qv
