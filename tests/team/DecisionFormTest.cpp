#include "desktop/DecisionForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "data/BanksFile.h"
#include "setup/BankDisk.h"
#include "tests/desktop/ModalDriver.h"
#include "tests/team/TeamGame.h"

namespace qv {
namespace {

class DecisionFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::StartTeamGame(game, 1);
    ASSERT_EQ(OpenBankDisk(team.session, game.DiskFolder("Alder")), "");
    ASSERT_EQ(ReadTeamDecisions(team.session, 1), "");
    for (int item = 1; item <= 63; ++item) {
      start(item) = team.session.tables.Decision(1, item);
    }
    form = std::make_unique<DecisionForm>(team.session, 1);
    form->SetDecisions(start);
  }

  QLineEdit* Box(const std::string& key) {
    return form->findChild<QLineEdit*>(QString::fromStdString("txt_" + key));
  }
  QString Shown(const std::string& prefix, const std::string& key) {
    auto* label = form->findChild<QLabel*>(QString::fromStdString(prefix + key));
    return label == nullptr ? QString("(missing)") : label->text();
  }
  void Type(const std::string& key, const QString& text) {
    QLineEdit* box = Box(key);
    ASSERT_NE(box, nullptr) << key;
    box->setText(text);
    emit box->editingFinished();
  }

  test::TestGame game;
  test::TestGame team;
  BankDecisions start;
  std::unique_ptr<DecisionForm> form;
};

TEST_F(DecisionFormTest, EveryShownItemHasItsRow) {
  for (const DecisionItem& item : DecisionItems()) {
    ASSERT_NE(Box(item.key), nullptr) << item.key;
    EXPECT_EQ(Box(item.key)->text().toStdString(), FormatDecisionValue(item, start(item.item)));
  }
  EXPECT_EQ(Box("spare_18"), nullptr);
}

// What the form shows as the engine's value is the engine's own limiting of what was typed.
TEST_F(DecisionFormTest, RangesAndEffectiveValuesFollowWhatIsTyped) {
  struct Row {
    const char* key;
    const char* typed;
    const char* range;  // empty: not checked
    const char* shows;
  };
  const Row rows[] = {
      {"checking_rate", "90", "0 .. 50", "a rate above its cap"},
      {"checking_rate", "-2", "0 .. 50", "a negative rate"},
      {"buy_securities_1y", "5000", "0 .. 1000", "a purchase above the bound"},
      {"cd_limit", "none", "0 .. no limit", "a limit not set"},
      {"premises", "1", "", "premises far below last quarter's"},
      {"dividend_per_share", "9", "", "a dividend beyond earnings"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shows);
    Type(row.key, row.typed);
    BankDecisions typed;
    std::string message;
    ASSERT_TRUE(form->Decisions(&typed, &message)) << message;
    const DecisionItem* item = FindDecisionItem(row.key);
    const BankDecisions effective = EffectiveDecisions(team.session, 1, typed);
    EXPECT_EQ(Shown("lblEffective_", row.key).toStdString(),
              FormatDecisionValue(*item, effective(item->item)));
    if (std::string(row.range).empty() == false) {
      EXPECT_EQ(Shown("lblRange_", row.key), row.range);
    }
  }
}

TEST_F(DecisionFormTest, ABoxWithoutANumberIsNamed) {
  Type("expense_b", "lots");
  BankDecisions typed;
  std::string message;
  EXPECT_FALSE(form->Decisions(&typed, &message));
  EXPECT_EQ(message, "Expense B: enter a number");
  Type("expense_b", "2");
  Type("cd_limit", "");
  EXPECT_FALSE(form->Decisions(&typed, &message));
  EXPECT_EQ(message, "CD Limit: enter a number or none");
}

TEST_F(DecisionFormTest, HiddenItemsAreCarriedAsTheyCame) {
  BankDecisions with_hidden = start;
  with_hidden(18) = 7.5F;
  with_hidden(60) = -1.0F;
  form->SetDecisions(with_hidden);
  Type("savings_rate", "4");
  BankDecisions typed;
  std::string message;
  ASSERT_TRUE(form->Decisions(&typed, &message));
  EXPECT_EQ(typed(18), 7.5F);
  EXPECT_EQ(typed(60), -1.0F);
  EXPECT_EQ(typed(2), 4.0F);
}

}  // namespace
}  // namespace qv
