#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "data/Items.h"
#include "newgame/OpeningBanks.h"
#include "newgame/PeriodZero.h"
#include "platform/ByteCoding.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

// A small economy worked through by hand: the same market rates in every period, and price
// and growth factors that name their period p (1 + p / 10000 and 1.02 + p / 10000).
constexpr double kRates[] = {4, 4.4, 5, 6, 7, 4, 4.5, 7, 8, 9};

std::string HandEconomy() {
  std::vector<std::uint8_t> bytes(100 * 128);
  for (int p = 1; p <= 100; ++p) {
    const auto at = [&](int single) {
      return static_cast<std::size_t>((p - 1) * 128 + (single - 1) * 4);
    };
    for (int s = 1; s <= 10; ++s) {
      PutSingle(bytes, at(s), static_cast<float>(kRates[s - 1]));
    }
    PutSingle(bytes, at(11), static_cast<float>(1 + p / 10000.0));
    for (int s = 12; s <= 18; ++s) {
      PutSingle(bytes, at(s), 1.01F);
    }
    PutSingle(bytes, at(32), static_cast<float>(1.02 + p / 10000.0));
  }
  return std::string(bytes.begin(), bytes.end());
}

// Opening lots shared by every type, so that the type constants make the difference; only the
// Business book holds 500 more securities, so that its assets exceed its funding. `huge`, when
// given, fills the first two securities buckets of every type.
std::string HandInit(int huge = 0) {
  struct Lots {
    int first, last, amount;  // records of INIT.QVS: 1..128 portfolio, 129..188 loan book
  };
  const Lots kLots[] = {{1, 1, 100},  {26, 29, 50}, {30, 41, 10},   {42, 61, 20},
                        {62, 63, 50}, {64, 103, 2}, {129, 148, 10}, {149, 168, 5}};
  std::vector<std::uint8_t> bytes(188 * 8);
  const auto put = [&](int record, int type, int amount) {
    PutInt16(bytes, static_cast<std::size_t>((record - 1) * 8 + (type - 1) * 2),
             static_cast<std::int16_t>(amount));
  };
  for (int type = 1; type <= 4; ++type) {
    for (const Lots& lots : kLots) {
      for (int record = lots.first; record <= lots.last; ++record)
        put(record, type, lots.amount);
    }
    if (type == bank_type::kBusiness)
      put(1, type, 600);
    if (huge != 0) {
      put(1, type, huge);
      put(2, type, huge);
    }
  }
  return std::string(bytes.begin(), bytes.end());
}

struct PeriodZero : ::testing::Test, test::TestSession {
  NewGameState state;

  void SetUp() override {
    dir.Write("DATAEC.QVS", HandEconomy());
    dir.Write("INIT.QVS", HandInit());
    EnvironmentDefaults(session);
    session.tables.TaxRate = ToSingle(session.tables.Environment(environment::kTaxRate));
    session.game.NumBanks = 3;
    session.game.EconPeriod = 50;
    state.BankType(1) = bank_type::kFullService;
    state.BankType(2) = bank_type::kTurnaround;
    state.BankType(3) = bank_type::kBusiness;
  }

  void Calculate() {
    ASSERT_EQ(CalcPeriod0(session, state), 0) << testing::PrintToString(ui.texts());
  }
  const BankProfile& Profile(int type) const { return state.TypeProfile(type); }
};

using Read = std::function<double(const BankProfile&)>;
Read Yield(int bucket) {
  return [bucket](const BankProfile& p) { return p.lots.PortfolioYield(bucket); };
}
Read LoanRate(int bucket) {
  return [bucket](const BankProfile& p) { return p.lots.LoanRate(bucket); };
}
Read Decided(int item) {
  return [item](const BankProfile& p) { return static_cast<double>(p.Decision(item)); };
}

constexpr int kFs = bank_type::kFullService;
constexpr int kTu = bank_type::kTurnaround;
constexpr int kBu = bank_type::kBusiness;

