#include "platform/RuntimeError.h"

namespace qv {

void ThrowOverflow() {
  throw RuntimeError(error::kOverflow);
}

void ThrowSubscriptOutOfRange() {
  throw RuntimeError(error::kSubscriptOutOfRange);
}

void ThrowDivisionByZero() {
  throw RuntimeError(error::kDivisionByZero);
}

}  // namespace qv
