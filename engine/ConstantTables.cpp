#include "engine/ConstantTables.h"

#include <array>

namespace qv {

namespace {

constexpr std::array<int, 5> kPurchaseBuckets = {1, 2, 4, 20, 25};
constexpr std::array<int, 3> kNoteBuckets = {45, 50, 60};

// Per product 1..8: weights of expenses A, B, C, premises, market balance, the divisor, and
// expense D. Products 1 and 2 are the two deposit markets.
constexpr std::array<std::array<int, 7>, 8> kAttractionWeights = {{
    {4, 2, 1, 3, 12, 25, 3},
    {4, 2, 1, 3, 12, 25, 3},
    {7, 3, 1, 4, 7, 25, 3},
    {5, 3, 1, 2, 11, 25, 3},
    {5, 1, 3, 2, 11, 25, 3},
    {7, 1, 3, 4, 7, 25, 3},
    {7, 1, 3, 4, 7, 25, 3},
    {7, 1, 3, 4, 7, 25, 3},
}};

// Per product: rate sensitivity, upper and lower bound of the rate factor.
constexpr std::array<std::array<double, 3>, 8> kProductParams = {{
    {10, 1.1, 0.9},
    {8, 1.15, 0.85},
    {3, 2, 0.05},
    {1, 4, 0.05},
    {2, 3, 0.05},
    {5, 2, 0.05},
    {3, 2, 0.05},
    {3, 2, 0.05},
}};

}  // namespace

void FillConstantTables(EngineContext& context) {
  for (int i = 1; i <= 5; ++i) {
    context.PurchaseBuckets(i) = kPurchaseBuckets[static_cast<std::size_t>(i - 1)];
  }
  for (int i = 1; i <= 3; ++i) {
    context.NoteBuckets(i) = kNoteBuckets[static_cast<std::size_t>(i - 1)];
  }
  for (int p = 1; p <= 8; ++p) {
    const auto row = static_cast<std::size_t>(p - 1);
    for (int c = 1; c <= 7; ++c) {
      context.AttractionWeights(p, c) = kAttractionWeights[row][static_cast<std::size_t>(c - 1)];
    }
    for (int c = 1; c <= 3; ++c) {
      context.ProductParams(p, c) = kProductParams[row][static_cast<std::size_t>(c - 1)];
    }
  }
}

}  // namespace qv
