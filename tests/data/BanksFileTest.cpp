#include "data/BanksFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/CompFile.h"
#include "tests/data/SampleGame.h"

namespace qv {
namespace {

using test::GameDirectory;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(BanksFileLayout, StatusRecordBytes) {
  GameDirectory game(1);
  GameTables& t = game.session.tables;
  t = GameTables{};
  t.LastUpdated(1) = "12-08-2026 15:10";
  t.BankQuarter(1) = -1;
  t.DecisionsReady(1) = 2;
  t.BankValues(1, 106) = 1.5;
  t.BankValues(1, 121) = -2.0;
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));

  std::string expected = "12-08-2026 15:10" + Bytes({0xFF, 0xFF, 0x02, 0x00}) +
                         Bytes({0x00, 0x00, 0xC0, 0x3F}) + std::string(14 * 4, '\0') +
                         Bytes({0x00, 0x00, 0x00, 0xC0});
  EXPECT_EQ(game.Record("Banks.qv", 84, 38), expected);
}

TEST(BanksFileLayout, DecisionRecordBytes) {
  GameDirectory game(1);
  GameTables& t = game.session.tables;
  t = GameTables{};
  t.Decision(1, 1) = 5.25F;    // record 8, Single 1
  t.Decision(1, 21) = 999.0F;  // record 8, Single 21
  t.Decision(1, 22) = 1.0F;    // record 9, Single 1
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));

  const std::string first = game.Record("Banks.qv", 84, 8);
  EXPECT_EQ(first.substr(0, 4), Bytes({0x00, 0x00, 0xA8, 0x40}));
  EXPECT_EQ(first.substr(4, 76), std::string(76, '\0'));
  EXPECT_EQ(first.substr(80, 4), Bytes({0x00, 0xC0, 0x79, 0x44}));
  EXPECT_EQ(game.Record("Banks.qv", 84, 9).substr(0, 4), Bytes({0x00, 0x00, 0x80, 0x3F}));
}

TEST(BanksFileLayout, LastUpdatedIsCutOrPaddedToSixteenCharacters) {
  struct Row {
    const char* shows;
    std::string written;
    std::string read_back;
  };
  const Row rows[] = {
      {"exactly 16 kept", "12-08-2026 15:10", "12-08-2026 15:10"},
      {"longer cut", "12-08-2026 15:10:59", "12-08-2026 15:10"},
      {"shorter padded with spaces", "12-08-2026", "12-08-2026      "},
      {"empty becomes blanks", "", std::string(16, ' ')},
  };
  for (const Row& row : rows) {
    GameDirectory game(1);
    game.session.tables.LastUpdated(1) = row.written;
    ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
    game.session.tables.LastUpdated(1) = "?";
    game.session.CurrentPath = game.dir.path();
    ASSERT_TRUE(ReadBankDisk(game.session, 1));
    EXPECT_EQ(game.session.tables.LastUpdated(1), row.read_back)
        << row.shows << ": written \"" << row.written << "\"";
  }
}

TEST(BanksFileLayout, OneBankGameWritesOnlyItsOwnRecords) {
  GameDirectory game(1);
  const std::string untouched(84, '\xAA');
  std::string before;
  for (int r = 0; r < 167; ++r)
    before += untouched;
  game.dir.Write("Banks.qv", before);

  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
  EXPECT_EQ(game.dir.Read("Banks.qv").size(), before.size());
  for (int record = 1; record <= 167; ++record) {
    const bool written = record <= 10 || (record >= 38 && record <= 50);
    EXPECT_EQ(game.Record("Banks.qv", 84, record) != untouched, written) << "record " << record;
  }
}

// The items a bank's own copy starts the next quarter with.
float ClearedItem(int item, float as_made) {
  if ((item >= 22 && item <= 38) || item == 41 || item == 42)
    return 0.0F;
  if (item == 20 || item == 21 || (item >= 43 && item <= 48))
    return 999.0F;
  return as_made;
}

TEST(BanksFileUpdate, OwnDecisionCopyIsClearedWhileTheDecisionRecordsKeepTheQuarter) {
  GameDirectory game(2);
  GameTables made = game.session.tables;
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));

  game.session.tables.Decision.Fill(-7.0F);
  game.session.CurrentPath = game.dir.path();
  ASSERT_TRUE(ReadBankDisk(game.session, 2));
  for (int item = 1; item <= 63; ++item) {
    EXPECT_EQ(game.session.tables.Decision(2, item), ClearedItem(item, made.Decision(2, item)))
        << "own copy, item " << item;
  }
  EXPECT_EQ(game.session.tables.Decision(1, 1), -7.0F) << "another bank's decisions untouched";

  ASSERT_TRUE(ReadBankDecisions(game.session, 2));
  for (int item = 1; item <= 63; ++item) {
    EXPECT_EQ(game.session.tables.Decision(2, item), made.Decision(2, item))
        << "decision record, item " << item;
  }
}

