#include <cmath>

#include "data/Items.h"
#include "engine/BankBooks.h"
#include "engine/CloseStages.h"
#include "engine/SharePrice.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// Long-run growth of dividends and earnings per quarter when a bank has no record of its own.
constexpr double kLongRunGrowth = 1.0075;
// Share of expected earnings paid out beyond the first five years.
constexpr double kPayout = 0.4;
constexpr int kQuartersPerStage = 20;

void PerShareFiguresAndRatios(BankBooks& books) {
  const double shares = books.BV(value::kSharesOutstanding);
  const double net_income = books.BV(value::kNetIncome);
  books.BV(value::kDividendPerShare) = books.D(decision::kDividendPerShare);
  books.BV(value::kBookValuePerShare) = CheckedDivide(books.BA(amount::kEquity), shares);
  books.BV(value::kEarningsPerShare) = CheckedDivide(net_income, shares);

  const double deposits = books.BA(amount::kDeposits);
  books.BV(value::kLiquidityRatio) =
      deposits > 0.0
          ? Min((static_cast<double>(books.BA(amount::kCashAndReserves)) +
                 books.BA(amount::kOvernightInvestments) + books.BA(amount::kSecurities) -
                 books.BA(amount::kSecuritiesBeyond5Years)) /
                    deposits * 100.0,
                999.0)
          : 0.0;

  // Annualised on the average of last and this quarter's balance: 800 = 400 x 2.
  const auto annual_return = [net_income](double last, double now) {
    const double average_twice = last + now;
    const double rate = average_twice > 0.0 ? 800.0 * net_income / average_twice : 0.0;
    return Min(Max(rate, -999.0), 999.0);
  };
  books.BV(value::kReturnOnEquity) =
      annual_return(books.BA(amount::kPreviousEquity), books.BA(amount::kEquity));
  books.BV(value::kReturnOnAssets) =
      annual_return(books.BA(amount::kPreviousTotalAssets), books.BA(amount::kTotalAssets));

  const double capital =
      static_cast<double>(books.BA(amount::kCapitalNotes)) + books.BA(amount::kEquity);
  const double minimum =
      books.BA(amount::kTotalAssets) * books.tables.Environment(environment::kMinCapital);
  double& capital_ratio = books.BV(value::kCapitalRatio);
  capital_ratio = CheckedDivide(100.0 * capital, minimum);
  if (capital_ratio < 0.01) {
    capital_ratio = 0.01;
  }
}

// The reputation moves 30 % of the way to this quarter's figures; the start quarter sets it and
// the opening figures against which growth is measured.
void SmoothReputation(BankBooks& books) {
  const double core_earnings =
      CheckedDivide(books.BV(value::kNetIncome) - 0.75 * books.BV(value::kSecurityGains),
                    books.BV(value::kSharesOutstanding));
  double& dividend = books.BV(value::kSmoothedDividend);
  double& earnings = books.BV(value::kSmoothedCoreEarnings);
  double& capital = books.BV(value::kSmoothedCapitalRatio);
  if (books.context.session.game.ResultsQuarter < 1) {
    dividend = books.BV(value::kDividendPerShare);
    earnings = Max(core_earnings, 0.1);
    capital = books.BV(value::kCapitalRatio);
    books.BV(value::kOpeningDividend) = Max(dividend, 0.01);
    books.BV(value::kOpeningCoreEarnings) = earnings;
  } else {
    dividend = 0.7 * dividend + 0.3 * books.BV(value::kDividendPerShare);
    earnings = 0.7 * earnings + 0.3 * core_earnings;
    capital = 0.7 * capital + 0.3 * Min(books.BV(value::kCapitalRatio), 2.0);
  }
}

