#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Items.h"
#include "engine/CloseStages.h"
#include "engine/ProfileMath.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "platform/RuntimeError.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

constexpr int kBank = 1;

// Closes bank 1 in season 2 of the second year (results quarter 6) with a floating base of 5 %.
struct YieldsAndProfiles : ::testing::Test {
  test::EngineTestSession engine{1, 6};
  GameTables& t = engine.tables();
  Portfolio& lots = t.Portfolios(kBank);

  void SetUp() override {
    engine.context.Season = 2;
    engine.context.FloatingBase = 5.0;
    const double rates[] = {4.0, 4.5, 5.0, 6.0, 7.0, 4.2, 4.8, 7.5, 8.0};
    for (int i = 1; i <= 9; ++i) {
      t.MarketRates(i) = rates[i - 1];
    }
    t.Environment(environment::kTimeDepositOutflow) = 0.2;
    t.Environment(environment::kCertificateOutflow) = 0.3;
    t.Environment(environment::kDemandDepositOutflow) = 0.1;
  }

  std::int16_t& BA(int item) { return t.BankAmounts(kBank, item); }
  double& BV(int item) { return t.BankValues(kBank, item); }
  void Run() { ComputeYieldsAndProfiles(engine.context, kBank, lots); }

  void SetBuckets(int first, int last, std::int16_t amount, double rate) {
    for (int k = first; k <= last; ++k) {
      lots.PortfolioAmount(k) = amount;
      lots.PortfolioYield(k) = rate;
    }
  }

  double SumLoans(int first, int last) {
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
      sum += lots.LoanAmount(k);
    }
    return sum;
  }

  std::int16_t SumBuckets(int first, int last) {
    int sum = 0;
    for (int k = first; k <= last; ++k) {
      sum += lots.PortfolioAmount(k);
    }
    return static_cast<std::int16_t>(sum);
  }

  // Derives every balance from the ladders, as the earlier close stages leave them: equity
  // is what the assets leave after the debts.
  void BookLadders(std::int16_t cash, std::int16_t overnight, std::int16_t premises,
                   std::int16_t checking, std::int16_t savings, std::int16_t purchased,
                   std::int16_t borrowed) {
    BA(amount::kCashAndReserves) = cash;
    BA(amount::kOvernightInvestments) = overnight;
    BA(amount::kPremises) = premises;
    BA(amount::kCheckingDeposits) = checking;
    BA(amount::kSavingsDeposits) = savings;
    BA(amount::kPurchasedFunds) = purchased;
    BA(amount::kCentralBankBorrowing) = borrowed;
    BA(amount::kSecurities) = SumBuckets(1, 25);
    BA(amount::kCommercialLoans) = SumBuckets(26, 29);
    BA(amount::kConsumerLoans) = SumBuckets(30, 41);
    BA(amount::kHomeEquityLoans) = SumBuckets(64, 103);
    BA(amount::kFixedRealEstateLoans) = ToAmount(SumLoans(1, 20));
    BA(amount::kFloatingRealEstateLoans) = ToAmount(SumLoans(21, 40));
    BA(amount::kRealEstateLoans) = ToAmount(SumLoans(1, 40));
    BA(amount::kTimeDeposits) = SumBuckets(42, 61);
    BA(amount::kCertificates) = SumBuckets(62, 63);
    BA(amount::kCapitalNotes) = ToAmount(SumLoans(41, 60));
    BA(amount::kLoans) = ToAmount(BA(amount::kCommercialLoans) + BA(amount::kConsumerLoans) +
                                  BA(amount::kRealEstateLoans) + BA(amount::kHomeEquityLoans));
    BA(amount::kDeposits) =
        ToAmount(checking + savings + BA(amount::kTimeDeposits) + BA(amount::kCertificates));
    BA(amount::kTotalAssets) =
        ToAmount(cash + overnight + BA(amount::kSecurities) + BA(amount::kLoans) + premises);
    BA(amount::kEquity) = ToAmount(BA(amount::kTotalAssets) - BA(amount::kDeposits) - purchased -
                                   borrowed - BA(amount::kCapitalNotes));
  }

  // A bank that holds nothing but cash, owned outright.
  void MakeCashBank(std::int16_t cash) { BookLadders(cash, 0, 0, 0, 0, 0, 0); }

  // A plausible bank of 950 in total assets: every ladder stocked, books balanced.
  void MakePlausibleBank() {
    SetBuckets(1, 1, 20, 4.0);
    SetBuckets(2, 2, 10, 4.5);
    SetBuckets(3, 4, 10, 5.0);
    SetBuckets(5, 20, 5, 6.0);    // 80
    SetBuckets(21, 25, 8, 7.0);   // 40; securities 170
    SetBuckets(26, 29, 25, 8.0);  // commercial 100
    SetBuckets(30, 41, 10, 9.0);  // consumer 120
    SetBuckets(64, 103, 3, 7.0);  // home equity 120
    SetBuckets(42, 61, 10, 5.0);  // time deposits 200
    SetBuckets(62, 62, 40, 4.5);  // certificates 80
    SetBuckets(63, 63, 40, 4.8);
    for (int year = 1; year <= 20; ++year) {
      lots.LoanAmount(year) = 10;  // fixed 200 at 8 %
      lots.LoanRate(year) = 8.0;
      lots.LoanAmount(year + 20) = 5;  // floating 100 at base + 2
      lots.LoanRate(year + 20) = 2.0;
    }
    lots.LoanAmount(45) = 30;  // capital notes 60
    lots.LoanRate(45) = 9.0;
    lots.LoanAmount(50) = 30;
    lots.LoanRate(50) = 9.5;
    BookLadders(60, 30, 50, 200, 150, 20, 10);  // equity 230
    t.Decision(kBank, decision::kCheckingRate) = 1.0F;
    t.Decision(kBank, decision::kSavingsRate) = 2.5F;
  }
};

