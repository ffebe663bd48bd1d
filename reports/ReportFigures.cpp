#include "reports/ReportFigures.h"

namespace qv {

bool ReadReportFigures(Session& session, ReportFigures& figures) {
  return ReadComp(session, &figures.competitors) && ReadPlotvEH(session, &figures.market_history) &&
         ReadBanksXFD(session, &figures.banks);
}

}  // namespace qv
