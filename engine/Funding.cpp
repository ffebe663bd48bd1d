#include "engine/Funding.h"

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// How often the sales and the unlimited borrowing are tried again when rounding leaves a gap
// after the unlimited borrowing; what is left after that is balanced through the reserves.
constexpr int kShortfallRounds = 3;

// The amount that covers x and also finances its own after-tax interest at `rate` for the
// quarter, in whole units.
double Gross(BankBooks& b, double x, double rate) {
  return ToAmount(CheckedDivide(x, 1.0 - rate / 400.0 * (1.0 - b.context.TaxRate)));
}

double LiabilitiesAndEquity(BankBooks& b) {
  return static_cast<double>(b.BA(amount::kDeposits)) + b.BA(amount::kPurchasedFunds) +
         b.BA(amount::kCentralBankBorrowing) + b.BA(amount::kCapitalNotes) + b.BA(amount::kEquity);
}

void Add(std::int16_t& item, double change) {
  item = ToAmount(item + change);
}

// Borrows `a` at `rate` into the balance `item`, its interest into `interest_item`.
void Borrow(BankBooks& b, int& need, double a, double rate, int item, int interest_item) {
  if (a < 1.0) {
    return;
  }
  const double cost = a * rate / 400.0;
  b.BA(item) = ToAmount(b.BA(item) + a);
  b.BV(interest_item) += cost;
  b.BV(value::kTotalInterestExpense) -= cost;
  const double after_tax = PostIncome(b, -cost);
  need = ToAmount(need - a - after_tax);
}

void BuyFunds(BankBooks& b, int& need) {
  const double rate = b.tables.MarketRates(market_rate::kOvernight);
  const double a = ToAmount(Min(Min(Gross(b, need, rate), b.D(decision::kPurchasedFundsLimit)),
                                0.33 * b.BA(amount::kTotalAssets)));
  Borrow(b, need, a, rate, amount::kPurchasedFunds, value::kPurchasedFundsInterest);
}

// The central bank lends within the bank's own limit, against the securities it holds, and up
// to the regulator's share of equity.
void BorrowFromCentralBank(BankBooks& b, int& need) {
  const double rate = b.tables.MarketRates(market_rate::kCentralBank);
  const double within_limit = ToAmount(Min(Gross(b, need, rate), b.D(decision::kCentralBankLimit)));
  const double regulator_cap =
      b.BA(amount::kEquity) * b.tables.Environment(environment::kMaxCentralBankBorrowing) / 100.0;
  const double a = ToAmount(Min(Min(within_limit, b.BA(amount::kSecurities)), regulator_cap));
  Borrow(b, need, a, rate, amount::kCentralBankBorrowing, value::kCentralBankInterest);
}

// Sells back the quarter's own purchases, band by band, at the rate they were bought at, as
// far as securities are not pledged for central-bank borrowing.
void SellOwnPurchases(BankBooks& b, int& need) {
  double free =
      static_cast<double>(b.BA(amount::kSecurities)) - b.BA(amount::kCentralBankBorrowing);
  if (free < 1.0) {
    return;
  }
  for (int band = 1; band <= 5; ++band) {
    const double rate = b.tables.MarketRates(band);
    const double s = ToAmount(
        Min(Min(b.D(decision::kFirstSecurityPurchase - 1 + band), Gross(b, need, rate)), free));
    if (s < 1.0) {
      continue;
    }
    const int k = b.context.PurchaseBuckets(band);
    b.PY(k) = b.PA(k) == s ? 0.0 : CheckedDivide(b.PA(k) * b.PY(k) - s * rate, b.PA(k) - s);
    Add(b.PA(k), -s);
    const double lost = -s * rate / 400.0;
    Add(b.BA(amount::kSecuritiesPurchased), -s);
    Add(b.BA(amount::kSecurities), -s);
    Add(b.BA(amount::kTotalAssets), -s);
    b.BV(value::kSecuritiesInterest) += lost;
    b.BV(value::kTotalInterestIncome) += lost;
    const double after_tax = PostIncome(b, lost);
    free -= s;
    need = ToAmount(need - s - after_tax);
  }
}

