#include "engine/Economy.h"

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {

namespace {

constexpr double kRateSpread = 0.05;
// Growth at or above this trend is a normal economy; below it loan losses rise.
constexpr double kSlowTrend = 1.023;

}  // namespace

void SetEconomicEnvironment(EngineContext& context) {
  GameTables& t = context.tables;
  Random& random = context.session.random;

  double growth = 1.0;
  for (int i = 1; i <= 8; ++i) {
    t.MarketRates(i) = Jitter(random, t.EconSeries(i), kRateSpread);
    // Index i grows by series i + 10. Series 11 moves the price level, which may fall; the
    // market sizes never shrink by growth.
    growth = i == 1 ? t.EconSeries(11) : Max(t.EconSeries(i + 10), 1.0);
    t.EconIndex(i) = t.EconIndex(i) * growth;
  }
  t.MarketRates(9) = Jitter(random, t.EconSeries(9), kRateSpread);
  t.EconIndex(econ_index::kGrowthIndex) = t.EconIndex(econ_index::kGrowthIndex) * t.EconTrend(2);
  // The home-equity market grows with the certificate market, the last factor drawn above.
  t.EconIndex(econ_index::kHomeEquityLoanMarket) =
      t.EconIndex(econ_index::kHomeEquityLoanMarket) * growth;

  context.Slow = t.EconTrend(2) < kSlowTrend ? 1 : 0;

  t.IndustrySums.Fill(0.0);
  context.IndustryCounts.Fill(0);
}

}  // namespace qv