TEST_F(PeriodZero, OpeningBalanceSheetsWorkedByHand) {
  Calculate();
  struct Row {
    int type;
    int item;
    int expected;
    const char* shows;
  };
  const Row rows[] = {
      // Full Service: assets 815 against funding 1150, the surplus of 335 goes overnight.
      {kFs, 3, 335, "overnight surplus"},
      {kFs, 1, 1150, "total assets"},
      {kFs, 11, 55, "equity 1.2 x 57.5 / 1.25 = 55.2"},
      {kFs, 10, 14, "capital notes 69 - 55"},
      {kFs, 12, 28, "paid-in half of 55, halves to even"},
      {kFs, 45, 331, "checking less the capital of 69"},
      {kFs, 27, 30, "float 9 % of 331"},
      {kFs, 25, 15, "required reserves 44.38 / 3"},
      {kFs, 2, 74, "cash and reserves"},
      {kFs, 32, 126, "commercial loans give up the cash"},
      {kFs, 73, 40, "four times the first consumer lot"},
      // Turnaround: thinner capital (k = 0.8) with more of it in notes (n = 1).
      {kTu, 11, 28, "equity 0.8 x 52.5 / 1.5"},
      {kTu, 10, 14, "capital notes 42 - 28"},
      {kTu, 25, 10, "required reserves at their floor of 10"},
      // Business: assets 1310 exceed funding 1100; the central bank lends the gap.
      {kBu, 9, 210, "central-bank borrowing"},
      {kBu, 3, 0, "no overnight investment"},
      {kBu, 1, 1310, "total assets"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Profile(row.type).Amounts(row.item), row.expected)
        << "type " << row.type << ", amount " << row.item << ": " << row.shows;
  }
  // The cash comes out of the first three commercial lots in quarters; the last takes the rest.
  EXPECT_EQ(Profile(kFs).lots.PortfolioAmount(26), 32);  // 50 - 18.5, to even
  EXPECT_EQ(Profile(kFs).lots.PortfolioAmount(29), 30);
  // Notes mature in years 4, 8, 12 and 16 by tenths.
  EXPECT_DOUBLE_EQ(Profile(kFs).lots.LoanAmount(48), 2.8);
  EXPECT_NEAR(Profile(kFs).lots.LoanAmount(56), 5.6, 1e-12);
  EXPECT_NEAR(Profile(kTu).Results(8), 0.8, 1e-12);  // capital against the minimum
}

// With the perturbations at their centre the opening rates follow the market by fixed spreads,
// and every rate the regulation limits stays within its maximum (Environment items 1..7).
TEST_F(PeriodZero, OpeningRatesFollowTheMarketWithinTheMaxima) {
  struct Row {
    int environment_item;  // 0: the defaults, no effective maximum
    double limit;
    int type;
    Read read;
    double expected;
    const char* shows;
  };
  const Row rows[] = {
      {0, 0, kFs, Yield(5), 6.1, "five-year rate + 0.1 on the quarterly securities"},
      {0, 0, kFs, Yield(1), 5.55, "mean of the one-year rate and lot 5"},
      {0, 0, kFs, Yield(21), 6.55, "lot 21 between lots 20 and 22"},
      {0, 0, kFs, Yield(30), 12, "consumer lots at prime + 5"},
      {0, 0, kFs, Yield(63), 4.84, "certificates: six-month rate x 1.1"},
      {0, 0, kFs, Yield(103), 10.5, "home equity one over the year-10 loan rate"},
      {0, 0, kFs, LoanRate(13), 9.5, "rate table 13: halfway between 7 and 9"},
      {0, 0, kFs, LoanRate(41), 7.25, "capital notes 1.25 over the rate table"},
      {0, 0, kFs, Decided(2), 2.4, "savings rate 0.6 x bill"},
      {0, 0, kFs, Decided(9), 5.5, "floating rate"},
      {0, 0, kTu, Yield(1), 5.45, "Turnaround earns 0.1 less on securities"},
      {0, 0, kTu, Yield(42), 6.125, "short time deposits from its own dearer lot 46, plus 0.75"},
      {0, 0, kTu, LoanRate(21), -0.25, "a negative floating margin"},
      {0, 0, kTu, LoanRate(41), 8.75, "notes 2.75 over the table"},
      {0, 0, kTu, Decided(1), 0.95, "checking rate"},
      {0, 0, kTu, Decided(6), 7.0, "commercial decision without the lot's discount"},
      {1, 6.9, kFs, Yield(26), 6.9, "commercial lots at the commercial maximum"},
      {1, 6.9, kTu, Yield(26), 6.8, "a rate below the maximum stays"},
      {2, 11.5, kFs, Yield(41), 11.5, "consumer lots at the consumer maximum"},
      {3, 7.8, kFs, LoanRate(5), 7.8, "fixed loans at the real-estate maximum"},
      {3, 7.8, kFs, Decided(8), 7.8, "fixed-rate decision"},
      {3, 5.2, kFs, Decided(9), 5.2, "floating-rate decision"},
      {4, 1, kFs, Decided(1), 1, "checking rate"},
      {5, 1.2, kFs, Decided(1), 0.95, "checking follows the clipped savings rate"},
      {6, 5.5, kFs, Yield(46), 5.5, "time deposits at the time-deposit maximum"},
      {6, 5.5, kFs, Yield(42), 4.75, "short time deposits follow the clipped lot 46"},
      {6, 5.5, kTu, Yield(42), 5.5, "the Turnaround's premium is clipped too"},
      {6, 5.1, kFs, Decided(3), 5.1, "time-deposit decision"},
      {7, 4.9, kFs, Yield(62), 4.9, "certificates at the certificate maximum"},
  };
  for (const Row& row : rows) {
    EnvironmentDefaults(session);
    if (row.environment_item != 0)
      session.tables.Environment(row.environment_item) = row.limit;
    Calculate();
    EXPECT_NEAR(row.read(Profile(row.type)), row.expected, 1e-5)
        << "Environment(" << row.environment_item << ") = " << row.limit << ", type " << row.type
        << ": " << row.shows;
  }
}

