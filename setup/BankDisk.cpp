#include "setup/BankDisk.h"

#include <algorithm>
#include <cctype>

#include "data/BanksFile.h"
#include "data/GameFiles.h"
#include "data/GlobalFile.h"

namespace qv {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string BankText(int bank) {
  return "bank " + std::to_string(bank);
}

}  // namespace

std::string OpenBankDisk(Session& session, const std::string& folder) {
  std::string directory = folder;
  if (!directory.empty() && !EndsWithSeparator(directory)) {
    directory += '/';
  }
  session.GamePath = directory;
  if (!ReadGlobalFile(session, 0)) {
    return "No Quorvant disk in " + folder;
  }
  ApplyGlobalRecord(session);
  if (session.game.ResultsQuarter < 0) {
    return "The game on this disk has not started yet";
  }
  if (!ReadBanksFull(session)) {
    return "Cannot read the bank records on " + folder;
  }
  return {};
}

std::vector<int> BanksOnDisk(const GameRecord& game) {
  std::vector<int> banks;
  for (int b = 1; b <= game.NumBanks && b <= kMaxBanks; ++b) {
    if (game.BankFlag(b) == 1 && game.DiskType(b) != disk_type::kNone) {
      banks.push_back(b);
    }
  }
  return banks;
}

std::string CheckBankLogin(const GameRecord& game, int bank, const std::string& password) {
  const std::vector<int> banks = BanksOnDisk(game);
  if (std::find(banks.begin(), banks.end(), bank) == banks.end()) {
    return "This disk holds no records for " + BankText(bank);
  }
  if (Upper(password) != Upper(game.BankPassword(bank))) {
    return "Invalid Password, Try Again!";
  }
  return {};
}

std::string ReadTeamDecisions(Session& session, int bank) {
  SelectFileDir(session, 0);
  if (!ReadBankDisk(session, bank)) {
    return "Cannot read the decisions of " + BankText(bank);
  }
  return {};
}

std::string SaveTeamDecisions(Session& session, int bank, const BankDecisions& decisions,
                              bool ready) {
  const GameRecord& opened = session.game;
  if (!ReadGlobalFile(session, 0)) {
    return "No Quorvant disk in " + session.GamePath;
  }
  const GameRecord& now = session.shadow;
  if (now.GameId != opened.GameId || now.GameName != opened.GameName) {
    return "This disk now holds another game; nothing was saved";
  }
  const std::string wanted = std::to_string(opened.ResultsQuarter + 1);
  if (now.ResultsQuarter > opened.ResultsQuarter) {
    return "This disk has already been updated to quarter " + std::to_string(now.ResultsQuarter) +
           ": decisions for quarter " + wanted + " are too late; open the disk again";
  }
  if (now.ResultsQuarter < opened.ResultsQuarter) {
    return "This disk holds quarter " + std::to_string(now.ResultsQuarter) +
           ", not the quarter these decisions were made on; nothing was saved";
  }
  RecordBuffer status(kBanksRecordLength);
  SelectFileDir(session, 0);
  if (!ReadBankStatusRecord(session, bank, &status)) {
    return "Cannot read the records of " + BankText(bank);
  }
  if (StatusQuarter(status) != now.ResultsQuarter) {
    return "The records of " + BankText(bank) + " on this disk are from quarter " +
           std::to_string(StatusQuarter(status)) + ", not quarter " +
           std::to_string(now.ResultsQuarter) +
           ": ask the instructor for an updated disk; nothing was saved";
  }
  if (!WriteTeamDecisions(session, bank, status, decisions,
                          ready ? kDecisionsFinal : kDecisionsAwaited)) {
    return "Cannot write the decisions of " + BankText(bank);
  }
  for (int item = 1; item <= 63; ++item) {
    session.tables.Decision(bank, item) = decisions(item);
  }
  session.tables.DecisionsReady(bank) = ready ? kDecisionsFinal : kDecisionsAwaited;
  return {};
}

}  // namespace qv
