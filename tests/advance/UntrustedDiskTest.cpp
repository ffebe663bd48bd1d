#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAlderRequest = "Please insert the student disk for bank 1: Alder";
constexpr const char* kCedarRequest = "Please insert the student disk for bank 3: Cedar";
constexpr const char* kConfirmCancel = "Are you sure you want to cancel?";
constexpr const char* kOmitQuestion = "Can omit disk or make new disk.  Do you want to omit?";

// A started game of two student banks around a computer bank, as the next advance finds it.
// Bank 1's disk is the one that misbehaves; bank 3's is always in order.
class UntrustedDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn);
    ASSERT_TRUE(ReadGlobalFile(game.session, 0));
    ApplyGlobalRecord(game.session);
    game.ui = test::ScriptedUi();
    game.ui.AcknowledgeOkBoxes();
    alder_disk = game.session.game.DiskPath(1);
    game.WriteStudentDecisions(3, Sensible(), 0, 1);
  }

  // Decisions a team could make at the start of the game.
  static Table<float, 63> Sensible() {
    Table<float, 63> decisions;
    decisions(decision::kCheckingRate) = 1.5F;
    decisions(decision::kSavingsRate) = 2.0F;
    for (int item = 3; item <= 9; ++item)
      decisions(item) = 7.0F;
    decisions(decision::kExpenseA) = 20.0F;
    decisions(decision::kExpenseB) = 5.0F;
    decisions(decision::kExpenseC) = 5.0F;
    decisions(decision::kPremises) = 20.0F;
    decisions(decision::kDividendPerShare) = 0.5F;
    decisions(decision::kHomeEquityLoanRate) = 8.0F;
    decisions(decision::kHomeEquityFee) = 1.0F;
    decisions(decision::kExpenseD) = 10.0F;
    for (int item : {20, 21, 43, 44, 45, 46, 47, 48})
      decisions(item) = static_cast<float>(decision::kNoLimit);
    return decisions;
  }

  std::map<std::string, std::string> GameBytes() const {
    return game.FolderBytes(game.session.GamePath);
  }

  std::vector<std::string> Texts() const { return game.ui.texts(); }

  // Every value of the game the calculation left in memory is a number.
  std::string FirstNonFinite() const {
    const GameTables& t = game.session.tables;
    for (int b = 1; b <= game.session.game.NumBanks; ++b) {
      for (int item = 1; item <= value::kCount; ++item) {
        if (!std::isfinite(t.BankValues(b, item)))
          return "bank " + std::to_string(b) + " value " + std::to_string(item);
      }
      for (int item = 1; item <= decision::kCount; ++item) {
        if (!std::isfinite(t.Decision(b, item)))
          return "bank " + std::to_string(b) + " decision " + std::to_string(item);
      }
    }
    return "";
  }

  void ExpectSoundGameAtQuarter(int quarter) {
    EXPECT_EQ(game.session.game.ResultsQuarter, quarter);
    EXPECT_EQ(CheckGameDirectory(game.real, game.session.GamePath), std::vector<std::string>{});
    EXPECT_EQ(FirstNonFinite(), "");
  }

  test::TestGame game;
  std::string alder_disk;
};

// ----- decisions that are not numbers a team could mean -----

struct BadDecisions {
  const char* what;
  std::vector<int> items;
  float value;
};

void PrintTo(const BadDecisions& row, std::ostream* out) {
  *out << row.what << " (" << row.value << " in " << row.items.size() << " items)";
}

std::vector<int> Items(int first, int last) {
  std::vector<int> items;
  for (int item = first; item <= last; ++item)
    items.push_back(item);
  return items;
}

class BadDecisionValues : public UntrustedDisk,
                          public ::testing::WithParamInterface<BadDecisions> {};

