#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "newgame/OpeningBanks.h"
#include "newgame/PeriodZero.h"
#include "newgame/StaticDataFiles.h"
#include "platform/ByteCoding.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "resources/StaticDataSource.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSession.h"

namespace qv {
namespace {

// ---- The packer -------------------------------------------------------------------------

// The 33 fields of a valid line of the economic source for `quarter`.
std::vector<std::string> EconomicFields(int quarter) {
  std::vector<std::string> fields{std::to_string(quarter)};
  fields.insert(fields.end(), 10, "5.25");  // rates
  fields.insert(fields.end(), 8, "1.01");   // factors
  fields.insert(fields.end(), 13, "0");     // reserved
  fields.emplace_back("1.025");
  return fields;
}

std::string Join(const std::vector<std::string>& fields) {
  std::string line = fields[0];
  for (std::size_t i = 1; i < fields.size(); ++i)
    line += ", " + fields[i];
  return line;
}

// Quarter 40's line with field `index` (0 = the quarter) replaced by `text`.
std::string Quarter40With(std::size_t index, const std::string& text) {
  std::vector<std::string> fields = EconomicFields(40);
  fields[index] = text;
  return Join(fields);
}

// A valid economic source of 100 quarters after two comment lines, data line `replaced`
// (counting quarters from 1) replaced by `replacement`.
std::string EconomicSource(int replaced = 0, const std::string& replacement = "") {
  std::string text = "# comment\n\n";
  for (int q = 1; q <= 100; ++q) {
    text += (q == replaced ? replacement : Join(EconomicFields(q))) + "\n";
  }
  return text;
}

std::string InitSource(int replaced = 0, const std::string& replacement = "") {
  std::string text = "# label, full service, consumer, business, turnaround\n";
  for (int r = 1; r <= 188; ++r) {
    const std::string label = r <= 128 ? "P" + std::to_string(r) : "L" + std::to_string(r - 128);
    text += r == replaced ? replacement + "\n" : label + ", 1, 2, 3, " + std::to_string(r) + "\n";
  }
  return text;
}

TEST(StaticDataPacker, PacksEachValueIntoItsPlace) {
  std::vector<std::string> quarter_7 = EconomicFields(7);
  quarter_7[1] = "2.5";
  const PackResult economy = PackEconomicSource(EconomicSource(7, Join(quarter_7)));
  ASSERT_TRUE(economy.ok) << economy.error;
  ASSERT_EQ(economy.bytes.size(), 100U * 128);
  const std::span<const std::uint8_t> bytes(economy.bytes);
  EXPECT_EQ(GetSingle(bytes, 6 * 128), 2.5F);
  EXPECT_EQ(GetSingle(bytes, 6 * 128 + 4), 5.25F);
  EXPECT_EQ(GetSingle(bytes, 6 * 128 + 40), 1.01F);     // series 11
  EXPECT_EQ(GetSingle(bytes, 99 * 128 + 124), 1.025F);  // growth factor of quarter 100

  const PackResult init = PackInitSource(InitSource());
  ASSERT_TRUE(init.ok) << init.error;
  ASSERT_EQ(init.bytes.size(), 188U * 8);
  const std::span<const std::uint8_t> records(init.bytes);
  EXPECT_EQ(GetInt16(records, 0), 1);
  EXPECT_EQ(GetInt16(records, 4), 3);
  EXPECT_EQ(GetInt16(records, 187 * 8 + 6), 188);
}

TEST(StaticDataPacker, RefusesAMalformedSourceNamingItsLine) {
  struct Row {
    bool economic;
    std::string source;
    std::string error;
  };
  const std::string line_40 = "line 42: ";  // two comment lines come first
  const Row rows[] = {
      {true, EconomicSource(40, "40, 5.25, 1.01"),
       line_40 + "expected 33 fields (the quarter and 32 values), found 3"},
      {true, EconomicSource(40, Quarter40With(2, "5.x5")),
       line_40 + "series 2 is not a number: '5.x5'"},
      {true, EconomicSource(40, Quarter40With(0, "41")),
       line_40 + "the first field must be the quarter number 40, found '41'"},
      {true, EconomicSource(40, Quarter40With(1, "31")),
       line_40 + "series 1 is a rate, must lie in 0 .. 30, found 31"},
      {true, EconomicSource(40, Quarter40With(12, "nan")),
       line_40 + "series 12 is not a number: 'nan'"},
      {true, EconomicSource(40, Quarter40With(32, "1.2")),
       line_40 + "the growth factor is a factor, must lie in 0.95 .. 1.10, found 1.2"},
      {true, EconomicSource(40, Quarter40With(31, "1")),
       line_40 + "series 31 is reserved, must be 0, found 1"},
      {true, EconomicSource(100, "# the last quarter left out"),
       "found 99 records, expected 100 (quarters 1..100)"},
      {true, EconomicSource() + Join(EconomicFields(101)), "line 103: more than 100 quarters"},
      {false, InitSource(5, "P5, 1, 2, 3"),
       "line 6: expected 5 fields (the label and one number per bank type), found 4"},
      {false, InitSource(5, "P6, 1, 2, 3, 4"), "line 6: expected the label P5, found 'P6'"},
      {false, InitSource(130, "L2, 1, 2.5, 3, 4"),
       "line 131: L2 of bank type 2 is not a whole number: '2.5'"},
      {false, InitSource(130, "L2, 1, 2, 32768, 4"),
       "line 131: L2 of bank type 3 must lie in 0 .. 32767, found 32768"},
      {false, InitSource(130, "L2, -1, 2, 3, 4"),
       "line 131: L2 of bank type 1 must lie in 0 .. 32767, found -1"},
  };
  for (const Row& row : rows) {
    const PackResult result =
        row.economic ? PackEconomicSource(row.source) : PackInitSource(row.source);
    EXPECT_FALSE(result.ok) << row.error;
    EXPECT_EQ(result.error, row.error);
    EXPECT_TRUE(result.bytes.empty());
  }
}

// ---- The shipped files ----------------------------------------------------------------------

std::vector<std::uint8_t> ShippedFile(const char* name) {
  const std::string path = test::ProgramDir() + name;
  std::string contents;
  LocalFileSystem files;
  EXPECT_TRUE(files.ReadText(path, &contents).ok()) << path;
  return std::vector<std::uint8_t>(contents.begin(), contents.end());
}

TEST(ShippedData, TheEconomyTellsAPlayableStory) {
  const std::vector<std::uint8_t> bytes = ShippedFile("DATAEC.QVS");
  ASSERT_EQ(bytes.size(), 100U * 128);
  const auto value = [&](int period, int single) -> double {
    return GetSingle(std::span<const std::uint8_t>(bytes),
                     static_cast<std::size_t>((period - 1) * 128 + (single - 1) * 4));
  };
  int slow = 0;
  for (int p = 1; p <= 100; ++p) {
    SCOPED_TRACE(testing::Message() << "period " << p);
    for (int s = 1; s <= 9; ++s) {
      EXPECT_GE(value(p, s), 2.0) << "rate " << s;
      EXPECT_LE(value(p, s), 18.0) << "rate " << s;
      // No rate moves more in a quarter than a central bank's boldest cut, not even from
      // period 100 to period 1.
      const int next = p % 100 + 1;
      EXPECT_LT(std::fabs(value(next, s) - value(p, s)), 2.0) << "rate " << s;
    }
    EXPECT_GT(value(p, 8), value(p, 6)) << "prime above overnight";
    EXPECT_GT(value(p, 10), value(p, 5)) << "corporate above the ten-year bond";
    EXPECT_GT(value(p, 11), 1.0);
    EXPECT_LT(value(p, 11), 1.025);
    for (int s = 12; s <= 18; ++s) {
      EXPECT_GE(value(p, s), 1.0) << "market growth " << s;
      EXPECT_LE(value(p, s), 1.04) << "market growth " << s;
    }
    for (int s = 19; s <= 31; ++s) {
      EXPECT_EQ(value(p, s), 0) << "reserved series " << s;
    }
    slow += value(p, 32) < 1.023 ? 1 : 0;
  }
  EXPECT_GE(slow, 25);
  EXPECT_LE(slow, 40);
}

TEST(ShippedData, OpeningBooksMatchTheirTypes) {
  const std::vector<std::uint8_t> bytes = ShippedFile("INIT.QVS");
  ASSERT_EQ(bytes.size(), 188U * 8);
  const auto amount = [&](int record, int type) -> int {
    return GetInt16(std::span<const std::uint8_t>(bytes),
                    static_cast<std::size_t>((record - 1) * 8 + (type - 1) * 2));
  };
  const auto sum = [&](int first, int last, int type) {
    int total = 0;
    for (int r = first; r <= last; ++r)
      total += amount(r, type);
    return total;
  };
  for (int type = 1; type <= 4; ++type) {
    SCOPED_TRACE(testing::Message() << "type " << type);
    EXPECT_EQ(sum(104, 128, type), 0) << "unused buckets";
    EXPECT_EQ(sum(128 + 41, 128 + 60, type), 0) << "capital notes come from the capital";
    for (int r = 1; r <= 188; ++r)
      EXPECT_GE(amount(r, type), 0) << "record " << r;
  }
  const int kFs = 1, kCo = 2, kBu = 3, kTu = 4;
  EXPECT_GT(sum(30, 41, kCo), 1.5 * sum(30, 41, kFs)) << "Consumer lends to consumers";
  EXPECT_GT(sum(26, 29, kBu), 1.5 * sum(26, 29, kFs)) << "Business lends to business";
  EXPECT_GT(sum(62, 63, kBu), 2 * sum(62, 63, kFs)) << "and buys its funds";
  EXPECT_LT(sum(1, 25, kTu), sum(1, 25, kFs)) << "Turnaround holds few securities";
}

// ---- Into a new game's directory ----------------------------------------------------------

// The session's folder is the new game's.
struct CopyStaticData : ::testing::Test, test::TestSession {
  test::TempDir program;
  test::TempDir& game = dir;

