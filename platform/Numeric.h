#pragma once

#include <cstdint>

namespace qv {

class Random;

// The one conversion of a computed value to a 16-bit amount: nearest whole number, halves
// to even. Throws RuntimeError(6) when the result lies outside -32768..32767 or the value
// is not finite.
std::int16_t ToAmount(double value);

// Converts to a 16-bit integer the same way; for counts and flags that share the rule.
inline std::int16_t ToInteger(double value) {
  return ToAmount(value);
}

// numerator / denominator; throws RuntimeError(11) when the denominator is zero.
double CheckedDivide(double numerator, double denominator);

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
