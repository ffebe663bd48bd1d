#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "data/GameJournal.h"
#include "data/StorageCheck.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(GameJournal, EncodesAndDecodesEveryItem) {
  JournalEntry entry;
  entry.reason = "advance";
  entry.quarter = 4;
  entry.copies = "Archive/Q0004/";
  entry.files = {"Global.qv", "Banks.qv"};
  entry.lengths = {384, 14028};
  entry.checksums = {0xdeadbeef, 7};
  entry.absent = {"Comp.qv"};
  entry.notes = {"seed 12", "bank 1 disk"};
  const std::string text = EncodeJournal(entry);
  EXPECT_EQ(text,
            "reason advance\nquarter 4\ncopies Archive/Q0004/\nfile Global.qv 384 deadbeef\n"
            "file Banks.qv 14028 00000007\nabsent Comp.qv\nnote seed 12\nnote bank 1 disk\n");
  JournalEntry back;
  ASSERT_TRUE(DecodeJournal(text, &back));
  EXPECT_EQ(EncodeJournal(back), text);
}

struct DamagedJournal {
  const char* what;
  const char* text;
};

// A marker that does not decode is never acted on; each row is one way one can be wrong.
TEST(GameJournal, RefusesDamagedMarkers) {
  const DamagedJournal rows[] = {
      {"cut in its last line", "reason advance\nquarter 4\ncopies Archive/Q0004/\nfile Glo"},
      {"no folder of copies", "reason advance\nquarter 4\n"},
      {"no quarter", "copies Archive/Q0004/\n"},
      {"a folder outside the game", "quarter 4\ncopies ../elsewhere/\n"},
      {"an absolute folder", "quarter 4\ncopies /etc/\n"},
      {"a copy in a subfolder", "quarter 4\ncopies A/\nfile ../Global.qv 1 0\n"},
      {"a length that is no number", "quarter 4\ncopies A/\nfile Global.qv x 0\n"},
      {"a checksum that is no number", "quarter 4\ncopies A/\nfile Global.qv 1 zz\n"},
      {"an unknown item", "quarter 4\ncopies A/\nrename a b\n"},
  };
  for (const DamagedJournal& row : rows) {
    JournalEntry entry;
    EXPECT_FALSE(DecodeJournal(row.text, &entry)) << row.what;
  }
}

struct JournalFolder : ::testing::Test {
  test::TempDir dir;
  LocalFileSystem files;
  void SetUp() override { files.set_durable(false); }
};

TEST_F(JournalFolder, RecoveryPutsTheCopiesBackAndRemovesWhatWasAbsent) {
  dir.Write("Global.qv", "old global");
  dir.Write("Banks.qv", "old banks");
  ASSERT_TRUE(BeginGameUpdate(files, dir.path(), {"Global.qv", "Banks.qv", "Comp.qv"},
                              "Archive/Q0002/", "advance", 2)
                  .ok());
  // The update got half way: one file new, one made that was not there.
  dir.Write("Global.qv", "new global");
  dir.Write("Comp.qv", "new comp");
  Recovery recovery;
  ASSERT_TRUE(RecoverGame(files, dir.path(), &recovery).ok());
  EXPECT_TRUE(recovery.restored);
  EXPECT_EQ(RecoveryMessage(recovery),
            "The last advance was interrupted; the game was restored to quarter 2.");
  EXPECT_EQ(dir.Read("Global.qv"), "old global");
  EXPECT_EQ(dir.Read("Banks.qv"), "old banks");
  EXPECT_FALSE(fs::exists(dir.path() + "Comp.qv"));
  EXPECT_FALSE(fs::exists(dir.path() + kJournalFileName));
  EXPECT_TRUE(CheckStorage(files, dir.path()).empty());
}

// Copies that do not match their marker were never wholly written, so the update had not
// begun: the game files stay as they are and only the marker goes.
TEST_F(JournalFolder, AMarkerWhoseCopiesDoNotMatchLeavesTheGameAlone) {
  dir.Write("Global.qv", "the game");
  ASSERT_TRUE(
      BeginGameUpdate(files, dir.path(), {"Global.qv"}, "Archive/Q0001/", "advance", 1).ok());
  dir.Write("Archive/Q0001/Global.qv", "torn");
  Recovery recovery;
  ASSERT_TRUE(RecoverGame(files, dir.path(), &recovery).ok());
  EXPECT_FALSE(recovery.restored);
  EXPECT_EQ(dir.Read("Global.qv"), "the game");
  EXPECT_FALSE(fs::exists(dir.path() + kJournalFileName));
}

TEST_F(JournalFolder, VerifySeesAMarkerLeftBehind) {
  dir.Write("Global.qv", "x");
  ASSERT_TRUE(
      BeginGameUpdate(files, dir.path(), {"Global.qv"}, "Archive/Q0001/", "advance", 1).ok());
  const std::vector<std::string> problems = CheckStorage(files, dir.path());
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems[0], "Journal.qv: an update was interrupted; opening the game restores it");
}

// A file or link planted under the name a batch would use for its temporary file is never
// written through: the batch takes another name.
TEST_F(JournalFolder, ABatchNeverWritesThroughAPlantedLink) {
  dir.Write("victim", "keep me");
  const std::string target = dir.path() + "Banks.qv";
  for (int attempt = 0; attempt < 3; ++attempt) {
    fs::create_symlink(dir.path() + "victim", target + ".qvtmp" + std::to_string(::getpid()) + "-" +
                                                  std::to_string(attempt));
  }
  std::unique_ptr<FileBatch> batch = files.StartBatch();
  ASSERT_TRUE(batch->Stage(target, "new banks").ok());
  ASSERT_TRUE(batch->Commit().ok());
  EXPECT_EQ(dir.Read("victim"), "keep me");
  EXPECT_EQ(dir.Read("Banks.qv"), "new banks");
  EXPECT_EQ(batch->replaced(), 1U);
}

}  // namespace
}  // namespace qv
