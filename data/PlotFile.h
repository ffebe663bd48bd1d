#pragma once

#include "data/GameRecord.h"
#include "data/GameTables.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// PLOTV.QV: rolling 16-quarter histories, 128-byte records of 32 Singles, oldest value first.
//   r = 1..4   Singles 1..16 = PlotHistory(1..16, 2r-1), 17..32 = PlotHistory(1..16, 2r)
//   2b + 3     bank b's series 1 (net income per share) and 2 (dividend per share)
//   2b + 4     bank b's series 3 (net income) and 4 (total assets)
// A copy holds the records of the banks that were flagged when it was written.
inline constexpr const char* kPlotWriteName = "Plotv.qv";
inline constexpr const char* kPlotReadName = "PLOTV.QV";
inline constexpr int kPlotRecordLength = 128;
inline constexpr int kPlotQuarters = 16;
inline constexpr int kMarketSeries = 8;
inline constexpr int kBankSeries = 4;
inline constexpr int kMarketPlotRecords = 4;

// The first of bank `bank`'s two history records.
constexpr int BankHistoryRecord(int bank) {
  return 2 * bank + 3;
}

// One bank's four series, (series, quarter).
using BankHistory = Table2<double, kBankSeries, kPlotQuarters>;

// The creation's writer: records 1..4 from `PlotHistory` and, for every bank b <= NumBanks
// with BankFlag(b) = 1, its two records from `histories(b)`, into directory `index`.
// Retry protocol; returns `FileOK`.
[[nodiscard]] bool WritePlotFile(Session& session, int index,
                                 const Table<BankHistory, kMaxBanks>& histories);

// The update after a quarter, directory `index`: records 1..4 from `PlotHistory`; then every
// bank b <= NumBanks with BankFlag(b) = 1 has each of its four series in that file moved one
// quarter on, with BankSummary(b, series) as the latest value. A bank the file holds no
// records for yet starts from an empty history. A retry moves the series on again from what
// the file holds. Retry protocol; returns `FileOK`.
[[nodiscard]] bool WritePlotUpdate(Session& session, int index);

// The advance's reload: records 1..4 of the game directory into `PlotHistory`.
// Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadPlotFile(Session& session);

// The report's reader: records 1..4 of `GamePath` + "PLOTV.QV" into `history`
// (quarter, series). Retry protocol; returns `FileOK`.
[[nodiscard]] bool ReadPlotvEH(Session& session,
                               Table2<double, kPlotQuarters, kMarketSeries>* history);

}  // namespace qv
