#include "engine/SharePrice.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "data/Items.h"
#include "engine/CloseStages.h"
#include "platform/RuntimeError.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

constexpr int kBank = 1;

struct SharePrice : ::testing::Test {
  test::EngineTestSession engine{1, 0};
  GameTables& t = engine.tables();

  std::int16_t& BA(int item) { return t.BankAmounts(kBank, item); }
  double& BV(int item) { return t.BankValues(kBank, item); }
  void Run() { ComputeSharePrice(engine.context, kBank); }

  // A plausible bank after its income statement: assets 1000 (50 cash, 20 overnight, 200
  // securities of which 40 beyond five years), deposits 800, notes 50, equity 100 (95 last
  // quarter), 10 shares, net income 3 of which 0.4 security gains, dividend 0.1 a share,
  // minimum capital 5 %.
  void MakeBank(int results_quarter) {
    engine.session.game.ResultsQuarter = static_cast<std::int16_t>(results_quarter);
    BA(amount::kTotalAssets) = 1000;
    BA(amount::kPreviousTotalAssets) = 980;
    BA(amount::kCashAndReserves) = 50;
    BA(amount::kOvernightInvestments) = 20;
    BA(amount::kSecurities) = 200;
    BA(amount::kSecuritiesBeyond5Years) = 40;
    BA(amount::kDeposits) = 800;
    BA(amount::kCapitalNotes) = 50;
    BA(amount::kEquity) = 100;
    BA(amount::kPreviousEquity) = 95;
    BV(value::kSharesOutstanding) = 10;
    BV(value::kNetIncome) = 3;
    BV(value::kSecurityGains) = 0.4;
    t.Decision(kBank, decision::kDividendPerShare) = 0.1F;
    t.Environment(environment::kMinCapital) = 5;
  }

  void ExpectRuntimeError(int number) {
    try {
      Run();
      ADD_FAILURE() << "no run-time error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), number);
    }
  }
};

TEST_F(SharePrice, StartQuarterValuesTheBankOnLongRunGrowthAlone) {
  MakeBank(0);
  Run();
  EXPECT_NEAR(BV(value::kDividendPerShare), 0.1, 1e-7);
  EXPECT_DOUBLE_EQ(BV(value::kBookValuePerShare), 10.0);
  EXPECT_DOUBLE_EQ(BV(value::kEarningsPerShare), 0.3);
  EXPECT_DOUBLE_EQ(BV(value::kLiquidityRatio), (50 + 20 + 200 - 40) / 800.0 * 100);
  EXPECT_DOUBLE_EQ(BV(value::kReturnOnEquity), 800 * 3 / 195.0);
  EXPECT_DOUBLE_EQ(BV(value::kReturnOnAssets), 800 * 3 / 1980.0);
  EXPECT_DOUBLE_EQ(BV(value::kCapitalRatio), 3.0);
  // The reputation starts at this quarter's figures; core earnings 3 - 0.75 x 0.4 = 2.7.
  EXPECT_NEAR(BV(value::kSmoothedDividend), 0.1, 1e-7);
  EXPECT_DOUBLE_EQ(BV(value::kSmoothedCoreEarnings), 0.27);
  EXPECT_DOUBLE_EQ(BV(value::kSmoothedCapitalRatio), 3.0);
  EXPECT_NEAR(BV(value::kOpeningDividend), 0.1, 1e-7);
  EXPECT_DOUBLE_EQ(BV(value::kOpeningCoreEarnings), 0.27);
  // k = 1.0175, x = 1.0075 / k. 0.1 (x + .. + x^20) = 1.80591; then 0.4 E20 with
  // E20 = 0.27 + 0.27 (1.0075^20 - 1) / 2 = 0.29176, growing at (1 + 1.0075) / 2 and
  // discounted from k^21 on: 1.43456; perpetuity 0.4 x 0.27 x 1.0075^41 / 0.01 = 14.67138
  // discounted by k^41. Together 10.44424.
  EXPECT_NEAR(BV(value::kSharePrice), 10.444242889842737, 1e-6);
  EXPECT_NEAR(BV(value::kPriceEarningsRatio), 10.444242889842737 / 1.2, 1e-6);
  EXPECT_EQ(BA(amount::kMarketValueOfEquity), 104);
}

TEST_F(SharePrice, LaterQuarterBlendsTheBanksOwnRecord) {
  MakeBank(8);  // the own record weighs 0.4, growth measured over 8 quarters
  BV(value::kSmoothedDividend) = 0.12;
  BV(value::kSmoothedCoreEarnings) = 0.3;
  BV(value::kSmoothedCapitalRatio) = 1.5;
  BV(value::kOpeningDividend) = 0.1;
  BV(value::kOpeningCoreEarnings) = 0.27;
  Run();
  EXPECT_NEAR(BV(value::kSmoothedDividend), 0.114, 1e-7);
  EXPECT_DOUBLE_EQ(BV(value::kSmoothedCoreEarnings), 0.291);
  EXPECT_DOUBLE_EQ(BV(value::kSmoothedCapitalRatio), 0.7 * 1.5 + 0.3 * 2.0);  // ratio 3 capped
  EXPECT_NEAR(BV(value::kOpeningDividend), 0.1, 1e-12);                       // kept from the start
  // g1 = 0.4 (0.114 / 0.1)^(1/8) + 0.6 x 1.0075 = 1.011105;
  // E41 = 0.27 + 0.4 x 41 x 0.021 / 8 + 0.6 (0.291 x 1.0075^41 - 0.27) = 0.388237.
  EXPECT_NEAR(BV(value::kSharePrice), 11.462762262821515, 1e-6);
}

