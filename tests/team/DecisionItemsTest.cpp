#include "setup/DecisionItems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "data/BanksFile.h"
#include "data/Items.h"
#include "platform/Numeric.h"
#include "setup/BankDisk.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

TEST(DecisionItemsTest, EveryItemWithAMeaningIsShownOnceAndTheOthersAreHidden) {
  std::set<int> numbers;
  std::set<std::string> keys;
  for (const DecisionItem& item : DecisionItems()) {
    EXPECT_TRUE(numbers.insert(item.item).second) << "item " << item.item << " twice";
    EXPECT_TRUE(keys.insert(item.key).second) << item.key << " twice";
    EXPECT_LE(std::string(item.label).size(), 17U) << item.label << " does not fit the report";
    EXPECT_EQ(FindDecisionItem(item.key), &item);
    const bool limit = item.item == 20 || item.item == 21 || (item.item >= 43 && item.item <= 48);
    EXPECT_EQ(item.not_set_at_999, limit) << "item " << item.item;
  }
  for (int hidden : {18, 19, 39, 40, 49, 56, 63}) {
    EXPECT_EQ(numbers.count(hidden), 0U) << "item " << hidden << " has no meaning to show";
  }
  EXPECT_EQ(numbers.size(), 63U - 4U - 15U);
  EXPECT_EQ(FindDecisionItem("no_such_item"), nullptr);
}

// The labels are the report's own, so a team reads the same words on screen and on paper.
TEST(DecisionItemsTest, LabelsOfTheReportsDecisionRowsAreTheReportsLabels) {
  std::ifstream file(test::ProgramDir() + "report.qvs", std::ios::binary);
  ASSERT_TRUE(file);
  std::string line;
  std::map<int, std::string> report_labels;
  while (std::getline(file, line)) {
    if (line.rfind("2,", 0) == 0) {
      const int item = std::stoi(line.substr(line.rfind(',') + 1));
      std::string label;
      std::getline(file, label);
      if (!label.empty() && label.back() == '\r') {
        label.pop_back();
      }
      report_labels[item] = label;
    }
  }
  ASSERT_FALSE(report_labels.empty());
  for (const DecisionItem& item : DecisionItems()) {
    if (report_labels.count(item.item) != 0) {
      EXPECT_EQ(item.label, report_labels[item.item]) << "item " << item.item;
    }
  }
}

TEST(DecisionItemsTest, SettingsOfTheCommandLine) {
  struct Row {
    const char* setting;
    int item;  // 0: refused
    float value;
    const char* shows;
  };
  const Row rows[] = {
      {"checking_rate=3.5", 1, 3.5F, "a plain number"},
      {"dividend_per_share=-1", 14, -1.0F, "a negative number is the engine's to limit"},
      {"cd_limit=none", 47, 999.0F, "a policy limit left unset"},
      {"cd_limit=999", 47, 999.0F, "the same limit as its number"},
      {"checking_rate=none", 0, 0.0F, "a rate has no 'not set'"},
      {"checking_rate=", 0, 0.0F, "no value"},
      {"checking_rate=3.5%", 0, 0.0F, "trailing text"},
      {"checking_rate=nan", 0, 0.0F, "not a number"},
      {"checking_rate=inf", 0, 0.0F, "not finite"},
      {"checking_rate=1e39", 0, 0.0F, "beyond a single"},
      {"checking_rate", 0, 0.0F, "no equals sign"},
      {"Checking_Rate=1", 0, 0.0F, "keys are exact"},
  };
  for (const Row& row : rows) {
    int item = 0;
    float value = 0.0F;
    const std::string refused = ParseDecisionSetting(row.setting, &item, &value);
    EXPECT_EQ(refused.empty(), row.item != 0) << row.setting << ": " << row.shows;
    if (row.item != 0) {
      EXPECT_EQ(item, row.item) << row.setting;
      EXPECT_EQ(value, row.value) << row.setting;
    }
  }
}

TEST(DecisionItemsTest, OneBadSettingChangesNothing) {
  BankDecisions decisions;
  decisions.Fill(1.0F);
  const BankDecisions before = decisions;
  EXPECT_FALSE(ApplyDecisionSettings({"checking_rate=5", "nonsense=1"}, &decisions).empty());
  EXPECT_EQ(decisions, before);
}

