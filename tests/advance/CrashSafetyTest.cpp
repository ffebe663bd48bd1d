#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "advance/AdvanceGame.h"
#include "advance/UndoAdvance.h"
#include "data/FileSnapshot.h"
#include "data/GameJournal.h"
#include "data/GameLock.h"
#include "data/GlobalFile.h"
#include "data/QuarterArchive.h"
#include "tests/support/SweepUi.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;

using test::SweepUi;

// The game files of a folder as bytes; what else lives there (the archive, the lock) is not
// part of the game's state.
Files GameFiles(const std::string& folder) {
  Files files;
  for (const char* name : {"Global.qv", "Banks.qv", "Plotv.qv", "Comp.qv", "Portf.qv"}) {
    const std::string path = folder + name;
    std::ifstream in(path, std::ios::binary);
    if (in) {
      files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  return files;
}

// Puts a folder back to `files`; the shipped data files stay.
void PutBack(const std::string& folder, const Files& files) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "DATAEC.QVS" && name != "INIT.QVS") {
      fs::remove_all(entry.path());
    }
  }
  for (const auto& [name, bytes] : files) {
    std::ofstream(folder + name, std::ios::binary) << bytes;
  }
}

// A started game of two student banks around a computer bank, both disks holding ready
// decisions: the state before the advance, and what a clean advance makes of it.
struct CrashSafety : ::testing::Test {
  test::TestGame game;
  std::vector<std::string> folders;  // the game directory, then each bank disk
  std::vector<Files> before;
  std::vector<Files> after;
  long operations = 0;

  void SetUp() override {
    game.real.set_durable(false);
    game.ui.AcknowledgeOkBoxes();
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn)
        << ::testing::PrintToString(game.ui.texts());
    Table<float, 63> decisions;
    for (int item : {20, 21, 43, 44, 45, 46, 47, 48}) {
      decisions(item) = 999.0F;
    }
    game.WriteStudentDecisions(1, decisions, 0, 1);
    game.WriteStudentDecisions(3, decisions, 0, 1);
    folders = {game.session.GamePath, game.DiskFolder("Alder"), game.DiskFolder("Cedar")};
    before = Capture();
    const long start = game.files.operations();
    ASSERT_EQ(Advance(game.files, SweepUi()), Proceed::kGoOn);
    operations = game.files.operations() - start;
    after = Capture();
    ASSERT_NE(before[0], after[0]);
  }

  std::vector<Files> Capture() const {
    std::vector<Files> state;
    for (const std::string& folder : folders) {
      state.push_back(GameFiles(folder));
    }
    return state;
  }

  void Reset() {
    for (std::size_t i = 0; i < folders.size(); ++i) {
      PutBack(folders[i], before[i]);
    }
  }

  // One advance as qvctl runs it: the game opened (an interrupted update rolled back first),
  // then advanced, with its own Ui and the same random numbers as every other run.
  Proceed Advance(FileSystem& files, SweepUi ui) {
    SeededRandom random(11);
    Session session(files, ui, game.clock, random);
    session.GamePath = game.session.GamePath;
    session.ProgramDir = game.session.ProgramDir;
    Recovery recovery;
    if (!RecoverGame(files, session.GamePath, &recovery).ok() || !ReadGlobalFile(session, 0)) {
      return Proceed::kStop;
    }
    ApplyGlobalRecord(session);
    return AdvanceGame(session);
  }

  // After a failure at operation `n`: the game directory is wholly the quarter before or the
  // quarter after, each disk old, new or (its Global.qv old) read as not current, and the
  // next advance goes through.
  void ExpectWholeAfterReopen(long n, const char* mode) {
    SCOPED_TRACE(std::string(mode) + " at operation " + std::to_string(n));
    Recovery recovery;
    ASSERT_TRUE(RecoverGame(game.real, folders[0], &recovery).ok());
    const std::vector<Files> now = Capture();
    EXPECT_TRUE(now[0] == before[0] || now[0] == after[0]);
    for (std::size_t i = 1; i < folders.size(); ++i) {
      const bool old_quarter =
          now[i].count("Global.qv") > 0 && now[i].at("Global.qv") == before[i].at("Global.qv");
      EXPECT_TRUE(now[i] == before[i] || now[i] == after[i] || old_quarter) << folders[i];
    }
    EXPECT_EQ(Advance(game.real, SweepUi(FixChoice::kLastQuarter)), Proceed::kGoOn);
  }
};

TEST_F(CrashSafety, EveryFailedOperationOfAnAdvanceLeavesAWholeGame) {
  ASSERT_GT(operations, 50);
  for (long n = 1; n <= operations; ++n) {
    Reset();
    game.files.ClearFaults();
    game.files.FailOperation(n);
    (void)Advance(game.files, SweepUi());
    game.files.ClearFaults();
    ExpectWholeAfterReopen(n, "failed");
  }
  std::cout << "[ sweep    ] " << operations << " operations of an advance, each failed\n";
}

TEST_F(CrashSafety, AnAdvanceStoppedAtAnyOperationIsRolledBackOnTheNextOpen) {
  for (long n = 1; n <= operations; ++n) {
    Reset();
    game.files.ClearFaults();
    game.files.StopAt(n);
    (void)Advance(game.files, SweepUi());
    game.files.ClearFaults();
    ExpectWholeAfterReopen(n, "stopped");
  }
  std::cout << "[ sweep    ] " << operations << " operations of an advance, stopped at each\n";
}

