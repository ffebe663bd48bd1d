#pragma once

#include "engine/EngineContext.h"

namespace qv {

// One pass of the ceiling-aware division of `Pool` among the banks still below their ceiling
// (`ShareWork` 4 and 5), in proportion to their weights. What a capped bank cannot take goes
// back to `Pool`, and a bank that reaches its ceiling lands on it exactly and takes no part
// in later passes; the weight of the banks left below their ceiling is in `ActiveWeight`.
void AllocationPass(EngineContext& context);

// Repeats AllocationPass until the pool is handed out or every bank is full; at most one
// pass per bank after the first.
void RunAllocation(EngineContext& context);

// Every market of the quarter, in order: the two deposit markets (checking, savings), whose
// whole balances are divided anew, then the new business of time deposits, certificates,
// commercial, consumer, home-equity and real-estate loans. Each bank's share follows its
// attraction (its spending, premises and balance, each against the industry's) times its rate
// factor, within its ceiling and volume limit; the allocations and the business turned away
// are stored in BankAmounts.
void AllocateMarkets(EngineContext& context);

}  // namespace qv
