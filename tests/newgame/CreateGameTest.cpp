#include <gtest/gtest.h>

#include <filesystem>

#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "newgame/CreateGame.h"
#include "newgame/NewGameState.h"
#include "platform/ByteCoding.h"
#include "setup/NewGameFlow.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

using test::BankSpec;

bool Has(const std::map<std::string, std::string>& files, const std::string& name) {
  return files.count(name) > 0;
}

GameRecord GlobalAt(const std::string& folder) {
  LocalFileSystem files;
  std::string text;
  EXPECT_TRUE(files.ReadText(folder + "Global.qv", &text).ok()) << folder;
  GameRecord record;
  EXPECT_TRUE(DecodeGlobalFile(text, &record)) << folder;
  return record;
}

TEST(CreateGame, ComputerBanksOnlyNeedNoDisk) {
  test::TestGame game;
  const SetupForms forms = game.Setup({{"Alder", 1, 0}, {"Birch", 2, 1}, {"Cedar", 3, 2}});
  ASSERT_EQ(game.Create(forms), -1);
  EXPECT_EQ(game.ui.texts(), std::vector<std::string>{"Game started successfully"});
  EXPECT_EQ(game.session.game.DiskMode, 3);
  EXPECT_EQ(game.session.game.ResultsQuarter, 0);
  EXPECT_EQ(game.session.game.EconPeriod, 38) << "the start moves one period on";
  EXPECT_EQ(game.session.game.GameId.substr(0, 15), "12-08-202615:10");
  EXPECT_EQ(game.session.game.CreationYear, 2026);
  const auto files = game.FolderBytes(game.session.GamePath);
  for (const char* name :
       {"Global.qv", "Banks.qv", "Plotv.qv", "Portf.qv", "Comp.qv", "DATAEC.QVS", "INIT.QVS"}) {
    EXPECT_TRUE(Has(files, name)) << name;
  }
  EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
  EXPECT_EQ(GlobalAt(game.session.GamePath).BankDiskFlag, 0);
}

TEST(CreateGame, StudentDisksGetTheirCopiesInBankOrder) {
  test::TestGame game;
  const SetupForms forms = game.Setup({{"Alder"}, {"Birch", 2, 1}, {"Cedar", kManagementHuman, 3}});
  ASSERT_EQ(game.Create(forms), -1);
  EXPECT_EQ(game.ui.texts(),
            (std::vector<std::string>{"Please insert the student disk for bank 1: Alder",
                                      "Please insert the student disk for bank 3: Cedar",
                                      "Please insert the student disk for bank 1: Alder",
                                      "Please insert the student disk for bank 3: Cedar",
                                      "Game started successfully"}));
  EXPECT_EQ(game.session.game.DiskMode, 2);
  for (const char* bank : {"Alder", "Cedar"}) {
    const auto files = game.FolderBytes(game.DiskFolder(bank));
    EXPECT_TRUE(Has(files, "Global.qv") && Has(files, "Banks.qv") && Has(files, "Plotv.qv") &&
                Has(files, "Comp.qv"))
        << bank;
    EXPECT_FALSE(Has(files, "Portf.qv")) << "the lots stay in the game directory";
  }
  const GameRecord alder = GlobalAt(game.DiskFolder("Alder"));
  EXPECT_EQ(alder.BankDiskFlag, 1);
  EXPECT_EQ(alder.BankFlag(1), 1);
  EXPECT_EQ(alder.BankFlag(3), 0);
  EXPECT_EQ(alder.BankPassword(1), "pw1");
  EXPECT_EQ(alder.BankPassword(3), "") << "no other team's password";
  EXPECT_EQ(alder.ResultsQuarter, 0);
  const GameRecord stored = GlobalAt(game.session.GamePath);
  EXPECT_EQ(stored.BankPassword(3), "pw3");
  EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
}

TEST(CreateGame, StartClearsTheOwnDecisionCopies) {
  test::TestGame game;
  ASSERT_EQ(game.Create(game.Setup({{"Alder"}})), -1);
  const std::string banks = game.dir.Read("disk-Alder/Banks.qv");
  ASSERT_GE(banks.size(), static_cast<std::size_t>(BankBlockRecord(1) + 3) * kBanksRecordLength);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(banks.data());
  const std::size_t own = static_cast<std::size_t>(BankBlockRecord(1)) * kBanksRecordLength;
  // Item 22 is in the second record of the copy (items 22..42), item 43 in the third.
  EXPECT_EQ(GetSingle({bytes, banks.size()}, own + kBanksRecordLength), 0.0F);
  EXPECT_EQ(GetSingle({bytes, banks.size()}, own + 2 * kBanksRecordLength), 999.0F);
  EXPECT_EQ(GetInt16({bytes, banks.size()},
                     static_cast<std::size_t>(BankBlockRecord(1) - 1) * kBanksRecordLength + 18),
            2)
      << "decisions awaited";
}

