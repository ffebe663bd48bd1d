#pragma once

#include "engine/EngineContext.h"

namespace qv {

// The quarter's economy: market rates drawn around the new period's series, the cumulative
// indices grown by their factors, `Slow` set from the growth trend, and the industry sums
// and counts cleared for the banks' limits.
void SetEconomicEnvironment(EngineContext& context);

}  // namespace qv
