#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/BanksFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/Items.h"
#include "tests/soak/SoakFigures.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

// Ten years of play by teams that keep their disks carelessly.
constexpr int kQuarters = 40;

// What a team does with its disk in a quarter.
enum class Plan {
  kReady,     // decisions final, on a disk as the last update left it
  kStale,     // final decisions written over a copy older than the last update
  kNotReady,  // a draft saved, not marked final
  kMissing,   // the disk is not brought, neither for the merge nor for the update
};

constexpr const char* kRequest = "Please insert the student disk for bank ";
constexpr const char* kNotCurrentWarning =
    "WARNING:  Decisions on this Disk are Not Current -- they are for Quarter ";

// The instructor at the keyboard: brings the disks the teams hand in, confirms every cancel,
// omits a disk that is not there, and settles each unready bank in turn with another option.
// Anything else the program asks or reports is collected as unexpected.
class Classroom : public Ui {
 public:
  std::vector<Plan> plans = std::vector<Plan>(kMaxBanks + 1, Plan::kReady);
  std::vector<std::string> unexpected;
  std::vector<std::string> fix_labels;
  int warnings = 0;
  std::string last;

  Answer Show(const Message& message) override {
    const std::string& text = message.text;
    last = text;
    if (text.rfind(kRequest, 0) == 0) {
      const int bank = std::stoi(text.substr(std::string(kRequest).size()));
      return plans[static_cast<std::size_t>(bank)] == Plan::kMissing ? Answer::kCancel
                                                                     : Answer::kOk;
    }
    if (text == "Are you sure you want to cancel?" ||
        text == "Can omit disk or make new disk.  Do you want to omit?") {
      return Answer::kYes;
    }
    if (text.rfind(kNotCurrentWarning, 0) == 0) {
      ++warnings;
      return Answer::kOk;
    }
    if (text != "Game advanced successfully" &&
        text.rfind("Game advanced, but these bank disks were not written:", 0) != 0) {
      unexpected.push_back(text);
    }
    return message.buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
  }

  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override {
    fix_labels.push_back(label);
    ++fixes_;
    switch (fixes_ % 3) {
      case 0:
        return disk_readable ? FixChoice::kUseDisk : FixChoice::kLastQuarter;
      case 1:
        return FixChoice::kLastQuarter;
      default:
        return FixChoice::kComputer;
    }
  }

  int ChooseComputerLevel() override { return 1 + levels_++ % 3; }

 private:
  int fixes_ = 0;
  int levels_ = 0;
};

// Six teams and four computer banks. Every quarter each team draws a plan; a team that is
// ready moves its rates a little from where they stood, as students do.
struct Course {
  int period;          // the economic period the game begins at
  std::uint64_t seed;  // of the program's random numbers and of the teams' plans
};

void PrintTo(const Course& course, std::ostream* out) {
  *out << "period " << course.period << ", seed " << course.seed;
}

class StudentSoak : public ::testing::TestWithParam<Course> {
 protected:
  static constexpr int kTeams = 6;

  void SetUp() override {
    ASSERT_EQ(created.Create(created.Setup({{"Alder", kManagementHuman, 0},
                                            {"Birch", 1, 1},
                                            {"Cedar", kManagementHuman, 1},
                                            {"Dogwood", kManagementHuman, 2},
                                            {"Elm", 2, 3},
                                            {"Fir", kManagementHuman, 3},
                                            {"Gum", 3, 0},
                                            {"Hazel", kManagementHuman, 0},
                                            {"Ironwood", 2, 2},
                                            {"Juniper", kManagementHuman, 1}},
                                           GetParam().period)),
              Proceed::kGoOn);
    session.GamePath = created.session.GamePath;
    session.ProgramDir = created.session.ProgramDir;
    ASSERT_TRUE(ReadGlobalFile(session, 0));
    ApplyGlobalRecord(session);
    session.tables = created.session.tables;
    for (int b = 1; b <= session.game.NumBanks; ++b) {
      if (session.game.DiskType(b) == disk_type::kStudent) {
        teams.push_back(b);
      }
    }
    ASSERT_EQ(teams.size(), static_cast<std::size_t>(kTeams));
    disk_quarter.assign(kMaxBanks + 1, 0);
  }

  // A number in [-spread, spread], the same on every platform.
  double Nudge(double spread) {
    return spread * (static_cast<double>(draw() % 2001) / 1000.0 - 1.0);
  }

  Plan DrawPlan() {
    switch (draw() % 10) {
      case 6:
        return Plan::kStale;
      case 7:
        return Plan::kNotReady;
      case 8:
        return Plan::kMissing;
      default:
        return Plan::kReady;
    }
  }