// One drive shared by every team, as with diskettes: the instructor swaps them in and out.
class Drive {
 public:
  explicit Drive(const std::string& root) : root_(root) {}
  std::string path() const { return root_ + "drive/"; }
  void Insert(const std::string& diskette) {
    namespace fs = std::filesystem;
    if (!current_.empty()) {
      fs::rename(root_ + "drive", root_ + "diskette-" + current_);
    }
    const std::string stored = root_ + "diskette-" + diskette;
    if (fs::exists(stored)) {
      fs::rename(stored, root_ + "drive");
    } else {
      fs::create_directory(root_ + "drive");
    }
    current_ = diskette;
  }

 private:
  std::string root_;
  std::string current_;
};

TEST(CreateGame, DiskAlreadyInUseAsksForAnother) {
  test::TestGame game;
  Drive drive(game.dir.path());
  SetupForms forms = game.Setup({{"Alder"}, {"Birch"}});
  forms.banks.rows[0].txtCol7 = drive.path();
  forms.banks.rows[1].txtCol7 = drive.path();
  NewGameState state;
  StoreSetupForms(game.session, state, forms);
  // Alder's diskette is written; asked for Birch's, the instructor leaves Alder's in the
  // drive, is told so, and inserts a blank one.
  game.ui.ThenDo([&] { drive.Insert("alder"); }, Answer::kOk)
      .Then(Answer::kOk)
      .ThenDo([&] { drive.Insert("birch"); }, Answer::kRetry);
  // The start's results go onto each diskette in turn.
  game.ui.ThenDo([&] { drive.Insert("alder"); }, Answer::kOk)
      .ThenDo([&] { drive.Insert("birch"); }, Answer::kOk);
  game.ui.AcknowledgeOkBoxes();
  ASSERT_EQ(CreateGame(game.session, state), -1);
  EXPECT_EQ(game.ui.texts()[2], "Disk is already in use for this game");
  EXPECT_EQ(game.ui.shown()[2].buttons, Buttons::kRetryCancel);
  EXPECT_EQ(game.ui.shown()[2].icon, Icon::kExclamation);
  EXPECT_EQ(GlobalAt(drive.path()).BankFlag(2), 1) << "Birch's diskette is in the drive";
  EXPECT_EQ(GlobalAt(drive.path()).BankFlag(1), 0);
  EXPECT_EQ(game.ui.texts().back(), "Game started successfully");
}

TEST(CreateGame, CancelledDiskWriteAbandonsTheCreation) {
  test::TestGame game;
  const SetupForms forms = game.Setup({{"Alder"}});
  game.files.FailPath("disk-Alder/Global.qv");
  NewGameState state;
  StoreSetupForms(game.session, state, forms);
  game.ui.Then(Answer::kOk).Then(Answer::kRetry).Then(Answer::kCancel).Then(Answer::kCancel);
  EXPECT_EQ(CreateGame(game.session, state), 0);
  const std::string full_name = game.DiskFolder("Alder") + "Global.qv";
  EXPECT_EQ(game.ui.texts(),
            (std::vector<std::string>{"Please insert the student disk for bank 1: Alder",
                                      "Cannot write file " + full_name,
                                      "Cannot write file " + full_name, "Error Writing File"}));
  EXPECT_EQ(game.session.ProceedOk, 0);
}

TEST(CreateGame, ExistingGameNeedsConsent) {
  test::TestGame game;
  ASSERT_EQ(game.Create(game.Setup({{"Alder", 1, 0}})), -1);
  EXPECT_TRUE(GameExists(game.session));
  game.ui.Then(Answer::kNo);
  EXPECT_FALSE(ConfirmReplaceGame(game.session));
  EXPECT_EQ(game.ui.shown().back().text,
            "A Quorvant game already exists in this folder. Replace it?");
  EXPECT_EQ(game.ui.shown().back().icon, Icon::kExclamation);
}

TEST(CreateGame, SameSeedSameGame) {
  auto bytes_of = [](std::uint64_t seed) {
    test::TestGame game(seed);
    EXPECT_EQ(game.Create(game.Setup({{"Alder", 3, 0}, {"Birch", 1, 3}})), -1);
    return game.FolderBytes(game.session.GamePath);
  };
  EXPECT_EQ(bytes_of(11), bytes_of(11));
  EXPECT_NE(bytes_of(11)["Banks.qv"], bytes_of(12)["Banks.qv"]);
}

}  // namespace
}  // namespace qv
