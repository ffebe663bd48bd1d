#pragma once

#include <vector>

#include "data/GameRecord.h"
#include "reports/ResultsHistory.h"
#include "team/TeamView.h"

namespace qv::team {

// The history of PLOTV.QV on the team's disk as charts, over the 16 quarters that end at the
// disk's results quarter: the bank's earnings and dividend per share; its net income and total
// assets (the second on a value axis of its own); the market's rates and indices.
std::vector<ChartData> TeamHistoryCharts(const TeamView& view, const GameRecord& game);

}  // namespace qv::team