TEST_F(YieldsAndProfiles, EveryAverageRateOfAZeroBalanceIsZero) {
  MakeCashBank(100);
  for (const int income : {60, 61, 62, 63, 64, 69, 70, 71, 77, 78, 104}) {
    BV(income) = 7.0;
  }
  BV(value::kTotalInterestIncome) = 7.0;
  BV(value::kTotalInterestExpense) = -7.0;
  t.Decision(kBank, decision::kCheckingRate) = 3.0F;
  t.Decision(kBank, decision::kSavingsRate) = 3.0F;
  ASSERT_NO_THROW(Run());
  for (const int rate : {27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 103}) {
    EXPECT_EQ(BV(rate), 0.0) << "BankValues item " << rate;
  }
}

TEST_F(YieldsAndProfiles, EachAverageRateAnnualisesItsOwnIncomeOnItsOwnBalance) {
  MakePlausibleBank();
  struct Row {
    int rate;
    int income;
    int balance;
  };
  const Row rows[] = {{27, 61, 4},  {28, 62, 32}, {29, 63, 37}, {30, 77, 89}, {31, 78, 90},
                      {32, 64, 43}, {33, 69, 52}, {34, 70, 57}, {37, 71, 10}, {103, 104, 129}};
  double annual = 3.0;  // a different rate for every row, so a swapped item shows
  for (const Row& row : rows) {
    BV(row.income) = BA(row.balance) * (annual += 0.5) / 400;
  }
  Run();
  annual = 3.0;
  for (const Row& row : rows) {
    EXPECT_NEAR(BV(row.rate), annual += 0.5, 1e-9) << "BankValues " << row.rate << " from income "
                                                   << row.income << " on balance " << row.balance;
  }
}

