#pragma once

#include <cstdint>

#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

inline constexpr const char* kEconomicFileName = "DATAEC.QVS";
inline constexpr const char* kInitFileName = "INIT.QVS";
inline constexpr int kEconomicPeriods = 100;

// The creation's view of the economic cycle: columns 1..16 are the fifteen periods before
// `EconPeriod` and `EconPeriod` itself; growth entries 17..20 are the four periods after it.
struct EconomicWindow {
  Table2<double, 31, 16> EconWindow;  // (series, column)
  Table<double, 20> GrowthWindow;
};

// Opening lot amounts per bank type (1..4).
struct InitialAmounts {
  Table2<std::int16_t, 4, 128> InitialPortfolioAmounts;  // (type, portfolio bucket)
  Table2<std::int16_t, 4, 60> InitialLoanAmounts;        // (type, loan-book bucket)
};

// DATAEC.QVS of the game directory around `EconPeriod`, for the creation. Retry protocol;
// returns `FileOK`.
[[nodiscard]] bool ReadEconomicFile(Session& session, EconomicWindow* window);

// INIT.QVS of the game directory, for the creation. Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadInitFile(Session& session, InitialAmounts* amounts);

// The advance's reader: the series of period `EconPeriod` + 1 and `EconPeriod` into
// `EconSeries` 1..31 and 32..62, growth factors of `EconPeriod` .. `EconPeriod` + 5 into
// `EconTrend` 1..6 (periods wrap from 100 to 1). Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadEconomicRecords(Session& session);

}  // namespace qv
