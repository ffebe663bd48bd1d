#include "engine/ProfileMath.h"

#include <cmath>
#include <cstddef>

#include "platform/Numeric.h"

namespace qv {

namespace {

// Rates are kept as singles of percent per year, which resolve no finer than about 1e-5
// near 100 %. A floating rate set to the floating base comes back from its stored margin a
// few units of the last place above zero, and (1 + i)^n - 1 would then be 0; a quarterly
// rate this small is zero.
constexpr double kZeroQuarterlyRate = 1e-5 / 400.0;

}  // namespace

double AnnualisedRate(double quarterly_income, double balance) {
  return balance == 0.0 ? 0.0 : 400.0 * quarterly_income / balance;
}

void RateBand::Merge(double more, double at_rate) {
  if (more > 0.0) {
    rate = CheckedDivide(amount * rate + more * at_rate, amount + more);
    amount += more;
  }
}

void MergeIntoBand(BankBooks& books, int amount_item, int rate_item, double more, double at_rate) {
  if (more > 0.0) {
    const double held = books.BA(amount_item);
    double& rate = books.BV(rate_item);
    rate = CheckedDivide(held * rate + more * at_rate, held + more);
    books.BA(amount_item) = ToAmount(held + more);
  }
}

double AnnuityRepayment(double balance, double rate, int periods) {
  if (rate <= kZeroQuarterlyRate) {
    return 0.0;
  }
  return CheckedDivide(rate * balance, IntegerPower(1.0 + rate, periods) - 1.0);
}

std::vector<double> RunOffSchedule(const std::vector<double>& ladder) {
  std::vector<double> schedule(ladder.size(), 0.0);
  double running = 0.0;
  for (std::size_t t = ladder.size(); t >= 1; --t) {
    running += ladder[t - 1] / static_cast<double>(t);
    schedule[t - 1] = running;
  }
  return schedule;
}

}  // namespace qv
