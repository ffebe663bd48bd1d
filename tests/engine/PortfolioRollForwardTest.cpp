#include <gtest/gtest.h>

#include <cmath>

#include "data/Items.h"
#include "engine/CloseStages.h"
#include "engine/ProfileMath.h"
#include "platform/RuntimeError.h"
#include "tests/engine/EngineTestSession.h"

namespace qv {
namespace {

// An empty bank (every lot, amount and rate 0) rolls forward without effect, so each case
// below fills only the ladder it is about. Bank 1, season 1, an economy that is not slow.
struct Bank : test::TestBank {
  void Run(int season = 1) {
    s.context.Season = season;
    RollForwardPortfolio(s.context, 1, lots);
  }
};

// Securities 10, 20 in the two nearest quarters, 7 in quarter 20, 40, 50 and 60 in the
// yearly buckets 21, 22 and 25; a long loan at rate 0 and a capital note, both due in year 2.
TEST(RollForward, LaddersAgeByQuarterAndYearlyLaddersOnlyAtTheYearEnd) {
  struct Row {
    int season;
    int pa20, pa21, pa24, pa25;
    double la1, la2;      // the long loan
    double note1, note2;  // the capital note
    int note_repaid;
  } rows[] = {
      // Bucket 21 feeds a quarter, a third, a half, then all of itself into bucket 20; the
      // note repays 1/8, 1/7, 1/6, 1/5 of itself.
      {1, 10, 30, 0, 60, 0, 30, 0, 70, 10},
      {2, 13, 27, 0, 60, 0, 30, 0, 80 * 6 / 7.0, 11},
      {3, 20, 20, 0, 60, 0, 30, 0, 80 * 5 / 6.0, 13},
      // Year end: 22..25 move down and 25 empties; loans and notes move one year on.
      {4, 40, 50, 60, 0, 30, 0, 64, 0, 16},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "season " << row.season);
    Bank b;
    b.PA(1) = 10, b.PA(2) = 20, b.PA(20) = 7, b.PA(21) = 40, b.PA(22) = 50, b.PA(25) = 60;
    b.PY(21) = 6.5, b.PY(25) = 7;
    b.LA(2) = 30;
    b.LA(42) = 80;
    b.BA(amount::kRealEstateLoans) = 30, b.BA(amount::kCapitalNotes) = 80;
    b.Run(row.season);

    EXPECT_EQ(b.BA(amount::kMaturedSecurities), 10) << "matured securities";
    EXPECT_EQ(b.PA(1), 20);
    EXPECT_EQ(b.PA(19), 7);
    EXPECT_EQ(b.PA(20), row.pa20);
    EXPECT_EQ(b.PY(20), 6.5);
    EXPECT_EQ(b.PA(21), row.pa21);
    EXPECT_EQ(b.PA(24), row.pa24);
    EXPECT_EQ(b.PA(25), row.pa25);
    EXPECT_EQ(b.LA(1), row.la1);
    EXPECT_EQ(b.LA(2), row.la2);
    EXPECT_NEAR(b.LA(41), row.note1, 1e-9);
    EXPECT_NEAR(b.LA(42), row.note2, 1e-9);
    EXPECT_EQ(b.BA(amount::kNoteRepayments), row.note_repaid);
    EXPECT_EQ(b.BA(amount::kCapitalNotes), std::lround(row.note1 + row.note2))
        << "notes follow their lots";
    EXPECT_EQ(b.BA(amount::kRealEstateLoans), 30);
  }
}

// Commercial loans of 100 last quarter in buckets of 5, 25, 30, 40; a loss rate of 10 %.
TEST(RollForward, CommercialLossesAreChargedOffNearestMaturityFirst) {
  Bank b;
  b.BA(amount::kCommercialLoans) = 100;
  b.PA(26) = 5, b.PA(27) = 25, b.PA(28) = 30, b.PA(29) = 40;
  b.BV(value::kCommercialLossRate) = 0.1;
  b.BA(amount::kNewCommercialLoans) = 12,
  b.D(decision::kCommercialLoanRate) = 9;  // the quarter's new loans at 9 %
  b.Run();
  // Shares 0.5, 2.5, 3, 4: bucket 26 rounds its half to 0 and hands it on to bucket 27.
  EXPECT_EQ(b.BA(amount::kCommercialLoanLosses), 10);
  EXPECT_DOUBLE_EQ(b.BV(value::kLoanLossProvision), 10);
  EXPECT_EQ(b.BA(amount::kCommercialMaturities), 5) << "bucket 26 matured whole";
  EXPECT_EQ(b.PA(26), 22);
  EXPECT_EQ(b.PA(27), 27);
  EXPECT_EQ(b.PA(28), 36);
  EXPECT_EQ(b.PA(29), 12);
  EXPECT_EQ(b.PY(29), 9);
  EXPECT_EQ(b.BA(amount::kCommercialLoans), 97);  // 100 - 10 - 5 + 12
}

TEST(RollForward, ASlowEconomyRaisesLossRatesByHalf) {
  Bank b;
  b.s.context.Slow = 1;
  b.BA(amount::kCommercialLoans) = 100, b.BV(value::kCommercialLossRate) = 0.1;
  b.BA(amount::kConsumerLoans) = 200, b.BV(value::kConsumerLossRate) = 0.01;
  b.BA(amount::kHomeEquityLoans) = 400, b.BV(value::kHomeEquityLossRate) = 0.01;
  b.BA(amount::kRealEstateLoans) = 1000, b.BV(value::kRealEstateLossRate) = 0.001;
  b.Run();
  EXPECT_EQ(b.BA(amount::kCommercialLoanLosses), 15);
  EXPECT_EQ(b.BA(amount::kConsumerLoanLosses), 3);
  EXPECT_EQ(b.BA(amount::kHomeEquityLoanLosses), 6);
  EXPECT_EQ(b.BA(amount::kRealEstateLoanLosses), 2);  // 1.5 rounds to the even 2
  EXPECT_NEAR(b.BV(value::kLoanLossProvision), 15 + 3 + 6 + 1.5, 1e-9);
}

// One bucket of 100 at 8 % with two quarters left repays the principal part of a level
// payment: 100 x 0.02 / (1.02^2 - 1) = 49.505.
TEST(RollForward, AmortisingBooksRepayTheirAnnuityPrincipal) {
  struct Book {
    const char* name;
    int bucket, balance, repaid;
  } books[] = {{"consumer loans", 32, 37, 35}, {"home-equity loans", 66, 129, 127}};
  for (const Book& book : books) {
    SCOPED_TRACE(book.name);
    Bank b;
    b.PA(book.bucket) = 100, b.PY(book.bucket) = 8;
    b.BA(book.balance) = 100;
    b.Run();
    EXPECT_EQ(b.BA(book.repaid), 50);
    EXPECT_EQ(b.PA(book.bucket - 1), 50);  // 50.495
    EXPECT_EQ(b.PY(book.bucket - 1), 8);
    EXPECT_EQ(b.BA(book.balance), 50);
  }
}

TEST(RollForward, LongLoansRepayOverTheQuartersLeftInTheirYear) {
  Bank b;
  b.LA(2) = 100, b.LR(2) = 8;  // fixed, due in year 2: 8 quarters left in season 1
  b.LA(21) = 100, b.LR(21) = 1, b.s.context.FloatingBase = 7;  // floating at 8 %, 4 quarters
  b.BA(amount::kRealEstateLoans) = 200;
  b.Run();
  const double fixed = 2 / (std::pow(1.02, 8) - 1);     // 11.651
  const double floating = 2 / (std::pow(1.02, 4) - 1);  // 24.262
  EXPECT_NEAR(b.LA(2), 100 - fixed, 1e-9);
  EXPECT_NEAR(b.LA(21), 100 - floating, 1e-9);
  EXPECT_EQ(b.BA(amount::kRealEstateRepayments), 36);
  EXPECT_EQ(b.BA(amount::kRealEstateLoans), 164);
}

// A floating rate decided equal to the floating base leaves a margin that, added back to the
// base, is a rounding error off zero; (1 + i)^n - 1 is then 0 in doubles. Such a rate repays
// nothing, as a rate of zero does, in every ladder and every amortising book.
TEST(RollForward, ARateZeroUpToRoundingRepaysNothing) {
  const double base = 7.3;
  const double margins[] = {-base, -base + 1e-15, -base + 1e-9, -base - 1e-15};
  for (const double margin : margins) {
    SCOPED_TRACE(margin);
    Bank b;
    b.s.context.FloatingBase = base;
    b.LA(21) = 100, b.LR(21) = margin;
    b.PA(32) = 100, b.PY(32) = 1e-15;
    b.BA(amount::kRealEstateLoans) = 100, b.BA(amount::kConsumerLoans) = 100;
    ASSERT_NO_THROW(b.Run());
    EXPECT_EQ(b.LA(21), 100);
    EXPECT_EQ(b.BA(amount::kRealEstateRepayments), 0);
    EXPECT_EQ(b.PA(31), 100);
  }
}

TEST(AnnuityRepayment, ZeroUpToRoundingIsTheRuleForZero) {
  const struct {
    double rate;
    int periods;
    double repaid;
    const char* shows;
  } rows[] = {
      {0.02, 2, 100 * 0.02 / (1.02 * 1.02 - 1), "the level payment's principal part"},
      {0.02, 1, 100, "the last period repays everything"},
      {0.0, 4, 0, "a rate of zero repays nothing"},
      {-0.01, 4, 0, "nor does a negative rate"},
      {1e-18, 4, 0, "a rate below the resolution of 1 + i"},
      {2e-11, 40, 0, "a rate within the rounding of a stored single"},
      {1e-6, 4, 100 * 1e-6 / (std::pow(1 + 1e-6, 4) - 1), "a small rate that is a rate"},
  };
  for (const auto& row : rows) {
    EXPECT_NEAR(AnnuityRepayment(100, row.rate, row.periods), row.repaid, 1e-7)
        << row.shows << ": rate " << row.rate << " over " << row.periods;
  }
}

// Band 1 (buckets 5-8) has no book value; band 2 (buckets 9-12) has 40 at book, 42 at market.
TEST(RollForward, SecuritySalesTakeTheirShareOfEachLotInTheBand) {
  Bank b;
  b.PA(5) = 10, b.PA(9) = 8, b.PA(10) = 12, b.PA(12) = 20;
  b.BA(66) = 0, b.BA(67) = 40, b.BA(85) = 42;
  b.D(28) = 10, b.D(29) = 10;
  b.Run();
  EXPECT_EQ(b.D(28), 0) << "nothing to sell in band 1";
  EXPECT_EQ(b.PA(4), 10) << "band 1 untouched, aged one quarter";
  EXPECT_EQ(b.PA(8), 6);  // three quarters of each lot of band 2 remain
  EXPECT_EQ(b.PA(9), 9);
  EXPECT_EQ(b.PA(11), 15);
  EXPECT_DOUBLE_EQ(b.BV(value::kSecurityGains), 0.25 * 42 - 10);
  EXPECT_EQ(b.BA(amount::kSecuritiesSold), 10);
}

TEST(RollForward, ASaleInABandWithoutBookValueChangesNothing) {
  Bank b;
  b.PA(5) = 10;
  b.BA(84) = 12;  // a market value alone does not make a sale
  b.D(28) = 10;
  b.Run();
  EXPECT_EQ(b.PA(4), 10);
  EXPECT_EQ(b.BV(value::kSecurityGains), 0);
  EXPECT_EQ(b.BA(amount::kSecuritiesSold), 0);
}

// Price 20, so each new share brings 19.
TEST(RollForward, ShareIssuesAreLimitedToAQuarterMoreAndTo100Shares) {
  struct Row {
    const char* shows;
    double shares;
    float asked;
    int raised;
    double shares_after;
  } rows[] = {
      {"one share as asked", 10, 19, 19, 11},
      {"a quarter of 10 shares: 2.5 x 19 = 47.5, rounded to even", 10, 190, 48, 10 + 48 / 19.0},
      {"no more than 100 shares in all", 96, 1900, 76, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    Bank b;
    b.BV(value::kSharePrice) = 20, b.BV(value::kSharesOutstanding) = row.shares,
    b.BA(amount::kPaidInCapital) = 100;
    b.D(decision::kSharesIssued) = row.asked;
    b.Run();
    EXPECT_EQ(b.BA(amount::kSharesIssuedAmount), row.raised);
    EXPECT_EQ(b.BA(amount::kPaidInCapital), 100 + row.raised);
    EXPECT_DOUBLE_EQ(b.BV(value::kSharesOutstanding), row.shares_after);
  }
}

TEST(RollForward, ASharePriceOfZeroCannotPriceAnIssue) {
  Bank b;
  b.BV(value::kSharesOutstanding) = 10;
  b.D(decision::kSharesIssued) = 19;
  try {
    b.Run();
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), error::kDivisionByZero);
  }
}

