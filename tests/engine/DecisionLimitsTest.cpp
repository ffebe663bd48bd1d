#include <gtest/gtest.h>

#include <functional>

#include "data/Items.h"
#include "engine/DecisionLimits.h"
#include "platform/RuntimeError.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

// One bank with round numbers: caps well apart, last quarter's spending 100/40/20/10,
// premises 20, equity 300, retained earnings 150 over 4 shares.
void MakeBank(GameTables& t, int b) {
  const double caps[] = {12, 13, 10, 3, 4, 6, 7};  // Environment 1..7
  for (int i = 1; i <= 7; ++i)
    t.Environment(i) = caps[i - 1];
  t.Environment(environment::kMaxHomeEquityFee) = 2;
  t.Environment(environment::kMaxHomeEquityLoanRate) = 11;
  t.Environment(environment::kHomeEquityFeeNorm) = 0.01;
  const double rates[] = {5, 6, 4, 5, 6, 3, 3.5, 9, 8};
  for (int i = 1; i <= 9; ++i)
    t.MarketRates(i) = rates[i - 1];
  t.EconIndex(econ_index::kPriceLevel) = 100;
  t.EconSeries(10) = 7;

  t.BankValues(b, value::kExpenseA) = 100;
  t.BankValues(b, value::kExpenseB) = 40;
  t.BankValues(b, value::kExpenseC) = 20;
  t.BankValues(b, value::kExpenseD) = 10;
  t.BankValues(b, value::kTotalInterestIncome) = 200;
  t.BankValues(b, value::kBookValuePerShare) = 10;
  t.BankValues(b, value::kEarningsPerShare) = 1;
  t.BankValues(b, value::kDividendPerShare) = 0.5;  // last dividend
  t.BankValues(b, value::kSmoothedDividend) = 0.4;
  t.BankValues(b, value::kSharesOutstanding) = 4;
  t.BankValues(b, value::kSmoothedCapitalRatio) = 1.2;
  t.BankValues(b, value::kHomeEquityFeeRate) = 0.01;
  t.BankAmounts(b, amount::kPremises) = 20;
  t.BankAmounts(b, amount::kEquity) = 300;
  t.BankAmounts(b, amount::kRetainedEarnings) = 150;
  t.BankAmounts(b, amount::kFixedRealEstateLoans) = 50;
  t.BankAmounts(b, amount::kFloatingRealEstateLoans) = 30;
}

struct LimitCase {
  const char* shows;
  int item;
  float wanted;
  int quarter;  // ResultsQuarter after the increment
  float expected;
  std::function<void(GameTables&)> tweak = nullptr;
};

TEST(DecisionLimits, EachRulePullsItsItemIntoBounds) {
  const LimitCase cases[] = {
      {"a negative decision becomes 0", 30, -5, 3, 0},
      {"checking rate capped by Environment 4", 1, 3.5F, 3, 3},
      {"savings rate below its cap is kept", 2, 3.875F, 3, 3.875F},
      {"time-deposit rate capped by Environment 6", 3, 6.5F, 3, 6},
      {"start quarter: time-deposit rate is the market's", 3, 1, 0, 4},
      {"start quarter: consumer default 9 + 5 capped at 13", 7, 1, 0, 13},
      {"start quarter: floating real-estate default 4 + 0.5", 9, 9, 0, 4.5F},
      {"start quarter: checking rate stays the bank's own", 1, 2.5F, 0, 2.5F},
      {"expense A raised to 75 % of last quarter's", 10, 50, 3, 75},
      {"expense A lowered to 125 % of last quarter's", 10, 200, 3, 125},
      {"expense B at most a quarter of interest income", 11, 60, 3, 50},
      {"security purchase at most 1000", 22, 1500, 3, 1000},
      {"premises raised to 75 % of last quarter's", 13, 10, 3, 15},
      {"premises lowered to 125 % of last quarter's", 13, 40, 3, 25},
      {"premises at most equity", 13, 20, 3, 12,
       [](GameTables& t) { t.BankAmounts(1, amount::kEquity) = 12; }},
      {"premises never below 0", 13, 20, 3, 0,
       [](GameTables& t) { t.BankAmounts(1, amount::kEquity) = -5; }},
      {"home-equity rate capped by Environment 17", 15, 12, 3, 11},
      {"start quarter: home-equity rate 8 + 1", 15, 3, 0, 9},
      {"fee capped by Environment 16", 16, 3, 3, 2},
      {"start quarter: fee from the bank's own fee rate", 16, 1.5F, 0, 1},
      {"expense D raised to half of last quarter's", 17, 1, 3, 5},
      {"expense D lowered to 150 % of last quarter's", 17, 20, 3, 15},
      {"dividend at most twice the larger past dividend", 14, 3, 3, 1},
      {"dividend may follow higher earnings", 14, 3, 3, 2.5F,
       [](GameTables& t) { t.BankValues(1, value::kEarningsPerShare) = 4; }},
      {"start quarter: no past-dividend limit", 14, 3, 0, 3},
      {"dividend at most retained earnings per share", 14, 3, 0, 2,
       [](GameTables& t) { t.BankAmounts(1, amount::kRetainedEarnings) = 8; }},
      {"dividend not negative after a loss", 14, 3, 0, 0,
       [](GameTables& t) { t.BankAmounts(1, amount::kRetainedEarnings) = -4; }},
      {"fixed loan sale at most the fixed book", 33, 80, 3, 50},
      {"floating loan sale at most the floating book", 34, 80, 3, 30},
  };
  for (const LimitCase& c : cases) {
    test::EngineTestSession s(1, c.quarter);
    MakeBank(s.tables(), 1);
    if (c.tweak)
      c.tweak(s.tables());
    s.tables().Decision(1, c.item) = c.wanted;
    LimitDecisions(s.context, 1);
    EXPECT_FLOAT_EQ(s.tables().Decision(1, c.item), c.expected)
        << c.shows << ": item " << c.item << " wanted " << c.wanted << " quarter " << c.quarter;
  }
}

