#pragma once

namespace qv {

// The pieces of the share valuation that stand on their own. The stage itself is
// ComputeSharePrice (engine/CloseStages.h).

// Discount factor per quarter from the capital ratio against the minimum (1 = just at the
// minimum) and its smoothed value: 1.02 for a bank at the minimum, up to 1.05 for a weak one,
// never below 1.0175 for a strong one.
double DiscountFactor(double capital_ratio, double smoothed_capital_ratio);

// Price over annualised earnings per share, signed like the earnings, at most 999.9 either
// way; 999.9 when the earnings are within 0.01 of zero.
double PriceEarningsRatio(double share_price, double earnings_per_share);

}  // namespace qv