TEST(RollForward, RepurchasesStayWithinEquityAndPaidInCapital) {
  Bank b;
  b.BV(value::kSharePrice) = 20, b.BV(value::kSharesOutstanding) = 10;
  b.BA(amount::kEquity) = 200, b.BA(amount::kPaidInCapital) = 60;
  b.D(decision::kSharesRepurchased) =
      100;  // at most half the paid-in capital: 30, i.e. 30 / 21 shares
  b.Run();
  EXPECT_EQ(b.D(decision::kSharesRepurchased), 30);
  EXPECT_EQ(b.BA(amount::kSharesRepurchasedAmount), 30);
  EXPECT_EQ(b.BA(amount::kPaidInCapital), 30);
  EXPECT_DOUBLE_EQ(b.BV(value::kSharesOutstanding), 10 - 30 / 21.0);
}

TEST(RollForward, RetiredNotesCostAPremiumOf5Percent) {
  {
    Bank b;
    b.LA(45) = 100, b.BA(amount::kCapitalNotes) = 100;
    b.D(decision::kNotesRetired) = 150;  // capped at the 100 outstanding
    b.Run();
    EXPECT_EQ(b.D(decision::kNotesRetired), 100);
    EXPECT_EQ(b.BA(amount::kNotesRetiredAmount), 100);
    EXPECT_DOUBLE_EQ(b.BV(value::kSecurityGains), -5);
    EXPECT_EQ(b.BA(amount::kCapitalNotes), 0);
  }
  Bank b;
  b.LA(45) = 100, b.BA(amount::kCapitalNotes) = 100;
  b.D(decision::kNotesRetired) = 20;
  b.Run();
  EXPECT_DOUBLE_EQ(b.BV(value::kSecurityGains), -1);
  EXPECT_DOUBLE_EQ(b.LA(45), 76) << "a fifth retired, then a twentieth of the rest repaid";
  EXPECT_EQ(b.BA(amount::kNoteRepayments), 4);
  EXPECT_EQ(b.BA(amount::kCapitalNotes), 76);
}

