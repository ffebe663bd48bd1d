#include "setup/InstructorDecisions.h"

#include <gtest/gtest.h>

#include "data/BanksFile.h"
#include "data/EnteredDecisionsFile.h"
#include "setup/DecisionItems.h"
#include "tests/cli/QvctlRun.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

class InstructorDecisionsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::StartTeamGame(game, 2, 1); }

  cli::QvctlRun Decide(std::vector<std::string> settings, const std::string& bank = "1") {
    std::vector<std::string> args = {"decide", game.session.GamePath, "--bank", bank};
    for (const std::string& setting : settings) {
      args.push_back("--set");
      args.push_back(setting);
    }
    return cli::Qvctl(args);
  }

  test::TestGame game;
};

TEST_F(InstructorDecisionsTest, EnteredDecisionsAreUsedWithoutTheDiskAndReported) {
  const cli::QvctlRun run = Decide({"checking_rate=77", "expense_b=3", "cd_limit=150"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Decisions for quarter 1 entered by the instructor for Bank 1: Alder"),
            std::string::npos);
  // Bank 2 hands in its disk as usual.
  game.WriteStudentDecisions(
      2, OwnDecisionCopy(game.session.tables, 2, DecisionCopy::kClearedForNextQuarter), 0, 1);

  BankDecisions entered;
  ASSERT_EQ(LoadInstructorDecisions(game.session, 1, &entered), "");
  const BankDecisions effective = EffectiveDecisions(game.session, 1, entered);

  const std::size_t shown_before = game.ui.shown().size();
  ASSERT_EQ(test::AdvanceWithDisks(game, {1}), Proceed::kGoOn);
  std::vector<std::string> texts;
  for (std::size_t i = shown_before; i < game.ui.shown().size(); ++i) {
    texts.push_back(game.ui.shown()[i].text);
  }
  const std::vector<std::string> expected = {
      "Please insert the student disk for bank 2: Birch",  // bank 1's disk is not asked for
      "Please insert the student disk for bank 1: Alder",  // but still written
      "Please insert the student disk for bank 2: Birch",
      "Game advanced successfully\nBank 1: Alder: decisions entered by the instructor"};
  EXPECT_EQ(texts, expected);
  EXPECT_TRUE(game.ui.fix_labels().empty());

  ASSERT_TRUE(ReadBankDecisions(game.session, 1));
  EXPECT_EQ(game.session.tables.Decision(1, 1), effective(1));
  EXPECT_FLOAT_EQ(game.session.tables.Decision(1, 1), 50.0F) << "capped as shown";
  EXPECT_EQ(game.session.tables.Decision(1, 47), 150.0F);

  // The entry served its quarter: the next advance asks for both disks again.
  game.WriteStudentDecisions(
      1, OwnDecisionCopy(game.session.tables, 1, DecisionCopy::kClearedForNextQuarter), 1, 1);
  game.WriteStudentDecisions(
      2, OwnDecisionCopy(game.session.tables, 2, DecisionCopy::kClearedForNextQuarter), 1, 1);
  ASSERT_EQ(test::AdvanceWithDisks(game), Proceed::kGoOn);
  EXPECT_EQ(game.ui.shown().back().text, "Game advanced successfully");
}

TEST_F(InstructorDecisionsTest, EnteringNothingChangesNothing) {
  const auto before = game.FolderBytes(game.session.GamePath);
  const cli::QvctlRun run = Decide({});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Nothing entered"), std::string::npos);
  EXPECT_NE(run.out.find("checking_rate"), std::string::npos) << "the decisions are listed";
  EXPECT_EQ(game.FolderBytes(game.session.GamePath), before);
}

TEST_F(InstructorDecisionsTest, RefusedEntriesLeaveTheGameAsItWas) {
  const auto before = game.FolderBytes(game.session.GamePath);
  struct Row {
    std::string bank;
    std::vector<std::string> settings;
    int exit_code;
    const char* message;
  };
  const Row rows[] = {
      {"3", {"checking_rate=1"}, 2, "Bank 3: Cedar is managed by the computer"},
      {"4", {"checking_rate=1"}, 2, "There is no bank 4 in this game"},
      {"1", {"checking_rate=1", "savings=2"}, 2, "Unknown decision: savings"},
      {"1", {"checking_rate=high"}, 2, "Not a number for checking_rate: high"},
  };
  for (const Row& row : rows) {
    const cli::QvctlRun run = Decide(row.settings, row.bank);
    EXPECT_EQ(run.exit_code, row.exit_code) << row.message;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(game.FolderBytes(game.session.GamePath), before);
}

TEST_F(InstructorDecisionsTest, ALaterEntryStartsFromTheEarlierOne) {
  ASSERT_EQ(Decide({"checking_rate=4"}).exit_code, 0);
  ASSERT_EQ(Decide({"savings_rate=5"}).exit_code, 0);
  EnteredDecisions entered;
  ASSERT_TRUE(ReadEnteredDecisions(game.session, &entered));
  EXPECT_EQ(entered.Quarter(1), 1);
  EXPECT_EQ(entered.Quarter(2), 0);
  EXPECT_EQ(entered.Decision(1, 1), 4.0F);
  EXPECT_EQ(entered.Decision(1, 2), 5.0F);
}

// Entered.qv's layout: record 1 the quarters as Integers, then three records of Singles a bank.
TEST(EnteredDecisionsFileTest, LayoutByHand) {
  EnteredDecisions entered;
  entered.Quarter(2) = 7;
  entered.Decision(2, 1) = 1.5F;
  entered.Decision(2, 22) = -2.0F;
  entered.Decision(10, 63) = 3.0F;
  const std::vector<NumberedRecord> records = EncodeEnteredDecisions(entered);
  ASSERT_EQ(records.size(), 31U);
  EXPECT_EQ(records[0].number, 1);
  EXPECT_EQ(records[0].record.Integer(2), 7);
  EXPECT_EQ(records[4].number, 5);  // bank 2, Decision 1..21
  EXPECT_EQ(records[4].record.Single(1), 1.5F);
  EXPECT_EQ(records[5].record.Single(1), -2.0F);  // bank 2, Decision 22
  EXPECT_EQ(records[30].number, 31);
  EXPECT_EQ(records[30].record.Single(21), 3.0F);  // bank 10, Decision 63
  const auto bytes = records[0].record.bytes();
  EXPECT_EQ(bytes[2], 7);
  EXPECT_EQ(bytes[3], 0);
}

}  // namespace
}  // namespace qv
