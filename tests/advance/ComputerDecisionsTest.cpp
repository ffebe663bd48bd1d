#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "advance/ComputerDecisionSteps.h"
#include "advance/ComputerDecisions.h"
#include "data/Items.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

using Items = std::map<int, double>;
using Tweak = std::function<void(GameTables&)>;

// A bank of 1000 with loans 70 % of assets, certificates a quarter of deposits and 60 of
// spare overnight money; capital exactly 1.6 times the 5 % minimum. The growth of plot
// series 4 is 1.1.
void MakeBank(GameTables& t, int b) {
  const double rates[] = {4, 4.5, 5, 6, 7, 3, 3.5, 8, 7.5};
  for (int i = 1; i <= 9; ++i)
    t.MarketRates(i) = rates[i - 1];
  {
    using namespace industry;
    for (const auto& [k, v] : Items{{kCheckingRate, 2},
                                    {kSavingsRate, 3},
                                    {kCommercialLoanRate, 8.5},
                                    {kConsumerLoanRate, 12},
                                    {kFixedRealEstateRate, 8.8},
                                    {kFloatingRealEstateRate, 5.6},
                                    {kHomeEquityLoanRate, 9},
                                    {kHomeEquityFee, 0.8}}) {
      t.IndustrySums(k) = v;
    }
  }
  for (const auto& [k, v] : Items{{8, 10}, {9, 0}, {12, 5}, {14, 50}})
    t.Environment(k) = v;
  t.EconSeries(2) = 4.6;
  t.PlotHistory(15, 4) = 5;
  t.PlotHistory(16, 4) = 5.5;
  // clang-format off
  for (const auto& [k, v] : Items{
           {1, 1000}, {3, 100}, {4, 250}, {5, 700}, {6, 20}, {7, 800}, {8, 20}, {10, 20},
           {11, 60}, {12, 40}, {43, 300}, {57, 200}, {71, 50}, {89, 100}, {90, 200},
           {64, 40}, {65, 999}, {66, 30}, {67, 30}, {68, 20}, {69, 20}, {70, 10},  // securities
           {72, 100}, {73, 50}, {74, 30}, {76, 40}, {130, 10}}) {                // run-offs
    t.BankAmounts(b, k) = static_cast<std::int16_t>(v);
  }
  // clang-format on
  t.BankValues(b, value::kDividendPerShare) = 0.5;  // last dividend per share
  t.BankValues(b, value::kCheckingCost) = 1.5;
  t.BankValues(b, value::kSavingsCost) = 2.5;
  t.BankValues(b, value::kSharesOutstanding) = 10;
  t.BankValues(b, value::kTwentyYearNoteRate) = 9.05;
  t.BankValues(b, value::kTotalInterestIncome) = 60;  // interest income and expense: 100
  t.BankValues(b, value::kTotalInterestExpense) = 40;
  t.BankValues(b, value::kNetIncome) = 10;
  t.BankValues(b, value::kExpenseA) = 30;
  t.BankValues(b, value::kExpenseB) = 8;
  t.BankValues(b, value::kExpenseC) = 5;
  t.BankValues(b, value::kExpenseD) = 4;
  t.BankValues(b, value::kHomeEquityFeeRate) = 0.01;
}

struct ComputerDecisionsTest : ::testing::Test, test::TestSession {
  GameTables& t = session.tables;

  void SetUp() override {
    session.game.NumBanks = 1;
    session.game.BankDiskFlag = 1;
    Reset();
  }

  void Reset() {
    t = GameTables{};
    MakeBank(t, 1);
  }

  // Runs the bank at `level` from decisions that are all 99 before.
  void Run(int level, const Tweak& tweak = nullptr) {
    if (tweak)
      tweak(t);
    for (int k = 1; k <= 63; ++k)
      t.Decision(1, k) = 99;
    session.DecisionSource(1) = static_cast<std::int16_t>(level + 2);
    EXPECT_EQ(ComputerDecisions(session), Proceed::kGoOn);
  }

  void ExpectItems(const Items& expected, const std::string& shows) {
    for (const auto& [k, v] : expected) {
      EXPECT_NEAR(t.Decision(1, k), v, 1e-4) << shows << ": item " << k;
    }
  }
};

