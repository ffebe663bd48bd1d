#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/PdfPrinter.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GameLock.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "platform/ByteCoding.h"
#include "platform/FileSystem.h"
#include "tests/cli/QvctlRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv::cli {
namespace {

const char* const kManagements[] = {"Human", "Computer1", "Computer2", "Computer3"};
const char* const kTypes[] = {"Full Service", "Consumer", "Business", "Turnaround"};

// A setup file of `count` banks cycling through every management and type; human banks get a
// disk folder below `disks`.
std::string SetupJson(int count, const std::string& disks, const std::string& extra = "") {
  std::string banks;
  for (int b = 1; b <= count; ++b) {
    const char* management = kManagements[(b - 1) % 4];
    std::string bank = R"({"name": "Bank)" + std::to_string(b) + R"(", "management": ")" +
                       management + R"(", "type": ")" + kTypes[(b + 1) % 4] + "\"";
    if (b % 4 == 1) {
      bank += R"(, "president": "P)" + std::to_string(b) + R"(", "password": "pw)" +
              std::to_string(b) + R"(", "path": ")" + disks + "bank" + std::to_string(b) + "/\"";
    }
    banks += (b > 1 ? ", " : "") + bank + "}";
  }
  return R"({"game_title": "Course", "beginning_period": 61, "banks": [)" + banks + "]" + extra +
         "}";
}

std::string WriteSetup(const test::TempDir& dir, const std::string& json) {
  dir.Write("setup.json", json);
  return dir.path() + "setup.json";
}

TEST(NewCommand, GamesOfOneToTenBanksVerifyClean) {
  for (int count = 1; count <= 10; ++count) {
    test::TempDir dir;
    const std::string game = dir.path() + "game";
    const QvctlRun run = Qvctl(
        {"new", game, "--setup", WriteSetup(dir, SetupJson(count, dir.path())), "--seed", "5"});
    ASSERT_EQ(run.exit_code, kExitOk) << count << " banks\n" << run.out << run.err;
    EXPECT_NE(run.out.find("Game started successfully"), std::string::npos);
    const QvctlRun verify = Qvctl({"verify", game});
    EXPECT_EQ(verify.exit_code, kExitOk) << count << " banks\n" << verify.out;
  }
}

TEST(NewCommand, InvalidFieldWritesNothing) {
  test::TempDir dir;
  const std::string game = dir.path() + "game";
  const QvctlRun run =
      Qvctl({"new", game, "--setup",
             WriteSetup(dir, SetupJson(2, dir.path(), R"(, "environment": {"tax_rate": 35})"))});
  EXPECT_EQ(run.exit_code, kExitBadArguments);
  EXPECT_EQ(run.out, "Tax rate must be a number between 0.01 and 0.99\n");
  EXPECT_FALSE(std::filesystem::exists(game));
}

TEST(NewCommand, ExistingGameIsReplacedOnlyWhenAsked) {
  test::TempDir dir;
  const std::string game = dir.path() + "game";
  const std::string setup = WriteSetup(dir, SetupJson(1, dir.path()));
  ASSERT_EQ(Qvctl({"new", game, "--setup", setup}).exit_code, kExitOk);
  const std::string before = dir.Read("game/Global.qv");
  const QvctlRun refused = Qvctl({"new", game, "--setup", setup});
  EXPECT_EQ(refused.exit_code, kExitFailed);
  EXPECT_NE(refused.out.find("A Quorvant game already exists in this folder. Replace it?\n  -> No"),
            std::string::npos);
  EXPECT_EQ(dir.Read("game/Global.qv"), before);
  EXPECT_EQ(Qvctl({"new", game, "--setup", setup, "--replace"}).exit_code, kExitOk);
}

TEST(NewCommand, BadSetupFileNamesTheKey) {
  test::TempDir dir;
  const QvctlRun run =
      Qvctl({"new", dir.path() + "g", "--setup",
             WriteSetup(dir, R"({"game_title": "G", "banks": [{"name": "A", "type": "Bank"}]})")});
  EXPECT_EQ(run.exit_code, kExitBadArguments);
  EXPECT_NE(run.err.find("banks[1].type must be one of"), std::string::npos) << run.err;
}

// A started game of two computer banks and one student bank whose instructor logs in.
struct RunningGame : ::testing::Test {
  test::TempDir dir;
  std::string game = dir.path() + "game";