TEST_F(YieldsAndProfiles, MaturityProfileOfAPlausibleBank) {
  MakePlausibleBank();
  Run();
  // Securities by band, and the first band split into next quarter's run-off and the rest.
  EXPECT_EQ(BA(amount::kFirstSecurityBand), 50);
  EXPECT_DOUBLE_EQ(BV(value::kFirstSecurityBandRate), (20 * 4.0 + 10 * 4.5 + 20 * 5.0) / 50);
  EXPECT_EQ(BA(amount::kFirstSecurityBand + 1), 20);
  EXPECT_EQ(BA(amount::kSecuritiesBeyond5Years), 40);
  EXPECT_DOUBLE_EQ(BV(value::kSecuritiesBeyond5YearsRate), 7.0);
  EXPECT_EQ(BA(amount::kSecuritiesRunOff), 20);
  EXPECT_EQ(BV(value::kSecuritiesRunOffRate), 4.0);
  EXPECT_EQ(BA(amount::kSecurities2To4Quarters), 30);
  EXPECT_NEAR(BV(value::kSecurities2To4QuartersRate), (4.5 + 5.0 + 5.0) / 3, 1e-12);

  // Next quarter's maturities, and the time deposits after next quarter by band.
  EXPECT_EQ(BA(amount::kCommercialRunOff), 25);
  EXPECT_EQ(BA(amount::kTimeDepositRunOff), 10);
  EXPECT_EQ(BA(amount::kCertificateRunOff), 40);
  const int deposit_bands[] = {30, 40, 40, 40, 40};
  for (int band = 1; band <= 5; ++band) {
    EXPECT_EQ(BA(amount::kFirstTimeDepositBand + band - 1), deposit_bands[band - 1])
        << "time-deposit band " << band;
  }

  // Band 1 of the liabilities: time deposits 42-45, certificates, demand deposits and
  // borrowed money, each at its own rate.
  EXPECT_EQ(BA(amount::kFirstLiabilityBand), 40 + 80 + 200 + 150 + 20 + 10);
  EXPECT_NEAR(BV(value::kFirstLiabilityBandRate),
              (40 * 5.0 + 80 * 4.65 + 200 * 1.0 + 150 * 2.5 + 20 * 4.2 + 10 * 4.8) / 500, 1e-12);

  // Every earning asset lands in some asset band, every debt in some liability band.
  int assets = 0;
  int liabilities = 0;
  for (int band = 0; band < 5; ++band) {
    assets += BA(amount::kFirstAssetBand + band);
    liabilities += BA(amount::kFirstLiabilityBand + band);
  }
  EXPECT_EQ(assets, 30 + 170 + 640);
  EXPECT_EQ(liabilities, 630 + 20 + 10 + 60);

  // Liquid: cash 60, overnight 30, maturing securities 20, long loans 300. Needs: borrowings
  // 30, 20 % of 10, 30 % of 40, 10 % of 350 and the notes' run-off 30/18 + 30/38.
  EXPECT_EQ(BA(amount::kLiquidAssets), 410);
  EXPECT_EQ(BA(amount::kLiquidityNeeds), 81);
  EXPECT_EQ(BA(amount::kNetLiquidity), 329);
  EXPECT_DOUBLE_EQ(BV(value::kNetLiquidityRatio), 329.0 / 950.0);
}

TEST_F(YieldsAndProfiles, FloatingLongLoansRepriceWithinTheYearAtBasePlusMargin) {
  lots.LoanAmount(30) = 100;  // ten years to run
  lots.LoanRate(30) = 2.0;
  MakeCashBank(100);
  Run();
  EXPECT_EQ(BA(amount::kFirstAssetBand), 100);
  EXPECT_DOUBLE_EQ(BV(value::kFirstAssetBandRate), 7.0);
  for (int band = 2; band <= 5; ++band) {
    EXPECT_EQ(BA(amount::kFirstAssetBand + band - 1), 0) << "asset band " << band;
  }
  EXPECT_EQ(BA(amount::kFirstRepricedAsset), 0);
  EXPECT_EQ(BA(amount::kFirstRepricedAsset + 1), 100);
  EXPECT_EQ(BA(amount::kFirstRepricedAsset + 2), 0);
  EXPECT_EQ(BA(amount::kFirstRepricedAsset + 3), 100);  // the cash
}