TEST_F(PeriodZero, QuarterOfIncomeWorkedByHand) {
  Calculate();
  const auto& fs = Profile(kFs).Results;
  EXPECT_NEAR(fs(60), 3.35, 1e-9);     // 335 overnight at 4 %
  EXPECT_NEAR(fs(61), 1.3875, 1e-5);   // 100 of securities at 5.55 %
  EXPECT_NEAR(fs(62), 2.205, 1e-5);    // 126 of commercial loans at 7 %
  EXPECT_NEAR(fs(104), 1.86, 1e-5);    // home equity, 8 in each year's four lots
  EXPECT_NEAR(fs(46), 18.1275, 1e-5);  // total interest income
  EXPECT_NEAR(fs(47), -9.902375, 1e-5);
  EXPECT_NEAR(fs(86), 1.68, 1e-9);  // fees
  EXPECT_NEAR(fs(72), 0.375 * (18.1275 - 9.902375 + 1.68), 1e-5);
  EXPECT_NEAR(fs(79), 0.981, 1e-9);                     // loan losses at the unit rates
  EXPECT_NEAR(fs(88), 1.8, 1e-12);                      // twice the premises cost of 0.9
  EXPECT_NEAR(Profile(kBu).Results(66), 2.3625, 1e-5);  // 210 borrowed at 4.5 %
  for (int type = 1; type <= 4; ++type) {
    const auto& r = Profile(type).Results;
    const double pretax = r(46) + r(47) + r(86) + r(48);
    EXPECT_NEAR(r(49), -0.49 * pretax, 1e-6) << "type " << type;
    EXPECT_NEAR(r(51), pretax + r(49), 1e-9) << "type " << type;
    EXPECT_EQ(r(42), 3);
    EXPECT_FLOAT_EQ(Profile(type).Decision(14), ToSingle(Max(0.3 * r(51) / 3, 0.04)));
  }
}

