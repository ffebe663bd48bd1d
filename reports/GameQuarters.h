#pragma once

#include <memory>

#include "data/Session.h"
#include "reports/QuarterSource.h"

namespace qv {

// The quarters of the game open in `session` (its `GamePath` and game record): every quarter
// played that its quarter archive still holds whole, and the latest from the game directory.
// A game without an archive, or whose entries are damaged, offers what the directory holds.
// The results window, its charts and every export take their quarters from here.
std::unique_ptr<QuarterSource> OpenQuarterSource(Session& session);

}  // namespace qv
