#include <cmath>
#include <cstdint>

#include "data/Items.h"
#include "engine/BankBooks.h"
#include "engine/CloseStages.h"
#include "engine/ProfileMath.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// Quarterly lots are whole 16-bit amounts; the yearly loan book keeps fractions.
void Store(std::int16_t& slot, double value) {
  slot = ToAmount(value);
}
void Store(double& slot, double value) {
  slot = value;
}

// Decisions are singles; sums of them are taken in double.
double SumOfDecisions(BankBooks& b, int first, int last) {
  double sum = 0.0;
  for (int item = first; item <= last; ++item) {
    sum += b.D(item);
  }
  return sum;
}

// A book's quarterly loss rate, raised by half in a slow economy.
double LossRate(const EngineContext& context, double base_rate) {
  return (1.0 + 0.5 * context.Slow) * base_rate;
}

// Writes a ladder's losses off nearest maturity first: each bucket bears its own share of the
// loss plus whatever the buckets before it were too small to cover.
template <typename Amounts>
void ChargeOff(Amounts& amounts, int first, int last, double rate) {
  double pending = 0.0;
  for (int k = first; k <= last; ++k) {
    pending += rate * amounts(k);
    const double taken = ToAmount(Min(amounts(k), pending));
    Store(amounts(k), amounts(k) - taken);
    pending -= taken;
  }
}

// Every quarterly bucket first+1..last moves one bucket nearer maturity; `last` keeps its
// old contents until new business is booked there.
void MoveQuarterlyDown(Portfolio& lots, int first, int last) {
  for (int k = first; k < last; ++k) {
    lots.PortfolioAmount(k) = lots.PortfolioAmount(k + 1);
    lots.PortfolioYield(k) = lots.PortfolioYield(k + 1);
  }
}

// A year has passed for the yearly buckets first..last; the longest becomes empty.
void MoveYearlyDown(Portfolio& lots, int first, int last) {
  for (int k = first; k < last; ++k) {
    lots.LoanAmount(k) = lots.LoanAmount(k + 1);
    lots.LoanRate(k) = lots.LoanRate(k + 1);
  }
  lots.LoanAmount(last) = 0.0;
  lots.LoanRate(last) = 0.0;
}

// Quarters left on a yearly bucket `year` in this season (1 for year 1 in season 4).
int QuartersLeft(int year, int season) {
  return 4 * year - (season - 1);
}

// In the first quarter of a game, the securities maturing from the opening book are bought
// again, half in the two-quarter and half in the four-quarter bucket.
void ReinvestOpeningMaturities(BankBooks& b) {
  const double maturing = b.PA(lot::kFirstSecurity);
  b.D(decision::kFirstSecurityPurchase + 1) = ToSingle(maturing / 2.0);
  b.D(decision::kFirstSecurityPurchase + 2) =
      ToSingle(maturing - b.D(decision::kFirstSecurityPurchase + 1));
}

void CarryForward(BankBooks& b) {
  for (int k = amount::kTotalAssets; k <= amount::kEquity; ++k) {
    b.BA(k + amount::kPreviousTotalAssets - 1) = b.BA(k);
  }
  b.BA(amount::kPreviousCommercialLoans) = b.BA(amount::kCommercialLoans);
  b.BA(amount::kPreviousConsumerLoans) = b.BA(amount::kConsumerLoans);
  b.BA(amount::kPreviousRealEstateLoans) = b.BA(amount::kRealEstateLoans);
  b.BA(amount::kPreviousHomeEquityLoans) = b.BA(amount::kHomeEquityLoans);
  b.BA(amount::kPreviousTimeDeposits) = b.BA(amount::kTimeDeposits);
  b.BA(amount::kPreviousCertificates) = b.BA(amount::kCertificates);
  for (int k = 0; k < 7; ++k) {
    b.BV(value::kPreviousTotalInterestIncome + k) = b.BV(value::kTotalInterestIncome + k);
  }
  b.BV(value::kPreviousNonInterestIncome) = b.BV(value::kNonInterestIncome);
  b.BV(value::kPreviousLoanLossProvision) = b.BV(value::kLoanLossProvision);
  b.BV(value::kPreviousNetInterestIncome) = b.BV(value::kNetInterestIncome);
}

