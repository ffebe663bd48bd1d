#include <gtest/gtest.h>

#include "data/GameFiles.h"
#include "data/GlobalFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

struct RetryProtocol : ::testing::Test, test::TestSession {
  void SetUp() override {
    session.game.GameVersion = "3.00";
    session.game.NumBanks = 1;
  }
};

TEST_F(RetryProtocol, RetryRepeatsTheWholeRoutine) {
  files.FailPathTimes("Global.qv", 1);
  ui.Then(Answer::kRetry);
  EXPECT_TRUE(WriteGlobalFile(session, 0));
  ASSERT_EQ(ui.shown().size(), 1U);
  const Message& shown = ui.shown()[0];
  EXPECT_EQ(shown.text, "Cannot write file " + dir.path() + "Global.qv");
  EXPECT_EQ(shown.title, "Quorvant Instructor");
  EXPECT_EQ(shown.buttons, Buttons::kRetryCancel);
  EXPECT_EQ(shown.icon, Icon::kExclamation);
  EXPECT_EQ(session.MessageText, shown.text);
  EXPECT_FALSE(dir.Read("Global.qv").empty());
}

TEST_F(RetryProtocol, CancelGivesUpAndTheNextRoutineStillRuns) {
  files.FailPath("disk1");
  session.game.DiskPath(1) = dir.Subdir("disk1");
  ui.Then(Answer::kRetry).Then(Answer::kCancel);
  EXPECT_FALSE(WriteGlobalFile(session, 1));
  EXPECT_EQ(ui.shown().size(), 2U);
  EXPECT_TRUE(WriteGlobalFile(session, 0));
}

TEST_F(RetryProtocol, BoxClosedFromItsFrameCountsAsCancel) {
  files.FailPath("Global.qv");
  ui.Then(Answer::kClosed);
  EXPECT_FALSE(WriteGlobalFile(session, 0));
}

TEST_F(RetryProtocol, BodyRunsAgainFromItsFirstRecord) {
  int runs = 0;
  std::vector<int> records_written;
  ui.Then(Answer::kRetry);
  const bool ok = RunFileRoutine(session, Transfer::kRead, "X:\\Banks.qv", [&] {
    ++runs;
    for (int record = 1; record <= 3; ++record) {
      if (runs == 1 && record == 2) {
        return Status::Error(57, "bad record");
      }
      records_written.push_back(record);
    }
    return Status::Ok();
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(records_written, (std::vector<int>{1, 1, 2, 3}));
  EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot read file X:\\Banks.qv"});
}

TEST_F(RetryProtocol, AskRetrySetsCancelled) {
  ui.Then(Answer::kCancel).Then(Answer::kRetry);
  EXPECT_TRUE(AskRetryRead(session));
  EXPECT_TRUE(session.Cancelled);
  EXPECT_FALSE(AskRetryWrite(session));
  EXPECT_FALSE(session.Cancelled);
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Error Reading File", "Error Writing File"}));
  EXPECT_EQ(ui.shown()[1].buttons, Buttons::kRetryCancel);
}

}  // namespace
}  // namespace qv