TEST(DecisionLimits, StartQuarterReplacesEveryCappedRateDecision) {
  test::EngineTestSession s(1, 0);
  GameTables& t = s.tables();
  MakeBank(t, 1);
  for (int item = 1; item <= 63; ++item)
    t.Decision(1, item) = 2.5F;
  LimitDecisions(s.context, 1);
  // Min(market default, cap) for 3..9, 15, 16.
  const struct {
    int item;
    float expected;
  } rows[] = {{3, 4}, {4, 5}, {5, 6}, {6, 9}, {7, 13}, {8, 8}, {9, 4.5F}, {15, 9}, {16, 1}};
  for (const auto& row : rows) {
    EXPECT_FLOAT_EQ(t.Decision(1, row.item), row.expected) << "item " << row.item;
  }
  EXPECT_FLOAT_EQ(t.Decision(1, decision::kCheckingRate), 2.5F);
  EXPECT_FLOAT_EQ(t.Decision(1, decision::kSavingsRate), 2.5F);
}

TEST(DecisionLimits, NoSharesOutstandingIsDivisionByZero) {
  test::EngineTestSession s(1);
  MakeBank(s.tables(), 1);
  s.tables().BankValues(1, value::kSharesOutstanding) = 0;
  try {
    LimitDecisions(s.context, 1);
    FAIL() << "expected run-time error 11";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 11);
  }
}

TEST(IndustryAverages, OneBankAveragesAreItsOwnDecisionsBlendedWithTheMarket) {
  test::EngineTestSession s(1);
  GameTables& t = s.tables();
  MakeBank(t, 1);
  const float decisions[] = {2.5F, 1.5F, 5, 5.5F, 6.25F, 10, 12, 9, 6};
  for (int i = 1; i <= 9; ++i)
    t.Decision(1, i) = decisions[i - 1];
  t.Decision(1, decision::kExpenseA) = 100;
  t.Decision(1, decision::kHomeEquityLoanRate) = 10;
  t.Decision(1, decision::kHomeEquityFee) = 1.5F;
  t.Environment(environment::kExpenseASpread) = 5;
  t.BankAmounts(1, amount::kSavingsDeposits) = 250;

  AddToIndustrySums(s.context, 1);
  for (int i = industry::kCheckingRate; i <= industry::kFloatingRealEstateRate; ++i) {
    EXPECT_DOUBLE_EQ(t.IndustrySums(i), decisions[i - 1]) << "sum " << i << " before blending";
  }
  ComputeIndustryAverages(s.context);

  const struct {
    int item;
    double expected;
    const char* shows;
  } rows[] = {
      {industry::kCheckingRate, 2.5, "checking rate, floor 1 not reached"},
      {industry::kSavingsRate, 2, "savings rate raised to its floor 2"},
      {industry::kTimeDepositRate, (5 + 4) / 2.0, "blended with market rate 3"},
      {industry::kCdRate, (6.25 + 6.5) / 2.0, "certificates blend with market rate 2 + 0.5"},
      {industry::kConsumerLoanRate, (12 + 13) / 2.0, "consumer default 14 capped at 13"},
      {industry::kCheckingDeposits, 1, "no checking balances: floor 1"},
      {industry::kSavingsDeposits, 250, "savings balances stay a sum"},
      {industry::kExpenseA, (200 + 2 * 5 * 100 / 100.0) / 2, "expense A measure with its spread"},
      {industry::kCapitalRatio, 1.2, "capital ratio averaged"},
      {industry::kHomeEquityLoanRate, (10 + 9) / 2.0,
       "home-equity rate blended with market rate 9 + 1"},
      {industry::kHomeEquityFee, (1.5 + 1) / 2.0, "fee blended with 100 x Environment 27"},
  };
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(t.IndustrySums(row.item), row.expected)
        << row.shows << " (" << row.item << ")";
  }
}