void TakeOverDecisions(BankBooks& b) {
  b.BA(amount::kPremises) = ToAmount(b.D(decision::kPremises));
  b.BV(value::kExpenseA) = b.D(decision::kExpenseA);
  b.BV(value::kExpenseB) = b.D(decision::kExpenseB);
  b.BV(value::kExpenseC) = b.D(decision::kExpenseC);
  b.BV(value::kExpenseBC) = b.BV(value::kExpenseB) + b.BV(value::kExpenseC);
  b.BV(value::kExpenseD) = b.D(decision::kExpenseD);
  b.BV(value::kSecurityGains) = 0.0;
  b.BA(amount::kSecuritiesSold) = 0;
}

// Sells the given fraction of a band at its market value; the gain or loss against book
// value accumulates in BV(50).
void SellSecurities(BankBooks& b) {
  const int near_item = decision::kFirstSecuritySale;
  const double near_book = b.BA(amount::kSecurities2To4Quarters);
  b.D(near_item) = ToSingle(Min(b.D(near_item), near_book));
  const double near_sale = b.D(near_item);
  if (near_sale != 0.0 && near_book != 0.0) {
    const double f = near_sale / near_book;
    for (int k = 2; k <= 4; ++k) {
      b.PA(k) = ToAmount(b.PA(k) * (1.0 - f));
    }
    b.BV(value::kSecurityGains) = f * b.BA(amount::kFirstSecurityMarketValue) - near_sale;
    b.BA(amount::kSecuritiesSold) = ToAmount(near_sale);
  }
  for (int band = 1; band <= 5; ++band) {
    const double book = b.BA(amount::kFirstSecurityBand + band);
    b.D(near_item + band) = ToSingle(Min(b.D(near_item + band), book));
    const double sale = b.D(near_item + band);
    if (sale == 0.0 || book == 0.0) {
      continue;
    }
    const double f = sale / book;
    const int last = band == 5 ? lot::kLastSecurity : 4 * band + 4;
    for (int k = 4 * band + 1; k <= last; ++k) {
      b.PA(k) = ToAmount(b.PA(k) * (1.0 - f));
    }
    b.BV(value::kSecurityGains) += f * b.BA(amount::kFirstSecurityMarketValue + band) - sale;
    b.BA(amount::kSecuritiesSold) = ToAmount(b.BA(amount::kSecuritiesSold) + sale);
  }
}

void SellLongLoans(BankBooks& b) {
  for (int kind = 0; kind <= 1; ++kind) {  // fixed, then floating
    const int item = decision::kFixedLoanSale + kind;
    const double book = b.BA(amount::kFixedRealEstateLoans + kind);
    b.D(item) = ToSingle(Min(b.D(item), book));
    const double sale = b.D(item);
    if (sale == 0.0 || book == 0.0) {
      continue;
    }
    const double f = sale / book;
    for (int year = 1; year <= lot::kLoanYears; ++year) {
      b.LA(lot::kLoanYears * kind + year) *= 1.0 - f;
    }
    b.BV(value::kSecurityGains) += f * b.BA(amount::kFixedLoanMarketValue + kind) - sale;
  }
  b.BA(amount::kRealEstateLoansSold) =
      ToAmount(SumOfDecisions(b, decision::kFixedLoanSale, decision::kFloatingLoanSale));
}

// Retired notes are bought back at a premium of 5 % of their amount.
void RetireCapitalNotes(BankBooks& b) {
  const double outstanding = b.BA(amount::kCapitalNotes);
  b.D(decision::kNotesRetired) = ToSingle(Min(b.D(decision::kNotesRetired), outstanding));
  const double retired = b.D(decision::kNotesRetired);
  if (retired != 0.0 && outstanding != 0.0) {
    const double f = retired / outstanding;
    for (int k = lot::kFirstCapitalNote; k < lot::kFirstCapitalNote + lot::kLoanYears; ++k) {
      b.LA(k) *= 1.0 - f;
    }
    b.BV(value::kSecurityGains) -= 0.05 * retired;
  }
  b.BA(amount::kNotesRetiredAmount) = ToAmount(retired);
}

// New shares sell at 95 % of the price, at most a quarter more shares and 100 in all.
void IssueShares(BankBooks& b) {
  if (b.D(decision::kSharesIssued) == 0.0F) {
    return;
  }
  double& shares = b.BV(value::kSharesOutstanding);
  const double price = 0.95 * b.BV(value::kSharePrice);
  const double n =
      Min(Min(CheckedDivide(b.D(decision::kSharesIssued), price), shares / 4.0), 100.0 - shares);
  b.BA(amount::kSharesIssuedAmount) = ToAmount(price * n);
  b.BA(amount::kPaidInCapital) = ToAmount(b.BA(amount::kPaidInCapital) + price * n);
  shares += CheckedDivide(b.BA(amount::kSharesIssuedAmount), price);
}

