#pragma once

#include "data/GameTables.h"
#include "engine/EngineContext.h"

namespace qv {

// The close of one bank, in this order, on the bank's own lots. Each may throw RuntimeError
// (overflow, division by zero, bad index), which CalculateResults reports.

// Carries last quarter forward, executes sales, retirements and share transactions, ages
// every ladder one quarter and books the quarter's purchases, issues and new business.
void RollForwardPortfolio(EngineContext& context, int bank, Portfolio& lots);

// Income statement, balance sheet, the funding of the gap, sources and uses of funds.
void CloseIncomeAndFunding(EngineContext& context, int bank, Portfolio& lots);

// Average rates, maturity bands, next quarter's run-off, repricing gaps, market values and
// liquidity.
void ComputeYieldsAndProfiles(EngineContext& context, int bank, Portfolio& lots);

// Per-share figures, ratios, the smoothed reputation values and the share price.
void ComputeSharePrice(EngineContext& context, int bank);

}  // namespace qv
