#include "data/CompFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/data/SampleGame.h"

namespace qv {
namespace {

using test::GameDirectory;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(CompFile, RowTables) {
  struct Row {
    int row;
    int value_item;
    int amount_item;
  };
  const Row rows[] = {{1, 1, 1},      {2, 3, 2},      {8, 46, 8},     {12, 51, 32},
                      {20, 88, 129},  {21, 103, 125}, {22, 104, 126}, {25, 104, 129},
                      {26, 104, 130}, {40, 104, 130}};
  for (const Row& r : rows) {
    EXPECT_EQ(CompetitorValueRows(r.row), r.value_item) << "row " << r.row;
    EXPECT_EQ(CompetitorAmountRows(r.row), r.amount_item) << "row " << r.row;
  }
  EXPECT_THROW(CompetitorValueRows(41), RuntimeError);
  EXPECT_THROW(CompetitorAmountRows(0), RuntimeError);
}

TEST(CompFile, ValueAndAmountBytes) {
  GameDirectory game(1);
  GameTables& t = game.session.tables;
  t = GameTables{};
  t.BankValues(3, 1) = 2.5;      // row 1, bank 3: record 1, Single 3
  t.BankValues(10, 104) = -1.0;  // rows 22..40, bank 10: Single 10 of records 22..40
  t.BankAmounts(2, 2) = 0x1234;  // row 2 = second row of record 41, bank 2: Integer 12
  t.BankAmounts(10, 130) = -2;   // rows 26..40; row 40 is record 60, Integer 20
  ASSERT_TRUE(WriteCompFile(game.session, 0));

  EXPECT_EQ(game.dir.Read("Comp.qv").size(), 60U * 40U);
  EXPECT_EQ(game.Record("Comp.qv", 40, 1).substr(8, 4), Bytes({0x00, 0x00, 0x20, 0x40}));
  for (int record = 22; record <= 40; ++record) {
    EXPECT_EQ(game.Record("Comp.qv", 40, record).substr(36, 4), Bytes({0x00, 0x00, 0x80, 0xBF}))
        << "record " << record;
  }
  EXPECT_EQ(game.Record("Comp.qv", 40, 41).substr(22, 2), Bytes({0x34, 0x12}));
  EXPECT_EQ(game.Record("Comp.qv", 40, 53).substr(38, 2), Bytes({0xFE, 0xFF})) << "row 26";
  EXPECT_EQ(game.Record("Comp.qv", 40, 60).substr(38, 2), Bytes({0xFE, 0xFF})) << "row 40";
}

TEST(CompFile, ReportReadsWhatTheAdvanceWrote) {
  GameDirectory game(2);
  // Banks beyond NumBanks are written too, with whatever the tables hold for them.
  game.session.tables.BankValues(7, 8) = 12.5;
  game.session.tables.BankAmounts(9, 130) = 77;
  ASSERT_TRUE(WriteCompFile(game.session, 0));

  CompetitorTables read;
  ASSERT_TRUE(ReadComp(game.session, &read));
  const GameTables& t = game.session.tables;
  for (int bank = 1; bank <= 10; ++bank) {
    for (int row = 1; row <= 40; ++row) {
      EXPECT_EQ(read.CompetitorValues(bank, row),
                static_cast<float>(t.BankValues(bank, CompetitorValueRows(row))))
          << "bank " << bank << " row " << row;
      EXPECT_EQ(read.CompetitorAmounts(bank, row), t.BankAmounts(bank, CompetitorAmountRows(row)))
          << "bank " << bank << " row " << row;
    }
  }
  EXPECT_EQ(read.CompetitorValues(7, 7), 12.5F);
  EXPECT_EQ(read.CompetitorAmounts(9, 40), 77);
}

}  // namespace
}  // namespace qv