// Shares are bought back at 105 % of the price, within a quarter of the equity and half the
// paid-in capital, and never the last tenth of a share.
void RepurchaseShares(BankBooks& b) {
  float& asked = b.D(decision::kSharesRepurchased);
  if (asked == 0.0F) {
    return;
  }
  asked =
      ToSingle(Min(Min(asked, b.BA(amount::kEquity) / 4.0), b.BA(amount::kPaidInCapital) / 2.0));
  double& shares = b.BV(value::kSharesOutstanding);
  const double price = 1.05 * b.BV(value::kSharePrice);
  const double n = Min(CheckedDivide(asked, price), shares - 0.1);
  b.BA(amount::kSharesRepurchasedAmount) = ToAmount(price * n);
  b.BA(amount::kPaidInCapital) =
      ToAmount(b.BA(amount::kPaidInCapital) - b.BA(amount::kSharesRepurchasedAmount));
  shares -= CheckedDivide(b.BA(amount::kSharesRepurchasedAmount), price);
}

// The yearly bucket 21 is fed into the quarterly ladder over the four seasons of its year.
void AgeSecurities(BankBooks& b, int season) {
  const int last_quarterly = lot::kLastQuarterlySecurity;
  const int yearly = lot::kFirstYearlySecurity;
  b.BA(amount::kMaturedSecurities) = b.PA(lot::kFirstSecurity);
  MoveQuarterlyDown(b.lots, lot::kFirstSecurity, last_quarterly);
  b.PA(last_quarterly) = ToAmount(b.PA(yearly) / static_cast<double>(5 - season));
  b.PY(last_quarterly) = b.PY(yearly);
  b.PA(yearly) = ToAmount(b.PA(yearly) - b.PA(last_quarterly));
  if (season == 4) {
    MoveQuarterlyDown(b.lots, yearly, lot::kLastSecurity);
    b.PA(lot::kLastSecurity) = 0;
    b.PY(lot::kLastSecurity) = 0.0;
  }
}

void AgeCommercialLoans(BankBooks& b) {
  const double rate = LossRate(b.context, b.BV(value::kCommercialLossRate));
  const double loss = rate * b.BA(amount::kPreviousCommercialLoans);
  b.BA(amount::kCommercialLoanLosses) = ToAmount(loss);
  b.BV(value::kCommercialLoanLosses) = loss;
  b.BV(value::kLoanLossProvision) = loss;
  ChargeOff(b.lots.PortfolioAmount, lot::kFirstCommercialLoan, lot::kLastCommercialLoan, rate);
  b.BA(amount::kCommercialMaturities) = b.PA(lot::kFirstCommercialLoan);
  MoveQuarterlyDown(b.lots, lot::kFirstCommercialLoan, lot::kLastCommercialLoan);
}

void AgeDeposits(BankBooks& b) {
  b.BA(amount::kMaturedTimeDeposits) = b.PA(lot::kFirstTimeDeposit);
  MoveQuarterlyDown(b.lots, lot::kFirstTimeDeposit, lot::kLastTimeDeposit);
  b.BA(amount::kMaturedCertificates) = b.PA(lot::kFirstCertificate);
  MoveQuarterlyDown(b.lots, lot::kFirstCertificate, lot::kLastCertificate);
}

// A quarterly amortising loan book: its items in the books and its buckets.
struct AmortisingBook {
  int loss_rate;     // BV
  int previous;      // BA, last quarter's balance
  int losses;        // BA
  int losses_exact;  // BV
  int repayments;    // BA
  int first, last;   // buckets
};

