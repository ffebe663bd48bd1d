#include <gtest/gtest.h>

#include <vector>

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
    for (const int item : {10, 11, 12, 13, 17})
      t.Decision(b, item) = 5;
    for (const int item : {72, 73, 74, 88})
      t.BankValues(b, item) = 5;
    t.BankAmounts(b, 6) = 5;
    for (const int item : {45, 47, 52, 57, 32, 37, 43, 129})
      t.BankAmounts(b, item) = 100;
    for (int item = 1; item <= 9; ++item)
      t.Decision(b, item) = 5;
    t.Decision(b, 15) = 5;
    t.Decision(b, 16) = 1;
    for (int item = 43; item <= 48; ++item)
      t.Decision(b, item) = 999;
    t.BankValues(b, 80) = 1;
  }
  for (const int item : {17, 18, 19, 20, 25})
    t.IndustrySums(item) = 10.0 * n;
  for (int item = 10; item <= 16; ++item)
    t.IndustrySums(item) = 100.0 * n;
  t.IndustrySums(24) = 100.0 * n;
  for (int item = 1; item <= 9; ++item)
    t.IndustrySums(item) = 5;
  t.IndustrySums(21) = 1;
  t.IndustrySums(22) = 5;
  t.IndustrySums(23) = 1;
  t.MarketRates(2) = 5;
}

void SetMarket(EngineContext& c, int kind, int index_item, double factor, int balance_item,
               int rate_item, int limit_item) {
  c.MarketKind = kind;
  c.MarketIndexItem = index_item;
  c.MarketFactor = factor;
  c.BalanceItem = balance_item;
  c.RateItem = rate_item;
  c.LimitItem = limit_item;
}

TEST(Attraction, SymmetricBanksShareEveryProductEqually) {
  test::EngineTestSession s(4);
  MakeSymmetricMarket(s);
  for (int p = 1; p <= 8; ++p) {
    EXPECT_NEAR(Attraction(s.context, p, 100, 2), 0.25, 1e-12) << "product " << p;
  }
}

TEST(Attraction, HomeEquityBalanceIsMeasuredAgainstItsOwnIndustrySum) {
  test::EngineTestSession s(1);
  MakeSymmetricMarket(s);
  s.tables().IndustrySums(24) = 200;
  // Product 7 measures the balance against sum 16 (100), product 8 against sum 24 (200).
  EXPECT_NEAR(Attraction(s.context, 7, 100, 1), 1.0, 1e-12);
  EXPECT_NEAR(Attraction(s.context, 8, 100, 1), (18 + 7 * 0.5) / 25, 1e-12);
}

TEST(RateFactor, SaturatesAtTheProductBounds) {
  test::EngineTestSession s(1);
  const struct {
    int product;
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
    EXPECT_NEAR(RateFactor(s.context, row.product, row.advantage), row.factor, 1e-12)
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

TEST(AllocateMarket, VolumeLimitCapsOneBankAndTheRestGoesToTheOthers) {
  test::EngineTestSession s(3);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.Decision(1, 43) = 6;
  t.EconIndex(2) = 300 + 126;  // 126 of new commercial loans
  for (int b = 1; b <= 3; ++b)
    t.BankAmounts(b, 78) = 9;
  SetMarket(s.context, 3, 2, 1, 32, 6, 43);
  AllocateMarket(s.context);
  EXPECT_DOUBLE_EQ(s.context.MarketSize, 126);
  const int allocated[] = {6, 60, 60};
  const int overflow[] = {36, 0, 0};
  for (int b = 1; b <= 3; ++b) {
    EXPECT_EQ(t.BankAmounts(b, 31), allocated[b - 1]) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, 78), overflow[b - 1]) << "bank " << b;
  }
}

TEST(AllocateMarket, NoMarketMeansNothingAllocated) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.EconIndex(2) = 150;  // below the 200 already lent
  t.EconIndex(5) = 0;
  for (int b = 1; b <= 2; ++b) {
    t.BankAmounts(b, 31) = 9;
    t.BankAmounts(b, 78) = 9;
  }
  SetMarket(s.context, 3, 2, 1, 32, 6, 43);
  AllocateMarket(s.context);
  EXPECT_LT(s.context.MarketSize, 0);
  AllocateDepositMarket(s.context, 1);
  for (int b = 1; b <= 2; ++b) {
    EXPECT_EQ(t.BankAmounts(b, 31), 0) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, 78), 0) << "bank " << b;
    EXPECT_EQ(t.BankAmounts(b, 45), 0) << "bank " << b;
  }
}

TEST(AllocateMarket, CertificatesPricedBelowTheMarketLoseTheirCeiling) {
  const struct {
    float rate;  // market rate 2 is 6
    double kept;
  } rows[] = {{6, 1},         {5.5F, 1},    {5.4375F, 0.5}, {5.25F, 0.5},
              {5.125F, 0.25}, {5.0F, 0.25}, {4.875F, 0.1}};
  for (const auto& row : rows) {
    test::EngineTestSession s(2);
    MakeSymmetricMarket(s);
    GameTables& t = s.tables();
    t.MarketRates(2) = 6;
    t.Decision(1, 5) = 6;
    t.Decision(2, 5) = row.rate;
    t.EconIndex(8) = 300;
    SetMarket(s.context, 2, 8, 1, 57, 5, 47);
    AllocateMarket(s.context);
    EXPECT_NEAR(s.context.ShareWork(2, 5), row.kept * s.context.ShareWork(1, 5), 1e-9)
        << "certificate rate " << row.rate;
  }
}

TEST(AllocateMarket, HomeEquityScoresEachBankOnItsOwnBalance) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.BankAmounts(1, 129) = 150;
  t.BankAmounts(2, 129) = 50;
  t.EconIndex(10) = 300;
  SetMarket(s.context, 6, 10, 1, 129, 10, 48);
  AllocateMarket(s.context);
  EXPECT_NEAR(s.context.ShareWork(1, 1), (9 + 7 * 0.75) / 25, 1e-12);
  EXPECT_NEAR(s.context.ShareWork(2, 1), (9 + 7 * 0.25) / 25, 1e-12);
  EXPECT_EQ(t.BankAmounts(1, 128) + t.BankAmounts(2, 128), 100);
}

TEST(AllocateMarkets, TimeDepositPairSharesOneVolumeLimit) {
  test::EngineTestSession s(2);
  MakeSymmetricMarket(s);
  GameTables& t = s.tables();
  t.Decision(1, 46) = 40;
  t.EconIndex(7) = 300;  // 100 of new time deposits: 75 one-year, 25 five-year
  AllocateMarkets(s.context);
  EXPECT_EQ(t.BankAmounts(1, 50), 38) << "37.5 rounds to even";
  EXPECT_EQ(t.BankAmounts(1, 122), 38);
  EXPECT_EQ(t.BankAmounts(1, 51), 2) << "what the one-year offer left of the limit";
  EXPECT_EQ(t.BankAmounts(1, 123), 2);
  EXPECT_EQ(t.BankAmounts(1, 81), 10) << "10.5 turned away rounds to even";
  EXPECT_EQ(t.BankAmounts(2, 50), 38);
  EXPECT_EQ(t.BankAmounts(2, 51), 23);
  EXPECT_EQ(t.BankAmounts(2, 81), 0);
}

}  // namespace
}  // namespace qv