TEST_F(ComputerDecisionsTest, EachLevelDecidesFromTheBooks) {
  // Funds 60 over the cushion, loans 70 %, few certificates: the only later step buys
  // securities with the run-off and the surplus (50 + 60) / 4.
  struct Row {
    int item;
    double level1, level2, level3;
  };
  const Row rows[] = {
      {1, 2, 1.95, 2},  // industry 2 under the ceiling; the intermediate a little under it
      {2, 3, 2.95, 3},
      {3, 5.25, 5.25, 5.25},
      {4, 6.25, 6.25, 6.25},
      {5, 4.6, 4.6, 4.6},
      {6, 8, 8.5, 8.45},     // prime 8, or the industry's 8.5 (the expert 0.05 under it)
      {7, 13, 12, 12.5},     // prime + 5, or the industry's 12 (the expert 0.5 over it)
      {8, 7.75, 9.05, 9.1},  // at least the 20-year note rate 9.05
      {9, 5.75, 5.8, 6},     // the expert: one-year rate 5 + 1
      {10, 33, 33, 33},
      {11, 7.5, 7.5, 7.5},  // 8.8 held to 7.5 % of the net interest 100
      {12, 5.5, 5.5, 5.5},
      {13, 22, 22.25, 22.25},
      {14, 0.4, 0.5, 0.5},
      {15, 8.5, 9.2, 9.3},
      {16, 1, 1, 1},
      {17, 4.4, 0.5, 0.5},  // levels 2, 3: at most half the payout 0.5, at least 0.5
      {20, 350, 350, 350},  // 35 % of assets
      {21, 350, 350, 350},
      {22, 27.5, 27.5, 27.5},
      {25, 27.5, 27.5, 27.5},
      {37, -6.66667, -5, -3.33333},  // capital 80 against 1.2, 1.3, 1.4 x the minimum 50
      {41, -13.3333, -10, -6.66667},
      {43, 350, 350, 350},
      {48, 350, 350, 350},
  };
  for (const int level : {1, 2, 3}) {
    Run(level);
    Items expected;
    for (const Row& row : rows) {
      expected[row.item] = level == 1 ? row.level1 : level == 2 ? row.level2 : row.level3;
    }
    for (const int k : {23, 24})
      expected[k] = 27.5;
    for (const int k : {44, 45, 46, 47})
      expected[k] = 350;
    for (int k = 1; k <= 63; ++k) {
      const double want = expected.contains(k) ? expected.at(k) : 0.0;
      EXPECT_NEAR(t.Decision(1, k), want, 1e-4) << "level " << level << ", item " << k;
    }
  }
  EXPECT_EQ(session.game.BankDiskFlag, 0);
  EXPECT_TRUE(ui.shown().empty());
}

TEST_F(ComputerDecisionsTest, JitterSpreadNarrowsWithExpertise) {
  random.set_value(0.0F);  // every factor +1: each jitter moves by its full spread
  for (const int level : {1, 2, 3}) {
    Run(level);
    const double spread = (4 - level) * 0.1;
    ExpectItems({{3, 5.25 + spread}, {4, 6.25 + spread}, {5, 4.6 + spread}},
                "level " + std::to_string(level));
  }
}

