#include <gtest/gtest.h>

#include <vector>

#include "data/Items.h"
#include "engine/MarketAllocation.h"
#include "platform/Random.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

// n identical banks: each spends 10 on every attraction item, holds 100 in every market,
// prices every rate at the industry average and sets no volume limit. Each bank's attraction
// is then 1/n in every product and every rate factor is 1.
void MakeSymmetricMarket(test::EngineTestSession& s) {
  GameTables& t = s.tables();
  const int n = s.session.game.NumBanks;
  for (int b = 1; b <= n; ++b) {
    using namespace decision;
    for (const int item : {kExpenseA, kExpenseB, kExpenseC, kPremises, kExpenseD})
      t.Decision(b, item) = 5;
    for (const int item : {value::kExpenseA, value::kExpenseB, value::kExpenseC, value::kExpenseD})
      t.BankValues(b, item) = 5;
    t.BankAmounts(b, amount::kPremises) = 5;
    for (const int item :
         {amount::kCheckingDeposits, amount::kSavingsDeposits, amount::kTimeDeposits,
          amount::kCertificates, amount::kCommercialLoans, amount::kConsumerLoans,
          amount::kRealEstateLoans, amount::kHomeEquityLoans})
      t.BankAmounts(b, item) = 100;
    for (int item = kCheckingRate; item <= kFloatingRealEstateRate; ++item)
      t.Decision(b, item) = 5;
    t.Decision(b, kHomeEquityLoanRate) = 5;
    t.Decision(b, kHomeEquityFee) = 1;
    for (int item = kFirstVolumeLimit; item <= kHomeEquityLoanLimit; ++item)
      t.Decision(b, item) = 999;
    t.BankValues(b, value::kSmoothedCapitalRatio) = 1;
  }
  using namespace industry;
  for (const int item : {kExpenseA, kExpenseB, kExpenseC, kPremises, kExpenseD})
    t.IndustrySums(item) = 10.0 * n;
  for (int item = kCheckingDeposits; item <= kRealEstateLoans; ++item)
    t.IndustrySums(item) = 100.0 * n;
  t.IndustrySums(kHomeEquityLoans) = 100.0 * n;
  for (int item = kCheckingRate; item <= kFloatingRealEstateRate; ++item)
    t.IndustrySums(item) = 5;
  t.IndustrySums(kCapitalRatio) = 1;
  t.IndustrySums(kHomeEquityLoanRate) = 5;
  t.IndustrySums(kHomeEquityFee) = 1;
  t.MarketRates(market_rate::kSixMonth) = 5;
}

TEST(AllocateMarkets, SymmetricBanksShareEveryMarketEqually) {
  test::EngineTestSession s(4);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  // The deposit markets divide their whole balance; the others the 400 of new business each
  // market holds beyond the industry's 400.
  using namespace econ_index;
  for (const int item :
       {kCheckingMarket, kSavingsMarket, kTimeDepositMarket, kCertificateMarket,
        kCommercialLoanMarket, kConsumerLoanMarket, kHomeEquityLoanMarket, kRealEstateLoanMarket})
    t.EconIndex(item) = 800;
  AllocateMarkets(s.context);
  using namespace amount;
  const struct {
    int item;
    int share;
  } rows[] = {
      {kCheckingDeposits, 200},          {kSavingsDeposits, 200},    {kNewTimeDeposits, 75},
      {kNewLongTimeDeposits, 25},        {kNewCertificates, 100},    {kNewCommercialLoans, 100},
      {kNewConsumerLoans, 100},          {kNewHomeEquityLoans, 100}, {kNewFixedRealEstateLoans, 50},
      {kNewFloatingRealEstateLoans, 50},
  };
  for (int b = 1; b <= 4; ++b) {
    for (const auto& row : rows)
      EXPECT_EQ(t.BankAmounts(b, row.item), row.share) << "bank " << b << ", item " << row.item;
  }
}

TEST(AllocateMarkets, HomeEquityBalanceIsMeasuredAgainstTheIndustrysHomeEquityLoans) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.BankAmounts(1, amount::kHomeEquityLoans) = 150;
  t.BankAmounts(2, amount::kHomeEquityLoans) = 50;
  t.IndustrySums(industry::kHomeEquityLoans) = 400;
  t.EconIndex(econ_index::kHomeEquityLoanMarket) = 400 + 100;
  AllocateMarkets(s.context);
  // Scores (9 + 7 x 150 / 400) / 25 and (9 + 7 x 50 / 400) / 25 share the 100 as 54.07 and
  // 45.93; against the industry's real-estate loans (200) they would share it 57 to 43.
  EXPECT_EQ(t.BankAmounts(1, amount::kNewHomeEquityLoans), 54);
  EXPECT_EQ(t.BankAmounts(2, amount::kNewHomeEquityLoans), 46);
}

