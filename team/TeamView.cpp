#include "team/TeamView.h"

#include "data/TeamDecisionsFile.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportFigures.h"
#include "setup/BankDisk.h"

namespace qv::team {

std::string LoadTeamView(Session& session, int bank, TeamView* view) {
  view->bank = bank;
  std::string layout;
  if (!session.files.ReadText(ReportLayoutPath(session), &layout).ok()) {
    return "Cannot read the report layout " + ReportLayoutPath(session);
  }
  ReportFigures figures;
  if (!ReadReportFigures(session, figures) || !ReadBankHistory(session, bank, &view->history)) {
    return "Cannot read the results on " + session.GamePath;
  }
  view->market = figures.market_history;
  try {
    view->rows = ReportRows(layout, figures);
  } catch (const RuntimeError& error) {
    return "The report layout cannot be read: error " + std::to_string(error.number());
  }
  if (std::string failed = ReadTeamDecisions(session, bank); !failed.empty()) {
    return failed;
  }
  for (int item = 1; item <= 63; ++item) {
    view->decisions(item) = session.tables.Decision(bank, item);
  }
  view->ready = session.tables.DecisionsReady(bank) == kDecisionsFinal &&
                session.tables.BankQuarter(bank) == session.game.ResultsQuarter;
  return {};
}

int DecisionsQuarter(const Session& session) {
  return session.game.ResultsQuarter + 1;
}

}  // namespace qv::team