  void SetUp() override {
    const std::string json = R"({"game_title": "Course", "instructor_name": "Reyes",
      "instructor_password": "Secret", "beginning_period": 20, "banks": [
      {"name": "Alder", "management": "Computer1", "type": "Consumer"},
      {"name": "Birch", "management": "Human", "president": "Kim", "password": "b2",
       "type": "Business", "path": ")" +
                             dir.path() + R"(birch/"},
      {"name": "Cedar", "management": "Computer3", "type": "Turnaround"}]})";
    ASSERT_EQ(Qvctl({"new", game, "--setup", WriteSetup(dir, json), "--seed", "3"}).exit_code,
              kExitOk);
  }

  QvctlRun As(std::vector<std::string> args) {
    args.insert(args.end(), {"--instructor", "reyes", "--password", "SECRET"});
    return Qvctl(args);
  }
};

TEST_F(RunningGame, LoginGuardsEveryCommandButVerify) {
  for (const char* command : {"info", "passwords", "advance", "report", "env"}) {
    const QvctlRun run = Qvctl({command, game, "--instructor", "Smith"});
    EXPECT_EQ(run.exit_code, kExitFailed) << command;
    EXPECT_NE(run.out.find("Invalid Instructor Name, Try Again!"), std::string::npos) << command;
    EXPECT_NE(run.err.find("--instructor NAME --password PASSWORD"), std::string::npos) << command;
  }
  EXPECT_EQ(Qvctl({"verify", game}).exit_code, kExitOk);
}

TEST_F(RunningGame, WithoutTheLoginEveryCommandSaysHowToGiveIt) {
  for (const char* command : {"info", "passwords", "advance", "report", "env"}) {
    const QvctlRun run = Qvctl({command, game});
    EXPECT_EQ(run.exit_code, kExitFailed) << command;
    EXPECT_EQ(run.out.find("Invalid Instructor Name"), std::string::npos) << command << run.out;
    EXPECT_NE(run.err.find("needs the instructor's login: give it with --instructor NAME "
                           "--password PASSWORD"),
              std::string::npos)
        << command << run.err;
  }
}

TEST_F(RunningGame, AtATerminalWithoutTheLoginItIsAskedFor) {
  const QvctlRun run = QvctlAtTerminal({"passwords", game}, "reyes\nsecret\n");
  EXPECT_EQ(run.exit_code, kExitOk) << run.out << run.err;
  EXPECT_EQ(run.out.find("Instructor: Password: "), 0U) << run.out;
  EXPECT_NE(run.out.find("Birch  Kim  b2"), std::string::npos);
}

TEST_F(RunningGame, AtATerminalRetryAsksForTheLoginAgain) {
  const QvctlRun run =
      QvctlAtTerminal({"passwords", game, "--instructor", "Smith"}, "r\nreyes\nsecret\n");
  EXPECT_EQ(run.exit_code, kExitOk) << run.out;
  EXPECT_NE(run.out.find("Invalid Instructor Name, Try Again!"), std::string::npos);
  EXPECT_NE(run.out.find("Instructor: Password: "), std::string::npos);
  EXPECT_NE(run.out.find("Birch  Kim  b2"), std::string::npos);
}

TEST_F(RunningGame, InfoAndPasswords) {
  const QvctlRun info = As({"info", game, "--json"});
  ASSERT_EQ(info.exit_code, kExitOk) << info.err;
  EXPECT_NE(info.out.find("\"results_quarter\": 0"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"disk\": \"Student\""), std::string::npos);
  const QvctlRun passwords = As({"passwords", game});
  EXPECT_EQ(passwords.out,
            "Bank Passwords\nAlder  Computer1  None\nBirch  Kim  b2\nCedar  Computer3  None\n");
}

// While another program holds the game (the desktop program with it open), the commands that
// only read it read it as it stands, and those that write it are refused; an update under way
// refuses the readers too, since its files may be a mix of two quarters.
TEST_F(RunningGame, AGameHeldElsewhereCanBeReadNotChanged) {
  LocalFileSystem files;
  std::unique_ptr<FileLock> lock;
  std::string message;
  ASSERT_TRUE(LockGame(files, game + "/", "qvinstructor (process 7)", &lock, &message));
  for (const char* command : {"info", "passwords", "report", "history", "export"}) {
    const QvctlRun run = As({command, game});
    EXPECT_EQ(run.exit_code, kExitOk) << command << run.err;
    EXPECT_NE(run.err.find("in use by qvinstructor (process 7); it is read as it stands"),
              std::string::npos)
        << command << run.err;
  }
  for (const char* command : {"advance", "env", "undo"}) {
    const QvctlRun run = As({command, game});
    EXPECT_EQ(run.exit_code, kExitFailed) << command;
    EXPECT_NE(run.err.find("is in use by qvinstructor (process 7); try again"), std::string::npos)
        << command << run.err;
  }
  std::ofstream(game + "/Journal.qv") << "reason advance\n";
  EXPECT_EQ(As({"report", game}).exit_code, kExitFailed);
}

