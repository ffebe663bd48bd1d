#include "data/GameCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/data/SampleGame.h"

namespace qv {
namespace {

using test::GameDirectory;
using Lines = std::vector<std::string>;

// Overwrites `bytes` at byte `offset` of a file in the game directory.
void Patch(const GameDirectory& game, const std::string& name, std::size_t offset,
           const std::string& bytes) {
  std::string contents = game.dir.Read(name);
  contents.replace(offset, bytes.size(), bytes);
  game.dir.Write(name, contents);
}

void Remove(const GameDirectory& game, const std::string& name) {
  std::remove((game.dir.path() + name).c_str());
}

void Resize(const GameDirectory& game, const std::string& name, std::size_t size) {
  std::string contents = game.dir.Read(name);
  contents.resize(size, '\0');
  game.dir.Write(name, contents);
}

const std::string kNan("\x00\x00\xC0\x7F", 4);
const std::string kInfinity("\x00\x00\x80\x7F", 4);

Lines Check(GameDirectory& game) {
  return CheckGameDirectory(game.real, game.dir.path());
}

TEST(GameCheck, ASoundGameHasNoProblems) {
  for (int banks : {1, 2, 10}) {
    GameDirectory game(banks);
    game.WriteWholeGame();
    EXPECT_EQ(Check(game), Lines{}) << banks << " banks";
  }
}

TEST(GameCheck, EachKindOfDamageIsNamed) {
  struct Row {
    const char* shows;
    std::function<void(GameDirectory&)> damage;
    Lines expected;
  };
  // A two-bank game: banks.qv has 63 records, bank 2's block starts at record 51.
  const std::vector<Row> rows = {
      {"missing portfolio file",
       [](GameDirectory& g) { Remove(g, "Portf.qv"); },
       {"PORTF.QV: missing"}},
      {"missing competitor file after the start",
       [](GameDirectory& g) { Remove(g, "Comp.qv"); },
       {"COMP.QV: missing"}},
      {"missing economic data",
       [](GameDirectory& g) { Remove(g, "DATAEC.QVS"); },
       {"DATAEC.QVS: missing"}},
      {"banks.qv a record short",
       [](GameDirectory& g) { Resize(g, "Banks.qv", 62 * 84); },
       {"banks.qv: 5208 bytes, expected 5292 (63 records of 84 bytes for 2 banks)"}},
      {"banks.qv with extra bytes",
       [](GameDirectory& g) { Resize(g, "Banks.qv", 63 * 84 + 3); },
       {"banks.qv: 5295 bytes, expected 5292 (63 records of 84 bytes for 2 banks)"}},
      {"NaN in bank 2's decisions",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 11 * 84 + 16, kNan); },
       {"banks.qv record 12: Single 5 is not finite"}},
      {"infinities in a status record",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 37 * 84 + 20, kInfinity + kNan); },
       {"banks.qv record 38: Single 6 is not finite (and 1 more)"}},
      {"bank 2's status a quarter ahead of the game, as an interrupted update leaves it",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 50 * 84 + 16, std::string("\x01\x00", 2)); },
       {"banks.qv bank 2: status of quarter 1, but Global.qv holds quarter 0"}},
      {"unbalanced claims",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 59 * 84 + 12, std::string("\x67\x00", 2)); },
       {"banks.qv bank 2: total assets 152 differ from liabilities and equity 153 "
        "(items 7 + 8 + 9 + 10 + 11)"}},
      {"unbalanced assets",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 59 * 84 + 6, std::string("\x1F\x00", 2)); },
       {"banks.qv bank 2: total assets 152 differ from the asset items 153 "
        "(items 2 + 3 + 4 + 5 + 6)"}},
      {"odd number of plot records",
       [](GameDirectory& g) { Resize(g, "Plotv.qv", 9 * 128); },
       {"PLOTV.QV: 9 records, expected an even number from 4 to 8 for 2 banks"}},
      {"plot file cut inside a record",
       [](GameDirectory& g) { Resize(g, "Plotv.qv", 1030); },
       {"PLOTV.QV: 1030 bytes, not a whole number of 128-byte records"}},
      {"NaN in a loan rate",
       [](GameDirectory& g) { Patch(g, "Portf.qv", 10 * 128, kNan); },
       {"PORTF.QV record 11: Single 1 is not finite"}},
      {"infinite growth factor",
       [](GameDirectory& g) { Patch(g, "DATAEC.QVS", 99 * 128 + 124, kInfinity); },
       {"DATAEC.QVS record 100: Single 32 is not finite"}},
      {"NaN in a competitor value",
       [](GameDirectory& g) { Patch(g, "Comp.qv", 39 * 40, kNan); },
       {"COMP.QV record 40: Single 1 is not finite"}},
      {"short INIT.QVS",
       [](GameDirectory& g) { Resize(g, "INIT.QVS", 1500); },
       {"INIT.QVS: 1500 bytes, expected 1504 (188 records of 8 bytes)"}},
      {"Global.qv not a game record",
       [](GameDirectory& g) { g.dir.Write("Global.qv", "\"X3.00\"\r\n"); },
       {"Global.qv: not a game record of 72 lines"}},
      {"Global.qv with eleven banks",
       [](GameDirectory& g) {
         GameRecord r = g.session.game;
         r.NumBanks = 11;
         g.dir.Write("Global.qv", EncodeGlobalFile(r));
       },
       {"Global.qv: NumBanks is 11, expected 1 to 10"}},
      {"Global.qv at period 0",
       [](GameDirectory& g) {
         GameRecord r = g.session.game;
         r.EconPeriod = 0;
         g.dir.Write("Global.qv", EncodeGlobalFile(r));
       },
       {"Global.qv: EconPeriod is 0, expected 1 to 100"}},
  };
  for (const Row& row : rows) {
    GameDirectory game(2);
    game.WriteWholeGame();
    row.damage(game);
    EXPECT_EQ(Check(game), row.expected) << row.shows;
  }
}

