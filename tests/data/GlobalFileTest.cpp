#include <gtest/gtest.h>

#include "data/GlobalFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

GameRecord OneBankGame() {
  GameRecord r;
  r.GameVersion = "3.00";
  r.GameId = "12-08-2026 15:10 0.25";
  r.GameName = "Fall 26";
  r.ResultsQuarter = -1;
  r.CreationYear = 2026;
  r.NumBanks = 1;
  r.EconPeriod = 37;
  r.BankName(1) = "Alpha";
  r.BankPassword(1) = "a1";
  r.PresidentName(1) = "Kim";
  r.DiskType(1) = 1;
  r.DiskPath(1) = "a:\\";
  r.InstructorName = "Reyes";
  r.DiskMode = 1;
  r.BankFlag(1) = 1;
  return r;
}

TEST(GlobalFile, OneBankGameHasTheseBytes) {
  std::string expected =
      "\"X3.00\",\"X12-08-2026 15:10 0.25\",\"XFall 26\",-1,2026,0,1,37\r\n"
      "\"XAlpha\"\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "\"X\"\r\n";
  expected += "\"Xa1\"\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "\"X\"\r\n";
  for (int i = 0; i < 10; ++i)
    expected += "0\r\n";  // levels
  expected += "\"XKim\"\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "\"X\"\r\n";
  expected += "1\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "0\r\n";  // disk types
  expected += "\"Xa:\\\"\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "\"X\"\r\n";
  expected += "\"XReyes\",\"X\",1,0,0\r\n";
  expected += "1\r\n";
  for (int i = 0; i < 9; ++i)
    expected += "0\r\n";  // bank flags

  const std::string text = EncodeGlobalFile(OneBankGame());
  EXPECT_EQ(text, expected);
  int lines = 0;
  for (const char c : text)
    lines += c == '\n';
  EXPECT_EQ(lines, kGlobalFileLines);
}

TEST(GlobalFile, TextsReadBackExactly) {
  GameRecord r = OneBankGame();
  r.GameName = " a, b ";            // commas and blanks at either end
  r.BankName(10) = "Caf\xE9 Bank";  // an accented letter, Windows-1252
  r.BankPassword(3) = "";
  r.InstructorPassword = "X";  // a value that looks like the prefix
  r.BankLevel(4) = -32768;
  GameRecord back;
  ASSERT_TRUE(DecodeGlobalFile(EncodeGlobalFile(r), &back));
  EXPECT_EQ(back, r);
}

TEST(GlobalFile, ReadsLineFeedOnlyAndTrailingBlankLines) {
  std::string text = EncodeGlobalFile(OneBankGame());
  std::string lf;
  for (const char c : text) {
    if (c != '\r')
      lf += c;
  }
  GameRecord back;
  EXPECT_TRUE(DecodeGlobalFile(lf + "\n\n", &back));
  EXPECT_EQ(back, OneBankGame());
}

TEST(GlobalFile, RefusesDamagedText) {
  const std::string good = EncodeGlobalFile(OneBankGame());
  auto without_last_line = good.substr(0, good.rfind("0\r\n"));
  struct Row {
    const char* what;
    std::string text;
  } rows[] = {
      {"empty", ""},
      {"one line missing", without_last_line},
      {"extra text after line 72", good + "junk\r\n"},
      {"unquoted string", "3.00" + good.substr(good.find(','))},
      {"non-numeric integer",
       [&] {
         std::string t = good;
         t.replace(t.find(",-1,"), 4, ",x1,");
         return t;
       }()},
      {"integer out of range",
       [&] {
         std::string t = good;
         t.replace(t.find(",2026,"), 6, ",99999,");
         return t;
       }()},
      {"a field too many",
       [&] {
         std::string t = good;
         t.insert(t.find("\r\n"), ",5");
         return t;
       }()},
      {"unterminated string", "\"X3.00,\r\n"},
      {"control byte in a string",
       [&] {
         std::string t = good;
         t.replace(t.find("Alpha"), 1, std::string(1, '\0'));
         return t;
       }()},
      {"overlong field",
       [&] {
         std::string t = good;
         t.replace(t.find("Alpha"), 5, std::string(400, 'A'));
         return t;
       }()},
  };
  for (const Row& row : rows) {
    GameRecord back;
    EXPECT_FALSE(DecodeGlobalFile(row.text, &back)) << row.what;
  }
}

struct GlobalFileRoutines : ::testing::Test, test::TestSession {
  void SetUp() override {
    session.game = OneBankGame();
    session.game.DiskPath(1) = dir.Subdir("disk1");
  }
};

TEST_F(GlobalFileRoutines, WriteThenReadThroughTheShadowRecord) {
  ASSERT_TRUE(WriteGlobalFile(session, 1));
  EXPECT_EQ(session.CurrentPath, session.game.DiskPath(1));
  EXPECT_FALSE(ReadGlobalFile(session, 0)) << "nothing in the game directory yet";
  EXPECT_EQ(session.CurrentPath, dir.path()) << "index 0 returns to the game directory";
  ASSERT_TRUE(ReadGlobalFile(session, 1));
  EXPECT_EQ(session.shadow, session.game);
  EXPECT_TRUE(ui.shown().empty()) << "reading never asks";
}

TEST_F(GlobalFileRoutines, BankDiskGetsOnlyItsOwnPasswords) {
  session.game.InstructorPassword = "boss";
  session.game.NumBanks = 3;
  session.game.BankPassword(2) = "b2";
  session.game.BankPassword(3) = "b3";
  session.game.BankFlag(1) = 0;
  session.game.BankFlag(2) = 1;
  session.game.BankFlag(3) = 0;
  session.game.DiskPath(2) = dir.Subdir("disk2");
  ASSERT_TRUE(WriteGlobalFile(session, 2));
  ASSERT_TRUE(WriteGlobalFile(session, 0));
  ASSERT_TRUE(ReadGlobalFile(session, 2));
  EXPECT_EQ(session.shadow.InstructorPassword, "");
  EXPECT_EQ(session.shadow.BankPassword(1), "");
  EXPECT_EQ(session.shadow.BankPassword(2), "b2");
  EXPECT_EQ(session.shadow.BankPassword(3), "");
  ASSERT_TRUE(ReadGlobalFile(session, 0));
  EXPECT_EQ(session.shadow, session.game) << "the game directory keeps them all";
}

TEST_F(GlobalFileRoutines, ApplyKeepsTheLiveBankDiskFlag) {
  session.shadow = OneBankGame();
  session.shadow.ResultsQuarter = 5;
  session.shadow.BankDiskFlag = 1;
  session.game = GameRecord{};
  session.game.BankDiskFlag = 0;
  ApplyGlobalRecord(session);
  EXPECT_EQ(session.game.ResultsQuarter, 5);
  EXPECT_EQ(session.game.GameName, "Fall 26");
  EXPECT_EQ(session.game.BankDiskFlag, 0);
  EXPECT_EQ(session.LastUpdatedQuarter, 5);
}

TEST_F(GlobalFileRoutines, GarbageOnDiskFailsSilently) {
  dir.Write("GLOBAL.QV", std::string("\x00\xFF\x13garbage", 10));
  session.shadow.GameName = "before";
  EXPECT_FALSE(ReadGlobalFile(session, 0));
  EXPECT_EQ(session.shadow.GameName, "before") << "a failed read changes nothing";
  EXPECT_TRUE(ui.shown().empty());
}

}  // namespace
}  // namespace qv