TEST_F(PeriodZero, MarketHistoryRateTableAndGameState) {
  session.LastUpdatedQuarter = 5;
  session.game.ResultsQuarter = 7;
  Calculate();
  const GameTables& t = session.tables;
  for (int k = 1; k <= 9; ++k) {
    EXPECT_FLOAT_EQ(static_cast<float>(t.MarketRates(k)), static_cast<float>(kRates[k - 1]));
  }
  EXPECT_EQ(t.MarketRates(10), 0);
  EXPECT_NEAR(t.PlotHistory(1, 6), 7, 1e-6);  // plotted series 6 is economic series 8
  EXPECT_EQ(t.PlotHistory(16, 7), 100);
  // The price index and the economy's index run back through periods 50 and 54.
  EXPECT_NEAR(t.PlotHistory(15, 7), 100 / 1.005, 1e-4);
  EXPECT_NEAR(t.PlotHistory(15, 8), 3.5 / 1.0254, 1e-6);
  EXPECT_NEAR(t.EconIndex(econ_index::kGrowthIndex), 3.5 / (1.0251 * 1.0252 * 1.0253 * 1.0254),
              1e-5);
  const double kTable[] = {6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 7, 7};
  for (int i = 1; i <= 20; ++i) {
    EXPECT_NEAR(state.RateTable(i), kTable[i - 1], 1e-6) << "rate table " << i;
  }
  const auto& history = Profile(kFs).History;
  EXPECT_EQ(history(4, 16), 1150);
  EXPECT_NEAR(history(4, 15), 1150 / 1.0254, 1e-3);
  EXPECT_EQ(session.game.ResultsQuarter, -1);
  EXPECT_EQ(session.LastUpdatedQuarter, -1);
  for (int b = 1; b <= 3; ++b) {
    EXPECT_EQ(t.BankQuarter(b), 0);
    EXPECT_EQ(t.DecisionsReady(b), 2);
  }
  for (int type = 1; type <= 4; ++type) {
    for (int item : {20, 21, 43, 44, 45, 46, 47, 48}) {
      EXPECT_EQ(Profile(type).Decision(item), 999) << "type " << type << ", decision " << item;
    }
  }
}

TEST_F(PeriodZero, IndustryValuesFollowTheBanksTypes) {
  Calculate();
  const GameTables& t = session.tables;
  EXPECT_EQ(t.IndustrySums(industry::kCheckingDeposits), 331 + 158 + 321);
  EXPECT_EQ(t.EconIndex(econ_index::kCheckingMarket), t.IndustrySums(industry::kCheckingDeposits));
  EXPECT_EQ(t.IndustrySums(industry::kCommercialLoans), 126 + 165 + 131);
  EXPECT_EQ(t.EconIndex(econ_index::kCommercialLoanMarket),
            t.IndustrySums(industry::kCommercialLoans));
  EXPECT_EQ(t.EconIndex(econ_index::kSavingsMarket), 200 + 75 + 100);
  EXPECT_EQ(t.EconIndex(econ_index::kHomeEquityLoanMarket), 3 * 80);
  EXPECT_EQ(t.EconIndex(econ_index::kPriceLevel), 100);
  EXPECT_NEAR(t.IndustrySums(industry::kCheckingRate), (1.05 + 0.95 + 1.05) / 3, 1e-6);
  EXPECT_NEAR(t.IndustrySums(industry::kCapitalRatio),
              (69.0 / 57.5 + 42.0 / 52.5 + 79.0 / 65.5) / 3, 1e-9);
  EXPECT_NEAR(t.Environment(environment::kPremisesSpread), (15.0 + 10 + 10) / 3,
              1e-12);  // mean premises
  EXPECT_NEAR(t.Environment(environment::kExpenseASpread),
              (Profile(kFs).Results(72) + Profile(kTu).Results(72) + Profile(kBu).Results(72)) / 3,
              1e-9);

  // With every bank of one type the averages are that type's decisions.
  session.game.NumBanks = 10;
  for (int b = 1; b <= 10; ++b)
    state.BankType(b) = bank_type::kConsumer;
  Calculate();
  for (int i = industry::kCheckingRate; i <= industry::kFloatingRealEstateRate; ++i) {
    EXPECT_NEAR(t.IndustrySums(i), Max(Profile(bank_type::kConsumer).Decision(i), 0.1), 1e-5)
        << "decision " << i;
  }
  EXPECT_EQ(t.IndustrySums(industry::kSavingsDeposits), 10 * 300);
}