// Room for notes: 50 % of equity 200 = 100, less the 59 that remain after this quarter's
// repayment of 0.75; 80 asked, 41 granted, 51.25 % of each term's request.
TEST(RollForward, NewNotesShareTheRoomTheRegulatorLeaves) {
  Bank b;
  b.t.Environment(environment::kMaxCapitalNotes) = 50;
  b.BA(amount::kPaidInCapital) = 120, b.BA(amount::kRetainedEarnings) = 80;
  b.LA(60) = 60, b.LR(60) = 9, b.BA(amount::kCapitalNotes) = 60;
  b.BV(value::kFirstNoteRate) = 6, b.BV(44) = 7, b.BV(value::kTwentyYearNoteRate) = 8;
  b.D(decision::kFirstNoteIssue) = 30, b.D(36) = 30, b.D(decision::kTwentyYearNoteIssue) = 20;
  b.Run();
  EXPECT_EQ(b.D(decision::kFirstNoteIssue), 15);
  EXPECT_EQ(b.D(36), 15);
  EXPECT_EQ(b.D(decision::kTwentyYearNoteIssue), 10);
  EXPECT_EQ(b.LA(45), 15);
  EXPECT_EQ(b.LR(45), 6);
  EXPECT_EQ(b.LA(50), 15);
  EXPECT_EQ(b.LR(50), 7);
  EXPECT_DOUBLE_EQ(b.LA(60), 60 * 79 / 80.0 + 10);
  EXPECT_DOUBLE_EQ(b.LR(60), (60 * 79 / 80.0 * 9 + 10 * 8) / b.LA(60));
  EXPECT_EQ(b.BA(amount::kNotesIssuedAmount), 40);
  EXPECT_EQ(b.BA(amount::kCapitalNotes), 60 - 1 + 40);
}

