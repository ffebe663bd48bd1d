#include "engine/MarketValues.h"

#include <cmath>

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// A quarterly rate from an annual rate in percent.
double Quarterly(double annual_percent) {
  return annual_percent / 400.0;
}

// A position of `amount` earning `coupon` (annual percent) for `periods` more periods, priced
// at the market's `discount` per period: what it will have grown to, discounted back.
double PresentValue(double amount, double coupon, double discount, int periods) {
  return IntegerPower(1.0 + Quarterly(coupon), periods) / IntegerPower(1.0 + discount, periods) *
         amount;
}

}  // namespace

void ValueSecuritiesAndLoans(BankBooks& books) {
  const Table<double, 10>& rates = books.tables.MarketRates;
  const double six_month = Quarterly(rates(market_rate::kSixMonth));
  const double one_year = Quarterly(rates(market_rate::kOneYear));
  const double five_year = Quarterly(rates(market_rate::kFiveYear));
  const double long_bond = Quarterly(rates(market_rate::kLongBond));
  const auto amount = [&books](int k) { return static_cast<double>(books.PA(k)); };
  const auto coupon = [&books](int k) { return books.PY(k); };

  // Within the year the curve runs from the six-month to the one-year rate.
  const double nine_month = (six_month + one_year) / 2.0;
  books.BA(amount::kFirstSecurityMarketValue) =
      ToAmount(PresentValue(amount(2), coupon(2), six_month, 1) +
               PresentValue(amount(3), coupon(3), nine_month, 2) +
               PresentValue(amount(4), coupon(4), one_year, 3));

  // From one to five years it rises straight from the one-year to the five-year rate.
  for (int band = 1; band <= 4; ++band) {
    double value = 0.0;
    for (int k = 4 * band + 1; k <= 4 * band + 4; ++k) {
      const double discount = one_year + (k - 4) * (five_year - one_year) / 16.0;
      value += PresentValue(amount(k), coupon(k), discount, k - 1);
    }
    books.BA(amount::kFirstSecurityMarketValue + band) = ToAmount(value);
  }

  // Beyond five years, yearly buckets, towards the long-bond rate.
  double beyond = 0.0;
  for (int year = 1; year <= 5; ++year) {
    const double discount = five_year + year * (long_bond - five_year) / 5.0;
    const int quarters = books.context.Season + 15 + 4 * year;
    beyond += PresentValue(amount(20 + year), coupon(20 + year), discount, quarters);
  }
  books.BA(amount::kFirstSecurityMarketValue + 5) = ToAmount(beyond);

  // Long loans by year of maturity; floating ones are priced against the base rate plus a
  // half-point margin.
  const double mortgage = Quarterly(rates(market_rate::kMortgage));
  const double floating_base = books.context.FloatingBase;
  const double floating_discount = Quarterly(floating_base + 0.5);
  double fixed = books.LA(lot::kFirstFixedLoan);
  double floating = books.LA(lot::kFirstFloatingLoan);
  for (int year = 2; year <= 20; ++year) {
    fixed += PresentValue(books.LA(year), books.LR(year), mortgage, year - 1);
    floating += PresentValue(books.LA(year + 20), floating_base + books.LR(year + 20),
                             floating_discount, year - 1);
  }
  books.BA(amount::kFixedLoanMarketValue) = ToAmount(fixed);
  books.BA(amount::kFloatingLoanMarketValue) = ToAmount(floating);
}

}  // namespace qv