// The limits take whatever a disk holds: the advance goes through with numbers in every
// result, and what the game directory stores is sound.
TEST_P(BadDecisionValues, AreLimitedAndTheQuarterStaysFinite) {
  const BadDecisions& row = GetParam();
  Table<float, 63> decisions = Sensible();
  for (int item : row.items)
    decisions(item) = row.value;
  game.WriteStudentDecisions(1, decisions, 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk).Then(Answer::kOk).Then(Answer::kOk);

  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
  EXPECT_EQ(game.session.DecisionSource(1), 2) << "the disk's decisions were used";
  ExpectSoundGameAtQuarter(1);
  const GameTables& t = game.session.tables;
  for (int item = 1; item <= decision::kCount; ++item) {
    EXPECT_GE(t.Decision(1, item), 0.0F) << "decision " << item;
  }
  // Every offered rate within the ceiling the regulation sets for it.
  const std::pair<int, int> ceilings[] = {{1, 4}, {2, 5}, {3, 6}, {4, 6},   {5, 7},  {6, 1},
                                          {7, 2}, {8, 3}, {9, 3}, {15, 17}, {16, 16}};
  for (const auto& [item, ceiling] : ceilings) {
    EXPECT_LE(t.Decision(1, item), t.Environment(ceiling)) << "decision " << item;
  }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kHuge = 3.0e38F;

INSTANTIATE_TEST_SUITE_P(
    FromAStudentDisk, BadDecisionValues,
    ::testing::Values(BadDecisions{"not a number everywhere", Items(1, 63), kNaN},
                      BadDecisions{"plus infinity everywhere", Items(1, 63), kInfinity},
                      BadDecisions{"minus infinity everywhere", Items(1, 63), -kInfinity},
                      BadDecisions{"negative everywhere", Items(1, 63), -250.0F},
                      BadDecisions{"the largest Single in every rate", Items(1, 9), kHuge},
                      BadDecisions{"huge expenses and premises", Items(10, 17), 1.0e9F},
                      BadDecisions{"huge security purchases", Items(22, 26), 1.0e9F},
                      BadDecisions{"huge sales of everything held", Items(27, 34), 1.0e9F},
                      BadDecisions{"huge note and share issues", {35, 36, 37, 38, 41, 42}, 1.0e9F},
                      BadDecisions{"huge volume limits", Items(43, 48), kHuge},
                      BadDecisions{
                          "huge items without a role", {18, 19, 39, 40, 49, 55, 63}, kHuge}),
    [](const ::testing::TestParamInfo<BadDecisions>& row_info) {
      std::string name;
      for (const char c : std::string(row_info.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
          name += c;
      }
      return name;
    });

// ----- a damaged banks.qv on the disk -----

struct Truncation {
  const char* what;
  std::uintmax_t size;
};

void PrintTo(const Truncation& row, std::ostream* out) {
  *out << row.what << " (" << row.size << " bytes)";
}

class TruncatedBanksFile : public UntrustedDisk,
                           public ::testing::WithParamInterface<Truncation> {};

// The read fails, the instructor gives up retrying, and the bank is settled as one whose
// record could not be read; the update then writes the disk whole again.
TEST_P(TruncatedBanksFile, IsAnErrorReadingTheBank) {
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  fs::resize_file(alder_disk + kBanksWriteName, GetParam().size);
  game.ui.Then(Answer::kOk).Then(Answer::kCancel);  // Alder's disk; give up the read
  game.ui.Then(Answer::kOk);                        // Cedar's disk
  game.ui.ThenFix(FixChoice::kLastQuarter);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);  // the update of both disks

  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts()[1], "Cannot read file " + alder_disk + "BANKS.QV");
  EXPECT_EQ(game.ui.fix_labels(), std::vector<std::string>{"Error Reading Bank 1: Alder"});
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
  ExpectSoundGameAtQuarter(1);
  EXPECT_EQ(fs::file_size(alder_disk + kBanksWriteName),
            static_cast<std::uintmax_t>(BanksFileRecords(3) * kBanksRecordLength));
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 1);
}

INSTANTIATE_TEST_SUITE_P(
    OnTheDisk, TruncatedBanksFile,
    ::testing::Values(
        Truncation{"empty", 0},
        Truncation{"cut before the bank's block",
                   static_cast<std::uintmax_t>(20 * kBanksRecordLength)},
        Truncation{"cut inside the status record",
                   static_cast<std::uintmax_t>((BankBlockRecord(1) - 1) * kBanksRecordLength + 10)},
        Truncation{
            "cut inside the decision copy",
            static_cast<std::uintmax_t>((BankBlockRecord(1) + 1) * kBanksRecordLength + 40)}),
    [](const ::testing::TestParamInfo<Truncation>& row_info) {
      return "Case" + std::to_string(row_info.index);
    });

