#include "data/PortfolioFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/data/SampleGame.h"

namespace qv {
namespace {

using test::GameDirectory;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(PortfolioFile, BytesOfTheSecondBank) {
  GameDirectory game(2);
  ASSERT_TRUE(WritePortfolioFile(game.session));
  EXPECT_EQ(game.dir.Read("Portf.qv").size(), 20U * 128U);

  // Bank 2 owns records 11..20. LoanRate(33) = 2 + 33/4 = 10.25 opens record 12, whose last
  // four Singles are zero; so are those of record 14 after LoanAmount(60).
  EXPECT_EQ(game.Record("Portf.qv", 128, 12).substr(0, 4), Bytes({0x00, 0x00, 0x24, 0x41}));
  EXPECT_EQ(game.Record("Portf.qv", 128, 12).substr(112, 16), std::string(16, '\0'));
  EXPECT_EQ(game.Record("Portf.qv", 128, 14).substr(112, 16), std::string(16, '\0'));
  // LoanAmount(1) = 201 opens record 13.
  EXPECT_EQ(game.Record("Portf.qv", 128, 13).substr(0, 4), Bytes({0x00, 0x00, 0x49, 0x43}));
  // PortfolioYield(1) = 0.125 opens record 15; PortfolioYield(128) = 16 closes record 18.
  EXPECT_EQ(game.Record("Portf.qv", 128, 15).substr(0, 4), Bytes({0x00, 0x00, 0x00, 0x3E}));
  EXPECT_EQ(game.Record("Portf.qv", 128, 18).substr(124, 4), Bytes({0x00, 0x00, 0x80, 0x41}));
  // PortfolioAmount(64) = 2064 closes record 19, PortfolioAmount(65) = 2065 opens record 20.
  EXPECT_EQ(game.Record("Portf.qv", 128, 19).substr(126, 2), Bytes({0x10, 0x08}));
  EXPECT_EQ(game.Record("Portf.qv", 128, 20).substr(0, 2), Bytes({0x11, 0x08}));
}

TEST(PortfolioFile, EachBankReadsBackWhatWasWritten) {
  GameDirectory game(3);
  ASSERT_TRUE(WritePortfolioFile(game.session));
  for (int bank = 1; bank <= 3; ++bank) {
    Portfolio read;
    ASSERT_TRUE(ReadPortfolio(game.session, bank, &read));
    EXPECT_EQ(read, game.session.tables.Portfolios(bank)) << "bank " << bank;
  }

  Portfolio changed = game.session.tables.Portfolios(2);
  changed.LoanRate(60) = -1.5;
  changed.PortfolioAmount(128) = -32768;
  ASSERT_TRUE(WritePortfolio(game.session, 2, changed));
  Portfolio read;
  ASSERT_TRUE(ReadPortfolio(game.session, 2, &read));
  EXPECT_EQ(read, changed);
  ASSERT_TRUE(ReadPortfolio(game.session, 3, &read));
  EXPECT_EQ(read, game.session.tables.Portfolios(3)) << "the next bank untouched";
}

TEST(PortfolioFile, ABankTheFileDoesNotHoldFailsToRead) {
  GameDirectory game(1);
  ASSERT_TRUE(WritePortfolioFile(game.session));
  game.ui.Then(Answer::kCancel);
  Portfolio read;
  read.LoanRate(1) = 42;
  EXPECT_FALSE(ReadPortfolio(game.session, 2, &read));
  EXPECT_EQ(game.ui.texts(),
            std::vector<std::string>{"Cannot read file " + game.dir.path() + "PORTF.QV"});
  EXPECT_EQ(read.LoanRate(1), 42) << "nothing taken from a failed read";
}

}  // namespace
}  // namespace qv