TEST(IndustryAverages, FeeBlendUsesTheFeeCap) {
  test::EngineTestSession s(2);
  GameTables& t = s.tables();
  MakeBank(t, 1);
  MakeBank(t, 2);
  t.Environment(environment::kHomeEquityFeeNorm) = 0.03;  // market fee 3, above the cap 2
  t.Decision(1, decision::kHomeEquityFee) = 1;
  t.Decision(2, decision::kHomeEquityFee) = 2;
  t.Decision(1, decision::kCheckingRate) = 2;
  t.Decision(2, decision::kCheckingRate) = 3;
  t.BankValues(1, value::kExpenseD) = 0;  // no expense D anywhere
  t.BankValues(2, value::kExpenseD) = 0;
  AddToIndustrySums(s.context, 1);
  AddToIndustrySums(s.context, 2);
  ComputeIndustryAverages(s.context);
  EXPECT_DOUBLE_EQ(t.IndustrySums(industry::kHomeEquityFee), (1.5 + 2) / 2.0);
  EXPECT_DOUBLE_EQ(t.IndustrySums(industry::kCheckingRate), 2.5);
  EXPECT_DOUBLE_EQ(t.IndustrySums(industry::kExpenseD), 0.1) << "every average at least 0.1";
}

TEST(IndustryAverages, RunOffCountsOverflowAsARunTimeError) {
  test::EngineTestSession s(2);
  MakeBank(s.tables(), 1);
  MakeBank(s.tables(), 2);
  s.tables().BankAmounts(1, amount::kTimeDepositRunOff) = 20000;
  s.tables().BankAmounts(2, amount::kTimeDepositRunOff) = 20000;
  AddToIndustrySums(s.context, 1);
  EXPECT_EQ(s.context.IndustryCounts(1), 20000);
  try {
    AddToIndustrySums(s.context, 2);
    FAIL() << "expected run-time error 6";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 6);
  }
}

TEST(BankQuarter, NoteRatesFollowCapitalAndFlowsAreCleared) {
  const struct {
    double smoothed_capital;
    double margin;
  } rows[] = {{1.2, -0.6}, {1.0, 0}, {3.0, -1.5}, {-1.0, 3}};
  for (const auto& row : rows) {
    test::EngineTestSession s(1);
    GameTables& t = s.tables();
    MakeBank(t, 1);
    t.BankValues(1, value::kSmoothedCapitalRatio) = row.smoothed_capital;
    for (const int item : {50, 51, 62, 63, 80, 81, 119, 120})
      t.BankAmounts(1, item) = 9;
    t.BankAmounts(1, amount::kCheckingDeposits) = 400;
    t.BankAmounts(1, amount::kSavingsDeposits) = 200;
    PrepareBankQuarter(s.context, 1);
    EXPECT_NEAR(t.BankValues(1, value::kFirstNoteRate), row.margin + 2 + 5, 1e-12)
        << row.smoothed_capital;
    EXPECT_NEAR(t.BankValues(1, 44), row.margin + 2 + 6, 1e-12) << row.smoothed_capital;
    EXPECT_NEAR(t.BankValues(1, value::kTwentyYearNoteRate), row.margin + 7, 1e-12)
        << row.smoothed_capital;
    for (const int item : {50, 51, 62, 63, 80, 81, 119, 120}) {
      EXPECT_EQ(t.BankAmounts(1, item), 0) << "item " << item;
    }
    EXPECT_EQ(t.BankAmounts(1, amount::kPreviousCheckingDeposits), 400);
    EXPECT_EQ(t.BankAmounts(1, amount::kPreviousSavingsDeposits), 200);
  }
}

}  // namespace
}  // namespace qv
