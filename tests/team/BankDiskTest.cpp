#include "setup/BankDisk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/BanksFile.h"
#include "data/GlobalFile.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

class BankDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::StartTeamGame(game, 2, 1);
    alder = game.DiskFolder("Alder");
  }

  std::string BanksBytes() const { return game.FolderBytes(alder).at("Banks.qv"); }
  void PutBanksBytes(const std::string& bytes) const {
    std::ofstream(alder + "Banks.qv", std::ios::binary | std::ios::trunc) << bytes;
  }

  test::TestGame game;
  std::string alder;
};

TEST_F(BankDiskTest, LoginRefusals) {
  struct Row {
    std::vector<std::string> args;
    const char* message;  // empty: logged in
  };
  const std::string birch = game.DiskFolder("Birch");
  const Row rows[] = {
      {{"show", alder, "--bank", "1", "--password", "pw1"}, ""},
      {{"show", alder, "--bank", "1", "--password", "PW1"}, ""},
      {{"show", alder, "--bank", "1", "--password", "pw2"}, "Invalid Password, Try Again!"},
      {{"show", alder, "--bank", "1"}, "Invalid Password, Try Again!"},
      {{"show", alder, "--bank", "2", "--password", "pw2"},
       "This disk holds no records for bank 2"},
      {{"show", birch, "--bank", "1", "--password", "pw1"},
       "This disk holds no records for bank 1"},
      {{"show", alder, "--bank", "3", "--password", ""}, "This disk holds no records for bank 3"},
      {{"show", alder, "--bank", "11", "--password", "pw1"},
       "This disk holds no records for bank 11"},
      {{"show", game.dir.path() + "nowhere", "--bank", "1", "--password", "pw1"},
       "No Quorvant disk"},
  };
  for (const Row& row : rows) {
    const test::QvteamRun run = test::Qvteam(row.args);
    const std::string shown = row.args[1] + " bank " + row.args[3];
    if (std::string(row.message).empty()) {
      EXPECT_EQ(run.exit_code, 0) << shown << ": " << run.err;
    } else {
      EXPECT_EQ(run.exit_code, 1) << shown;
      EXPECT_NE(run.err.find(row.message), std::string::npos) << shown << ": " << run.err;
    }
  }
}

TEST_F(BankDiskTest, TheDiskHoldsNoOtherBanksPassword) {
  ASSERT_TRUE(game.files.Exists(alder + "Global.qv"));
  std::string text;
  ASSERT_TRUE(game.files.ReadText(alder + "Global.qv", &text).ok());
  EXPECT_EQ(text.find("pw2"), std::string::npos);
  EXPECT_EQ(test::Qvteam({"show", alder, "--bank", "2", "--password", "pw2"}).exit_code, 1);
}