TEST_F(ComputerDecisionsTest, FundsPositionAndRatiosChooseTheBranch) {
  // Purchased funds 600 against overnight 100 leave the bank 300 short of the deep cushion
  // (the base has 20, a surplus of 60); loans 950 or 600 of assets 1000 are over 90 % or under
  // 65 % (the base has 700); certificates 400 of deposits 800 are over 40 % (the base 200).
  struct Case {
    const char* shows;
    std::int16_t purchased_funds, loans, certificates;
    Items expected;
  };
  // clang-format off
  const Case cases[] = {
      {"short, loans over 90 %: sell long loans, limit volumes to run-off, raise rates",
       600, 950, 200, {{11, 9.75}, {12, 3.85}, {43, 110}, {44, 55}, {45, 33}, {48, 11}, {33, 100},
                       {34, 150}, {13, 24.475}, {1, 2.45}, {16, 1.1}, {5, 4.6}, {47, 350}, {22, 0}}},
      {"short, loans over 90 %, many certificates",
       600, 950, 400, {{1, 2.7}, {16, 1.15}, {5, 4.35}, {47, 40}, {33, 100}}},
      {"short, loans under 65 %: sell securities only",
       600, 600, 200, {{27, 40}, {28, 30}, {29, 30}, {30, 20}, {31, 20}, {32, 10}, {22, 0}, {33, 0},
                       {1, 1.95}, {11, 7.5}, {43, 350}}},
      {"short, loans under 65 %, many certificates",
       600, 600, 400, {{1, 2.2}, {16, 1.05}, {5, 4.35}, {47, 40}}},
      {"short, loans between: securities first, the rest from long loans",
       600, 700, 200, {{11, 9}, {12, 4.4}, {43, 110}, {48, 11}, {27, 40}, {32, 10}, {33, 50},
                       {34, 0}, {1, 2.2}, {16, 1.05}, {5, 4.6}, {47, 350}}},
      {"short, loans between, many certificates",
       600, 700, 400, {{1, 2.45}, {16, 1.1}, {5, 4.35}, {47, 40}}},
      {"surplus, loans over 90 %: buy securities, raise rates",
       20, 950, 200, {{11, 9}, {12, 4.4}, {22, 27.5}, {1, 2.45}, {16, 1.1}, {5, 4.6}, {47, 350},
                      {43, 350}}},
      {"surplus, loans over 90 %, many certificates",
       20, 950, 400, {{1, 2.45}, {5, 4.1}, {47, 40}}},
      {"surplus, loans under 65 %: lower rates, buy securities",
       20, 600, 200, {{11, 6}, {12, 6.6}, {1, 1.7}, {16, 0.95}, {5, 4.35}, {47, 40}, {22, 27.5}}},
      {"surplus, loans under 65 %, many certificates: let certificates run off",
       20, 600, 400, {{11, 6}, {12, 6.6}, {1, 1.95}, {5, 3.85}, {47, 0}, {22, 17.5}}},
      {"surplus, loans between, many certificates",
       20, 700, 400, {{22, 27.5}, {1, 2.2}, {16, 1.05}, {5, 4.1}, {47, 40}}},
      {"exactly 90 % loans and 40 % certificates count as between and few",
       20, 900, 320, {{11, 7.5}, {12, 5.5}, {1, 1.95}, {5, 4.6}, {47, 350}, {22, 27.5}}},
      {"exactly 65 % loans count as between",
       20, 650, 200, {{11, 7.5}, {12, 5.5}, {1, 1.95}, {22, 27.5}}},
      {"a small shortfall inside the band (-1) counts as short",
       260, 700, 200, {{22, 12.25}, {33, 0}, {11, 9}, {1, 2.2}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    Reset();
    Run(2, [&](GameTables& g) {
      g.BankAmounts(1, amount::kPurchasedFunds) = c.purchased_funds;
      g.BankAmounts(1, amount::kLoans) = c.loans;
      g.BankAmounts(1, amount::kCertificates) = c.certificates;
    });
    ExpectItems(c.expected, c.shows);
  }
}

TEST_F(ComputerDecisionsTest, NoDepositsMeansNoCertificateShare) {
  Run(2, [](GameTables& g) {
    g.BankAmounts(1, amount::kCertificates) = 400;
    g.BankAmounts(1, amount::kDeposits) = 0;
  });
  ExpectItems({{1, 1.95}, {5, 4.6}, {47, 350}}, "no rate shift, no certificate limit");
}

TEST_F(ComputerDecisionsTest, ExpertReturnsSurplusCapital) {
  // Capital (notes + equity) 100 or 140 against the minimum 50 is over 1.6 times it; at 80 in
  // the base it is exactly 1.6, and the base expert keeps it (item 42 is 0 there).
  struct Case {
    const char* shows;
    int level;
    std::int16_t notes, equity;
    Items expected;
  };
  // clang-format off
  const Case cases[] = {
      {"buys back shares and issues the notes equity still carries", 3, 20, 80,
       {{42, 13.33333}, {37, 13.33333}, {38, 0}, {41, -20}, {22, 27.5}}},
      {"buys back shares and retires the notes equity no longer carries", 3, 60, 80,
       {{42, 15.035461}, {38, 27.51773}, {37, -23.33333}, {41, -46.66667}, {22, 16.75}}},
      {"below level 3 the surplus stays", 2, 20, 80, {{42, 0}, {38, 0}, {22, 27.5}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    Reset();
    Run(c.level, [&](GameTables& g) {
      g.BankAmounts(1, amount::kCapitalNotes) = c.notes;
      g.BankAmounts(1, amount::kEquity) = c.equity;
    });
    ExpectItems(c.expected, c.shows);
  }
}

TEST_F(ComputerDecisionsTest, DepositRatesFollowTheIndustryUnderTheirCeilings) {
  // Ceilings with reserves 10 % and 0 % on the best market rate 8: 6.552 and 8.
  struct Case {
    const char* shows;
    int level;
    int item;
    double industry, expected;
  };
  const Case cases[] = {
      {"industry far above the checking ceiling: own cost", 2, 1, 7.1, 1.5},
      {"the expert pays a quarter point under its own cost", 3, 1, 7.1, 1.25},
      {"industry less than half a point above: the ceiling", 2, 1, 7.0, 6.552},
      {"savings far above their ceiling: own cost", 3, 2, 8.6, 2.25},
      {"savings never below 1", 1, 2, 0.5, 1},
  };
  for (const Case& c : cases) {
    Reset();
    // The industry's average of a rate carries the rate decision's number.
    Run(c.level, [&](GameTables& g) { g.IndustrySums(c.item) = c.industry; });
    ExpectItems({{c.item, c.expected}}, c.shows);
  }
}

TEST_F(ComputerDecisionsTest, OnlyComputerBanksWithinTheGameAreDecided) {
  session.game.NumBanks = 4;
  const std::int16_t sources[] = {0, 1, 2, 5, 3};
  for (int b = 1; b <= 5; ++b) {
    MakeBank(t, b);
    session.DecisionSource(b) = sources[b - 1];
    for (int k = 1; k <= 63; ++k)
      t.Decision(b, k) = 7;
  }
  EXPECT_EQ(ComputerDecisions(session), Proceed::kGoOn);
  for (const int b : {1, 2, 3, 5}) {
    for (int k = 1; k <= 63; ++k)
      EXPECT_EQ(t.Decision(b, k), 7) << "bank " << b << " item " << k;
  }
  EXPECT_EQ(t.Decision(4, decision::kPurchasedFundsLimit), 350);
  EXPECT_EQ(t.Decision(4, 63), 0);
}

TEST_F(ComputerDecisionsTest, RunTimeErrorStopsAndKeepsTheBanksDone) {
  struct Case {
    const char* shows;
    int error;
    Tweak tweak;  // of bank 2 only, unless the plot history
  };
  const Case cases[] = {
      {"no shares outstanding", 11,
       [](GameTables& g) { g.BankValues(2, value::kSharesOutstanding) = 0; }},
      {"no assets", 11, [](GameTables& g) { g.BankAmounts(2, amount::kTotalAssets) = 0; }},
      {"a purchase beyond 16 bits", 6,
       [](GameTables& g) { g.BankAmounts(2, amount::kSecuritiesRunOff) = 32767; }},
      {"no plot value last quarter", 11, [](GameTables& g) { g.PlotHistory(15, 4) = 0; }},
  };
  for (const Case& c : cases) {
    test::ScriptedUi fresh_ui;
    Session run{files, fresh_ui, clock, random};
    run.game.NumBanks = 2;
    for (const int b : {1, 2}) {
      MakeBank(run.tables, b);
      run.DecisionSource(b) = 4;
    }
    c.tweak(run.tables);
    fresh_ui.Then(Answer::kOk);
    EXPECT_EQ(ComputerDecisions(run), Proceed::kStop) << c.shows;
    EXPECT_EQ(run.ProceedOk, Proceed::kStop);
    ASSERT_EQ(fresh_ui.shown().size(), 1U) << c.shows;
    const Message& shown = fresh_ui.shown()[0];
    EXPECT_EQ(shown.text, "Quorvant Sub ComputerDecisions Error " + std::to_string(c.error));
    EXPECT_EQ(shown.icon, Icon::kExclamation);
    EXPECT_EQ(shown.buttons, Buttons::kOk);
    if (run.tables.PlotHistory(15, 4) != 0) {
      EXPECT_EQ(run.tables.Decision(1, decision::kFirstSecurityPurchase), 27.5F)
          << c.shows << ": bank 1 keeps its decisions";
    }
  }
}

TEST_F(ComputerDecisionsTest, CapitalDecisionsCloseTheGap) {
  struct Case {
    const char* shows;
    int level;
    std::int16_t notes, equity;
    double issue_notes, issue_shares;
  };
  const Case cases[] = {
      {"notes within their ceiling cover the gap", 1, 0, 40, 20, 0},
      {"shares beyond the note ceiling carry more notes", 1, 10, 30, 10, 10},
      {"the expert holds 1.4 times the minimum", 3, 10, 30, 13.33333, 16.66667},
      {"surplus capital gives negative issues", 2, 20, 60, -5, -10},
  };
  for (const Case& c : cases) {
    t.BankAmounts(1, amount::kCapitalNotes) = c.notes;
    t.BankAmounts(1, amount::kEquity) = c.equity;
    SetCapitalDecisions(session, 1, c.level);
    ExpectItems({{37, c.issue_notes}, {41, c.issue_shares}}, c.shows);
  }
}

TEST_F(ComputerDecisionsTest, MeasureFundsAgainstRoundedCushions) {
  struct Case {
    const char* shows;
    std::int16_t assets, overnight, purchased, central;
    int expected;
  };
  const Case cases[] = {
      {"surplus above the cushion of 20", 1000, 100, 20, 0, 60},
      {"exactly the cushion", 1000, 20, 0, 0, 0},
      {"at the band floor of -150", 1000, 0, 150, 0, 0},
      {"central-bank borrowing counts; just below the floor", 1000, 0, 100, 51, -1},
      {"at the deep cushion of -200", 1000, 0, 200, 0, -1},
      {"below the deep cushion", 1000, 0, 250, 0, -50},
      {"cushion 0.5 rounds to 0", 25, 1, 0, 0, 1},
      {"cushion 1.5 rounds to 2", 75, 3, 0, 0, 1},
      {"band floor 4.5 rounds to 4", 30, 0, 5, 0, -1},
  };
  for (const Case& c : cases) {
    t.BankAmounts(1, amount::kTotalAssets) = c.assets;
    t.BankAmounts(1, amount::kOvernightInvestments) = c.overnight;
    t.BankAmounts(1, amount::kPurchasedFunds) = c.purchased;
    t.BankAmounts(1, amount::kCentralBankBorrowing) = c.central;
    EXPECT_EQ(MeasureFunds(session, 1), c.expected) << c.shows;
  }
}

TEST_F(ComputerDecisionsTest, PortfolioSalesByLevel) {
  // Levels 1 and 2 sell a quarter of every band (50 of 200 saleable); purchases of 10.5
  // round to 10. Item 27 takes buckets 2..4 (amount 64), never amount 65.
  SetPortfolioDecisions(session, 1, 2, 10.5, 50);
  ExpectItems(
      {{22, 2.5}, {25, 2.5}, {26, 0}, {27, 10}, {28, 7.5}, {29, 7.5}, {30, 5}, {31, 5}, {32, 2.5}},
      "pro rata");

  // The expert sells 46.5 (rounded to 46) longest first at market value: band 6 whole (21),
  // band 5 has no market value, band 4 whole (20), band 3 the remaining 5 of 30.
  for (int k = 27; k <= 32; ++k)
    t.Decision(1, k) = 0;
  for (const auto& [k, v] : Items{{83, 40}, {84, 30}, {85, 30}, {86, 20}, {87, 0}, {88, 21}}) {
    t.BankAmounts(1, k) = static_cast<std::int16_t>(v);
  }
  SetPortfolioDecisions(session, 1, 3, 11.5, 46.5);
  ExpectItems({{22, 3}, {32, 10}, {31, 0}, {30, 20}, {29, 5}, {28, 0}, {27, 0}}, "longest first");
}

TEST_F(ComputerDecisionsTest, ShiftRatesMovesNineRatesAndTheFee) {
  for (int k = 1; k <= 63; ++k)
    t.Decision(1, k) = 1;
  ShiftRates(session, 1, -0.25);
  for (const int k : {1, 2, 3, 4, 6, 7, 8, 9, 15})
    EXPECT_EQ(t.Decision(1, k), 0.75F) << k;
  ExpectItems({{5, 1}, {10, 1}, {16, 0.95}}, "shift");
  t.Decision(1, decision::kHomeEquityFee) = 0.02F;
  ShiftRates(session, 1, -0.25);
  EXPECT_EQ(t.Decision(1, decision::kHomeEquityFee), 0.0F);
}

TEST(DecisionJitter, FactorIsTakenInSinglePrecision) {
  // 1 - 2^-29 is 1 in single precision.
  FixedRandom tiny(std::ldexp(1.0F, -30));
  EXPECT_EQ(DecisionJitter(tiny, 0.0, 1.0), 1.0);
  FixedRandom three_quarters(0.75F);
  EXPECT_EQ(DecisionJitter(three_quarters, 10.0, 2.0), 9.0);
}

}  // namespace
}  // namespace qv
