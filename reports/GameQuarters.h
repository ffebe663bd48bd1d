#pragma once

#include <memory>

#include "data/Session.h"
#include "reports/QuarterSource.h"

namespace qv {

// The quarters of the open game as the best source at hand keeps them.
std::unique_ptr<QuarterSource> OpenQuarterSource(Session& session);

}  // namespace qv
