#pragma once

#include <cstdint>

namespace qv {

// The program's one source of uniform random numbers in [0, 1), single precision.
class Random {
 public:
  virtual ~Random() = default;
  virtual float Next() = 0;
};

// A seedable generator that gives the same sequence for the same seed on every host
// (a 64-bit permuted congruential generator; 24 bits of each output make the single).
class SeededRandom final : public Random {
 public:
  explicit SeededRandom(std::uint64_t seed);
  float Next() override;

 private:
  std::uint64_t state_;
};

// Always returns the same value: with 0.5, Jitter returns its centre.
class FixedRandom final : public Random {
 public:
  explicit FixedRandom(float value) : value_(value) {}
  float Next() override { return value_; }
  void set_value(float value) { value_ = value; }

 private:
  float value_;
};

}  // namespace qv