TEST(AllocateMarkets, RateFactorsSaturateAtTheProductBounds) {
  const struct {
    int product;  // 1 checking, 4 certificates
    double advantage;
    double factor;
    const char* shows;
  } rows[] = {
      {1, 0.5, 1.05, "half a point above average"},
      {1, 1, 1.1, "one point reaches the cap of product 1"},
      {1, 3, 1.1, "beyond the cap stays at the cap"},
      {1, -5, 0.9, "far below average stops at the floor"},
      {4, 2, 3, "product 4 is very rate-sensitive"},
      {4, -2, 0.05, "its floor is 0.05"},
  };
  for (const auto& row : rows) {
    test::EngineTestSession s(2);
    MakeSymmetricMarket(s);
    GameTables& t = s.tables();
    // Deposits have no volume limit; certificates stay within the limit of 999.
    const bool checking = row.product == 1;
    const double new_business = checking ? 20000 : 1000;
    t.EconIndex(econ_index::kCheckingMarket) = new_business;
    t.EconIndex(econ_index::kCertificateMarket) = 200 + new_business;
    t.Decision(1, checking ? decision::kCheckingRate : decision::kCdRate) =
        static_cast<float>(5 + row.advantage);
    AllocateMarkets(s.context);
    // Bank 2 prices at the average (factor 1), so bank 1 takes f / (f + 1) of the market.
    const int item = checking ? amount::kCheckingDeposits : amount::kNewCertificates;
    EXPECT_NEAR(t.BankAmounts(1, item), new_business * row.factor / (row.factor + 1), 0.5)
        << row.shows << ": product " << row.product << " advantage " << row.advantage;
  }
}

TEST(AllocationPass, CappedBankGetsItsCeilingAndThePoolGoesToTheOthers) {
  test::EngineTestSession s(3);
  EngineContext& c = s.context;
  const double weights[] = {0.5, 0.3, 0.2};
  const double ceilings[] = {100, 20, 100};
  for (int b = 1; b <= 3; ++b) {
    c.ShareWork(b, 3) = weights[b - 1];
    c.ShareWork(b, 5) = ceilings[b - 1];
    c.ShareWork(b, 6) = ceilings[b - 1];
  }
  c.ActiveWeight = 1;
  c.Pool = 100;
  AllocationPass(c);
  EXPECT_DOUBLE_EQ(c.ShareWork(2, 4), 20);
  EXPECT_DOUBLE_EQ(c.ShareWork(2, 7), 10) << "demand above the application limit";
  EXPECT_DOUBLE_EQ(c.Pool, 10) << "one pass leaves the excess in the pool";
  EXPECT_DOUBLE_EQ(c.ActiveWeight, 0.7);

  RunAllocation(c);
  EXPECT_NEAR(c.ShareWork(1, 4), 50 + 10 * 5.0 / 7, 1e-9);
  EXPECT_DOUBLE_EQ(c.ShareWork(2, 4), 20);
  EXPECT_NEAR(c.ShareWork(3, 4), 20 + 10 * 2.0 / 7, 1e-9);
  EXPECT_DOUBLE_EQ(c.ShareWork(2, 7), 10) << "a full bank takes no part in later passes";
}

TEST(AllocationPass, NeverExceedsCeilingsAndHandsOutWhatTheyAllow) {
  SeededRandom random(7);
  for (int trial = 0; trial < 200; ++trial) {
    test::EngineTestSession s(10);
    EngineContext& c = s.context;
    const double market = 100 + 900 * random.Next();
    double total_weight = 0;
    double total_ceiling = 0;
    for (int b = 1; b <= 10; ++b) {
      c.ShareWork(b, 3) = random.Next();
      total_weight += c.ShareWork(b, 3);
      c.ShareWork(b, 5) = 0.3 * market * random.Next();
      c.ShareWork(b, 6) = c.ShareWork(b, 5);
      total_ceiling += c.ShareWork(b, 5);
    }
    for (int b = 1; b <= 10; ++b)
      c.ShareWork(b, 3) /= total_weight;
    c.ActiveWeight = 1;
    c.Pool = market;
    RunAllocation(c);
    double allocated = 0;
    for (int b = 1; b <= 10; ++b) {
      EXPECT_LE(c.ShareWork(b, 4), c.ShareWork(b, 5)) << "trial " << trial << " bank " << b;
      allocated += c.ShareWork(b, 4);
    }
    const double expected = total_ceiling >= market ? market : total_ceiling;
    EXPECT_NEAR(allocated, expected, 1e-6)
        << "trial " << trial << " market " << market << " ceilings " << total_ceiling;
  }
}