TEST_F(RunningGame, AdvanceWithoutDecisionsFallsBackAsAsked) {
  const QvctlRun aborted = As({"advance", game});
  EXPECT_EQ(aborted.exit_code, kExitFailed);
  EXPECT_NE(aborted.out.find("This Bank's Decisions are Not Ready for This Quarter\n"
                             "  -> Wait for Decisions (Abort)"),
            std::string::npos)
      << aborted.out;
  const QvctlRun computed = As({"advance", game, "--fallback", "computer2", "--seed", "4"});
  EXPECT_EQ(computed.exit_code, kExitOk) << computed.out;
  EXPECT_NE(computed.out.find("Game advanced successfully"), std::string::npos);
  EXPECT_EQ(Qvctl({"verify", game}).exit_code, kExitOk);
}

// Birch's stored share price is made 0 and its ready disk asks to issue shares, so its close
// divides by zero; last quarter's decisions or the computer's go through.
void BreakBirch(const std::string& game, const std::string& birch_disk) {
  test::TestSession opened;
  Session& session = opened.session;
  session.GamePath = game + "/";
  ASSERT_TRUE(ReadGlobalFile(session, 0));
  ApplyGlobalRecord(session);
  ASSERT_TRUE(ReadBanksFull(session));
  session.tables.BankValues(2, value::kSharePrice) = 0.0;
  ASSERT_TRUE(WriteBanksUpdate(session, 0));

  std::fstream disk(birch_disk + kBanksWriteName, std::ios::binary | std::ios::in | std::ios::out);
  const auto block = static_cast<std::streamoff>(BankBlockRecord(2) - 1) * kBanksRecordLength;
  std::uint8_t bytes[4];
  PutInt16(bytes, 0, 0);  // decisions for the quarter after quarter 0
  PutInt16(bytes, 2, 1);  // ready
  disk.seekp(block + 16);
  disk.write(reinterpret_cast<const char*>(bytes), 4);
  PutSingle(bytes, 0, 10.0F);  // shares to issue, item 41: second decision record, 20th single
  disk.seekp(block + 2 * kBanksRecordLength + 4 * 19);
  disk.write(reinterpret_cast<const char*>(bytes), 4);
  ASSERT_TRUE(disk.good());
}

TEST_F(RunningGame, AdvanceSettlesABankWhoseResultsFailAsAsked) {
  BreakBirch(game, dir.path() + "birch/");
  const QvctlRun aborted = As({"advance", game});
  EXPECT_EQ(aborted.exit_code, kExitFailed);
  EXPECT_NE(aborted.out.find("Quorvant Sub CalculateResults Error 11 while closing Bank 2: Birch\n"
                             "Error Calculating Bank 2: Birch\n"
                             "  -> Wait for Decisions (Abort)\n"),
            std::string::npos)
      << aborted.out;
  EXPECT_EQ(Qvctl({"verify", game}).exit_code, kExitOk);

  const QvctlRun settled = As({"advance", game, "--on-error", "computer1", "--seed", "4"});
  EXPECT_EQ(settled.exit_code, kExitOk) << settled.out;
  EXPECT_NE(settled.out.find("Error Calculating Bank 2: Birch\n"
                             "  -> Have the Computer Make the Decisions for this Bank\n"
                             "Choose Computer Expertise Level\n"
                             "  -> Beginner - Level 1\n"),
            std::string::npos)
      << settled.out;
  EXPECT_NE(settled.out.find("Game advanced successfully"), std::string::npos);
  EXPECT_EQ(Qvctl({"verify", game}).exit_code, kExitOk);
  EXPECT_EQ(As({"advance", game, "--on-error", "disk"}).exit_code, kExitBadArguments)
      << "the disk's decisions are what failed";
}

TEST_F(RunningGame, ReportAsTextAndPdf) {
  const QvctlRun text = As({"report", game});
  ASSERT_EQ(text.exit_code, kExitOk) << text.out << text.err;
  EXPECT_NE(text.out.find("Game Title: Course"), std::string::npos);
  const std::string pdf = dir.path() + "report.pdf";
  ASSERT_EQ(As({"report", game, "--output", pdf}).exit_code, kExitOk);
  const std::string bytes = dir.Read("report.pdf");
  EXPECT_EQ(bytes.substr(0, 8), "%PDF-1.4");
  EXPECT_NE(bytes.find("/BaseFont /Courier"), std::string::npos);
  EXPECT_NE(bytes.find("(Game Title: Course"), std::string::npos);
}