// Bucket k repays the principal part of a level payment over its k - first + 1 quarters.
void AmortiseQuarterly(BankBooks& b, const AmortisingBook& book) {
  const double rate = LossRate(b.context, b.BV(book.loss_rate));
  const double loss = rate * b.BA(book.previous);
  b.BA(book.losses) = ToAmount(loss);
  b.BV(book.losses_exact) = loss;
  b.BV(value::kLoanLossProvision) += loss;
  ChargeOff(b.lots.PortfolioAmount, book.first, book.last, rate);
  b.BA(book.repayments) = b.PA(book.first);
  for (int k = book.first + 1; k <= book.last; ++k) {
    double principal = 0.0;
    if (b.PY(k) > 0.0) {
      const double i = b.PY(k) / 400.0;
      principal = AnnuityRepayment(b.PA(k), i, k - book.first);
    }
    b.BA(book.repayments) = ToAmount(b.BA(book.repayments) + principal);
    b.PA(k - 1) = ToAmount(b.PA(k) - principal);
    b.PY(k - 1) = b.PY(k);
  }
}

// Long loans repay as annuities over the quarters left to their year of maturity; floating
// loans at their margin over the floating base.
void AgeLongLoans(BankBooks& b, int season) {
  const double rate = LossRate(b.context, b.BV(value::kRealEstateLossRate));
  const double loss = rate * b.BA(amount::kPreviousRealEstateLoans);
  b.BA(amount::kRealEstateLoanLosses) = ToAmount(loss);
  b.BV(value::kRealEstateLoanLosses) = loss;
  b.BV(value::kLoanLossProvision) += loss;
  ChargeOff(b.lots.LoanAmount, lot::kFirstFixedLoan, lot::kFirstCapitalNote - 1, rate);
  double total = 0.0;
  for (int kind = 0; kind <= 1; ++kind) {  // fixed, then floating
    for (int year = 1; year <= lot::kLoanYears; ++year) {
      const int k = lot::kLoanYears * kind + year;
      const double i = (b.LR(k) + (kind == 1 ? b.context.FloatingBase : 0.0)) / 400.0;
      double principal = 0.0;
      if (i > 0.0) {
        principal = AnnuityRepayment(b.LA(k), i, QuartersLeft(year, season));
      }
      total += principal;
      b.LA(k) -= principal;
    }
  }
  b.BA(amount::kRealEstateRepayments) = ToAmount(total);
  if (season == 4) {
    MoveYearlyDown(b.lots, lot::kFirstFixedLoan, lot::kFirstFloatingLoan - 1);
    MoveYearlyDown(b.lots, lot::kFirstFloatingLoan, lot::kFirstCapitalNote - 1);
  }
}

// Capital notes repay in equal parts over the quarters left to their year of maturity.
void AgeCapitalNotes(BankBooks& b, int season) {
  double total = 0.0;
  for (int year = 1; year <= lot::kLoanYears; ++year) {
    const double n = QuartersLeft(year, season);
    double& notes = b.LA(lot::kFirstCapitalNote - 1 + year);
    total += notes / n;
    notes = notes * (n - 1.0) / n;
  }
  b.BA(amount::kNoteRepayments) = ToAmount(total);
  if (season == 4) {
    MoveYearlyDown(b.lots, lot::kFirstCapitalNote, lot::kFirstCapitalNote + lot::kLoanYears - 1);
  }
}

void BuySecurities(BankBooks& b) {
  for (int i = 1; i <= 5; ++i) {
    const int k = b.context.PurchaseBuckets(i);
    float& decided = b.D(decision::kFirstSecurityPurchase - 1 + i);
    decided = ToSingle(ToAmount(decided));
    const double q = decided;
    if (q != 0.0) {
      b.PY(k) = CheckedDivide(b.PA(k) * b.PY(k) + q * b.tables.MarketRates(i), b.PA(k) + q);
      b.PA(k) = ToAmount(b.PA(k) + q);
    }
  }
  b.BA(amount::kSecuritiesPurchased) = ToAmount(
      SumOfDecisions(b, decision::kFirstSecurityPurchase, decision::kFirstSecurityPurchase + 4));
}

