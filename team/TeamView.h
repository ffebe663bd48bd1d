#pragma once

#include <string>
#include <vector>

#include "data/PlotFile.h"
#include "data/Session.h"
#include "setup/BankResults.h"
#include "setup/DecisionItems.h"

namespace qv::team {

// Everything the team's program shows of its bank, read from the open disk.
struct TeamView {
  int bank = 0;
  std::vector<ResultRow> rows;  // the report's rows, every bank's figures
  BankHistory history;          // the bank's four series, oldest quarter first
  Table2<double, kPlotQuarters, kMarketSeries> market;  // the market's series, (quarter, series)
  BankDecisions decisions;  // the bank's decisions as the disk holds them now
  bool ready = false;       // saved as final for the coming quarter
};

// Reads the view of bank `bank` from the disk opened in `session` (see OpenBankDisk), with
// the report layout shipped in `ProgramDir`. Returns an empty text or why it failed.
std::string LoadTeamView(Session& session, int bank, TeamView* view);

// The decisions quarter the disk expects: the one after its results.
int DecisionsQuarter(const Session& session);

}  // namespace qv::team
