#pragma once

#include <vector>

#include "engine/BankBooks.h"

namespace qv {

// y(x, B): the annual rate in percent that a quarter's income x makes on balance B; 0 for a
// zero balance, so an empty book never raises an error.
double AnnualisedRate(double quarterly_income, double balance);

// A group of positions as one amount at its amount-weighted rate. Only positive amounts join,
// so an empty or overdrawn position leaves the rate alone.
struct RateBand {
  double amount = 0.0;
  double rate = 0.0;

  void Merge(double more, double at_rate);
};

// Merges `more` at `at_rate` into the band kept in BankAmounts(amount_item) and
// BankValues(rate_item); the amount is rounded as it is stored.
void MergeIntoBand(BankBooks& books, int amount_item, int rate_item, double more, double at_rate);

// The part of an annuity loan of `balance` repaid this period when it runs `periods` more
// periods at `rate` per period (a fraction); 0 when the rate is zero up to the rounding of a
// stored rate, or below.
double AnnuityRepayment(double balance, double rate, int periods);

// Run-off of a ladder whose element t-1 holds the amount with t periods left: each amount is
// spread evenly over its remaining periods, so element p-1 of the result is
// q_p = sum over t >= p of a_t / t. The schedule adds up to the ladder.
std::vector<double> RunOffSchedule(const std::vector<double>& ladder);

}  // namespace qv