TEST(DiscountFactor, RisesWithWeakCapitalAndStaysWithinBounds) {
  struct Row {
    double ratio;
    double smoothed;
    double k;
    const char* shows;
  };
  const Row rows[] = {
      {1.1, 1.0, 1.02, "at the minimum on record: w = 0"},
      {1.5, 1.2, 1.019, "strong: w = -0.2 lowers k by 0.005 w"},
      {2.0, 2.0, 1.0175, "w = -1 would give 1.015: floored"},
      {3.0, 3.0, 1.0175, "unsmoothed start-quarter ratio: floored"},
      {1.0, 0.9, 1.026, "weak record: w = 0.1 raises k by 0.06 w"},
      {0.5, 0.9, 1.05, "weak now: w = 1 - 0.5 wins, capped"},
      {0.8, 1.5, 1.032, "weak now, strong record: w = 0.2"},
      {0.01, 0.01, 1.05, "no capital: capped"},
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(DiscountFactor(row.ratio, row.smoothed), row.k, 1e-12)
        << row.shows << " (ratio " << row.ratio << ", smoothed " << row.smoothed << ")";
  }
}

TEST(PriceEarningsRatio, SignedCappedAndUndefinedNearZeroEarnings) {
  struct Row {
    double price;
    double earnings;
    double ratio;
  };
  const Row rows[] = {
      {10.0, 0.005, 999.9},    // within 0.01 of zero
      {10.0, -0.0099, 999.9},  // also for a small loss
      {10.0, 0.25, 10.0},      // 10 / (4 x 0.25)
      {10.0, -0.5, -5.0},      // a loss gives a negative ratio
      {50.0, 0.01, 999.9},     // 1250 capped
      {50.0, -0.01, -999.9},   // and down to -999.9
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(PriceEarningsRatio(row.price, row.earnings), row.ratio, 1e-9)
        << "price " << row.price << ", earnings per share " << row.earnings;
  }
}

TEST_F(SharePrice, NeverBelowThreeQuartersOfBookValueNorACent) {
  // A start-quarter loss: no dividend, core earnings floored at 0.1, worth far less than the
  // book value of 10 a share.
  MakeBank(0);
  BV(value::kNetIncome) = -30;
  t.Decision(kBank, decision::kDividendPerShare) = 0.0F;
  Run();
  EXPECT_DOUBLE_EQ(BV(value::kSharePrice), 7.5);
  EXPECT_DOUBLE_EQ(BV(value::kPriceEarningsRatio), -7.5 / 12);

  // A bank with negative equity and a record of losses is worth nothing: a cent.
  MakeBank(8);
  BA(amount::kEquity) = -60;
  BV(value::kNetIncome) = -20;
  t.Decision(kBank, decision::kDividendPerShare) = 0.0F;
  BV(value::kSmoothedDividend) = 0.0;
  BV(value::kSmoothedCoreEarnings) = -1.0;
  BV(value::kSmoothedCapitalRatio) = 1.0;
  BV(value::kOpeningDividend) = 0.1;
  BV(value::kOpeningCoreEarnings) = 0.27;
  Run();
  EXPECT_DOUBLE_EQ(BV(value::kSharePrice), 0.01);
  EXPECT_DOUBLE_EQ(BV(value::kCapitalRatio), 0.01);  // no capital left: floored too
  EXPECT_EQ(BA(amount::kMarketValueOfEquity), 0);
}

TEST_F(SharePrice, ArithmeticThatCannotBeDoneIsARuntimeError) {
  MakeBank(0);
  BV(value::kSharesOutstanding) = 0;
  ExpectRuntimeError(error::kDivisionByZero);

  MakeBank(0);
  BA(amount::kTotalAssets) = 0;
  ExpectRuntimeError(error::kDivisionByZero);

  MakeBank(3);  // the opening figures are read back, not set, after the start
  BV(value::kOpeningDividend) = 0.0;
  BV(value::kOpeningCoreEarnings) = 0.27;
  ExpectRuntimeError(error::kDivisionByZero);

  MakeBank(0);
  BV(value::kSharesOutstanding) = 400;  // a price far above 32767 / 400 a share
  BV(value::kNetIncome) = 3000;
  BA(amount::kEquity) = 30000;
  ExpectRuntimeError(error::kOverflow);
}

}  // namespace
}  // namespace qv
