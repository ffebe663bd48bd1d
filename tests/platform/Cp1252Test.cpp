#include <gtest/gtest.h>

#include "platform/Cp1252.h"

namespace qv {
namespace {

TEST(Cp1252, ConvertsBothWays) {
  struct Row {
    std::string cp1252;
    std::string utf8;
  } rows[] = {
      {"Bank", "Bank"},
      {"Caf\xE9", "Caf\xC3\xA9"},    // e acute, a Latin-1 letter
      {"\x80 5", "\xE2\x82\xAC 5"},  // the euro sign of the 0x80 row
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"\x81", "\xC2\x81"},  // an undefined byte passes as its control
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Cp1252ToUtf8(row.cp1252), row.utf8);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(row.utf8, &back)) << row.utf8;
    EXPECT_EQ(back, row.cp1252);
  }
}

TEST(Cp1252, RefusesWhatItCannotHold) {
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252("\xE4\xB8\xAD", &out));      // a CJK character
  EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x98\x80", &out));  // an emoji
  EXPECT_FALSE(Utf8ToCp1252("\xC3", &out));              // cut off
  EXPECT_FALSE(Utf8ToCp1252("\xC3(", &out));             // broken continuation
}

}  // namespace
}  // namespace qv