TEST(RunOffSchedule, SpreadsEachBucketEvenlyOverItsRemainingPeriods) {
  // 6 matures in period 1; 4 runs off 2 + 2; 3 runs off 1 + 1 + 1.
  EXPECT_EQ(RunOffSchedule({6, 4, 3}), (std::vector<double>{9, 3, 1}));
  EXPECT_EQ(RunOffSchedule({0, 0, 9}), (std::vector<double>{3, 3, 3}));
  EXPECT_TRUE(RunOffSchedule({}).empty());
}

TEST_F(YieldsAndProfiles, RepricingTableFollowsTheRunOffSchedules) {
  SetBuckets(30, 32, 12, 9.0);  // consumer loans: run-off 12+6+4, 6+4, 4
  lots.LoanAmount(1) = 8;       // fixed long loans: run-off 8+5 in year 1, 5 in year 2
  lots.LoanRate(1) = 8.0;
  lots.LoanAmount(2) = 10;
  lots.LoanRate(2) = 8.0;
  lots.LoanAmount(41) = 8;  // capital notes due within the year
  lots.LoanRate(41) = 9.0;
  BookLadders(46, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(BA(amount::kTotalAssets), 100);
  Run();
  // Assets: 22 + 13/4 = 25.25; 10 + 4 + 0, then + 39/4 = 23.75; 5 by difference; cash 46.
  // Liabilities: notes 2 and 6 in the first year, equity 92 over five years.
  const int expected[] = {25, 24, 5, 46, 2, 6, 0, 92, 23, 18, 5, -46, 23, 41, 46, 0};
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(BA(amount::kFirstRepricedAsset + k), expected[k])
        << "BankAmounts item " << amount::kFirstRepricedAsset + k;
  }
}

TEST_F(YieldsAndProfiles, BothSidesOfTheRepricingTableAddUpToTotalAssets) {
  for (std::uint64_t seed = 0; seed <= 5; ++seed) {
    SCOPED_TRACE("bank of seed " + std::to_string(seed));
    t.BankAmounts.Fill(0);
    t.BankValues.Fill(0.0);
    lots = Portfolio{};
    if (seed == 0) {
      MakePlausibleBank();
    } else {
      SeededRandom random(seed);
      const auto draw = [&random](int most) {
        return static_cast<std::int16_t>(random.Next() * static_cast<float>(most));
      };
      for (int k = 1; k <= 103; ++k) {
        lots.PortfolioAmount(k) = draw(30);
        lots.PortfolioYield(k) = 2.0 + 8.0 * random.Next();
      }
      for (int k = 1; k <= 60; ++k) {
        lots.LoanAmount(k) = 25.0 * random.Next();
        lots.LoanRate(k) = 1.0 + 9.0 * random.Next();
      }
      BookLadders(draw(100), draw(60), draw(80), draw(400), draw(300), draw(50), draw(50));
    }
    Run();
    int assets = 0;
    int liabilities = 0;
    for (int band = 0; band < 4; ++band) {
      assets += BA(amount::kFirstRepricedAsset + band);
      liabilities += BA(amount::kFirstRepricedLiability + band);
      EXPECT_EQ(
          BA(amount::kFirstRepricingGap + band),
          BA(amount::kFirstRepricedAsset + band) - BA(amount::kFirstRepricedLiability + band));
    }
    EXPECT_EQ(assets, BA(amount::kTotalAssets));
    EXPECT_EQ(liabilities, BA(amount::kTotalAssets));
    EXPECT_EQ(BA(amount::kFirstCumulativeGap + 3), 0);
  }
}