// New notes are granted only up to the room the regulator leaves above the notes that remain,
// each term receiving the same share of what it asked.
void IssueCapitalNotes(BankBooks& b) {
  const int first_item = decision::kFirstNoteIssue;
  const double remaining = b.BA(amount::kCapitalNotes) - b.BA(amount::kNotesRetiredAmount) -
                           b.BA(amount::kNoteRepayments);
  const double allowed = b.tables.Environment(environment::kMaxCapitalNotes) / 100.0 *
                         (b.BA(amount::kPaidInCapital) + b.BA(amount::kRetainedEarnings));
  const double room = Max(allowed - remaining, 0.0);
  const double asked = SumOfDecisions(b, first_item, first_item + 2);
  const double granted = Min(room, asked);
  if (asked != 0.0) {
    const double f = granted / asked;
    for (int term = 1; term <= 3; ++term) {
      const int k = b.context.NoteBuckets(term);
      float& decided = b.D(first_item - 1 + term);
      decided = ToSingle(ToAmount(f * decided));
      const double q = decided;
      if (q > 0.0) {
        b.LR(k) = CheckedDivide(b.LA(k) * b.LR(k) + q * b.BV(value::kFirstNoteRate - 1 + term),
                                b.LA(k) + q);
        b.LA(k) += q;
      }
    }
  }
  b.BA(amount::kNotesIssuedAmount) = ToAmount(SumOfDecisions(b, first_item, first_item + 2));
  b.BA(amount::kCapitalNotes) =
      ToAmount(b.BA(amount::kCapitalNotes) - b.BA(amount::kNoteRepayments) -
               b.BA(amount::kNotesRetiredAmount) + b.BA(amount::kNotesIssuedAmount));
}

// Books the quarter's new business from the markets at the rates the bank offered.
void BookNewBusiness(BankBooks& b) {
  const double floating_base = b.context.FloatingBase;

  const int one_year = lot::kOneYearTimeDeposit;
  const double new_one_year = b.BA(amount::kNewTimeDeposits);
  if (new_one_year > 0.0) {
    b.PY(one_year) = CheckedDivide(
        b.PY(one_year) * b.PA(one_year) + new_one_year * b.D(decision::kTimeDepositRate),
        new_one_year + b.PA(one_year));
    b.PA(one_year) = ToAmount(b.PA(one_year) + new_one_year);
  }
  b.PY(lot::kLastTimeDeposit) = b.D(decision::kLongTimeDepositRate);
  b.PA(lot::kLastTimeDeposit) = b.BA(amount::kNewLongTimeDeposits);
  b.BA(amount::kNewLongTimeDeposits) = ToAmount(new_one_year + b.BA(amount::kNewLongTimeDeposits));
  b.BA(amount::kTimeDeposits) =
      ToAmount(b.BA(amount::kPreviousTimeDeposits) - b.BA(amount::kMaturedTimeDeposits) +
               b.BA(amount::kNewLongTimeDeposits));

  b.PY(lot::kLastCertificate) = b.D(decision::kCdRate);
  b.PA(lot::kLastCertificate) = b.BA(amount::kNewCertificates);
  b.BA(amount::kCertificates) =
      ToAmount(b.BA(amount::kPreviousCertificates) - b.BA(amount::kMaturedCertificates) +
               b.BA(amount::kNewCertificates));

  b.PY(lot::kLastCommercialLoan) = b.D(decision::kCommercialLoanRate);
  b.PA(lot::kLastCommercialLoan) = b.BA(amount::kNewCommercialLoans);
  b.BA(amount::kCommercialLoans) =
      ToAmount(b.BA(amount::kPreviousCommercialLoans) - b.BA(amount::kCommercialLoanLosses) -
               b.BA(amount::kCommercialMaturities) + b.BA(amount::kNewCommercialLoans));

  b.PY(lot::kLastConsumerLoan) = b.D(decision::kConsumerLoanRate);
  b.PA(lot::kLastConsumerLoan) = b.BA(amount::kNewConsumerLoans);
  b.BA(amount::kConsumerLoans) =
      ToAmount(b.BA(amount::kPreviousConsumerLoans) - b.BA(amount::kConsumerLoanLosses) -
               b.BA(amount::kConsumerRepayments) + b.BA(amount::kNewConsumerLoans));

  const int fixed = lot::kFirstFloatingLoan - 1;    // longest fixed-rate year
  const int floating = lot::kFirstCapitalNote - 1;  // longest floating-rate year
  const double new_fixed = b.BA(amount::kNewFixedRealEstateLoans);
  const double new_floating = b.BA(amount::kNewFloatingRealEstateLoans);
  if (new_fixed > 0.0) {
    b.LR(fixed) =
        CheckedDivide(b.LR(fixed) * b.LA(fixed) + new_fixed * b.D(decision::kFixedRealEstateRate),
                      b.LA(fixed) + new_fixed);
  }
  if (new_floating > 0.0) {
    b.LR(floating) =
        CheckedDivide(b.LR(floating) * b.LA(floating) +
                          (b.D(decision::kFloatingRealEstateRate) - floating_base) * new_floating,
                      b.LA(floating) + new_floating);
  }
  b.LA(fixed) += new_fixed;
  b.LA(floating) += new_floating;
  b.BA(amount::kNewRealEstateLoans) = ToAmount(new_fixed + new_floating);
  b.BA(amount::kRealEstateLoans) =
      ToAmount(b.BA(amount::kPreviousRealEstateLoans) - b.BA(amount::kRealEstateLoanLosses) -
               b.BA(amount::kRealEstateRepayments) - b.BA(amount::kRealEstateLoansSold) +
               b.BA(amount::kNewRealEstateLoans));

  b.PY(lot::kLastHomeEquityLoan) = b.D(decision::kHomeEquityLoanRate);
  b.PA(lot::kLastHomeEquityLoan) = b.BA(amount::kNewHomeEquityLoans);
  b.BA(amount::kHomeEquityLoans) =
      ToAmount(b.BA(amount::kPreviousHomeEquityLoans) - b.BA(amount::kHomeEquityLoanLosses) -
               b.BA(amount::kHomeEquityRepayments) + b.BA(amount::kNewHomeEquityLoans));
}

