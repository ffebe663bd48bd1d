#include "platform/Numeric.h"

#include "platform/Random.h"
#include "platform/RuntimeError.h"

namespace qv {

void ThrowOverflow() {
  throw RuntimeError(error::kOverflow);
}

void ThrowDivisionByZero() {
  throw RuntimeError(error::kDivisionByZero);
}

double Jitter(Random& random, double center, double spread) {
  return center + spread * (1.0 - 2.0 * static_cast<double>(random.Next()));
}

}  // namespace qv
