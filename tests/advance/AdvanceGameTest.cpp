#include <gtest/gtest.h>

#include "advance/AdvanceGame.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

using test::BankSpec;

// A started game of two student banks and one computer bank, reopened from its directory
// as the next advance finds it.
struct StudentGame : ::testing::Test {
  test::TestGame game;

  void SetUp() override {
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn);
    Reopen();
  }

  // The instructor opens the game anew; what was in memory is forgotten.
  void Reopen() {
    ASSERT_TRUE(ReadGlobalFile(game.session, 0));
    ApplyGlobalRecord(game.session);
    game.ui = test::ScriptedUi();
    game.ui.AcknowledgeOkBoxes();
  }

  Table<float, 63> Decisions(float checking_rate) const {
    Table<float, 63> decisions;
    decisions(1) = checking_rate;
    decisions(2) = 2.0F;
    for (int item = 3; item <= 9; ++item)
      decisions(item) = 7.0F;
    decisions(10) = 20.0F;
    decisions(11) = 5.0F;
    decisions(12) = 5.0F;
    decisions(13) = 20.0F;
    decisions(14) = 0.5F;
    for (int item : {20, 21, 43, 44, 45, 46, 47, 48})
      decisions(item) = 999.0F;
    decisions(15) = 8.0F;
    decisions(16) = 1.0F;
    decisions(17) = 10.0F;
    return decisions;
  }

  std::vector<std::string> Texts() const { return game.ui.texts(); }
};

TEST_F(StudentGame, ReadyDisksAdvanceTheGame) {
  game.WriteStudentDecisions(1, Decisions(1.5F), 0, 1);
  game.WriteStudentDecisions(3, Decisions(1.25F), 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);  // merge: the two disk requests
  game.ui.Then(Answer::kOk).Then(Answer::kOk);  // update: the two disk requests
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Please insert the student disk for bank 1: Alder",
                                               "Please insert the student disk for bank 3: Cedar",
                                               "Please insert the student disk for bank 1: Alder",
                                               "Please insert the student disk for bank 3: Cedar",
                                               "Game advanced successfully"}));
  EXPECT_TRUE(game.ui.fix_labels().empty());
  EXPECT_EQ(game.session.game.ResultsQuarter, 1);
  EXPECT_EQ(game.session.DecisionSource(1), 2);
  EXPECT_EQ(game.session.DecisionSource(2), 4) << "the computer at level 2";
  EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 1) << "the bank disk was updated";
}

TEST_F(StudentGame, StaleAndUnreadyDisksAreSettledByTheFixDialog) {
  game.WriteStudentDecisions(1, Decisions(1.5F), -1, 1);  // missed the last update
  game.WriteStudentDecisions(3, Decisions(1.5F), 0, 2);   // not finished
  game.ui.Then(Answer::kOk).Then(Answer::kOk).Then(Answer::kOk).Then(Answer::kOk);
  game.ui.ThenFix(FixChoice::kLastQuarter).ThenFix(FixChoice::kComputer).ThenLevel(3);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(game.ui.fix_labels(),
            (std::vector<std::string>{
                "The Data on This Disk is Not Current .. Last Updated Before Quarter0",
                "This Bank's Decisions are Not Ready for This Quarter"}));
  EXPECT_EQ(game.session.DecisionSource(1), 1);
  EXPECT_EQ(game.session.DecisionSource(3), 5);
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
}

TEST_F(StudentGame, MissingDiskCanTakeLastQuartersDecisions) {
  game.WriteStudentDecisions(3, Decisions(1.5F), 0, 1);
  // Bank 1's disk is not there: Cancel, confirmed.
  game.ui.Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kOk);
  game.ui.ThenFix(FixChoice::kLastQuarter);
  // The update: bank 1's disk is omitted, bank 3's written.
  game.ui.Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kYes).Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(game.ui.fix_labels(),
            std::vector<std::string>{"Disk is Not Available for Bank 1: Alder"});
  EXPECT_EQ(game.ui.texts()[1], "Are you sure you want to cancel?");
  EXPECT_EQ(game.ui.shown()[1].default_button, 2);
  EXPECT_EQ(game.ui.texts()[5], "Can omit disk or make new disk.  Do you want to omit?");
  EXPECT_EQ(Texts().back(),
            "Game advanced, but these bank disks were not written:\rBank 1: Alder (" +
                game.session.game.DiskPath(1) + ")\rThe next advance asks for them again.");
  EXPECT_EQ(game.session.tables.Decision(1, 22), 0.0F) << "transactions cleared";
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 0) << "the omitted disk keeps its old data";
}