  // The team's decisions: last quarter's as its disk holds them, each offered rate moved half
  // way towards the market's going rate for it (the rates the last report showed) and by up
  // to a quarter point either way; now and then some securities bought. Teams that never
  // looked at the market would keep a rate shock's rates for years and go broke, which says
  // nothing about the program.
  Table<float, 63> TeamDecisions(int bank) {
    const Table<double, 10>& market = session.tables.MarketRates;
    const struct {
      int item;
      double going_rate;
    } offers[] = {{decision::kTimeDepositRate, market(3)},
                  {decision::kLongTimeDepositRate, market(4)},
                  {decision::kCdRate, market(2)},
                  {decision::kCommercialLoanRate, market(8)},
                  {decision::kConsumerLoanRate, market(8) + 5.0},
                  {decision::kFixedRealEstateRate, market(9)},
                  {decision::kFloatingRealEstateRate, market(3) + 0.5},
                  {decision::kHomeEquityLoanRate, market(9) + 1.0}};
    Table<float, 63> decisions =
        OwnDecisionCopy(session.tables, bank, DecisionCopy::kClearedForNextQuarter);
    for (const auto& offer : offers) {
      const double now = decisions(offer.item);
      decisions(offer.item) =
          static_cast<float>(now + 0.5 * (offer.going_rate - now) + Nudge(0.25));
    }
    for (int item : {decision::kCheckingRate, decision::kSavingsRate}) {
      decisions(item) = static_cast<float>(decisions(item) + Nudge(0.25));
    }
    if (draw() % 4 == 0) {
      decisions(decision::kFirstSecurityPurchase) = static_cast<float>(10.0 + Nudge(10.0));
    }
    return decisions;
  }

  // Writes each team's disk by its plan; returns the fix-dialog labels the merge must show,
  // in bank order.
  std::vector<std::string> PlayTeams() {
    std::vector<std::string> labels;
    const std::int16_t results = session.game.ResultsQuarter;
    for (int bank : teams) {
      const Plan plan = DrawPlan();
      ui.plans[static_cast<std::size_t>(bank)] = plan;
      const std::string name = std::to_string(bank) + ": " + session.game.BankName(bank);
      if (plan == Plan::kMissing) {
        labels.push_back("Disk is Not Available for Bank " + name);
        continue;
      }
      const std::int16_t own = disk_quarter[static_cast<std::size_t>(bank)];
      const auto quarter = static_cast<std::int16_t>(plan == Plan::kStale ? own - 1 : own);
      const std::int16_t ready = plan == Plan::kNotReady ? 2 : 1;
      created.WriteStudentDecisions(bank, TeamDecisions(bank), quarter, ready);
      if (quarter != results) {
        labels.push_back("The Data on This Disk is Not Current .. Last Updated Before Quarter" +
                         std::to_string(quarter + 1));
      } else if (ready != 1) {
        labels.push_back("This Bank's Decisions are Not Ready for This Quarter");
      }
    }
    return labels;
  }

  test::TestGame created{GetParam().seed};
  Classroom ui;
  Session session{created.files, ui, created.clock, created.random};
  std::vector<int> teams;
  std::vector<std::int16_t> disk_quarter;  // the quarter each team's disk was last written
  std::mt19937 draw{static_cast<std::mt19937::result_type>(GetParam().seed)};
};

TEST_P(StudentSoak, ReadyStaleUnreadyAndMissingDisksOverManyQuarters) {
  const test::ShippedRateRange rates = test::ReadShippedRateRange(session);
  int omitted = 0;
  std::vector<std::string> all_labels;
  for (int quarter = 1; quarter <= kQuarters; ++quarter) {
    ui.fix_labels.clear();
    const std::vector<std::string> labels = PlayTeams();

    ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn) << "quarter " << quarter << ": " << ui.last;
    // A disk the teams left out is named as not written, never reported as a success.
    const std::string closing = DisksNotWritten(session).empty()
                                    ? "Game advanced successfully"
                                    : "Game advanced, but these bank disks were not written:";
    ASSERT_EQ(ui.last.substr(0, closing.size()), closing) << "quarter " << quarter;
    ASSERT_EQ(session.game.ResultsQuarter, quarter);
    ASSERT_EQ(ui.unexpected, std::vector<std::string>{}) << "quarter " << quarter;
    ASSERT_EQ(ui.fix_labels, labels) << "quarter " << quarter;
    all_labels.insert(all_labels.end(), labels.begin(), labels.end());
    ASSERT_EQ(CheckGameDirectory(created.real, session.GamePath), std::vector<std::string>{})
        << "quarter " << quarter;
    ASSERT_EQ(test::MeaninglessFigure(session, rates), "") << "quarter " << quarter;

    for (int bank : teams) {
      ASSERT_TRUE(ReadGlobalFile(session, bank)) << "bank " << bank;
      const bool missing = ui.plans[static_cast<std::size_t>(bank)] == Plan::kMissing;
      const std::int16_t expected =
          missing ? disk_quarter[static_cast<std::size_t>(bank)] : session.game.ResultsQuarter;
      ASSERT_EQ(session.shadow.ResultsQuarter, expected)
          << "bank " << bank << " quarter " << quarter << (missing ? ", omitted" : "");
      disk_quarter[static_cast<std::size_t>(bank)] = expected;
      omitted += missing ? 1 : 0;
    }
  }
  EXPECT_GT(omitted, 0) << "the plans never left a disk out";
  for (const char* reason : {"The Data on This Disk is Not Current",
                             "This Bank's Decisions are Not Ready", "Disk is Not Available"}) {
    EXPECT_TRUE(std::any_of(all_labels.begin(), all_labels.end(),
                            [&](const std::string& label) { return label.rfind(reason, 0) == 0; }))
        << "no bank was settled for: " << reason;
  }
  EXPECT_GT(ui.warnings, 0) << "no disk came back after being left out";
}

INSTANTIATE_TEST_SUITE_P(Courses, StudentSoak,
                         ::testing::Values(Course{44, 2026}, Course{10, 5}, Course{64, 7},
                                           Course{88, 31}),
                         [](const ::testing::TestParamInfo<Course>& course_info) {
                           return "Period" + std::to_string(course_info.param.period) + "Seed" +
                                  std::to_string(course_info.param.seed);
                         });

}  // namespace
}  // namespace qv
