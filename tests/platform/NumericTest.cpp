#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ByteCoding.h"
#include "platform/NumberFormat.h"
#include "platform/Numeric.h"
#include "platform/Random.h"
#include "platform/RuntimeError.h"
#include "platform/Table.h"

namespace qv {
namespace {

int ErrorOf(auto&& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(ToAmount, RoundsHalvesToEven) {
  struct Row {
    double value;
    int expected;
  } rows[] = {{0.5, 0},         {1.5, 2},           {2.5, 2},         {-0.5, 0},
              {-1.5, -2},       {-2.5, -2},         {2.4999, 2},      {2.5001, 3},
              {32767.4, 32767}, {-32768.4, -32768}, {32766.5, 32766}, {-32767.5, -32768}};
  for (const Row& row : rows) {
    EXPECT_EQ(ToAmount(row.value), row.expected) << "value " << row.value;
  }
}

// The fast rounding must agree with the library's round-to-nearest-even everywhere in range:
// every quarter step, values a hair beside each half, and the edges of the range.
TEST(ToAmount, AgreesWithNearbyintAcrossTheRange) {
  for (int quarters = -4 * 32768; quarters <= 4 * 32767; ++quarters) {
    const double value = quarters / 4.0;
    for (double probe : {value, std::nextafter(value, -1e9), std::nextafter(value, 1e9)}) {
      const double expected = std::nearbyint(probe);
      if (expected < -32768.0 || expected > 32767.0) {
        EXPECT_EQ(ErrorOf([&] { ToAmount(probe); }), error::kOverflow) << "value " << probe;
      } else {
        ASSERT_EQ(ToAmount(probe), static_cast<int>(expected)) << "value " << probe;
      }
    }
  }
  EXPECT_EQ(ToAmount(-32768.5), -32768) << "the half below the range rounds to even, inside";
  EXPECT_EQ(ErrorOf([] { ToAmount(39999.0); }), error::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToAmount(-40001.0); }), error::kOverflow);
}

TEST(ToAmount, OverflowIsError6) {
  for (double value :
       {32767.5, 32768.0, -32768.6, 1e9, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(ErrorOf([&] { ToAmount(value); }), error::kOverflow) << "value " << value;
  }
}

TEST(CheckedDivide, ZeroDenominatorIsError11) {
  EXPECT_DOUBLE_EQ(CheckedDivide(7, 2), 3.5);
  EXPECT_EQ(ErrorOf([] { CheckedDivide(1, 0); }), error::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { CheckedDivide(0, -0.0); }), error::kDivisionByZero);
}

TEST(MaxMin, FollowTheirDefinitionWithNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Max(3, 2), 3);
  EXPECT_EQ(Min(3, 2), 2);
  // Max(a, b) is a only when a > b, which a NaN never is: b is returned.
  EXPECT_EQ(Max(nan, 2), 2);
  EXPECT_TRUE(std::isnan(Max(2, nan)));
  // Min(a, b) is b only when a > b.
  EXPECT_TRUE(std::isnan(Min(nan, 2)));
  EXPECT_EQ(Min(2, nan), 2);
}

TEST(Jitter, SpreadsAroundTheCentre) {
  FixedRandom random(0.5F);
  EXPECT_DOUBLE_EQ(Jitter(random, 7.25, 0.05), 7.25);
  random.set_value(0.0F);
  EXPECT_DOUBLE_EQ(Jitter(random, 10, 2), 12);
  random.set_value(0.75F);
  EXPECT_DOUBLE_EQ(Jitter(random, 10, 2), 9);
}

TEST(IntegerPower, AgreesWithPowToTheLastDigits) {
  EXPECT_EQ(IntegerPower(2.0, 10), 1024.0);
  EXPECT_EQ(IntegerPower(1.5, 0), 1.0);
  EXPECT_EQ(IntegerPower(2.0, -2), 0.25);
  for (const double base : {1.0001, 1.0125, 1.02, 0.97}) {
    for (int exponent = 1; exponent <= 80; ++exponent) {
      const double expected = std::pow(base, exponent);
      EXPECT_NEAR(IntegerPower(base, exponent), expected, expected * 1e-14)
          << base << "^" << exponent;
    }
  }
}

TEST(SeededRandom, IsRepeatableAndInRange) {
  SeededRandom first(42);
  SeededRandom second(42);
  SeededRandom other(43);
  bool differs = false;
  for (int i = 0; i < 10000; ++i) {
    const float a = first.Next();
    ASSERT_EQ(a, second.Next());
    ASSERT_GE(a, 0.0F);
    ASSERT_LT(a, 1.0F);
    differs = differs || a != other.Next();
  }
  EXPECT_TRUE(differs);
}

TEST(Table, IsOneBasedAndChecked) {
  Table<int, 3> table;
  table(1) = 10;
  table(3) = 30;
  EXPECT_EQ(table(1), 10);
  EXPECT_EQ(ErrorOf([&] { table(0); }), error::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { table(4); }), error::kSubscriptOutOfRange);
  Table2<int, 2, 5> grid;
  grid(2, 5) = 7;
  EXPECT_EQ(grid(2, 5), 7);
  EXPECT_EQ(grid(1, 5), 0);
  EXPECT_EQ(ErrorOf([&] { grid(3, 1); }), error::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { grid(1, 6); }), error::kSubscriptOutOfRange);
}

TEST(ByteCoding, IsLittleEndian) {
  std::uint8_t bytes[6] = {};
  PutInt16(bytes, 0, -2);
  PutSingle(bytes, 2, 1.0F);
  const std::uint8_t expected[6] = {0xFE, 0xFF, 0x00, 0x00, 0x80, 0x3F};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
  }
  EXPECT_EQ(GetInt16(bytes, 0), -2);
  EXPECT_EQ(GetSingle(bytes, 2), 1.0F);
}

TEST(NumberFormat, UsesTheProgramsFormats) {
  EXPECT_EQ(FormatFixed(1234.5, 0), "1235");  // "####0", halves away from zero
  EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");  // "#0.00"
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
  EXPECT_EQ(FormatShortest(0.49F), "0.49");
  EXPECT_EQ(FormatShortest(12.75F), "12.75");
  EXPECT_EQ(FormatShortest(50.0F), "50");
  EXPECT_EQ(FormatPrinted(7), " 7 ");
  EXPECT_EQ(FormatPrinted(-3), "-3 ");
}

}  // namespace
}  // namespace qv