TEST_F(StudentGame, WaitingLeavesTheStoredGameAsItWas) {
  const auto before = game.FolderBytes(game.session.GamePath);
  game.WriteStudentDecisions(1, Decisions(1.5F), 0, 2);
  game.ui.Then(Answer::kOk).ThenFix(FixChoice::kWait);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn) << "an abandoned advance is not a failure";
  // Quarter 0 still counts as the start in the closing message.
  EXPECT_EQ(Texts().back(), "Game did NOT start successfully");
  EXPECT_EQ(game.FolderBytes(game.session.GamePath), before);
}

TEST_F(StudentGame, FailedGameDirectoryWritePutsEveryFileBack) {
  const auto before = game.FolderBytes(game.session.GamePath);
  game.WriteStudentDecisions(1, Decisions(1.5F), 0, 1);
  game.WriteStudentDecisions(3, Decisions(1.5F), 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  // COMP.QV of the game directory cannot be written; the instructor gives up.
  game.files.FailPathWrites("game/Comp.qv");
  game.ui.Then(Answer::kCancel).Then(Answer::kCancel);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kStop);
  EXPECT_EQ(Texts().back(), "Game did NOT advance successfully");
  EXPECT_EQ(game.ui.texts()[3], "Error writing file!\rPlease insert instructor disk");
  EXPECT_EQ(game.FolderBytes(game.session.GamePath), before);
}

TEST_F(StudentGame, LaterBanksDiskInsertedFirstIsRead) {
  game.WriteStudentDecisions(1, Decisions(1.5F), 0, 1);
  game.WriteStudentDecisions(3, Decisions(1.5F), 0, 1);
  // Asked for bank 1's disk, the instructor inserts bank 3's.
  const std::string alder = game.session.game.DiskPath(1);
  game.ui.ThenDo([&] { game.session.game.DiskPath(1) = game.session.game.DiskPath(3); },
                 Answer::kOk);
  game.ui.ThenDo([&] { game.session.game.DiskPath(1) = alder; }, Answer::kOk);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts()[0], "Please insert the student disk for bank 1: Alder");
  EXPECT_EQ(Texts()[1], "Please insert the student disk for bank 1: Alder")
      << "bank 3 was read; bank 1 is asked for again";
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
}

TEST_F(StudentGame, DiskOfAnotherGameIsRefused) {
  test::TestGame other(99);
  ASSERT_EQ(other.Create(other.Setup({{"Other"}})), Proceed::kGoOn);
  game.WriteStudentDecisions(1, Decisions(1.5F), 0, 2);
  const std::string alder = game.session.game.DiskPath(1);
  game.ui.ThenDo([&] { game.session.game.DiskPath(1) = other.DiskFolder("Other"); }, Answer::kOk);
  game.ui.ThenDo([&] { game.session.game.DiskPath(1) = alder; }, Answer::kOk);
  game.ui.ThenFix(FixChoice::kWait);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts()[1], "Disk is not for the current game");
}

TEST(AdvanceGame, ComputerGameRunsManyQuartersAndStaysValid) {
  test::TestGame game;
  ASSERT_EQ(game.Create(
                game.Setup({{"Alder", 1, 0}, {"Birch", 2, 1}, {"Cedar", 3, 2}, {"Dogwood", 1, 3}})),
            Proceed::kGoOn);
  for (int quarter = 1; quarter <= 12; ++quarter) {
    ASSERT_EQ(AdvanceGame(game.session), Proceed::kGoOn) << "quarter " << quarter;
    ASSERT_EQ(game.session.game.ResultsQuarter, quarter);
    ASSERT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{})
        << "quarter " << quarter;
  }
  EXPECT_EQ(game.ui.texts().back(), "Game advanced successfully");
}

}  // namespace
}  // namespace qv