TEST_F(CrashSafety, TheArchiveHoldsTheQuarterBefore) {
  std::vector<int> quarters;
  ASSERT_TRUE(ListQuarters(game.real, folders[0], &quarters).ok());
  ASSERT_EQ(quarters, std::vector<int>{0});
  JournalEntry entry;
  std::vector<std::string> contents;
  ASSERT_TRUE(OpenQuarter(game.real, folders[0], 0, 0, &entry, &contents).ok());
  for (std::size_t i = 0; i < entry.files.size(); ++i) {
    EXPECT_EQ(contents[i], before[0].at(entry.files[i])) << entry.files[i];
  }
  EXPECT_EQ(NoteValue(entry, "bank 1"), "disk");
  EXPECT_EQ(NoteValue(entry, "bank 2"), "computer2");
  ASSERT_TRUE(OpenQuarter(game.real, folders[0], 0, 3, &entry, &contents).ok());
  EXPECT_EQ(contents[1], before[2].at("Banks.qv"));
}

TEST_F(CrashSafety, ADiskThatCannotBeWrittenIsNamedNotReportedAsSuccess) {
  Reset();
  game.files.FailPathWrites("disk-Cedar");
  SweepUi ui;
  SeededRandom random(11);
  Session session(game.files, ui, game.clock, random);
  session.GamePath = folders[0];
  session.ProgramDir = game.session.ProgramDir;
  ASSERT_TRUE(ReadGlobalFile(session, 0));
  ApplyGlobalRecord(session);
  EXPECT_EQ(AdvanceGame(session), Proceed::kGoOn);
  EXPECT_EQ(DisksNotWritten(session), std::vector<int>{3});
  ASSERT_FALSE(ui.texts.empty());
  EXPECT_EQ(ui.texts.back(),
            "Game advanced, but these bank disks were not written:\rBank 3: Cedar (" + folders[2] +
                ")\rThe next advance asks for them again.");
  EXPECT_EQ(GameFiles(folders[2]), before[2]);
}

// Undo puts the game and both disks back as they were, so the same advance again gives the
// same bytes; and it goes back no further than quarter 0.
TEST_F(CrashSafety, UndoThenTheSameAdvanceGivesTheSameFiles) {
  for (int round = 0; round < 2; ++round) {
    SweepUi ui;
    SeededRandom random(11);
    Session session(game.real, ui, game.clock, random);
    session.GamePath = folders[0];
    ASSERT_TRUE(ReadGlobalFile(session, 0));
    ApplyGlobalRecord(session);
    int quarter = -1;
    std::string why;
    ASSERT_TRUE(UndoTarget(session, &quarter, &why)) << why;
    EXPECT_EQ(quarter, 0);
    ASSERT_TRUE(UndoLastAdvance(session, quarter).ok());
    EXPECT_EQ(Capture(), before) << "round " << round;
    ASSERT_TRUE(ReadGlobalFile(session, 0));
    ApplyGlobalRecord(session);
    EXPECT_FALSE(UndoTarget(session, &quarter, &why));
    EXPECT_EQ(why, "No archived quarter to go back to.");
    ASSERT_EQ(Advance(game.real, SweepUi()), Proceed::kGoOn);
    EXPECT_EQ(Capture(), after) << "round " << round;
  }
}

TEST_F(CrashSafety, UndoAsksBeforeDiscardingDecisionsMadeSinceTheAdvance) {
  Table<float, 63> decisions;
  game.WriteStudentDecisions(3, decisions, 1, 1);
  const Files cedar_now = GameFiles(folders[2]);
  SweepUi ui;  // answers Yes to every question: here, the team's new decisions are discarded
  SeededRandom random(11);
  Session session(game.real, ui, game.clock, random);
  session.GamePath = folders[0];
  ASSERT_TRUE(ReadGlobalFile(session, 0));
  ApplyGlobalRecord(session);
  ASSERT_TRUE(UndoLastAdvance(session, 0).ok());
  EXPECT_EQ(ui.texts, std::vector<std::string>{"The disk of bank 3: Cedar holds decisions made "
                                               "after the last advance. Discard them?"});
  EXPECT_EQ(GameFiles(folders[2]), before[2]);
  EXPECT_NE(cedar_now, before[2]);
}

TEST(GameLock, ASecondHolderIsRefusedAndToldWhoHoldsIt) {
  test::TempDir dir;
  LocalFileSystem files;
  std::unique_ptr<FileLock> first;
  std::unique_ptr<FileLock> second;
  std::string message;
  ASSERT_TRUE(LockGame(files, dir.path(), "qvctl advance (process 42)", &first, &message));
  EXPECT_FALSE(LockGame(files, dir.path(), "qvctl undo (process 43)", &second, &message));
  EXPECT_EQ(message, "The game in " + dir.path() +
                         " is in use by qvctl advance (process 42); try again when it has "
                         "finished.");
  first.reset();
  EXPECT_TRUE(LockGame(files, dir.path(), "qvctl undo (process 43)", &second, &message));
}

}  // namespace
}  // namespace qv
