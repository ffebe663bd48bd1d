#include <gtest/gtest.h>

#include "advance/AdvanceGame.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "setup/ChangeEnvironment.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

struct ChangeEnvironment : ::testing::Test {
  test::TestGame game;

  void SetUp() override {
    ASSERT_EQ(game.Create(game.Setup({{"Alder", 2, 0}, {"Birch", 3, 1}})), -1);
  }
};

TEST_F(ChangeEnvironment, NextQuarterIsCalculatedWithTheNewTaxRate) {
  Table<double, 84> environment;
  ASSERT_TRUE(ReadEnvironmentForChange(game.session, &environment));
  EXPECT_DOUBLE_EQ(environment(environment::kTaxRate), static_cast<double>(0.49F));
  environment(environment::kTaxRate) = 0.25F;
  ASSERT_TRUE(SaveEnvironmentChanges(game.session, environment));
  EXPECT_EQ(game.session.tables.TaxRate, 0.25F);

  ASSERT_EQ(AdvanceGame(game.session), -1);
  const GameTables& t = game.session.tables;
  EXPECT_EQ(t.TaxRate, 0.25F) << "reloaded from the game directory";
  for (int b = 1; b <= 2; ++b) {
    const double pre_tax = t.BankValues(b, value::kTotalInterestIncome) +
                           t.BankValues(b, value::kTotalInterestExpense) + t.BankValues(b, 86) +
                           t.BankValues(b, value::kNonInterestExpense);
    EXPECT_NEAR(t.BankValues(b, value::kIncomeTax), -0.25 * pre_tax, 1e-3) << "bank " << b;
  }
}

TEST_F(ChangeEnvironment, CancelledSaveKeepsTheFileAndTheNewValuesInMemory) {
  Table<double, 84> environment;
  ASSERT_TRUE(ReadEnvironmentForChange(game.session, &environment));
  const std::string before = game.dir.Read("game/Banks.qv");
  game.files.FailPathWrites("game/Banks.qv");
  environment(environment::kMinCapital) = 7;
  game.ui.Then(Answer::kCancel).Then(Answer::kRetry).Then(Answer::kCancel).Then(Answer::kCancel);
  EXPECT_FALSE(SaveEnvironmentChanges(game.session, environment));
  EXPECT_EQ(game.ui.texts()[2], "Could not save changes to the environment");
  EXPECT_EQ(game.dir.Read("game/Banks.qv"), before);
  EXPECT_EQ(game.session.tables.Environment(environment::kMinCapital), 7);
}

TEST_F(ChangeEnvironment, UnreadableRecordsAskToRetry) {
  game.files.FailPath("game/BANKS.QV");
  game.ui.Then(Answer::kCancel).Then(Answer::kCancel);
  Table<double, 84> environment;
  EXPECT_FALSE(ReadEnvironmentForChange(game.session, &environment));
  EXPECT_EQ(game.ui.texts()[2], "Could not read the environment file");
  EXPECT_EQ(game.ui.shown()[2].buttons, Buttons::kRetryCancel);
}

}  // namespace
}  // namespace qv