// A later pass of a market under way: bank 2 is full, bank 1 reaches its ceiling in this pass
// at a value where ceiling - allocated + allocated falls short of the ceiling in doubles. It
// must leave the active weight, or its share of the next pass is lost (about 270 of 1000).
TEST(AllocationPass, ABankThatReachesItsCeilingStopsTakingPartExactly) {
  test::EngineTestSession s(3);
  EngineContext& c = s.context;
  const double rows[3][5] = {
      // weight, allocated, ceiling, application limit, overflow
      {0.5, 83.174, 418.656, 999, 0},
      {0.3, 10, 10, 10, 0},
      {0.2, 50, 5000, 5000, 0},
  };
  double before = 0;
  for (int b = 1; b <= 3; ++b) {
    for (int column = 1; column <= 5; ++column)
      c.ShareWork(b, column + 2) = rows[b - 1][column - 1];
    before += c.ShareWork(b, 4);
  }
  c.ActiveWeight = 0.7;
  c.Pool = 1000;
  AllocationPass(c);
  EXPECT_EQ(c.ShareWork(1, 4), 418.656);
  EXPECT_DOUBLE_EQ(c.ActiveWeight, 0.2) << "only bank 3 is still below its ceiling";
  RunAllocation(c);
  const double after = c.ShareWork(1, 4) + c.ShareWork(2, 4) + c.ShareWork(3, 4);
  EXPECT_NEAR(after, before + 1000, 1e-9);
  EXPECT_EQ(c.Pool, 0);
}

// Random markets met part way, with some banks already full and an active weight below 1,
// as a later pass finds them: whatever the ceilings allow is handed out, to the unit.
TEST(RunAllocation, HandsOutTheWholePoolFromAnyStateUnderWay) {
  SeededRandom random(13);
  for (int trial = 0; trial < 2000; ++trial) {
    test::EngineTestSession s(10);
    EngineContext& c = s.context;
    double room = 0;
    double held = 0;
    c.ActiveWeight = 0;
    for (int b = 1; b <= 10; ++b) {
      c.ShareWork(b, 3) = random.Next() / 10;
      c.ShareWork(b, 5) = 500 * random.Next();
      const bool full = random.Next() < 0.3;
      c.ShareWork(b, 4) = full ? c.ShareWork(b, 5) : c.ShareWork(b, 5) * random.Next();
      c.ShareWork(b, 6) = c.ShareWork(b, 5);
      if (!full)
        c.ActiveWeight += c.ShareWork(b, 3);
      room += c.ShareWork(b, 5) - c.ShareWork(b, 4);
      held += c.ShareWork(b, 4);
    }
    c.Pool = 2000 * random.Next();
    const double pool = c.Pool;
    RunAllocation(c);
    double allocated = 0;
    for (int b = 1; b <= 10; ++b) {
      EXPECT_LE(c.ShareWork(b, 4), c.ShareWork(b, 5)) << "trial " << trial << " bank " << b;
      allocated += c.ShareWork(b, 4);
    }
    EXPECT_NEAR(allocated - held, room >= pool ? pool : room, 1e-6)
        << "trial " << trial << " pool " << pool << " room " << room;
  }
}

TEST(AllocateMarkets, VolumeLimitCapsOneBankAndTheRestGoesToTheOthers) {
  test::EngineTestSession s(3);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.Decision(1, decision::kCommercialLoanLimit) = 6;
  t.EconIndex(econ_index::kCommercialLoanMarket) = 300 + 126;  // 126 of new commercial loans
  for (int b = 1; b <= 3; ++b)
    t.BankAmounts(b, amount::kCommercialOverflow) = 9;
  AllocateMarkets(s.context);
  const int allocated[] = {6, 60, 60};
  const int overflow[] = {36, 0, 0};
  int market = 0;
  for (int b = 1; b <= 3; ++b) {
    EXPECT_EQ(t.BankAmounts(b, amount::kNewCommercialLoans), allocated[b - 1]) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, amount::kCommercialOverflow), overflow[b - 1]) << "bank " << b;
    market += t.BankAmounts(b, amount::kNewCommercialLoans);
  }
  EXPECT_EQ(market, 126) << "the whole new business is handed out";
}