// Sells this quarter's new commercial loans; the business sold counts as turned away.
void SellNewCommercialLoans(BankBooks& b, int& need) {
  const double rate = b.D(decision::kCommercialLoanRate);
  const double s = ToAmount(Min(CheckedDivide(need, 1.0 - rate / 400.0 * (1.0 - b.context.TaxRate)),
                                b.BA(amount::kNewCommercialLoans)));
  if (s < 1.0) {
    return;
  }
  Add(b.PA(lot::kLastCommercialLoan), -s);
  Add(b.BA(amount::kCommercialOverflow), s);
  Add(b.BA(amount::kNewCommercialLoans), -s);
  Add(b.BA(amount::kCommercialLoans), -s);
  const double lost = -s * rate / 400.0;
  b.BV(value::kCommercialLoanInterest) += lost;
  Add(b.BA(amount::kLoans), -s);
  Add(b.BA(amount::kTotalAssets), -s);
  b.BV(value::kTotalInterestIncome) += lost;
  const double after_tax = PostIncome(b, lost);
  need = ToAmount(need - s - after_tax);
}

// Whatever the limits left unfunded is borrowed from the central bank all the same.
void BorrowShortfall(BankBooks& b, int& need) {
  b.BA(amount::kShortfallFlag) = 1;
  const double rate = b.tables.MarketRates(market_rate::kCentralBank);
  Borrow(b, need, Gross(b, need, rate), rate, amount::kCentralBankBorrowing,
         value::kCentralBankInterest);
}

void FundShortfall(BankBooks& b, int need) {
  BuyFunds(b, need);
  if (need <= 1) {
    return;
  }
  BorrowFromCentralBank(b, need);
  for (int round = 0; round < kShortfallRounds && need > 1; ++round) {
    SellOwnPurchases(b, need);
    if (need <= 1) {
      return;
    }
    SellNewCommercialLoans(b, need);
    if (need <= 1) {
      return;
    }
    BorrowShortfall(b, need);
  }
}

// The surplus is invested overnight, grossed up so that its own after-tax interest, which
// raises equity, is invested too.
void InvestSurplus(BankBooks& b, double surplus) {
  const double rate = b.tables.MarketRates(market_rate::kOvernight);
  b.BA(amount::kOvernightInvestments) = ToAmount(Gross(b, surplus, rate));
  const double earned = b.BA(amount::kOvernightInvestments) * rate / 400.0;
  b.BV(value::kOvernightInterest) = earned;
  b.BV(value::kTotalInterestIncome) += earned;
  PostIncome(b, earned);
  b.BA(amount::kTotalAssets) =
      ToAmount(b.BA(amount::kTotalAssets) + b.BA(amount::kOvernightInvestments));
}

void BalanceThroughReserves(BankBooks& b) {
  const double rest = LiabilitiesAndEquity(b) - b.BA(amount::kTotalAssets);
  Add(b.BA(amount::kRequiredReserves), rest);
  Add(b.BA(amount::kCashAndReserves), rest);
  Add(b.BA(amount::kTotalAssets), rest);
}

}  // namespace

double PostIncome(BankBooks& b, double pre_tax) {
  const double tax = pre_tax * b.context.TaxRate;
  const double after_tax = pre_tax - tax;
  b.BV(value::kIncomeTax) -= tax;
  b.BV(value::kNetIncome) += after_tax;
  b.BA(amount::kRetainedEarnings) = ToAmount(b.BA(amount::kRetainedEarnings) + after_tax);
  b.BA(amount::kEquity) = ToAmount(b.BA(amount::kEquity) + after_tax);
  return after_tax;
}

void CloseFundingGap(BankBooks& b) {
  const int gap = ToAmount(LiabilitiesAndEquity(b) - b.BA(amount::kTotalAssets));
  if (gap > 0) {
    InvestSurplus(b, gap);
  } else {
    FundShortfall(b, ToAmount(-gap));
  }
  BalanceThroughReserves(b);
}

}  // namespace qv
