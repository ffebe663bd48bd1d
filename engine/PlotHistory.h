#pragma once

#include "engine/EngineContext.h"

namespace qv {

// Moves the market history one quarter on: the new quarter's rates and price index become
// the newest row, the growth index of four quarters back is recorded, and its next four
// quarters are forecast from the growth trend with a little noise.
void ShiftPlotHistory(EngineContext& context);

}  // namespace qv
