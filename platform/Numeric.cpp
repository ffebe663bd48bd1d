#include "platform/Numeric.h"

#include <cmath>

#include "platform/Random.h"
#include "platform/RuntimeError.h"

namespace qv {

std::int16_t ToAmount(double value) {
  if (!std::isfinite(value)) {
    throw RuntimeError(error::kOverflow);
  }
  // nearbyint honours the default rounding mode, round to nearest with ties to even.
  const double rounded = std::nearbyint(value);
  if (rounded < -32768.0 || rounded > 32767.0) {
    throw RuntimeError(error::kOverflow);
  }
  return static_cast<std::int16_t>(rounded);
}

double CheckedDivide(double numerator, double denominator) {
  if (denominator == 0.0) {
    throw RuntimeError(error::kDivisionByZero);
  }
  return numerator / denominator;
}

double Jitter(Random& random, double center, double spread) {
  return center + spread * (1.0 - 2.0 * static_cast<double>(random.Next()));
}

}  // namespace qv
