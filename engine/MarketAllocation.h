#pragma once

#include "engine/EngineContext.h"

namespace qv {

// Attraction score of `bank` in product 1..8 holding `balance` in that market: its spending,
// premises and balance, each against the industry's, weighted per product. Across the banks
// the scores add up to about 1.
double Attraction(EngineContext& context, int product, double balance, int bank);

// How a rate advantage `advantage` (percent, positive = better for the customer) scales the
// bank's attraction in the product, within the product's bounds.
double RateFactor(const EngineContext& context, int product, double advantage);

// Weight = score x rate factor; clears the bank's allocation and adds its weight to
// `TotalScore`.
void ScoreBank(EngineContext& context, int bank);

// One pass of the ceiling-aware division of `Pool` among the banks still below their ceiling
// (`ShareWork` 4 and 5), in proportion to their weights. What a capped bank cannot take goes
// back to `Pool`, and a bank that reaches its ceiling lands on it exactly and takes no part
// in later passes; the weight of the banks left below their ceiling is in `ActiveWeight`.
void AllocationPass(EngineContext& context);

// Repeats AllocationPass until the pool is handed out or every bank is full; at most one
// pass per bank after the first.
void RunAllocation(EngineContext& context);

// Deposit market 1 (checking) or 2 (savings): the whole balance is divided anew each
// quarter and stored in BankAmounts 45 or 47.
void AllocateDepositMarket(EngineContext& context, int product);

// One loan, term-deposit or certificate market, as described by the context's MarketKind,
// MarketIndexItem, MarketFactor, BalanceItem, RateItem and LimitItem. Kinds 2, 3, 4 and 6
// store their allocations and overflows; kinds 1 and 5 leave them in `ShareWork` for the
// caller, whose two calls share one market and one volume limit.
void AllocateMarket(EngineContext& context);

// Every market of the quarter, in order: the two deposit markets, then the six others.
void AllocateMarkets(EngineContext& context);

}  // namespace qv
