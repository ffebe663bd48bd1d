#pragma once

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/PlotFile.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// What the report prints, read from the game directory at the start of every print.
struct ReportFigures {
  CompetitorTables competitors;
  // Read with the rest, as the students' program expects the file to be readable, though no
  // row of the report shows the market history.
  Table2<double, kPlotQuarters, kMarketSeries> market_history;
  BanksReport banks;
};

// Reads COMP.QV, PLOTV.QV and banks.qv of `GamePath` into `figures`, stopping at the first
// file that cannot be read. Each read has its retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadReportFigures(Session& session, ReportFigures& figures);

}  // namespace qv
