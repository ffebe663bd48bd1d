#include <gtest/gtest.h>

#include "setup/GameLists.h"
#include "setup/Login.h"
#include "tests/support/ScriptedUi.h"

namespace qv {
namespace {

GameRecord Game() {
  GameRecord game;
  game.GameName = "Fall 26";
  game.InstructorName = "Reyes";
  game.InstructorPassword = "Secret";
  game.NumBanks = 4;
  for (int b = 1; b <= 4; ++b) {
    game.BankName(b) = "Bank" + std::to_string(b);
    game.PresidentName(b) = b == 4 ? "Computer2" : "Pres" + std::to_string(b);
    game.DiskType(b) = static_cast<std::int16_t>(b == 4 ? 2 : b - 1 < 1 ? 0 : 1);
  }
  game.BankPassword(1) = "pw1";
  return game;
}

TEST(Login, NameAndPasswordIgnoreLetterCase) {
  test::ScriptedUi ui;
  EXPECT_EQ(CheckLogin(ui, Game(), "REYES", "secret"), LoginCode::kOpened);
  EXPECT_TRUE(ui.shown().empty());
}

TEST(Login, WrongNameIsReportedBeforeThePassword) {
  test::ScriptedUi ui;
  ui.Then(Answer::kRetry).Then(Answer::kCancel).Then(Answer::kRetry);
  EXPECT_EQ(CheckLogin(ui, Game(), "Smith", "wrong"), LoginCode::kWrongName);
  EXPECT_EQ(CheckLogin(ui, Game(), "Smith", "Secret"), LoginCode::kNotOpened);
  EXPECT_EQ(CheckLogin(ui, Game(), "reyes", "wrong"), LoginCode::kWrongPassword);
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Invalid Instructor Name, Try Again!",
                                                  "Invalid Instructor Name, Try Again!",
                                                  "Invalid Password, Try Again!"}));
  EXPECT_EQ(ui.shown()[0].title, "Instructor Login");
  EXPECT_EQ(ui.shown()[0].buttons, Buttons::kRetryCancel);
}

TEST(Login, OnlyAGameWithANameOrPasswordAsks) {
  GameRecord game;
  EXPECT_FALSE(NeedsLogin(game));
  game.InstructorPassword = "x";
  EXPECT_TRUE(NeedsLogin(game));
}

TEST(GameLists, RowsOfTheGamesBanks) {
  GameRecord game = Game();
  game.BankFlag(2) = 1;
  GameTables tables;
  tables.LastUpdated(2) = "12-08-2026 15:10 ";
  tables.BankQuarter(2) = 3;
  tables.DecisionsReady(2) = 1;
  tables.BankQuarter(3) = 3;
  const auto rows = GameInfoRows(game, tables);
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(rows[0].disk, "Game");
  EXPECT_EQ(rows[1].disk, "Student");
  EXPECT_EQ(rows[3].disk, "None");
  EXPECT_EQ(rows[1].quarter, "3");
  EXPECT_EQ(rows[1].ready, "Yes");
  EXPECT_EQ(rows[2].quarter, "") << "a bank not on this file shows no status";
  EXPECT_EQ(GameInfoCaption(game), "Banks Active In This Quorvant Game:  Fall 26");

  const auto passwords = PasswordRows(game);
  ASSERT_EQ(passwords.size(), 4U);
  EXPECT_EQ(passwords[0].password, "pw1");
  EXPECT_EQ(passwords[1].password, "None");
  EXPECT_EQ(passwords[3].management, "Computer2");
}

}  // namespace
}  // namespace qv
