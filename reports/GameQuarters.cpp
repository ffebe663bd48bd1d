#include "reports/GameQuarters.h"

#include "reports/ArchiveQuarterSource.h"

namespace qv {

std::unique_ptr<QuarterSource> OpenQuarterSource(Session& session) {
  return std::make_unique<ArchiveQuarterSource>(session);
}

}  // namespace qv
