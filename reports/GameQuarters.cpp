#include "reports/GameQuarters.h"

#include "reports/LiveQuarterSource.h"

namespace qv {

std::unique_ptr<QuarterSource> OpenQuarterSource(Session& session) {
  return std::make_unique<LiveQuarterSource>(session);
}

}  // namespace qv
