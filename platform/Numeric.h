#pragma once

#include <cstdint>

namespace qv {

class Random;

// Throw the run-time errors of the conversions below; kept out of line so that the checks,
// which run millions of times a quarter, inline to a few instructions.
[[noreturn]] void ThrowOverflow();
[[noreturn]] void ThrowDivisionByZero();

// The one conversion of a computed value to a 16-bit amount: nearest whole number, halves
// to even. Throws RuntimeError(6) when the result lies outside -32768..32767 or the value
// is not finite.
inline std::int16_t ToAmount(double value) {
  // Also false for a NaN; the bound keeps the rounding below exact.
  if (!(value >= -40000.0 && value <= 40000.0)) {
    ThrowOverflow();
  }
  // Adding and removing 1.5 * 2^52 leaves a double whose last place is 1, so the default
  // rounding (to nearest, ties to even) rounds to a whole number, as std::nearbyint does, but
  // without a library call.
  constexpr double kRoundingShift = 6755399441055744.0;
  const double rounded = (value + kRoundingShift) - kRoundingShift;
  if (rounded < -32768.0 || rounded > 32767.0) {
    ThrowOverflow();
  }
  return static_cast<std::int16_t>(rounded);
}

// Converts to a 16-bit integer the same way; for counts and flags that share the rule.
inline std::int16_t ToInteger(double value) {
  return ToAmount(value);
}

// numerator / denominator; throws RuntimeError(11) when the denominator is zero.
inline double CheckedDivide(double numerator, double denominator) {
  if (denominator == 0.0) {
    ThrowDivisionByZero();
  }
  return numerator / denominator;
}

// The shared comparisons, exactly as defined: Max(a, b) is a when a > b, else b, and
// Min(a, b) is b when a > b, else a. A NaN therefore makes Max return b and Min return a.
inline double Max(double a, double b) {
  return a > b ? a : b;
}
inline double Min(double a, double b) {
  return a > b ? b : a;
}

// center + spread * (1 - 2u) with u the next uniform number of `random`.
double Jitter(Random& random, double center, double spread);

// base raised to a whole exponent by repeated squaring: several times faster than std::pow
// for the short ladders of the books, and within a few units in the last place of it.
inline double IntegerPower(double base, int exponent) {
  const bool negative = exponent < 0;
  unsigned left = negative ? static_cast<unsigned>(-exponent) : static_cast<unsigned>(exponent);
  double result = 1.0;
  while (left != 0) {
    if ((left & 1U) != 0) {
      result *= base;
    }
    base *= base;
    left >>= 1U;
  }
  return negative ? 1.0 / result : result;
}

// Rounds to single precision, as every Single stored in a file is.
inline float ToSingle(double value) {
  return static_cast<float>(value);
}

}  // namespace qv
