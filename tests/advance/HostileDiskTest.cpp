#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRequest = "Please insert the student disk for bank ";

// The instructor of a class with one hostile team. A disk is brought when asked for, and asked
// for once more after anything went wrong with it, which the instructor then gives up: a cancel
// is confirmed, an unreadable bank takes last quarter's decisions, an unwritable disk is
// omitted. Read and write retries are declined. Every text is recorded.
class Instructor : public Ui {
 public:
  std::vector<std::string> texts;
  std::vector<std::string> fix_labels;

  Answer Show(const Message& message) override {
    texts.push_back(message.text);
    if (message.text.rfind(kRequest, 0) == 0) {
      const bool again = message.text == last_request_ && trouble_;
      last_request_ = message.text;
      trouble_ = false;
      return again ? Answer::kCancel : Answer::kOk;
    }
    trouble_ = true;
    switch (message.buttons) {
      case Buttons::kYesNo:
        return Answer::kYes;
      case Buttons::kOk:
        return Answer::kOk;
      default:
        return Answer::kCancel;
    }
  }
  FixChoice ChooseFixDecisions(const std::string& label, bool) override {
    fix_labels.push_back(label);
    return FixChoice::kLastQuarter;
  }
  int ChooseComputerLevel() override { return 2; }

 private:
  std::string last_request_;
  bool trouble_ = false;
};

struct Hostile {
  const char* what;
  // Plants the trap on Alder's disk; `outside` is a file of the instructor's beside the game.
  std::function<void(const std::string& disk, const std::string& game, const std::string& outside)>
      plant;
  const char* fix_label;  // how Alder is settled in the merge, "" when its disk was read
  const char* refusal;    // a text shown about the disk, with "DISK" for its path
};

void PrintTo(const Hostile& row, std::ostream* out) {
  *out << row.what;
}

void Link(const std::string& target, const std::string& link) {
  fs::remove(link);
  fs::create_symlink(target, link);
}

void Fifo(const std::string& path) {
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

constexpr const char* kUnreadableBank = "Error Reading Bank 1: Alder";
constexpr const char* kMissingBank = "Disk is Not Available for Bank 1: Alder";
constexpr const char* kRefusedGlobal =
    "The disk for Bank 1: Alder at DISK holds a Global.qv that is a link, not a plain file, or "
    "too large; it is not used";

// Alder's disk says it also carries Birch (the computer's) and Cedar (another team's).
void ClaimOtherBanks(const std::string& disk) {
  std::ifstream in(disk + "Global.qv", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  GameRecord record;
  ASSERT_TRUE(DecodeGlobalFile(text, &record));
  record.BankFlag(2) = 1;
  record.BankFlag(3) = 1;
  std::ofstream(disk + "Global.qv", std::ios::binary | std::ios::trunc) << EncodeGlobalFile(record);
}

constexpr const char* kClaimsCedar =
    "The disk for Bank 1: Alder at DISK claims Bank 3: Cedar, whose disk is elsewhere; the claim "
    "is ignored";

std::vector<Hostile> Hostiles() {
  return {
      {"Global.qv claiming other banks", [](auto& disk, auto&, auto&) { ClaimOtherBanks(disk); },
       "", kClaimsCedar},
      {"Banks.qv a link to the instructor's file",
       [](auto& disk, auto&, auto& outside) { Link(outside, disk + "Banks.qv"); }, kUnreadableBank,
       "Cannot read file DISKBANKS.QV"},
      {"Comp.qv a link to the game's own PORTF.QV",
       [](auto& disk, auto& game, auto&) { Link(game + "Portf.qv", disk + "Comp.qv"); }, "",
       "Error writing file"},
      {"Plotv.qv a link to the instructor's file",
       [](auto& disk, auto&, auto& outside) { Link(outside, disk + "Plotv.qv"); }, "",
       "Error writing file"},
      {"Global.qv a link to the game's own Global.qv",
       [](auto& disk, auto& game, auto&) { Link(game + "Global.qv", disk + "Global.qv"); },
       kMissingBank, kRefusedGlobal},
      {"Global.qv a FIFO", [](auto& disk, auto&, auto&) { Fifo(disk + "Global.qv"); }, kMissingBank,
       kRefusedGlobal},
      {"Banks.qv a FIFO", [](auto& disk, auto&, auto&) { Fifo(disk + "Banks.qv"); },
       kUnreadableBank, "Cannot read file DISKBANKS.QV"},
      {"Comp.qv a FIFO", [](auto& disk, auto&, auto&) { Fifo(disk + "Comp.qv"); }, "",
       "Error writing file"},
      {"Global.qv a link to /dev/zero",
       [](auto& disk, auto&, auto&) { Link("/dev/zero", disk + "Global.qv"); }, kMissingBank,
       kRefusedGlobal},
      {"Banks.qv a link to /dev/zero",
       [](auto& disk, auto&, auto&) { Link("/dev/zero", disk + "Banks.qv"); }, kUnreadableBank,
       "Cannot read file DISKBANKS.QV"},
      {"Banks.qv a sparse file of a gigabyte",
       [](auto& disk, auto&, auto&) { fs::resize_file(disk + "Banks.qv", 1ULL << 30); },
       kUnreadableBank, "Cannot read file DISKBANKS.QV"},
      {"Global.qv a sparse file of a gigabyte",
       [](auto& disk, auto&, auto&) { fs::resize_file(disk + "Global.qv", 1ULL << 30); },
       kMissingBank, kRefusedGlobal},
  };
}

// A started game of two student banks around a computer bank, both teams' decisions ready.
class HostileDiskGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn);
    session.GamePath = game.session.GamePath;
    session.ProgramDir = game.session.ProgramDir;
    ASSERT_TRUE(ReadGlobalFile(session, 0));
    ApplyGlobalRecord(session);
    ASSERT_TRUE(ReadBanksFull(session));
    for (const int team : {1, 3}) {
      game.WriteStudentDecisions(
          team, OwnDecisionCopy(session.tables, team, DecisionCopy::kClearedForNextQuarter), 0, 1);
    }
    disk = session.game.DiskPath(1);
    outside = game.dir.path() + "instructor-notes.txt";
    game.dir.Write("instructor-notes.txt", "marks of the midterm\n");
  }

  std::string Texts() const {
    std::string all;
    for (const std::string& text : ui.texts)
      all += text + "\n";
    return all;
  }

  test::TestGame game;
  Instructor ui;
  Session session{game.files, ui, game.clock, game.random};
  std::string disk;
  std::string outside;
};