// The values a team's form shows as effective are the values the advance stores: decisions
// written on the disk by the students' layout, the advance run, and the game directory's
// decision records compared item by item.
TEST(DecisionItemsTest, EffectiveValuesAreWhatTheAdvanceStores) {
  struct Case {
    const char* shows;
    std::map<int, float> wanted;
  };
  const Case cases[] = {
      {"values inside every bound", {{1, 2.0F}, {6, 8.0F}, {10, 8.0F}, {22, 10.0F}, {43, 50.0F}}},
      {"negative values", {{1, -3.0F}, {10, -5.0F}, {14, -1.0F}, {27, -8.0F}, {41, -2.0F}}},
      {"values beyond the caps",
       {{1, 90.0F},
        {3, 90.0F},
        {11, 1e6F},
        {13, 1e6F},
        {14, 50.0F},
        {16, 40.0F},
        {17, 1e6F},
        {22, 5000.0F},
        {33, 1e6F},
        {34, 1e6F}}},
      {"limits unset and hidden items", {{20, 999.0F}, {45, 999.0F}, {18, -4.0F}, {60, 3.0F}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    test::TestGame game;
    test::StartTeamGame(game, 2, 1);
    if (HasFatalFailure()) {
      return;
    }
    test::TestGame team;  // only its ports, for a session of the team's own
    ASSERT_EQ(OpenBankDisk(team.session, game.DiskFolder("Alder")), "");
    ASSERT_EQ(ReadTeamDecisions(team.session, 1), "");
    BankDecisions wanted;
    for (int item = 1; item <= 63; ++item) {
      wanted(item) = team.session.tables.Decision(1, item);
    }
    for (const auto& [item, value] : c.wanted) {
      wanted(item) = value;
    }
    const BankDecisions effective = EffectiveDecisions(team.session, 1, wanted);
    game.WriteStudentDecisions(1, wanted, 0, 1);
    game.WriteStudentDecisions(
        2, OwnDecisionCopy(game.session.tables, 2, DecisionCopy::kClearedForNextQuarter), 0, 1);
    ASSERT_EQ(test::AdvanceWithDisks(game), Proceed::kGoOn);
    ASSERT_TRUE(ReadBankDecisions(game.session, 1));
    for (int item = 1; item <= 63; ++item) {
      EXPECT_EQ(game.session.tables.Decision(1, item), effective(item))
          << "item " << item << " wanted " << wanted(item);
    }
  }
}

TEST(DecisionItemsTest, AcceptedRangesComeFromTheEngine) {
  test::TestGame game;
  test::StartTeamGame(game, 1);
  if (HasFatalFailure()) {
    return;
  }
  test::TestGame team;
  ASSERT_EQ(OpenBankDisk(team.session, game.DiskFolder("Alder")), "");
  ASSERT_EQ(ReadTeamDecisions(team.session, 1), "");
  BankDecisions wanted;
  for (int item = 1; item <= 63; ++item) {
    wanted(item) = team.session.tables.Decision(1, item);
  }
  const GameTables& t = team.session.tables;
  const AcceptedRange checking = AcceptedDecisionRange(team.session, 1, 1, wanted);
  EXPECT_EQ(checking.low, 0.0);
  ASSERT_TRUE(checking.high);
  EXPECT_DOUBLE_EQ(*checking.high, ToSingle(t.Environment(environment::kMaxCheckingRate)));
  const AcceptedRange premises =
      AcceptedDecisionRange(team.session, 1, decision::kPremises, wanted);
  EXPECT_DOUBLE_EQ(premises.low, ToSingle(0.75 * t.BankAmounts(1, amount::kPremises)));
  const AcceptedRange purchase = AcceptedDecisionRange(team.session, 1, 22, wanted);
  ASSERT_TRUE(purchase.high);
  EXPECT_EQ(*purchase.high, 1000.0);
  EXPECT_FALSE(AcceptedDecisionRange(team.session, 1, 43, wanted).high) << "no upper bound";
}

}  // namespace
}  // namespace qv
