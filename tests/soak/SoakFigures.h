#pragma once

#include <string>

#include "data/Session.h"
#include "platform/Table.h"

namespace qv::test {

// The lowest and highest value of each market-rate series over the shipped economic cycle.
struct ShippedRateRange {
  Table<double, 9> low;
  Table<double, 9> high;
};

// Reads DATAEC.QVS of the session's game directory period by period. Leaves the session's
// economic tables and `EconPeriod` as they were.
ShippedRateRange ReadShippedRateRange(Session& session);

// The first figure of the quarter just calculated that no bank could show in a game that
// plays: a market rate outside the shipped range, a share price that is not positive or beyond
// reason, a capital ratio or net income outside the bounds stated beside this function's code, any
// value that is not finite. "" when every figure is meaningful.
std::string MeaninglessFigure(const Session& session, const ShippedRateRange& rates);

}  // namespace qv::test
