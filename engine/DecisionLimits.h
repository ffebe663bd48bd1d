#pragma once

#include "data/GameTables.h"
#include "engine/EngineContext.h"

namespace qv {

// Forces the bank's decisions into their legal and prudential limits, in place.
void LimitDecisions(EngineContext& context, int bank);

// Adds the bank's limited decisions and balances to the industry sums and counts.
// The counts are 16-bit: a total beyond 32767 is run-time error 6.
void AddToIndustrySums(EngineContext& context, int bank);

// Clears the bank's flows of the new quarter and sets its capital-note rates.
void PrepareBankQuarter(EngineContext& context, int bank);

// Turns the industry sums into the averages the markets measure each bank against.
void ComputeIndustryAverages(EngineContext& context);

}  // namespace qv
