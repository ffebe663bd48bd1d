#include "platform/Random.h"

namespace qv {

namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
}  // namespace

SeededRandom::SeededRandom(std::uint64_t seed) : state_(0) {
  state_ = state_ * kMultiplier + kIncrement;
  state_ += seed;
  state_ = state_ * kMultiplier + kIncrement;
}

float SeededRandom::Next() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + kIncrement;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rotation = static_cast<std::uint32_t>(old >> 59U);
  const std::uint32_t output = (xorshifted >> rotation) | (xorshifted << ((32U - rotation) & 31U));
  // 24 bits fit a single exactly, so the result is always below 1.
  return static_cast<float>(output >> 8U) / 16777216.0F;
}

}  // namespace qv