TEST_F(RunningGame, ExportsAsCsvOrJsonAndRefusesAQuarterNotKept) {
  const QvctlRun csv = As({"export", game});
  ASSERT_EQ(csv.exit_code, kExitOk) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "kind,quarter,bank,bank_name,section,item,label,value\r");
  EXPECT_NE(csv.out.find("report,0,2,Birch,BALANCE SHEET,1,Total Assets,"), std::string::npos);
  EXPECT_TRUE(csv.err.empty()) << "no progress lines without a terminal: " << csv.err;

  const std::string file = dir.path() + "results.json";
  ASSERT_EQ(As({"export", game, "--all", "--output", file}).exit_code, kExitOk);
  EXPECT_EQ(dir.Read("results.json").substr(0, 16), "{\n  \"game_title\"");

  const QvctlRun missing = As({"export", game, "--quarter", "5"});
  EXPECT_EQ(missing.exit_code, kExitFailed);
  EXPECT_NE(missing.err.find("quarter 5 is not kept; the game holds quarter 0"), std::string::npos);
  EXPECT_EQ(As({"export", game, "--all", "--quarter", "0"}).exit_code, kExitBadArguments);
  EXPECT_EQ(As({"export", game, "--format", "xls"}).exit_code, kExitBadArguments);
}

TEST_F(RunningGame, ReportAsJsonCarriesThePrintedTexts) {
  const QvctlRun run = As({"report", game, "--json"});
  ASSERT_EQ(run.exit_code, kExitOk) << run.err;
  EXPECT_NE(run.out.find("\"label\": \"Share Price\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"texts\": [\""), std::string::npos);
}

TEST_F(RunningGame, ReportOfAGameWithoutCompetitorFileFails) {
  std::filesystem::remove(game + "/Comp.qv");
  const QvctlRun run = As({"report", game});
  EXPECT_EQ(run.exit_code, kExitFailed);
  EXPECT_NE(run.out.find("Error Printing Report: 0"), std::string::npos) << run.out;
}

TEST_F(RunningGame, EnvironmentChangesOnlyWhenEveryFieldIsValid) {
  const std::string before = dir.Read("game/Banks.qv");
  const QvctlRun refused = As({"env", game, "--set", "tax_rate=35", "--set", "min_capital=6"});
  EXPECT_EQ(refused.exit_code, kExitBadArguments);
  EXPECT_EQ(dir.Read("game/Banks.qv"), before) << "nothing written";
  EXPECT_EQ(As({"env", game, "--set", "colour=red"}).exit_code, kExitBadArguments);
  ASSERT_EQ(As({"env", game, "--set", "tax_rate=0.35"}).exit_code, kExitOk);
  const QvctlRun shown = As({"env", game});
  EXPECT_NE(shown.out.find("tax_rate = 0.35  (Tax rate)"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("min_capital = 5  (Minimum capital requirement)"), std::string::npos);
}

TEST(PdfPrinter, EscapesAndContinuesLongPagesOnNewSheets) {
  std::vector<std::string> page(70, "x");
  page[0] = "a (b) c\\";
  const std::string pdf = RenderPdf({page});
  EXPECT_NE(pdf.find("(a \\(b\\) c\\\\) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("/Count 2"), std::string::npos) << "70 lines need two sheets";
  EXPECT_NE(pdf.find("startxref"), std::string::npos);
}

}  // namespace
}  // namespace qv::cli

namespace qv::cli {
namespace {

// At a terminal a long advance shows a line per bank as it goes; a script sees none of them.
TEST(AdvanceCommand, ShowsEachBankAsItGoesOnlyAtATerminal) {
  test::TempDir dir;
  const std::string game = dir.path() + "game";
  const std::string json = R"({"game_title": "Steps", "beginning_period": 20, "banks": [
      {"name": "Alder", "management": "Computer1", "type": "Consumer"},
      {"name": "Birch", "management": "Computer2", "type": "Business"}]})";
  ASSERT_EQ(Qvctl({"new", game, "--setup", WriteSetup(dir, json), "--seed", "3"}).exit_code,
            kExitOk);
  const QvctlRun watched = QvctlAtTerminal({"advance", game, "--seed", "4"}, "");
  ASSERT_EQ(watched.exit_code, kExitOk) << watched.out << watched.err;
  EXPECT_NE(watched.err.find("Calculating the results of bank 1: Alder\n"
                             "Calculating the results of bank 2: Birch\n"),
            std::string::npos)
      << watched.err;
  const QvctlRun scripted = Qvctl({"advance", game, "--seed", "5"});
  ASSERT_EQ(scripted.exit_code, kExitOk);
  EXPECT_EQ(scripted.err.find("Calculating"), std::string::npos) << scripted.err;
}

}  // namespace
}  // namespace qv::cli