class HostileDisk : public HostileDiskGame, public ::testing::WithParamInterface<Hostile> {};

// The closing message of an advance that went on: a success, or one that names Alder's disk,
// whose planted file kept it from being written.
bool AdvancedLeavingAldersDiskAtMost(const std::string& closing, const std::string& disk) {
  return closing == "Game advanced successfully" ||
         closing == "Game advanced, but these bank disks were not written:\rBank 1: Alder (" +
                        disk + ")\rThe next advance asks for them again.";
}

// Bytes in the game directory's plain files: what a planted file may have made it hold.
std::uintmax_t GameDirectoryBytes(const std::string& game) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(game)) {
    if (entry.is_regular_file() && !entry.is_symlink())
      bytes += entry.file_size();
  }
  return bytes;
}

// The disk is refused, never read through or written through; the class goes on without it,
// and the game stays sound for the next quarter.
TEST_P(HostileDisk, IsRefusedAndTheGameGoesOn) {
  const Hostile& row = GetParam();
  row.plant(disk, session.GamePath, outside);
  const std::string notes = game.dir.Read("instructor-notes.txt");

  ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn) << Texts();
  EXPECT_TRUE(AdvancedLeavingAldersDiskAtMost(ui.texts.back(), disk)) << Texts();
  std::string refusal = row.refusal;
  if (const auto at = refusal.find("DISK"); at != std::string::npos)
    refusal.replace(at, 4, disk);
  EXPECT_NE(Texts().find(refusal + "\n"), std::string::npos) << Texts();
  EXPECT_EQ(ui.fix_labels, row.fix_label[0] == '\0' ? std::vector<std::string>{}
                                                    : std::vector<std::string>{row.fix_label})
      << Texts();
  EXPECT_EQ(game.dir.Read("instructor-notes.txt"), notes);
  EXPECT_EQ(CheckGameDirectory(game.real, session.GamePath), std::vector<std::string>{});
  EXPECT_LT(GameDirectoryBytes(session.GamePath), 1u << 20) << "the archive kept the planted file";

  // The next quarter reads the game as the last one left it.
  ui.texts.clear();
  ui.fix_labels.clear();
  ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn) << Texts();
  EXPECT_TRUE(AdvancedLeavingAldersDiskAtMost(ui.texts.back(), disk)) << Texts();
  EXPECT_EQ(session.game.ResultsQuarter, 2);
  EXPECT_EQ(CheckGameDirectory(game.real, session.GamePath), std::vector<std::string>{});
  EXPECT_EQ(game.dir.Read("instructor-notes.txt"), notes);
}

// A disk claiming another team's bank supplies nothing for it: Cedar's own disk is asked for
// and read, and neither Cedar's password nor its results reach Alder's disk.
TEST_F(HostileDiskGame, ClaimsOfOtherBanksAreIgnored) {
  ClaimOtherBanks(disk);
  ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn) << Texts();
  EXPECT_EQ(ui.texts.back(), "Game advanced successfully");
  EXPECT_EQ(std::count(ui.texts.begin(), ui.texts.end(), std::string(kRequest) + "3: Cedar"), 2)
      << "read and written from its own disk\n"
      << Texts();
  EXPECT_EQ(session.DecisionSource(3), 2);
  ASSERT_TRUE(ReadGlobalFile(session, 1));
  EXPECT_EQ(session.game.BankPassword(3), "pw3");
  EXPECT_EQ(session.shadow.BankPassword(3), "");
  EXPECT_EQ(session.shadow.BankFlag(3), 0);
  EXPECT_EQ(session.shadow.BankFlag(2), 0);
  ASSERT_TRUE(ReadGlobalFile(session, 3));
  EXPECT_EQ(session.shadow.ResultsQuarter, 1) << "Cedar's disk updated";
}

INSTANTIATE_TEST_SUITE_P(OnAldersDisk, HostileDisk, ::testing::ValuesIn(Hostiles()),
                         [](const ::testing::TestParamInfo<Hostile>& row_info) {
                           std::string name;
                           for (const char c : std::string(row_info.param.what)) {
                             if (std::isalnum(static_cast<unsigned char>(c)))
                               name += c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace qv
