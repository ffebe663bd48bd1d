#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

constexpr const char* kAlderError =
    "Quorvant Sub CalculateResults Error 11 while closing Bank 1: Alder";

// A started game of two student banks around a computer bank. Alder's stored share price is
// 0, so a share issue on its disk cannot be priced: its close divides by zero, while the
// quarter's transactions cleared (last quarter's decisions) or the computer's go through.
class CalculationFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn);
    Session& s = game.session;
    ASSERT_TRUE(ReadGlobalFile(s, 0));
    ApplyGlobalRecord(s);
    ASSERT_TRUE(ReadBanksFull(s));
    s.tables.BankValues(1, value::kSharePrice) = 0.0;
    ASSERT_TRUE(WriteBanksUpdate(s, 0));
    game.ui = test::ScriptedUi();
    game.ui.AcknowledgeOkBoxes();
    Table<float, 63> decisions = OwnDecisionCopy(s.tables, 1, DecisionCopy::kClearedForNextQuarter);
    decisions(decision::kSharesIssued) = 10.0F;
    game.WriteStudentDecisions(1, decisions, 0, 1);
    game.WriteStudentDecisions(
        3, OwnDecisionCopy(s.tables, 3, DecisionCopy::kClearedForNextQuarter), 0, 1);
    before = game.FolderBytes(s.GamePath);
  }

  // The merge of both student disks, as each try of the quarter asks for them.
  void BringBothDisks() { game.ui.Then(Answer::kOk).Then(Answer::kOk); }

  std::vector<std::string> Texts() const { return game.ui.texts(); }

  test::TestGame game;
  std::map<std::string, std::string> before;
};

TEST_F(CalculationFailure, NamesTheBankAndRunsAgainWithLastQuartersDecisions) {
  BringBothDisks();
  game.ui.ThenFix(FixChoice::kLastQuarter);
  BringBothDisks();
  BringBothDisks();  // the update
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  const std::vector<std::string> texts = Texts();
  EXPECT_EQ(texts[2], kAlderError);
  EXPECT_EQ(texts.back(), "Game advanced successfully");
  EXPECT_EQ(game.ui.fix_labels(), std::vector<std::string>{"Error Calculating Bank 1: Alder"});
  EXPECT_EQ(game.session.DecisionSource(1), 1);
  EXPECT_EQ(game.session.tables.Decision(1, decision::kSharesIssued), 0.0F);
  EXPECT_EQ(game.session.DecisionSource(3), 2) << "Cedar's own disk still counts";
  EXPECT_EQ(game.session.game.ResultsQuarter, 1);
  EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
}

TEST_F(CalculationFailure, CanHandTheBankToTheComputer) {
  BringBothDisks();
  game.ui.ThenFix(FixChoice::kClosed).ThenFix(FixChoice::kComputer).ThenLevel(3);
  BringBothDisks();
  BringBothDisks();
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
  EXPECT_EQ(game.session.DecisionSource(1), 5);
  EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
}

TEST_F(CalculationFailure, WaitingEndsTheAdvanceWithNothingStored) {
  BringBothDisks();
  game.ui.ThenFix(FixChoice::kWait);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kStop);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Please insert the student disk for bank 1: Alder",
                                               "Please insert the student disk for bank 3: Cedar",
                                               kAlderError, "Game did NOT advance successfully"}));
  EXPECT_EQ(game.FolderBytes(game.session.GamePath), before);
}

}  // namespace
}  // namespace qv