TEST_F(PeriodZero, FailuresAbandonTheCreation) {
  struct Row {
    std::function<void(PeriodZero&)> arrange;
    std::vector<Answer> answers;
    std::vector<std::string> texts;  // with @ standing for the game directory
    const char* shows;
  };
  const Row rows[] = {
      {[](PeriodZero& f) { std::remove((f.dir.path() + "DATAEC.QVS").c_str()); },
       {Answer::kCancel},
       {"Cannot read file @DATAEC.QVS"},
       "a missing economy, its prompt cancelled"},
      {[](PeriodZero& f) { std::remove((f.dir.path() + "INIT.QVS").c_str()); },
       {Answer::kRetry, Answer::kCancel},
       {"Cannot read file @INIT.QVS", "Cannot read file @INIT.QVS"},
       "missing opening books"},
      {[](PeriodZero& f) { f.dir.Write("INIT.QVS", HandInit(32767)); },
       {Answer::kOk},
       {"Quorvant CalcPeriod0 Module Error 6"},
       "securities beyond 32767 overflow"},
      {[](PeriodZero& f) { f.session.tables.Environment(environment::kMinCapital) = 0; },
       {Answer::kOk},
       {"Quorvant CalcPeriod0 Module Error 11"},
       "no minimum capital divides by zero"},
      {[](PeriodZero& f) { f.state.BankType(2) = 0; },
       {Answer::kOk},
       {"Quorvant CalcPeriod0 Module Error 9"},
       "a bank without a type"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    ui = test::ScriptedUi();
    SetUp();
    row.arrange(*this);
    for (Answer answer : row.answers)
      ui.Then(answer);
    EXPECT_EQ(CalcPeriod0(session, state), -1);
    EXPECT_EQ(state.NewGameAbort, -1);
    std::vector<std::string> expected;
    for (std::string text : row.texts) {
      if (const auto at = text.find('@'); at != std::string::npos)
        text.replace(at, 1, dir.path());
      expected.push_back(text);
    }
    EXPECT_EQ(ui.texts(), expected);
    if (ui.shown().size() == 1 && ui.shown()[0].buttons == Buttons::kOk) {
      EXPECT_EQ(ui.shown()[0].icon, Icon::kExclamation);
      EXPECT_EQ(ui.shown()[0].title, "Quorvant Instructor");
      EXPECT_EQ(session.MessageText, expected[0]);
    }
  }
}

TEST(PeriodZeroChance, CreationsDifferOnlyInThePerturbedValues) {
  std::vector<NewGameState> states(2);
  for (std::size_t run = 0; run < 2; ++run) {
    test::SeededTestSession game(run + 1);
    game.dir.Write("DATAEC.QVS", HandEconomy());
    game.dir.Write("INIT.QVS", HandInit());
    Session& session = game.session;
    EnvironmentDefaults(session);
    session.game.NumBanks = 1;
    session.game.EconPeriod = 30;
    states[run].BankType(1) = bank_type::kFullService;
    ASSERT_EQ(CalcPeriod0(session, states[run]), 0);
  }
  for (int type = 1; type <= 4; ++type) {
    const BankProfile& first = states[0].TypeProfile(type);
    const BankProfile& second = states[1].TypeProfile(type);
    EXPECT_EQ(first.Amounts, second.Amounts) << "type " << type;
    EXPECT_EQ(first.lots.PortfolioAmount, second.lots.PortfolioAmount) << "type " << type;
    EXPECT_NE(first.lots.PortfolioYield, second.lots.PortfolioYield) << "type " << type;
    EXPECT_NE(first.lots.LoanRate, second.lots.LoanRate) << "type " << type;
  }
}

TEST_F(PeriodZero, OpeningBanksTakeTheirTypesProfile) {
  Calculate();
  session.tables.BankAmounts(5, amount::kTotalAssets) = 77;
  session.tables.Decision(4, decision::kSavingsRate) = 3.5F;
  LoadOpeningBanks(session, state);
  const GameTables& t = session.tables;
  const int kTypes[] = {kFs, kTu, kBu};
  for (int b = 1; b <= 3; ++b) {
    const BankProfile& p = Profile(kTypes[b - 1]);
    EXPECT_EQ(t.BankAmounts(b, amount::kTotalAssets), p.Amounts(1)) << "bank " << b;
    EXPECT_EQ(t.BankValues(b, 121), p.Results(121)) << "bank " << b;
    EXPECT_EQ(t.Decision(b, 63), p.Decision(63)) << "bank " << b;
    EXPECT_EQ(t.Portfolios(b), p.lots) << "bank " << b;
  }
  EXPECT_EQ(t.BankAmounts(5, amount::kTotalAssets), 0);
  EXPECT_EQ(t.Decision(4, decision::kSavingsRate), 0);
  EXPECT_EQ(t.Portfolios(10), Portfolio{});
}

}  // namespace
}  // namespace qv
