#include "data/PlotFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/RecordBuffer.h"
#include "tests/data/SampleGame.h"

namespace qv {
namespace {

using test::GameDirectory;

// Single n (1-based) of record `number` of the game's PLOTV.QV.
float PlotSingle(const GameDirectory& game, int number, int n) {
  RecordBuffer record(kPlotRecordLength);
  const std::string bytes = game.Record("Plotv.qv", kPlotRecordLength, number);
  std::memcpy(record.bytes().data(), bytes.data(), bytes.size());
  return record.Single(n);
}

// Bank b's series s holds b*1000 + s*100 + q in quarter q at creation.
Table<BankHistory, kMaxBanks> CreationHistories() {
  Table<BankHistory, kMaxBanks> histories;
  for (int b = 1; b <= kMaxBanks; ++b) {
    for (int s = 1; s <= kBankSeries; ++s) {
      for (int q = 1; q <= kPlotQuarters; ++q)
        histories(b)(s, q) = b * 1000 + s * 100 + q;
    }
  }
  return histories;
}

TEST(PlotFile, MarketHistoryLayoutAndReaders) {
  GameDirectory game(1);
  game.session.game.BankFlag(1) = 0;
  ASSERT_TRUE(WritePlotFile(game.session, 0, CreationHistories()));
  EXPECT_EQ(game.dir.Read("Plotv.qv").size(), 4U * 128U) << "no records for an unflagged bank";
  // PlotHistory(q, s) = 100 s + q: series 2r-1 in Singles 1..16 of record r, 2r in 17..32.
  EXPECT_EQ(PlotSingle(game, 1, 1), 101.0F);
  EXPECT_EQ(PlotSingle(game, 1, 32), 216.0F);
  EXPECT_EQ(PlotSingle(game, 4, 17), 801.0F);

  const auto written = game.session.tables.PlotHistory;
  game.session.tables.PlotHistory.Fill(0.0);
  ASSERT_TRUE(ReadPlotFile(game.session));
  EXPECT_EQ(game.session.tables.PlotHistory, written);
  Table2<double, kPlotQuarters, kMarketSeries> report;
  ASSERT_TRUE(ReadPlotvEH(game.session, &report));
  EXPECT_EQ(report, written);
}

TEST(PlotFile, UpdateMovesFlaggedBanksOnAndLeavesOthersAlone) {
  GameDirectory game(3);
  ASSERT_TRUE(WritePlotFile(game.session, 0, CreationHistories()));
  const std::string bank2_before =
      game.Record("Plotv.qv", 128, 7) + game.Record("Plotv.qv", 128, 8);
  game.session.game.BankFlag(2) = 0;
  ASSERT_TRUE(WritePlotUpdate(game.session, 0));

  EXPECT_EQ(game.Record("Plotv.qv", 128, 7) + game.Record("Plotv.qv", 128, 8), bank2_before);
  for (int b : {1, 3}) {
    for (int s = 1; s <= kBankSeries; ++s) {
      const int record = BankHistoryRecord(b) + (s - 1) / 2;
      const int base = ((s - 1) % 2) * kPlotQuarters;
      for (int q = 1; q < kPlotQuarters; ++q) {
        EXPECT_EQ(PlotSingle(game, record, base + q), b * 1000 + s * 100 + q + 1)
            << "bank " << b << " series " << s << " quarter " << q;
      }
      EXPECT_EQ(PlotSingle(game, record, base + kPlotQuarters),
                game.session.tables.BankSummary(b, s))
          << "bank " << b << " series " << s << " latest";
    }
  }
}

TEST(PlotFile, SixteenUpdatesLeaveNothingOfTheCreation) {
  GameDirectory game(1);
  ASSERT_TRUE(WritePlotFile(game.session, 0, CreationHistories()));
  for (int quarter = 1; quarter <= 16; ++quarter) {
    for (int s = 1; s <= kBankSeries; ++s)
      game.session.tables.BankSummary(1, s) = -quarter * s;
    ASSERT_TRUE(WritePlotUpdate(game.session, 0));
  }
  for (int s = 1; s <= kBankSeries; ++s) {
    for (int q = 1; q <= kPlotQuarters; ++q) {
      const int record = 5 + (s - 1) / 2;
      EXPECT_EQ(PlotSingle(game, record, ((s - 1) % 2) * 16 + q), -q * s)
          << "series " << s << " quarter " << q;
    }
  }
}

TEST(PlotFile, AFreshDiskStartsTheBankFromAnEmptyHistory) {
  GameDirectory game(2);
  game.session.game.BankFlag(1) = 0;
  game.session.game.DiskPath(2) = game.dir.Subdir("disk2");
  ASSERT_TRUE(WritePlotUpdate(game.session, 2));
  EXPECT_TRUE(game.ui.shown().empty());
  EXPECT_EQ(game.dir.Read("disk2/Plotv.qv").size(), 8U * 128U);
  const std::string record = game.dir.Read("disk2/Plotv.qv").substr(7 * 128, 128);
  RecordBuffer latest(128);
  std::memcpy(latest.bytes().data(), record.data(), 128);
  EXPECT_EQ(latest.Single(15), 0.0F);
  EXPECT_EQ(latest.Single(16), game.session.tables.BankSummary(2, 3));
  EXPECT_EQ(latest.Single(32), game.session.tables.BankSummary(2, 4));
}

// The file is composed whole in memory and written in one call, so a cancelled update leaves
// it as it was: no history is moved on half way.
TEST(PlotFile, CancelledUpdateReportsAndLeavesTheFileAsItWas) {
  GameDirectory game(1);
  ASSERT_TRUE(WritePlotFile(game.session, 0, CreationHistories()));
  const std::string before = game.dir.Read("Plotv.qv");
  game.files.FailPathWrites("Plotv.qv", 61);
  game.ui.Then(Answer::kCancel);
  EXPECT_FALSE(WritePlotUpdate(game.session, 0));
  EXPECT_EQ(game.ui.texts(),
            std::vector<std::string>{"Cannot write file " + game.dir.path() + "Plotv.qv"});
  EXPECT_EQ(game.dir.Read("Plotv.qv"), before);
  EXPECT_EQ(PlotSingle(game, 6, 16), 1316.0F) << "record 6 not moved on";
}

}  // namespace
}  // namespace qv