// The team's program and the students' layout, written independently, leave the same bytes.
TEST_F(BankDiskTest, DecideWritesTheBytesOfTheStudentsLayout) {
  const std::string before = BanksBytes();
  const test::QvteamRun run =
      test::Qvteam({"decide", alder, "--bank", "1", "--password", "pw1", "--set",
                    "checking_rate=2.25", "--set", "expense_a=9", "--set", "buy_securities_5y=40",
                    "--set", "cd_limit=120", "--set", "dividend_per_share=0.3"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Decisions for quarter 1 saved as ready for Bank 1: Alder"),
            std::string::npos)
      << run.out;
  const std::string by_team = BanksBytes();

  PutBanksBytes(before);
  Table<float, 63> decisions =
      OwnDecisionCopy(game.session.tables, 1, DecisionCopy::kClearedForNextQuarter);
  decisions(1) = 2.25F;
  decisions(10) = 9.0F;
  decisions(25) = 40.0F;
  decisions(47) = 120.0F;
  decisions(14) = 0.3F;
  game.WriteStudentDecisions(1, decisions, 0, 1);
  EXPECT_EQ(by_team, BanksBytes());
  EXPECT_NE(by_team, before);
}

TEST_F(BankDiskTest, ADraftIsNotReady) {
  ASSERT_EQ(test::Qvteam({"decide", alder, "--bank", "1", "--password", "pw1", "--not-ready",
                          "--set", "checking_rate=1"})
                .exit_code,
            0);
  test::TestGame team;
  ASSERT_EQ(OpenBankDisk(team.session, alder), "");
  ASSERT_EQ(ReadTeamDecisions(team.session, 1), "");
  EXPECT_EQ(team.session.tables.DecisionsReady(1), 2);
  EXPECT_EQ(team.session.tables.Decision(1, 1), 1.0F);
}

TEST_F(BankDiskTest, ADiskOfAnotherQuarterIsRefusedAndLeftAsItWas) {
  struct Row {
    const char* shows;
    std::function<void(Session&)> meanwhile;  // what happens between opening and saving
    const char* message;
  };
  const Row rows[] = {
      {"the instructor advanced the disk meanwhile",
       [&](Session&) {
         GameRecord newer = game.session.game;
         newer.ResultsQuarter = 1;
         newer.BankDiskFlag = 1;
         for (int b = 1; b <= kMaxBanks; ++b) {
           newer.BankFlag(b) = b == 1 ? 1 : 0;
         }
         ASSERT_TRUE(game.files.WriteText(alder + "Global.qv", EncodeGlobalFile(newer)).ok());
       },
       "This disk has already been updated to quarter 1"},
      {"the disk was put back to an older copy",
       [&](Session& team) { team.game.ResultsQuarter = 3; },
       "This disk holds quarter 0, not the quarter these decisions were made on"},
      {"the bank's records missed the last update",
       [&](Session&) {
         Table<float, 63> decisions;
         game.WriteStudentDecisions(1, decisions, -1, 2);
       },
       "The records of bank 1 on this disk are from quarter -1, not quarter 0"},
      {"another game's disk in the folder", [&](Session& team) { team.game.GameId = "another"; },
       "This disk now holds another game"},
  };
  const std::string global = game.FolderBytes(alder).at("Global.qv");
  const std::string banks = BanksBytes();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    test::TestGame team;
    ASSERT_EQ(OpenBankDisk(team.session, alder), "");
    row.meanwhile(team.session);
    const std::string disk_banks = BanksBytes();
    BankDecisions decisions;
    decisions.Fill(1.0F);
    const std::string refused = SaveTeamDecisions(team.session, 1, decisions, true);
    EXPECT_NE(refused.find(row.message), std::string::npos) << refused;
    EXPECT_EQ(BanksBytes(), disk_banks) << "nothing written";
    std::ofstream(alder + "Global.qv", std::ios::binary | std::ios::trunc) << global;
    PutBanksBytes(banks);
  }
}

TEST_F(BankDiskTest, DecisionsForAQuarterTheDiskDoesNotExpectAreRefused) {
  const std::string before = BanksBytes();
  const test::QvteamRun run = test::Qvteam({"decide", alder, "--bank", "1", "--password", "pw1",
                                            "--quarter", "2", "--set", "checking_rate=1"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("This disk expects decisions for quarter 1, not quarter 2"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(BanksBytes(), before);
  EXPECT_EQ(
      test::Qvteam({"decide", alder, "--bank", "1", "--password", "pw1", "--set", "x=1"}).exit_code,
      2);
  EXPECT_EQ(BanksBytes(), before);
}

TEST_F(BankDiskTest, ShowGivesTheReportsRowsHistoryAndDecisions) {
  const test::QvteamRun run =
      test::Qvteam({"show", alder, "--bank", "1", "--password", "pw1", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  for (const char* part :
       {"\"Share Price\"", "\"Net Income\"", "\"Total Assets\"", "\"competitors\"", "\"history\"",
        "\"checking_rate\"", "\"decisions_quarter\": 1", "\"Birch\""}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(run.out.find("pw"), std::string::npos) << "no password is shown";
}

}  // namespace
}  // namespace qv