// Commercial loans in buckets of 10, 30, 50 against a balance that may say otherwise.
TEST(RollForward, TheLadderIsTheTruthAndRunOffAbsorbsTheDrift) {
  struct Row {
    const char* shows;
    int balance_before;
    int balance, run_off;
  } rows[] = {
      {"ladder agrees: 90 - 10 matured", 90, 80, 10},
      {"balance 10 too high: run-off 10 + 10", 100, 80, 20},
      {"balance 40 too low: run-off 10 - 40 floored at 0", 50, 80, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    Bank b;
    b.PA(26) = 10, b.PA(27) = 30, b.PA(28) = 50;
    b.BA(amount::kCommercialLoans) = static_cast<std::int16_t>(row.balance_before);
    b.Run();
    EXPECT_EQ(b.BA(amount::kCommercialLoans), row.balance);
    EXPECT_EQ(b.BA(amount::kCommercialMaturities), row.run_off);
  }
}

TEST(RollForward, TheFirstQuarterReinvestsTheMaturingSecurities) {
  Bank b;
  b.s.session.game.ResultsQuarter = 0;
  b.PA(1) = 30;
  b.t.MarketRates(market_rate::kSixMonth) = 5, b.t.MarketRates(market_rate::kOneYear) = 6;
  b.Run();
  EXPECT_EQ(b.D(23), 15);
  EXPECT_EQ(b.D(24), 15);
  EXPECT_EQ(b.PA(2), 15);
  EXPECT_EQ(b.PY(2), 5);
  EXPECT_EQ(b.PA(4), 15);
  EXPECT_EQ(b.PY(4), 6);
  EXPECT_EQ(b.BA(amount::kSecuritiesPurchased), 30);
}

TEST(RollForward, NewBusinessIsBookedAtTheOfferedRates) {
  Bank b;
  b.PA(45) = 30, b.PY(45) = 4, b.BA(amount::kTimeDeposits) = 30;
  b.BA(amount::kNewTimeDeposits) = 10, b.D(decision::kTimeDepositRate) = 8;  // one-year deposits
  b.BA(amount::kNewLongTimeDeposits) = 5,
  b.D(decision::kLongTimeDepositRate) = 9;  // five-year deposits
  b.LA(20) = 10, b.BA(amount::kRealEstateLoans) = 10;
  b.BA(amount::kNewFixedRealEstateLoans) = 30,
  b.D(decision::kFixedRealEstateRate) = 10;  // fixed long loans
  b.BA(amount::kNewFloatingRealEstateLoans) = 20, b.D(decision::kFloatingRealEstateRate) = 9,
  b.s.context.FloatingBase = 7;
  b.Run();
  EXPECT_EQ(b.PA(44), 30) << "aged one quarter";
  EXPECT_EQ(b.PA(45), 10);
  EXPECT_EQ(b.PY(45), 8);
  EXPECT_EQ(b.PA(61), 5);
  EXPECT_EQ(b.PY(61), 9);
  EXPECT_EQ(b.BA(amount::kNewLongTimeDeposits), 15);
  EXPECT_EQ(b.BA(amount::kTimeDeposits), 45);
  EXPECT_EQ(b.LA(20), 40);
  EXPECT_EQ(b.LR(20), 7.5) << "10 at 0 % merged with 30 at 10 %";
  EXPECT_EQ(b.LR(40), 2) << "floating loans keep the margin over the base";
  EXPECT_EQ(b.BA(amount::kNewRealEstateLoans), 50);
  EXPECT_EQ(b.BA(amount::kRealEstateLoans), 60);
}

}  // namespace
}  // namespace qv
