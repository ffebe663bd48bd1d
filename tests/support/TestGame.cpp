#include "tests/support/TestGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/BanksFile.h"
#include "data/GameLock.h"
#include "newgame/CreateGame.h"
#include "newgame/NewGameState.h"
#include "newgame/PeriodZero.h"
#include "platform/ByteCoding.h"
#include "setup/EnvironmentFields.h"
#include "setup/NewGameFlow.h"

namespace qv::test {

namespace fs = std::filesystem;

TestGame::TestGame(std::uint64_t seed) : random(seed), session(files, ui, clock, random) {
  real.set_durable(false);  // test folders need not outlive a power loss
  session.GamePath = dir.Subdir("game");
  session.ProgramDir = ProgramDir();
}

std::string TestGame::DiskFolder(const std::string& name) const {
  return dir.path() + "disk-" + name + "/";
}

SetupForms TestGame::Setup(const std::vector<BankSpec>& banks, int period) {
  SetupForms forms;
  forms.game.txtGname = "Test";
  forms.game.txtNoBanks = std::to_string(banks.size());
  forms.game.txtBegin = std::to_string(period);
  for (std::size_t i = 0; i < banks.size(); ++i) {
    BankSetupRow& row = forms.banks.rows[i];
    row.txtCol2 = banks[i].name;
    row.cboCol3 = banks[i].management;
    row.cboCol6 = banks[i].type;
    if (banks[i].management == kManagementHuman) {
      row.txtCol4 = "Pres " + banks[i].name.substr(0, 5);
      row.txtCol5 = "pw" + std::to_string(i + 1);
      row.txtCol7 = DiskFolder(banks[i].name);
    } else {
      row.txtCol7.clear();
    }
  }
  EnvironmentDefaults(session);
  FillEnvSetupForm(session.tables.Environment, &forms.environment);
  return forms;
}

Proceed TestGame::Create(const SetupForms& forms) {
  NewGameState state;
  StoreSetupForms(session, state, forms);
  // Each student disk is asked for twice: to write the new game, then the start's results.
  for (int pass = 1; pass <= 2; ++pass) {
    for (int b = 1; b <= session.game.NumBanks; ++b) {
      if (session.game.DiskType(b) == disk_type::kStudent) {
        ui.Then(Answer::kOk);
      }
    }
  }
  ui.AcknowledgeOkBoxes();
  return CreateGame(session, state);
}

void TestGame::WriteStudentDecisions(int bank, const Table<float, 63>& decisions,
                                     std::int16_t quarter, std::int16_t ready) const {
  const std::string path = session.game.DiskPath(bank) + kBanksWriteName;
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  ASSERT_TRUE(file) << path;
  const auto block = static_cast<std::streamoff>(BankBlockRecord(bank) - 1) * kBanksRecordLength;
  std::uint8_t numbers[4];
  PutInt16(numbers, 0, quarter);
  PutInt16(numbers, 2, ready);
  file.seekp(block + 16);
  file.write(reinterpret_cast<const char*>(numbers), 4);
  for (int k = 0; k < 3; ++k) {
    std::uint8_t record[kBanksRecordLength];
    for (int i = 1; i <= 21; ++i) {
      PutSingle(record, static_cast<std::size_t>(4 * (i - 1)), decisions(21 * k + i));
    }
    file.seekp(block + (k + 1) * kBanksRecordLength);
    file.write(reinterpret_cast<const char*>(record), kBanksRecordLength);
  }
  ASSERT_TRUE(file.good());
}

std::map<std::string, std::string> TestGame::FolderBytes(const std::string& folder) const {
  std::map<std::string, std::string> bytes;
  for (const auto& entry : fs::directory_iterator(folder)) {
    // Neither the quarter archive nor the lock that every command takes is a file of the game.
    if (!entry.is_regular_file() || entry.path().filename() == kLockFileName) {
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    bytes[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(file), {});
  }
  return bytes;
}

}  // namespace qv::test
