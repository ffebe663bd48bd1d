#include "platform/Numeric.h"

#include "platform/Random.h"

namespace qv {

double Jitter(Random& random, double center, double spread) {
  return center + spread * (1.0 - 2.0 * static_cast<double>(random.Next()));
}

}  // namespace qv