TEST(AllocateMarkets, NoMarketMeansNothingAllocated) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.EconIndex(econ_index::kCommercialLoanMarket) = 150;  // below the 200 already lent
  t.EconIndex(econ_index::kCheckingMarket) = 0;
  for (int b = 1; b <= 2; ++b) {
    t.BankAmounts(b, amount::kNewCommercialLoans) = 9;
    t.BankAmounts(b, amount::kCommercialOverflow) = 9;
  }
  AllocateMarkets(s.context);
  for (int b = 1; b <= 2; ++b) {
    EXPECT_EQ(t.BankAmounts(b, amount::kNewCommercialLoans), 0) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, amount::kCommercialOverflow), 0) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, amount::kCheckingDeposits), 0) << "bank " << b;
  }
}

TEST(AllocateMarkets, CertificatesPricedBelowTheMarketLoseTheirCeiling) {
  const struct {
    float rate;  // market rate 2 is 6
    double kept;
  } rows[] = {{6, 1},         {5.5F, 1},    {5.4375F, 0.5}, {5.25F, 0.5},
              {5.125F, 0.25}, {5.0F, 0.25}, {4.875F, 0.1}};
  for (const auto& row : rows) {
    test::EngineTestSession s(2);
    MakeSymmetricMarket(s);
    GameTables& t = s.tables();
    t.MarketRates(market_rate::kSixMonth) = 6;
    t.Decision(1, decision::kCdRate) = 6;
    t.Decision(2, decision::kCdRate) = row.rate;
    // Volume limits of 40 in a market of 100 make each ceiling bind, so each bank takes it.
    t.Decision(1, decision::kCdLimit) = 40;
    t.Decision(2, decision::kCdLimit) = 40;
    t.EconIndex(econ_index::kCertificateMarket) = 300;
    AllocateMarkets(s.context);
    EXPECT_EQ(t.BankAmounts(1, amount::kNewCertificates), 40) << "certificate rate " << row.rate;
    EXPECT_NEAR(t.BankAmounts(2, amount::kNewCertificates),
                row.kept * t.BankAmounts(1, amount::kNewCertificates), 1e-9)
        << "certificate rate " << row.rate;
  }
}

TEST(AllocateMarkets, HomeEquityScoresEachBankOnItsOwnBalance) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.BankAmounts(1, amount::kHomeEquityLoans) = 150;
  t.BankAmounts(2, amount::kHomeEquityLoans) = 50;
  t.EconIndex(econ_index::kHomeEquityLoanMarket) = 300;
  AllocateMarkets(s.context);
  // Scores (9 + 7 x 0.75) / 25 and (9 + 7 x 0.25) / 25 share the 100 of new loans.
  EXPECT_EQ(t.BankAmounts(1, amount::kNewHomeEquityLoans), 57);
  EXPECT_EQ(t.BankAmounts(2, amount::kNewHomeEquityLoans), 43);
  EXPECT_EQ(
      t.BankAmounts(1, amount::kNewHomeEquityLoans) + t.BankAmounts(2, amount::kNewHomeEquityLoans),
      100);
}

TEST(AllocateMarkets, TimeDepositPairSharesOneVolumeLimit) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.Decision(1, decision::kTimeDepositLimit) = 40;
  // 100 of new time deposits: 75 one-year, 25 five-year.
  t.EconIndex(econ_index::kTimeDepositMarket) = 300;
  AllocateMarkets(s.context);
  EXPECT_EQ(t.BankAmounts(1, amount::kNewTimeDeposits), 38) << "37.5 rounds to even";
  EXPECT_EQ(t.BankAmounts(1, amount::kNewTimeDepositsCopy), 38);
  EXPECT_EQ(t.BankAmounts(1, amount::kNewLongTimeDeposits), 2)
      << "what the one-year offer left of the limit";
  EXPECT_EQ(t.BankAmounts(1, amount::kNewLongTimeDepositsCopy), 2);
  EXPECT_EQ(t.BankAmounts(1, amount::kTimeDepositOverflow), 10)
      << "10.5 turned away rounds to even";
  EXPECT_EQ(t.BankAmounts(2, amount::kNewTimeDeposits), 38);
  EXPECT_EQ(t.BankAmounts(2, amount::kNewLongTimeDeposits), 23);
  EXPECT_EQ(t.BankAmounts(2, amount::kTimeDepositOverflow), 0);
}

}  // namespace
}  // namespace qv