// Present value of the dividends: twenty quarters growing at the bank's own record blended
// with the long-run growth, twenty more paying out 40 % of the earnings expected after five
// years, and a growing perpetuity on the earnings expected after ten.
double ValueOfDividends(BankBooks& books, double k) {
  const int quarter = books.context.session.game.ResultsQuarter;
  const double record_quarters = Max(quarter, 4.0);
  const double own_weight = Min(quarter * 0.05, 1.0);
  const double dividend = books.BV(value::kSmoothedDividend);
  const double earnings = books.BV(value::kSmoothedCoreEarnings);
  const double opening_dividend = books.BV(value::kOpeningDividend);
  const double opening_earnings = books.BV(value::kOpeningCoreEarnings);

  const double first_growth =
      own_weight * std::pow(CheckedDivide(dividend, opening_dividend), 1.0 / record_quarters) +
      (1.0 - own_weight) * kLongRunGrowth;
  const double earnings_after_ten_years =
      opening_earnings + own_weight * 41.0 * (earnings - opening_earnings) / record_quarters +
      (1.0 - own_weight) * (earnings * std::pow(kLongRunGrowth, 41) - opening_earnings);

  // Each quarter of a stage pays `paid` grown by one more step of `growth` and discounted by
  // one more k.
  double present = 0.0;
  double discount = k;
  const auto add_stage = [&present, &discount, k](double paid, double growth) {
    double grown = growth;
    for (int q = 1; q <= kQuartersPerStage; ++q) {
      present += paid * grown / discount;
      grown *= growth;
      discount *= k;
    }
  };
  add_stage(dividend, first_growth);

  const double earnings_after_five_years =
      opening_earnings +
      (kQuartersPerStage * (earnings - opening_earnings) / record_quarters +
       (earnings * std::pow(kLongRunGrowth, kQuartersPerStage) - opening_earnings)) /
          2.0;
  const double later_growth =
      (std::pow(Max(CheckedDivide(earnings, opening_earnings), 0.0), 1.0 / record_quarters) +
       kLongRunGrowth) /
      2.0;
  add_stage(Max(kPayout * earnings_after_five_years, 0.0), later_growth);

  const double terminal = Max(kPayout * earnings_after_ten_years / (k - kLongRunGrowth), 0.0);
  return present + terminal / discount;
}

}  // namespace

// Investors ask more of a bank whose capital is weak, now or on its record, and a little less
// of a strong one.
double DiscountFactor(double capital_ratio, double smoothed_capital_ratio) {
  double weakness = 1.0 - smoothed_capital_ratio;
  if (capital_ratio < 1.0) {
    weakness = Max(weakness, 1.0 - capital_ratio);
  }
  const double k = weakness > 0.0 ? 1.02 + 0.06 * weakness : 1.02 + 0.005 * weakness;
  return Min(Max(k, 1.0175), 1.05);
}

double PriceEarningsRatio(double share_price, double earnings_per_share) {
  if (std::abs(earnings_per_share) < 0.01) {
    return 999.9;
  }
  return std::copysign(Min(std::abs(share_price / (4.0 * earnings_per_share)), 999.9),
                       earnings_per_share);
}

void ComputeSharePrice(EngineContext& context, int bank) {
  // The books carry the bank's lots, which this stage never reads.
  BankBooks books(context, bank, context.tables.Portfolios(bank));
  PerShareFiguresAndRatios(books);
  SmoothReputation(books);
  const double k =
      DiscountFactor(books.BV(value::kCapitalRatio), books.BV(value::kSmoothedCapitalRatio));
  const double present = ValueOfDividends(books, k);

  // The market never values a bank below three quarters of its book value.
  double& price = books.BV(value::kSharePrice);
  price = Max(Max(present, 0.75 * books.BV(value::kBookValuePerShare)), 0.01);

  books.BV(value::kPriceEarningsRatio) =
      PriceEarningsRatio(price, books.BV(value::kEarningsPerShare));
  books.BA(amount::kMarketValueOfEquity) = ToAmount(price * books.BV(value::kSharesOutstanding));
}

}  // namespace qv