TEST(BanksFileUpdate, FullReaderRestoresTheTablesItReads) {
  GameDirectory game(10);
  const GameTables written = game.session.tables;
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
  EXPECT_EQ(game.dir.Read("Banks.qv").size(), 167U * 84U);

  game.session.tables = GameTables{};
  ASSERT_TRUE(ReadBanksFull(game.session));
  const GameTables& read = game.session.tables;
  EXPECT_EQ(read.MarketRates, written.MarketRates);
  EXPECT_EQ(read.EconIndex, written.EconIndex);
  EXPECT_EQ(read.Environment, written.Environment);
  EXPECT_EQ(read.IndustrySums, written.IndustrySums);
  EXPECT_EQ(read.Decision, written.Decision);
  EXPECT_EQ(read.BankValues, written.BankValues);
  EXPECT_EQ(read.BankAmounts, written.BankAmounts);
  EXPECT_EQ(read.LastUpdated(1), "") << "the status fields are the disk reader's";
  EXPECT_TRUE(game.ui.shown().empty());
}

TEST(BanksFileUpdate, ReportAndEnvironmentReaders) {
  GameDirectory game(3);
  const GameTables written = game.session.tables;
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));

  BanksReport report;
  ASSERT_TRUE(ReadBanksXFD(game.session, &report));
  EXPECT_EQ(report.MarketRates, written.MarketRates);
  EXPECT_EQ(report.EconIndex, written.EconIndex);
  EXPECT_EQ(report.IndustrySums, written.IndustrySums);
  EXPECT_EQ(report.Decision, written.Decision);

  Table<double, 84> environment = written.Environment;
  environment(18) = 0.25;
  environment(84) = -3.5;
  ASSERT_TRUE(WriteEnvironmentRecords(game.session, environment));
  Table<double, 84> read;
  ASSERT_TRUE(ReadEnvironmentRecords(game.session, &read));
  EXPECT_EQ(read, environment);
  game.session.tables = GameTables{};
  ASSERT_TRUE(ReadBanksFull(game.session));
  EXPECT_EQ(game.session.tables.MarketRates, written.MarketRates) << "record 1 left alone";
  EXPECT_EQ(game.session.tables.IndustrySums, written.IndustrySums) << "records 6, 7 left alone";
}

TEST(BanksFileUpdate, NamesOfEitherCaseAreOneFile) {
  GameDirectory game(1);
  game.dir.Write("BANKS.QV", std::string(50 * 84, '\0'));
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
  std::vector<std::string> names;
  ASSERT_TRUE(game.real.ListDirectory(game.dir.path(), &names).ok());
  EXPECT_EQ(names, std::vector<std::string>{"BANKS.QV"});
  game.session.tables = GameTables{};
  ASSERT_TRUE(ReadBanksFull(game.session));
  EXPECT_EQ(game.session.tables.BankAmounts(1, 1), 151);
}

TEST(BanksFileRetry, RetryRewritesFromTheFirstRecord) {
  GameDirectory game(1);
  game.files.FailPathTimes("Banks.qv", 1, 57);  // the file is composed, then its write fails
  game.ui.Then(Answer::kRetry);
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
  EXPECT_EQ(game.ui.texts(),
            std::vector<std::string>{"Cannot write file " + game.dir.path() + "Banks.qv"});
  // The second run wrote the whole file of a one-bank game, records 1..50, in one call.
  EXPECT_EQ(game.dir.Read("Banks.qv").size(), 50U * 84U);
}

TEST(BanksFileRetry, CancelLeavesFileOkZeroAndTheNextRoutineStillRuns) {
  GameDirectory game(1);
  game.files.FailPath("Banks.qv");
  game.ui.Then(Answer::kCancel);
  EXPECT_FALSE(WriteBanksUpdate(game.session, 0));
  EXPECT_TRUE(WriteCompFile(game.session, 0));
  EXPECT_EQ(game.dir.Read("Comp.qv").size(), 60U * 40U);
}

TEST(BanksFileRetry, DamagedFilesFailTheReadAndLeaveTheTables) {
  struct Row {
    const char* shows;
    std::size_t keep_bytes;  // of a whole one-bank file, 50 records
  };
  const Row rows[] = {
      {"missing file", 0},
      {"one byte short", 50 * 84 - 1},
      {"last block missing", 37 * 84},
  };
  for (const Row& row : rows) {
    GameDirectory game(1);
    ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
    const std::string whole = game.dir.Read("Banks.qv");
    if (row.keep_bytes == 0) {
      std::remove((game.dir.path() + "Banks.qv").c_str());
    } else {
      game.dir.Write("Banks.qv", whole.substr(0, row.keep_bytes));
    }
    game.session.tables = GameTables{};
    game.ui.Then(Answer::kCancel);
    EXPECT_FALSE(ReadBanksFull(game.session)) << row.shows;
    EXPECT_EQ(game.ui.texts(),
              std::vector<std::string>{"Cannot read file " + game.dir.path() + "BANKS.QV"})
        << row.shows;
    EXPECT_EQ(game.session.tables.MarketRates(1), 0.0) << row.shows;
  }
}

TEST(BanksFileRetry, ExtraBytesAndNonFiniteSinglesStillRead) {
  GameDirectory game(1);
  game.session.tables.BankValues(1, 50) = std::nan("");
  game.session.tables.Environment(3) = HUGE_VAL;
  ASSERT_TRUE(WriteBanksUpdate(game.session, 0));
  game.dir.Write("Banks.qv", game.dir.Read("Banks.qv") + "trailing");
  ASSERT_TRUE(ReadBanksFull(game.session));
  EXPECT_TRUE(std::isnan(game.session.tables.BankValues(1, 50)));
  EXPECT_TRUE(std::isinf(game.session.tables.Environment(3)));
}

}  // namespace
}  // namespace qv