TEST_F(UntrustedDisk, WaitingOnAnUnreadableBankLeavesTheGameAsItWas) {
  const auto before = GameBytes();
  fs::resize_file(alder_disk + kBanksWriteName, 100);
  game.ui.Then(Answer::kOk).Then(Answer::kCancel).ThenFix(FixChoice::kWait);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts().back(), "Game did NOT start successfully");
  EXPECT_EQ(GameBytes(), before);
}

// ----- a disk that is not this game's -----

struct ForeignGlobal {
  const char* what;
  std::string contents;  // of the disk's Global.qv; "-" removes it
  const char* refusal;
};

void PrintTo(const ForeignGlobal& row, std::ostream* out) {
  *out << row.what;
}

class ForeignDisk : public UntrustedDisk, public ::testing::WithParamInterface<ForeignGlobal> {
 protected:
  void PutGlobal(const std::string& contents) const {
    if (contents == "-") {
      fs::remove(alder_disk + kGlobalFileName);
    } else {
      std::ofstream(alder_disk + kGlobalFileName, std::ios::binary) << contents;
    }
  }
};

// The disk is refused and asked for again; given up, the bank is settled as missing. At the
// update the instructor makes it a new disk of this game.
TEST_P(ForeignDisk, IsRefusedThenMadeNew) {
  const ForeignGlobal& row = GetParam();
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  PutGlobal(row.contents);
  game.ui.Then(Answer::kOk).Then(Answer::kCancel).Then(Answer::kYes);  // Alder's disk
  game.ui.ThenFix(FixChoice::kComputer).ThenLevel(2);
  game.ui.Then(Answer::kOk);  // Cedar's disk
  // The update: refused again, cancelled, not omitted but made new.
  game.ui.Then(Answer::kOk).Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kNo);
  game.ui.Then(Answer::kOk);  // Cedar's disk

  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         kAlderRequest, row.refusal, kAlderRequest, kConfirmCancel, kCedarRequest,
                         kAlderRequest, row.refusal, kAlderRequest, kConfirmCancel, kOmitQuestion,
                         kCedarRequest, "Game advanced successfully"}));
  EXPECT_EQ(game.ui.fix_labels(),
            std::vector<std::string>{"Disk is Not Available for Bank 1: Alder"});
  EXPECT_EQ(game.session.DecisionSource(1), 4);
  ExpectSoundGameAtQuarter(1);
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.GameId, game.session.game.GameId);
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 1);
  EXPECT_EQ(game.session.shadow.BankDiskFlag, 1);
}

std::vector<ForeignGlobal> ForeignGlobals() {
  test::TestGame other(99);
  other.Create(other.Setup({{"Other"}}));
  const std::string other_global = other.dir.Read("disk-Other/Global.qv");
  return {
      {"another game's disk", other_global, "Disk is not for the current game"},
      {"no Global file", "-", "Quorvant disk is not available"},
      {"an empty Global file", "", "Quorvant disk is not available"},
      {"a Global file of no game", "not a game\r\n", "Quorvant disk is not available"},
      {"a Global file cut short", other_global.substr(0, other_global.size() / 2),
       "Quorvant disk is not available"},
  };
}

INSTANTIATE_TEST_SUITE_P(OnBankOnesPath, ForeignDisk, ::testing::ValuesIn(ForeignGlobals()),
                         [](const ::testing::TestParamInfo<ForeignGlobal>& row_info) {
                           return "Case" + std::to_string(row_info.index);
                         });

TEST_F(UntrustedDisk, ForeignDiskIsNeverOverwrittenWhenOmitted) {
  test::TestGame other(99);
  ASSERT_EQ(other.Create(other.Setup({{"Other"}})), Proceed::kGoOn);
  fs::remove_all(alder_disk);
  fs::copy(other.DiskFolder("Other"), alder_disk);
  const auto other_bytes = game.FolderBytes(alder_disk);
  game.ui.Then(Answer::kOk).Then(Answer::kCancel).Then(Answer::kYes);
  game.ui.ThenFix(FixChoice::kLastQuarter);
  game.ui.Then(Answer::kOk);
  game.ui.Then(Answer::kOk).Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kYes);
  game.ui.Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts().back(),
            "Game advanced, but these bank disks were not written:\rBank 1: Alder (" + alder_disk +
                ")\rThe next advance asks for them again.");
  EXPECT_EQ(game.FolderBytes(alder_disk), other_bytes);
}

