#include "advance/FixDecisions.h"

#include <string>

#include "advance/DiskIdentity.h"
#include "advance/DiskRequests.h"
#include "data/BanksFile.h"
#include "data/Items.h"
#include "data/Messages.h"
#include "platform/Ui.h"

namespace qv {

namespace {

constexpr std::int16_t kSourceLastQuarter = 1;
constexpr std::int16_t kSourceDisk = 2;
constexpr std::int16_t kSourceComputerBase = 2;  // + level 1..3

std::string FixLabel(const Session& session, int bank, FixReason reason) {
  const std::string name = std::to_string(bank) + ": " + session.game.BankName(bank);
  switch (reason) {
    case FixReason::kNotCurrent:
      return "The Data on This Disk is Not Current .. Last Updated Before Quarter" +
             std::to_string(session.tables.BankQuarter(bank) + 1);
    case FixReason::kNotReady:
      return "This Bank's Decisions are Not Ready for This Quarter";
    case FixReason::kNotAvailable:
      return "Disk is Not Available for Bank " + name;
    case FixReason::kReadError:
      return "Error Reading Bank " + name;
  }
  return "Please select one of the following:";
}

// The decisions stored in the game directory, fetched again when a disk's record has replaced
// them in memory. False when the instructor gave up on the game disk or the read failed.
bool FetchStoredDecisions(Session& session, int bank) {
  if (session.MergeState == DiskRead::kRead) {
    while (CheckGameDisk(session) != disk_check::kCurrent) {
      if (Tell(session, "Please put game disk into drive", Buttons::kOkCancel, Icon::kNone, 1,
               FolderDetail(session.GamePath)) != Answer::kOk) {
        return false;
      }
    }
    if (!ReadBankDecisions(session, bank)) {
      Tell(session, "Disk Error Reading Last Quarter's Decisions from File", Buttons::kOk,
           Icon::kNone);
      return false;
    }
  }
  return true;
}

}  // namespace

void ClearTransactions(Session& session, int bank) {
  for (int item = decision::kFirstSecurityPurchase; item <= decision::kNotesRetired; ++item) {
    session.tables.Decision(bank, item) = 0.0F;
  }
  session.tables.Decision(bank, decision::kSharesIssued) = 0.0F;
  session.tables.Decision(bank, decision::kSharesRepurchased) = 0.0F;
}

void InitDecisionSources(Session& session) {
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    session.DecisionSource(b) =
        session.game.DiskType(b) == disk_type::kNone
            ? static_cast<std::int16_t>(session.game.BankLevel(b) + kSourceComputerBase)
            : std::int16_t{0};
  }
}

void CheckBankDecisions(Session& session, int bank) {
  if (session.DecisionsEntered(bank)) {
    return;  // the instructor's entry stands in for the disk's record
  }
  if (session.tables.BankQuarter(bank) != session.game.ResultsQuarter) {
    FixDecisions(session, bank, FixReason::kNotCurrent);
  } else if (session.tables.DecisionsReady(bank) != 1) {
    FixDecisions(session, bank, FixReason::kNotReady);
  } else {
    session.DecisionSource(bank) = kSourceDisk;
  }
}

void FixDecisions(Session& session, int bank, FixReason reason) {
  const std::string label = FixLabel(session, bank, reason);
  for (;;) {
    switch (session.ui.ChooseFixDecisionsFor(bank, session.game.BankName(bank), label,
                                             session.MergeState == DiskRead::kRead)) {
      case FixChoice::kUseDisk:
        session.DecisionSource(bank) = kSourceDisk;
        return;
      case FixChoice::kLastQuarter:
        if (!FetchStoredDecisions(session, bank)) {
          break;
        }
        ClearTransactions(session, bank);
        session.DecisionSource(bank) = kSourceLastQuarter;
        return;
      case FixChoice::kWait:
        session.MergeStatus = MergeProgress::kWaiting;
        return;
      case FixChoice::kComputer: {
        const int level = session.ui.ChooseComputerLevel();
        if (level >= 1 && level <= 3) {
          session.DecisionSource(bank) = static_cast<std::int16_t>(kSourceComputerBase + level);
          return;
        }
        break;
      }
      case FixChoice::kClosed:
        break;
    }
  }
}

void CheckDiskBanks(Session& session) {
  for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
    if (session.game.BankFlag(bank) == 1) {
      CheckBankDecisions(session, bank);
      if (session.MergeStatus == MergeProgress::kWaiting) {
        return;
      }
    }
  }
}

void DiskNotAvailable(Session& session) {
  for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
    if (session.game.BankFlag(bank) == 1) {
      FixDecisions(session, bank, FixReason::kNotAvailable);
      session.DiskState(bank) = disk_state::kMissed;
    }
    if (session.MergeStatus == MergeProgress::kWaiting) {
      return;
    }
  }
}

void DiskError(Session& session) {
  for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
    switch (session.game.BankFlag(bank)) {
      case 0:
        break;
      case 1:
        CheckBankDecisions(session, bank);
        break;
      case 2:
        FixDecisions(session, bank, FixReason::kReadError);
        session.game.BankFlag(bank) = 1;
        break;
      default:
        Tell(session, "Error in sub DiskError", Buttons::kOk, Icon::kNone);
    }
    if (session.MergeStatus == MergeProgress::kWaiting) {
      return;
    }
  }
}

}  // namespace qv