// The rounded flows of a book can drift from the sum of its lots: the lots are the truth, and
// the repayments of the quarter take up the difference.
void ReconcileWithLots(BankBooks& b) {
  struct Ladder {
    int balance;
    int repayments;
    int first, last;
    bool yearly;
  };
  static constexpr Ladder kLadders[] = {
      {amount::kCommercialLoans, amount::kCommercialMaturities, lot::kFirstCommercialLoan,
       lot::kLastCommercialLoan, false},
      {amount::kConsumerLoans, amount::kConsumerRepayments, lot::kFirstConsumerLoan,
       lot::kLastConsumerLoan, false},
      {amount::kRealEstateLoans, amount::kRealEstateRepayments, lot::kFirstFixedLoan,
       lot::kFirstCapitalNote - 1, true},
      {amount::kHomeEquityLoans, amount::kHomeEquityRepayments, lot::kFirstHomeEquityLoan,
       lot::kLastHomeEquityLoan, false},
      {amount::kCapitalNotes, amount::kNoteRepayments, lot::kFirstCapitalNote,
       lot::kFirstCapitalNote + lot::kLoanYears - 1, true},
  };
  for (const Ladder& ladder : kLadders) {
    double sum = 0.0;
    for (int k = ladder.first; k <= ladder.last; ++k) {
      sum += ladder.yearly ? b.LA(k) : b.PA(k);
    }
    if (ladder.yearly) {
      sum = ToAmount(sum);
    }
    const double drift = b.BA(ladder.balance) - sum;
    b.BA(ladder.balance) = ToAmount(Max(sum, 0.0));
    b.BA(ladder.repayments) = ToAmount(Max(b.BA(ladder.repayments) + drift, 0.0));
  }
}

}  // namespace

void RollForwardPortfolio(EngineContext& context, int bank, Portfolio& lots) {
  BankBooks b(context, bank, lots);
  const int season = context.Season;
  if (context.session.game.ResultsQuarter < 1) {
    ReinvestOpeningMaturities(b);
  }
  CarryForward(b);
  TakeOverDecisions(b);
  SellSecurities(b);
  SellLongLoans(b);
  RetireCapitalNotes(b);
  IssueShares(b);
  RepurchaseShares(b);
  AgeSecurities(b, season);
  AgeCommercialLoans(b);
  AgeDeposits(b);
  AmortiseQuarterly(
      b, {value::kConsumerLossRate, amount::kPreviousConsumerLoans, amount::kConsumerLoanLosses,
          value::kConsumerLoanLosses, amount::kConsumerRepayments, lot::kFirstConsumerLoan,
          lot::kLastConsumerLoan});
  AmortiseQuarterly(
      b, {value::kHomeEquityLossRate, amount::kPreviousHomeEquityLoans,
          amount::kHomeEquityLoanLosses, value::kHomeEquityLoanLosses,
          amount::kHomeEquityRepayments, lot::kFirstHomeEquityLoan, lot::kLastHomeEquityLoan});
  AgeLongLoans(b, season);
  AgeCapitalNotes(b, season);
  BuySecurities(b);
  IssueCapitalNotes(b);
  BookNewBusiness(b);
  ReconcileWithLots(b);
}

}  // namespace qv