TEST(GameCheck, WhatIsNotAProblem) {
  struct Row {
    const char* shows;
    std::function<void(GameDirectory&)> change;
  };
  const std::vector<Row> rows = {
      {"no competitor file while the game is created",
       [](GameDirectory& g) {
         Remove(g, "Comp.qv");
         g.session.game.ResultsQuarter = -1;
         EXPECT_TRUE(WriteGlobalFile(g.session, 0));
       }},
      {"no INIT.QVS", [](GameDirectory& g) { Remove(g, "INIT.QVS"); }},
      {"odd bytes in the status text",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 50 * 84, kNan + kNan + kNan + kNan); }},
      {"odd bytes in the portfolio amounts",
       [](GameDirectory& g) { Patch(g, "Portf.qv", 9 * 128, kNan); }},
      {"odd bytes in the unused decision records",
       [](GameDirectory& g) { Patch(g, "Banks.qv", 20 * 84, kNan); }},
      {"plot records of the first bank only",
       [](GameDirectory& g) { Resize(g, "Plotv.qv", 6 * 128); }},
  };
  for (const Row& row : rows) {
    GameDirectory game(2);
    game.WriteWholeGame();
    row.change(game);
    EXPECT_EQ(Check(game), Lines{}) << row.shows;
  }
}

TEST(GameCheck, EmptyDirectoryListsEveryRequiredFile) {
  GameDirectory game(1);
  EXPECT_EQ(Check(game), (Lines{"Global.qv: missing", "banks.qv: missing", "PLOTV.QV: missing",
                                "PORTF.QV: missing", "DATAEC.QVS: missing"}));
}

TEST(GameCheck, ANonDirectoryIsOneProblem) {
  GameDirectory game(1);
  const std::string missing = game.dir.path() + "nothing/";
  EXPECT_EQ(CheckGameDirectory(game.real, missing), Lines{missing + ": not a directory"});
}

}  // namespace
}  // namespace qv