TEST_F(YieldsAndProfiles, NextQuarterRunOffOfAmortisingLadders) {
  SetBuckets(30, 30, 7, 8.0);   // matures
  SetBuckets(31, 31, 10, 8.0);  // last quarter: repays all
  SetBuckets(32, 32, 20, 8.0);  // 20 x 0.02 / (1.02^2 - 1) = 9.90
  SetBuckets(33, 33, 30, 0.0);  // no rate, no repayment
  lots.LoanAmount(2) = 100;     // 6 quarters left next quarter: 2 / (1.02^6 - 1) = 15.85
  lots.LoanRate(2) = 8.0;
  BookLadders(100, 0, 0, 0, 0, 0, 0);
  BA(amount::kRealEstateLoans) = 103;  // 3 beyond its ladder run off at once
  Run();
  EXPECT_EQ(BA(amount::kConsumerRunOff), 27);
  EXPECT_EQ(BA(amount::kRealEstateRunOff), 19);
}

TEST_F(YieldsAndProfiles, CapitalNotesRunOffByTheQuartersLeftNextSeason) {
  struct Row {
    int results_quarter;
    int run_off;  // of 12 in notes due within the year
  };
  for (const Row row : {Row{4, 3}, Row{5, 4}, Row{6, 6}, Row{7, 12}, Row{8, 3}}) {
    engine.session.game.ResultsQuarter = static_cast<std::int16_t>(row.results_quarter);
    lots.LoanAmount(41) = 12;
    MakeCashBank(50);
    Run();
    EXPECT_EQ(BA(amount::kCapitalNoteRunOff), row.run_off)
        << "results quarter " << row.results_quarter;
  }
}

TEST_F(YieldsAndProfiles, MarketValueOfOneBucketAgainstItsClosedForm) {
  enum Book { kSecurities, kLongLoans };  // portfolio buckets, or long loans 1..40
  struct Row {
    Book book;
    int bucket;
    double rate;
    int item;
    int value;
    const char* closed_form;
  };
  const Row rows[] = {
      {kSecurities, 2, 4.5, 83, 100, "at par: coupon = six-month rate"},
      {kSecurities, 3, 8.0, 83, 102, "1.02^2 / (1 + (4.5 + 5) / 800)^2 x 100 = 101.61"},
      {kSecurities, 10, 8.0, 85, 106, "1.02^9 / (1 + 5/400 + 6 x 0.25/400 / 16)^9 x 100 = 105.98"},
      {kSecurities, 21, 6.2, 88, 100, "at par: coupon = 6 + (7 - 6) / 5"},
      {kSecurities, 23, 8.0, 88, 110, "(1.02 / (1 + 6.6/400))^(2 + 15 + 12) x 100 = 110.48"},
      {kLongLoans, 1, 10.0, 91, 100, "first year at face value"},
      {kLongLoans, 3, 10.0, 91, 101, "(1.025 / 1.02)^2 x 100 = 100.98"},
      {kLongLoans, 30, 2.0, 92, 103, "(1 + 7/400)^9 / (1 + 5.5/400)^9 x 100 = 103.38"},
  };
  for (const Row& row : rows) {
    lots = Portfolio{};
    if (row.book == kLongLoans) {
      lots.LoanAmount(row.bucket) = 100;
      lots.LoanRate(row.bucket) = row.rate;
    } else {
      SetBuckets(row.bucket, row.bucket, 100, row.rate);
    }
    MakeCashBank(100);
    Run();
    EXPECT_EQ(BA(row.item), row.value) << "bucket " << row.bucket << ": " << row.closed_form;
  }
}

TEST_F(YieldsAndProfiles, NetLiquidityOfABankWithNoAssetsIsDivisionByZero) {
  try {
    Run();
    FAIL() << "no run-time error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), error::kDivisionByZero);
  }
}

}  // namespace
}  // namespace qv