  void SetUp() override {
    program.Write("DATAEC.QVS", "economy");
    program.Write("INIT.QVS", "books");
    session.ProgramDir = program.path().substr(0, program.path().size() - 1);
  }
};

TEST_F(CopyStaticData, CopiesOnlyWhatTheGameLacksAndReportsFailures) {
  game.Write("init.qvs", "the game's own books");
  ASSERT_TRUE(CopyStaticDataFiles(session).ok());
  EXPECT_EQ(game.Read("DATAEC.QVS"), "economy");
  EXPECT_EQ(game.Read("init.qvs"), "the game's own books");
  EXPECT_EQ(game.Read("INIT.QVS"), "");  // no second copy beside it

  std::remove((game.path() + "init.qvs").c_str());
  files.FailPath(game.path() + "INIT");
  EXPECT_EQ(CopyStaticDataFiles(session).error_number(), 71);
  files.ClearFaults();
  std::remove((program.path() + "INIT.QVS").c_str());
  EXPECT_EQ(CopyStaticDataFiles(session).error_number(), 53);
  EXPECT_TRUE(ui.shown().empty());
}

// Every starting period of the shipped economy opens a game of ten banks without an error,
// with balanced books and believable figures.
TEST(ShippedData, EveryStartingPeriodOpensAPlausibleGame) {
  test::SeededTestSession game(20240917);
  Session& session = game.session;
  session.ProgramDir = test::ProgramDir();
  ASSERT_TRUE(CopyStaticDataFiles(session).ok());
  EnvironmentDefaults(session);
  session.tables.TaxRate = ToSingle(session.tables.Environment(18));
  session.game.NumBanks = 10;
  NewGameState state;
  for (int b = 1; b <= 10; ++b)
    state.BankType(b) = static_cast<std::int16_t>((b - 1) % 4 + 1);

  for (int period = 1; period <= 100; ++period) {
    SCOPED_TRACE(testing::Message() << "EconPeriod " << period);
    session.game.EconPeriod = static_cast<std::int16_t>(period);
    ASSERT_EQ(CalcPeriod0(session, state), 0) << testing::PrintToString(game.ui.texts());
    for (int type = 1; type <= 4; ++type) {
      const BankProfile& p = state.TypeProfile(type);
      const auto a = [&](int item) { return static_cast<int>(p.Amounts(item)); };
      EXPECT_EQ(a(1), a(2) + a(3) + a(4) + a(5) + a(6)) << "type " << type;
      EXPECT_EQ(a(1), a(7) + a(8) + a(9) + a(10) + a(11)) << "type " << type;
      EXPECT_GT(a(1), 1200) << "type " << type;
      EXPECT_LT(a(1), 2000) << "type " << type;
      EXPECT_GT(a(45), 100) << "checking left after the capital, type " << type;
      EXPECT_GT(p.lots.PortfolioAmount(26), 0) << "commercial lots after the cash, type " << type;
      EXPECT_GT(p.Results(46) + p.Results(47), 0) << "net interest income, type " << type;
      for (int item = 1; item <= 121; ++item) {
        EXPECT_TRUE(std::isfinite(p.Results(item))) << "type " << type << ", result " << item;
      }
    }
    LoadOpeningBanks(session, state);
  }
  EXPECT_TRUE(game.ui.shown().empty());
}

}  // namespace
}  // namespace qv
