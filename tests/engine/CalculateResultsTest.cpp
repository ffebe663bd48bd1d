#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "data/GlobalFile.h"
#include "data/Items.h"
#include "data/PortfolioFile.h"
#include "engine/Engine.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/engine/OpeningGame.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

// Every file below a directory with its bytes.
std::map<std::string, std::string> Snapshot(const test::TempDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    if (entry.is_regular_file()) {
      const std::string name = std::filesystem::relative(entry.path(), dir.path()).string();
      files[name] = dir.Read(name);
    }
  }
  return files;
}

// A file system on which the game disk goes missing from the n-th look at its Global.qv on.
class DiskRemovedAfter : public test::FaultyFileSystem {
 public:
  using FaultyFileSystem::FaultyFileSystem;
  int present_reads = 1000;
  Status ReadText(const std::string& path, std::string* contents) override {
    if (path.find("Global.qv") != std::string::npos && present_reads-- <= 0) {
      return Status::Error(71, "disk removed");
    }
    return FaultyFileSystem::ReadText(path, contents);
  }
  Status ReadTextAtMost(const std::string& path, std::int64_t max_bytes,
                        std::string* contents) override {
    if (path.find("Global.qv") != std::string::npos && present_reads-- <= 0) {
      return Status::Error(71, "disk removed");
    }
    return FaultyFileSystem::ReadTextAtMost(path, max_bytes, contents);
  }
};

// A game of banks whose books are empty but whose shares exist, so that every stage before
// the bank close runs without a run-time error and every market is empty.
struct CalculateResultsFailure : ::testing::Test {
  test::TempDir dir;
  LocalFileSystem real;
  DiskRemovedAfter files{real};
  test::ScriptedUi ui;
  FixedClock clock{DateTime{}};
  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};

  void SetUp() override {
    GameRecord& g = session.game;
    g.GameVersion = "3.00";
    g.GameId = "12-08-2026 15:10 0.25";
    g.GameName = "Fall 26";
    g.ResultsQuarter = 4;
    g.NumBanks = 3;
    session.LastUpdatedQuarter = 4;
    session.GamePath = dir.path();
    for (int b = 1; b <= 3; ++b)
      session.tables.BankValues(b, value::kSharesOutstanding) = 1;
    ASSERT_TRUE(WriteGlobalFile(session, 0));
  }
};

TEST_F(CalculateResultsFailure, OverflowIsReportedAndNothingIsWritten) {
  ASSERT_TRUE(WritePortfolioFile(session));
  const auto before = Snapshot(dir);
  session.tables.BankAmounts(1, amount::kTimeDepositRunOff) = 20000;
  session.tables.BankAmounts(2, amount::kTimeDepositRunOff) = 20000;
  ui.Then(Answer::kOk);

  EXPECT_EQ(test::CalculateFromGameDisk(session), Proceed::kStop);
  EXPECT_EQ(session.ProceedOk, Proceed::kStop);
  ASSERT_EQ(ui.shown().size(), 1U);
  const Message& shown = ui.shown()[0];
  EXPECT_EQ(shown.text, "Quorvant Sub CalculateResults Error 6");
  EXPECT_EQ(shown.title, "Quorvant Instructor");
  EXPECT_EQ(shown.buttons, Buttons::kOk);
  EXPECT_EQ(shown.icon, Icon::kExclamation);
  EXPECT_EQ(session.game.ResultsQuarter, 5);
  EXPECT_EQ(Snapshot(dir), before);
}

TEST_F(CalculateResultsFailure, CancelledGameDiskStopsWithoutAMessageOfItsOwn) {
  ASSERT_TRUE(WritePortfolioFile(session));
  const auto before = Snapshot(dir);
  files.present_reads = 0;
  ui.Then(Answer::kCancel);
  EXPECT_EQ(test::CalculateFromGameDisk(session), Proceed::kStop);
  EXPECT_EQ(ui.texts(), std::vector<std::string>{"Put Quorvant Disk in Drive"});
  EXPECT_EQ(Snapshot(dir), before);
}

TEST_F(CalculateResultsFailure, UnreadableLotsStopAfterTheReadersPrompt) {
  const auto before = Snapshot(dir);  // no PORTF.QV
  ui.Then(Answer::kCancel);
  EXPECT_EQ(test::CalculateFromGameDisk(session), Proceed::kStop);
  EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot read file " + dir.path() + "PORTF.QV"});
  EXPECT_EQ(Snapshot(dir), before);
}

// Cancelling the game-disk prompt before the third bank: the first two banks are closed in
// memory, nothing is written, and the caller is told to stop.
TEST(CalculateResultsCancel, CancelAtTheThirdBankWritesNothing) {
  test::TempDir dir;
  LocalFileSystem real;
  DiskRemovedAfter files{real};
  test::ScriptedUi ui;
  FixedClock clock{DateTime{}};
  SeededRandom random(11);
  Session session(files, ui, clock, random);
  session.GamePath = dir.path();
  ASSERT_TRUE(test::CreateOpeningGame(session, 4, 37));
  ASSERT_TRUE(test::PrepareQuarter(session));
  const GameTables opening = session.tables;
  const auto before = Snapshot(dir);

  files.present_reads = 2;  // present for banks 1 and 2
  ui.Then(Answer::kOk).Then(Answer::kCancel);
  EXPECT_EQ(test::CalculateFromGameDisk(session), Proceed::kStop);
  EXPECT_EQ(session.ProceedOk, Proceed::kStop);
  EXPECT_EQ(ui.texts(),
            (std::vector<std::string>{"Put Quorvant Disk in Drive", "Put Quorvant Disk in Drive"}));
  EXPECT_TRUE(session.Cancelled);
  EXPECT_EQ(Snapshot(dir), before);
  EXPECT_EQ(session.game.ResultsQuarter, 0);
  EXPECT_NE(session.tables.BankAmounts(2, amount::kTotalAssets), 0);
  EXPECT_NE(session.tables.BankSummary(2, 4), 0) << "bank 2 was closed";
  EXPECT_EQ(session.tables.BankSummary(3, 4), 0) << "bank 3 was not";
  EXPECT_EQ(session.tables.Portfolios(3), opening.Portfolios(3));
}

}  // namespace
}  // namespace qv
