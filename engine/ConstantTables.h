#pragma once

#include "engine/EngineContext.h"

namespace qv {

// Fills the engine's constant tables: the buckets that receive security purchases and new
// capital notes, the attraction weights and the rate sensitivity and bounds per product.
void FillConstantTables(EngineContext& context);

}  // namespace qv
