#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

constexpr int kQuarters = 24;
constexpr const char* kCalculationError = "Quorvant Sub CalculateResults Error ";
constexpr const char* kErrorLabel = "Error Calculating Bank ";

// The instructor of a class whose teams enter anything the forms accept and more: brings every
// disk, and settles a bank whose results cannot be calculated with the computer, after last
// quarter's decisions when those fail too. Every other box is collected.
class Instructor : public Ui {
 public:
  std::vector<std::string> errors;  // the calculation errors shown
  std::vector<std::string> unexpected;
  std::vector<std::string> fix_labels;
  std::string last;

  Answer Show(const Message& message) override {
    last = message.text;
    if (message.text.rfind("Please insert the student disk for bank ", 0) == 0) {
      return Answer::kOk;
    }
    if (message.text.rfind(kCalculationError, 0) == 0) {
      errors.push_back(message.text);
    } else if (message.text != "Game advanced successfully") {
      unexpected.push_back(message.text);
    }
    return message.buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
  }

  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override {
    fix_labels.push_back(label);
    if (label.rfind(kErrorLabel, 0) != 0) {
      return disk_readable ? FixChoice::kUseDisk : FixChoice::kLastQuarter;
    }
    return ++settled_[label] == 1 ? FixChoice::kLastQuarter : FixChoice::kComputer;
  }

  int ChooseComputerLevel() override { return 2; }

 private:
  std::map<std::string, int> settled_;
};

class ExtremeDecisions : public ::testing::TestWithParam<std::uint64_t> {
 protected:
  void SetUp() override {
    std::vector<test::BankSpec> banks;
    for (const char* name : {"Alder", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel",
                             "Ironwood", "Juniper"}) {
      banks.push_back({name, kManagementHuman, static_cast<int>(banks.size() % 4)});
    }
    ASSERT_EQ(game.Create(game.Setup(banks, 40)), Proceed::kGoOn);
    session.GamePath = game.session.GamePath;
    session.ProgramDir = game.session.ProgramDir;
    ASSERT_TRUE(ReadGlobalFile(session, 0));
    ApplyGlobalRecord(session);
  }

  // One of the values a hasty team types: zero, a huge number, the no-limit marker, or a value
  // of its field's usual range.
  float Draw(double usual_high) {
    switch (draw() % 8) {
      case 0:
        return 0.0F;
      case 1:
        return 30000.0F + static_cast<float>(draw() % 20000);
      case 2:
        return static_cast<float>(decision::kNoLimit);
      default:
        return static_cast<float>(usual_high * static_cast<double>(draw() % 1001) / 1000.0);
    }
  }

  Table<float, 63> TeamDecisions() {
    Table<float, 63> d;
    for (int item = 1; item <= 9; ++item) {
      d(item) = draw() % 4 == 0 ? 0.0F : static_cast<float>(draw() % 3001) / 100.0F;  // 0..30
    }
    d(decision::kHomeEquityLoanRate) = static_cast<float>(draw() % 3001) / 100.0F;
    d(decision::kHomeEquityFee) = static_cast<float>(draw() % 501) / 100.0F;
    for (int item : {10, 11, 12, 13, 17})
      d(item) = Draw(100);
    d(decision::kDividendPerShare) = Draw(5);
    for (int item = 20; item <= 42; ++item)
      d(item) = Draw(500);
    for (int item = decision::kFirstVolumeLimit; item <= 48; ++item)
      d(item) = Draw(1000);
    return d;
  }

  test::TestGame game{GetParam()};
  Instructor ui;
  Session session{game.files, ui, game.clock, game.random};
  std::mt19937 draw{static_cast<std::mt19937::result_type>(GetParam())};
};

// Whatever the teams decide, a quarter is calculated or the failure names the bank, which the
// instructor settles, and the game goes on; what is stored stays finite and balanced.
TEST_P(ExtremeDecisions, NeverStopTheClassAndKeepTheBooksSound) {
  int settled = 0;
  for (int quarter = 1; quarter <= kQuarters; ++quarter) {
    for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
      game.WriteStudentDecisions(bank, TeamDecisions(), session.game.ResultsQuarter, 1);
    }
    ui.errors.clear();
    ui.fix_labels.clear();
    ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn) << "quarter " << quarter << ": " << ui.last;
    ASSERT_EQ(ui.last, "Game advanced successfully") << "quarter " << quarter;
    ASSERT_EQ(ui.unexpected, std::vector<std::string>{}) << "quarter " << quarter;
    ASSERT_EQ(session.game.ResultsQuarter, quarter);
    for (const std::string& error : ui.errors) {
      EXPECT_NE(error.find(" Bank "), std::string::npos) << "names no bank: " << error;
    }
    ASSERT_EQ(ui.fix_labels.size(), ui.errors.size())
        << "every failure settled, quarter " << quarter;
    settled += static_cast<int>(ui.errors.size());
    ASSERT_EQ(CheckGameDirectory(game.real, session.GamePath), std::vector<std::string>{})
        << "quarter " << quarter;
  }
  RecordProperty("settled", settled);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ExtremeDecisions, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace qv