// ----- a disk that goes away between the merge and the update -----

TEST_F(UntrustedDisk, DiskGoneBeforeTheUpdateIsOmitted) {
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  game.ui.ThenDo([&] { fs::remove_all(alder_disk); }, Answer::kOk);
  game.ui.Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kYes);
  game.ui.Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{
                kAlderRequest, kCedarRequest, kAlderRequest, "Quorvant disk is not available",
                kAlderRequest, kConfirmCancel, kOmitQuestion, kCedarRequest,
                "Game advanced, but these bank disks were not written:\rBank 1: Alder (" +
                    alder_disk + ")\rThe next advance asks for them again."}));
  EXPECT_EQ(game.session.DecisionSource(1), 2) << "its decisions were read before it went";
  ExpectSoundGameAtQuarter(1);
  EXPECT_FALSE(fs::exists(alder_disk));
}

TEST_F(UntrustedDisk, DiskGoneBeforeTheUpdateCanBeMadeAnew) {
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  game.ui.ThenDo([&] { fs::remove_all(alder_disk); }, Answer::kCancel);
  game.ui.Then(Answer::kYes).Then(Answer::kNo);  // not omitted: a new disk
  game.ui.Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts().back(), "Game advanced successfully");
  ExpectSoundGameAtQuarter(1);
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 1);
  EXPECT_EQ(CheckGameDirectory(game.real, alder_disk),
            (std::vector<std::string>{"PORTF.QV: missing", "DATAEC.QVS: missing"}))
      << "a new bank disk holds the files of a disk, sound, and none of the game's own";
}

// The drive stops answering half way through writing the disk: the disk keeps what it had,
// and the instructor omits it.
TEST_F(UntrustedDisk, DiskFailingWhileWrittenKeepsItsOldFiles) {
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  const auto disk_before = game.FolderBytes(alder_disk);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  game.ui.ThenDo([&] { game.files.FailPathWrites("disk-Alder/Comp.qv"); }, Answer::kOk);
  game.ui.Then(Answer::kCancel);                                        // no retry
  game.ui.Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kYes);  // then omitted
  game.ui.Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts()[3], "Cannot write file " + alder_disk + "Comp.qv");
  EXPECT_EQ(Texts()[4], "Error writing file");
  EXPECT_EQ(Texts().back(),
            "Game advanced, but these bank disks were not written:\rBank 1: Alder (" + alder_disk +
                ")\rThe next advance asks for them again.");
  ExpectSoundGameAtQuarter(1);
  EXPECT_EQ(game.FolderBytes(alder_disk), disk_before);
}

// The next advance catches a disk left out: it still reads, after the warning, and its bank
// is settled as out of date.
TEST_F(UntrustedDisk, OmittedDiskIsCaughtByTheNextAdvance) {
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  game.ui.Then(Answer::kCancel).Then(Answer::kYes).Then(Answer::kYes).Then(Answer::kOk);
  ASSERT_EQ(AdvanceGame(game.session), Proceed::kGoOn);

  game.ui = test::ScriptedUi();
  game.ui.AcknowledgeOkBoxes();
  game.WriteStudentDecisions(1, Sensible(), 0, 1);
  game.WriteStudentDecisions(3, Sensible(), 1, 1);
  game.ui.Then(Answer::kOk).Then(Answer::kOk).ThenFix(FixChoice::kUseDisk);
  game.ui.Then(Answer::kOk).Then(Answer::kOk);
  EXPECT_EQ(AdvanceGame(game.session), Proceed::kGoOn);
  EXPECT_EQ(Texts()[1],
            "WARNING:  Decisions on this Disk are Not Current -- they are for Quarter 1");
  EXPECT_EQ(game.ui.fix_labels(),
            std::vector<std::string>{
                "The Data on This Disk is Not Current .. Last Updated Before Quarter1"});
  ExpectSoundGameAtQuarter(2);
  ASSERT_TRUE(ReadGlobalFile(game.session, 1));
  EXPECT_EQ(game.session.shadow.ResultsQuarter, 2) << "the disk is current again";
}

}  // namespace
}  // namespace qv
