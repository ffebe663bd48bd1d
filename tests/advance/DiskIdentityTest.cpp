#include <gtest/gtest.h>

#include <functional>

#include "advance/DiskIdentity.h"
#include "data/GlobalFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

// A scripted Ui that can act before it answers, as an instructor inserts a disk.
class InsertingUi : public test::ScriptedUi {
 public:
  std::function<void()> on_show;
  Answer Show(const Message& message) override {
    if (on_show)
      on_show();
    return ScriptedUi::Show(message);
  }
};

struct DiskIdentity : ::testing::Test {
  test::TempDir dir;
  LocalFileSystem files;
  InsertingUi ui;
  FixedClock clock{DateTime{}};
  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};

  void SetUp() override {
    GameRecord& g = session.game;
    g.GameVersion = "3.00";
    g.GameId = "12-08-2026 15:10 0.25";
    g.GameName = "Fall 26";
    g.ResultsQuarter = 5;
    g.NumBanks = 4;
    const std::int16_t types[] = {0, 1, 2, 0};
    for (int b = 1; b <= 4; ++b)
      g.DiskType(b) = types[b - 1];
    g.DiskPath(2) = dir.Subdir("bank2");
    session.GamePath = dir.Subdir("game");
    session.LastUpdatedQuarter = 5;
  }

  // Writes a Global.qv into `path` that differs from the open game by `change`.
  void WriteDisk(const std::string& path, const std::function<void(GameRecord&)>& change = {}) {
    GameRecord disk = session.game;
    if (change)
      change(disk);
    ASSERT_TRUE(files.WriteText(path + "Global.qv", EncodeGlobalFile(disk)).ok());
  }
};

TEST_F(DiskIdentity, ClassifiesTheDiskAtAPath) {
  const struct {
    const char* shows;
    std::function<void(GameRecord&)> change;
    std::int16_t last_updated;
    int expected;
  } rows[] = {
      {"the open game's current disk", {}, 5, 1},
      {"a disk newer than the last update still counts as current", {}, 4, 1},
      {"a disk older than the last update", {}, 6, 2},
      {"another game's name", [](GameRecord& r) { r.GameName = "Spring 27"; }, 5, 3},
      {"the name compared with its letter case", [](GameRecord& r) { r.GameName = "fall 26"; }, 5,
       3},
      {"another game's identity", [](GameRecord& r) { r.GameId += "1"; }, 5, 3},
  };
  for (const auto& row : rows) {
    WriteDisk(session.game.DiskPath(2), row.change);
    session.LastUpdatedQuarter = row.last_updated;
    EXPECT_EQ(CheckIndexDisk(session, 2), row.expected) << row.shows;
    EXPECT_EQ(session.CurrentPath, session.game.DiskPath(2));
  }
  EXPECT_EQ(CheckIndexDisk(session, 0), disk_check::kNoGame) << "no Global.qv in the game dir";
  ASSERT_TRUE(files.WriteText(session.GamePath + "Global.qv", "not a game").ok());
  EXPECT_EQ(CheckIndexDisk(session, 0), disk_check::kNoGame) << "an unreadable Global.qv";
}

TEST_F(DiskIdentity, GameDiskRefusesABankDisk) {
  WriteDisk(session.GamePath, [](GameRecord& r) { r.BankDiskFlag = 1; });
  EXPECT_EQ(CheckGameDisk(session), disk_check::kBankDisk);
  WriteDisk(session.GamePath, [](GameRecord& r) {
    r.BankDiskFlag = 1;
    r.GameName = "Spring 27";
  });
  EXPECT_EQ(CheckGameDisk(session), disk_check::kBankDisk) << "any readable bank disk";
  WriteDisk(session.GamePath);
  EXPECT_EQ(CheckGameDisk(session), disk_check::kCurrent);
}

TEST_F(DiskIdentity, FlagGameBanksMarksExactlyTheGameDiskBanks) {
  for (int b = 1; b <= 10; ++b)
    session.game.BankFlag(b) = 1;
  FlagGameBanks(session);
  const std::int16_t expected[] = {1, 0, 0, 1, 1, 1, 1, 1, 1, 1};
  for (int b = 1; b <= 10; ++b) {
    EXPECT_EQ(session.game.BankFlag(b), expected[b - 1]) << "bank " << b;
  }
}

TEST_F(DiskIdentity, WaitForGameDiskReturnsAtOnceWhenTheDiskIsThere) {
  WriteDisk(session.GamePath);
  session.Cancelled = true;
  EXPECT_TRUE(WaitForGameDisk(session));
  EXPECT_FALSE(session.Cancelled);
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_EQ(session.game.BankFlag(1), 1);
  EXPECT_EQ(session.game.BankFlag(2), 0);
}

TEST_F(DiskIdentity, WaitForGameDiskAsksUntilTheDiskIsInserted) {
  WriteDisk(session.GamePath, [](GameRecord& r) { r.BankDiskFlag = 1; });
  int prompts = 0;
  ui.on_show = [&] {
    if (++prompts == 2)
      WriteDisk(session.GamePath);
  };
  ui.Then(Answer::kOk).Then(Answer::kOk);
  EXPECT_TRUE(WaitForGameDisk(session));
  ASSERT_EQ(ui.shown().size(), 2U);
  const Message& prompt = ui.shown()[0];
  EXPECT_EQ(prompt.text, "Put Quorvant Disk in Drive");
  EXPECT_EQ(prompt.title, "Quorvant Instructor");
  EXPECT_EQ(prompt.buttons, Buttons::kOkCancel);
  EXPECT_EQ(prompt.icon, Icon::kExclamation);
  EXPECT_EQ(session.game.BankFlag(1), 1);
}

TEST_F(DiskIdentity, CancelledPromptLeavesTheFlagsAlone) {
  for (const Answer answer : {Answer::kCancel, Answer::kClosed}) {
    session.game.BankFlag(2) = 1;
    ui.Then(answer);
    EXPECT_FALSE(WaitForGameDisk(session));
    EXPECT_TRUE(session.Cancelled);
    EXPECT_EQ(session.game.BankFlag(2), 1);
  }
  EXPECT_EQ(ui.texts(),
            (std::vector<std::string>{"Put Quorvant Disk in Drive", "Put Quorvant Disk in Drive"}));
}

}  // namespace
}  // namespace qv
