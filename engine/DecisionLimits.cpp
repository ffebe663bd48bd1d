#include "engine/DecisionLimits.h"

#include <array>

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {

namespace {

// Decisions are singles: every limit step stores its result at that precision, as the next
// step reads it.
double Get(const GameTables& t, int bank, int item) {
  return static_cast<double>(t.Decision(bank, item));
}
void Set(GameTables& t, int bank, int item, double value) {
  t.Decision(bank, item) = ToSingle(value);
}

// The regulatory cap of a capped rate decision (3..9, 15, 16): an Environment value.
double RateCap(const GameTables& t, int item) {
  using namespace environment;
  switch (item) {
    case decision::kTimeDepositRate:
    case decision::kLongTimeDepositRate:
      return t.Environment(kMaxTimeDepositRate);
    case decision::kCdRate:
      return t.Environment(kMaxCdRate);
    case decision::kCommercialLoanRate:
      return t.Environment(kMaxCommercialLoanRate);
    case decision::kConsumerLoanRate:
      return t.Environment(kMaxConsumerLoanRate);
    case decision::kFixedRealEstateRate:
    case decision::kFloatingRealEstateRate:
      return t.Environment(kMaxRealEstateLoanRate);
    case decision::kHomeEquityLoanRate:
      return t.Environment(kMaxHomeEquityLoanRate);
    case decision::kHomeEquityFee:
      return t.Environment(kMaxHomeEquityFee);
    default:
      throw RuntimeError(error::kSubscriptOutOfRange);
  }
}

// The market-based value of a capped rate decision, which replaces the bank's own in the
// start quarter. Decision 16 (the fee) takes the bank's own fee rate.
double MarketDefault(const GameTables& t, int bank, int item) {
  switch (item) {
    case decision::kTimeDepositRate:
      return t.MarketRates(market_rate::kOneYear);
    case decision::kLongTimeDepositRate:
      return t.MarketRates(market_rate::kFiveYear);
    case decision::kCdRate:
      return t.MarketRates(market_rate::kSixMonth);
    case decision::kCommercialLoanRate:
      return t.MarketRates(market_rate::kPrime);
    case decision::kConsumerLoanRate:
      return t.MarketRates(market_rate::kPrime) + 5.0;
    case decision::kFixedRealEstateRate:
      return t.MarketRates(market_rate::kMortgage);
    case decision::kFloatingRealEstateRate:
      return t.MarketRates(market_rate::kOneYear) + 0.5;
    case decision::kHomeEquityLoanRate:
      return t.MarketRates(market_rate::kMortgage) + 1.0;
    case decision::kHomeEquityFee:
      return 100.0 * t.BankValues(bank, value::kHomeEquityFeeRate);
    default:
      throw RuntimeError(error::kSubscriptOutOfRange);
  }
}

// Rate decision limited by its cap; in the start quarter the market default takes its place.
void CapRate(EngineContext& context, int bank, int item) {
  GameTables& t = context.tables;
  const double wanted =
      context.session.game.ResultsQuarter >= 1 ? Get(t, bank, item) : MarketDefault(t, bank, item);
  Set(t, bank, item, Min(wanted, RateCap(t, item)));
}

// Industry measure of a spending item: half the bank's spending plus a spread scaled by the
// price index.
double Spend(const GameTables& t, double value, double spread) {
  return (value + 2.0 * spread * t.EconIndex(econ_index::kPriceLevel) / 100.0) / 2.0;
}

void AddCount(EngineContext& context, int slot, std::int16_t value) {
  context.IndustryCounts(slot) =
      ToInteger(static_cast<double>(context.IndustryCounts(slot)) + static_cast<double>(value));
}

}  // namespace

void LimitDecisions(EngineContext& context, int bank) {
  GameTables& t = context.tables;
  const int b = bank;
  auto bv = [&](int item) { return t.BankValues(b, item); };
  auto ba = [&](int item) { return static_cast<double>(t.BankAmounts(b, item)); };
  auto clamp_min = [&](int item, double bound) { Set(t, b, item, Max(Get(t, b, item), bound)); };
  auto clamp_max = [&](int item, double bound) { Set(t, b, item, Min(Get(t, b, item), bound)); };

  for (int item = 1; item <= decision::kCount; ++item) {
    clamp_min(item, 0.0);
  }
  clamp_max(decision::kCheckingRate, t.Environment(environment::kMaxCheckingRate));
  clamp_max(decision::kSavingsRate, t.Environment(environment::kMaxSavingsRate));
  for (int item = decision::kTimeDepositRate; item <= decision::kFloatingRealEstateRate; ++item) {
    CapRate(context, b, item);
  }

  // Spending moves at most a quarter either way from last quarter's.
  clamp_min(decision::kExpenseA, 0.75 * bv(value::kExpenseA));
  clamp_max(decision::kExpenseA, 1.25 * bv(value::kExpenseA));
  clamp_max(decision::kExpenseB, 0.25 * bv(value::kTotalInterestIncome));
  clamp_max(decision::kExpenseC, 0.25 * bv(value::kTotalInterestIncome));
  for (int item = decision::kFirstSecurityPurchase; item < decision::kFirstSecuritySale; ++item) {
    clamp_max(item, 1000.0);
  }

  clamp_min(decision::kPremises, 0.75 * ba(amount::kPremises));
  clamp_max(decision::kPremises, 1.25 * ba(amount::kPremises));
  Set(t, b, decision::kPremises,
      Max(Min(Get(t, b, decision::kPremises), ba(amount::kEquity)), 0.0));

  CapRate(context, b, decision::kHomeEquityLoanRate);
  CapRate(context, b, decision::kHomeEquityFee);

  clamp_min(decision::kExpenseD, 0.5 * bv(value::kExpenseD));
  clamp_max(decision::kExpenseD, 1.5 * bv(value::kExpenseD));

  // The dividend: once the game runs, at most a quarter of book value per share and at most
  // twice the larger of last quarter's and the smoothed dividend, unless earnings per share
  // allow more; in every quarter no more than retained earnings per share.
  if (context.session.game.ResultsQuarter >= 1) {
    const double limit =
        Min(0.25 * bv(value::kBookValuePerShare),
            Max(bv(value::kEarningsPerShare),
                2.0 * Max(bv(value::kDividendPerShare), bv(value::kSmoothedDividend))));
    clamp_max(decision::kDividendPerShare, limit);
  }
  clamp_max(decision::kDividendPerShare,
            CheckedDivide(ba(amount::kRetainedEarnings), bv(value::kSharesOutstanding)));
  clamp_min(decision::kDividendPerShare, 0.0);

  clamp_max(decision::kFixedLoanSale, ba(amount::kFixedRealEstateLoans));
  clamp_max(decision::kFloatingLoanSale, ba(amount::kFloatingRealEstateLoans));
}

void AddToIndustrySums(EngineContext& context, int bank) {
  GameTables& t = context.tables;
  const int b = bank;
  auto d = [&](int item) { return Get(t, b, item); };
  auto bv = [&](int item) { return t.BankValues(b, item); };
  auto ba = [&](int item) { return static_cast<double>(t.BankAmounts(b, item)); };
  auto add = [&](int item, double value) { t.IndustrySums(item) += value; };
  const auto env = [&](int item) { return t.Environment(item); };

  // Each rate average is numbered as the decision it averages.
  for (int item = industry::kCheckingRate; item <= industry::kFloatingRealEstateRate; ++item) {
    add(item, d(item));
  }
  constexpr std::array<int, 7> kBalances = {amount::kCheckingDeposits, amount::kSavingsDeposits,
                                            amount::kTimeDeposits,     amount::kCertificates,
                                            amount::kCommercialLoans,  amount::kConsumerLoans,
                                            amount::kRealEstateLoans};
  for (std::size_t i = 0; i < kBalances.size(); ++i) {
    add(industry::kCheckingDeposits + static_cast<int>(i), ba(kBalances[i]));
  }
  add(industry::kExpenseA,
      Spend(t, bv(value::kExpenseA) + d(decision::kExpenseA), env(environment::kExpenseASpread)));
  add(industry::kExpenseB,
      Spend(t, bv(value::kExpenseB) + d(decision::kExpenseB), env(environment::kExpenseBCSpread)));
  add(industry::kExpenseC,
      Spend(t, bv(value::kExpenseC) + d(decision::kExpenseC), env(environment::kExpenseBCSpread)));
  add(industry::kPremises,
      Spend(t, ba(amount::kPremises) + d(decision::kPremises), env(environment::kPremisesSpread)));
  add(industry::kCapitalRatio, bv(value::kSmoothedCapitalRatio));
  add(industry::kHomeEquityLoanRate, d(decision::kHomeEquityLoanRate));
  add(industry::kHomeEquityFee, d(decision::kHomeEquityFee));
  add(industry::kHomeEquityLoans, ba(amount::kHomeEquityLoans));
  add(industry::kExpenseD,
      Spend(t, bv(value::kExpenseD) + d(decision::kExpenseD), env(environment::kExpenseDSpread)));

  constexpr std::array<int, 6> kRunOffs = {amount::kTimeDepositRunOff, amount::kCertificateRunOff,
                                           amount::kCommercialRunOff,  amount::kConsumerRunOff,
                                           amount::kRealEstateRunOff,  amount::kHomeEquityRunOff};
  for (std::size_t i = 0; i < kRunOffs.size(); ++i) {
    AddCount(context, 1 + static_cast<int>(i), t.BankAmounts(b, kRunOffs[i]));
  }
}

void PrepareBankQuarter(EngineContext& context, int bank) {
  GameTables& t = context.tables;
  const int b = bank;
  t.BankAmounts(b, amount::kRealEstateOverflow) = 0;
  t.BankAmounts(b, amount::kTimeDepositOverflow) = 0;
  // Weak capital makes the bank's new notes dearer, strong capital cheaper, within bounds.
  const double margin =
      3.0 * Max(Min(1.0 - t.BankValues(b, value::kSmoothedCapitalRatio), 1.0), -0.5);
  t.BankValues(b, value::kFirstNoteRate) = margin + 2.0 + t.MarketRates(market_rate::kFiveYear);
  t.BankValues(b, value::kFirstNoteRate + 1) = margin + 2.0 + t.MarketRates(market_rate::kLongBond);
  t.BankValues(b, value::kFirstNoteRate + 2) = margin + t.EconSeries(10);
  for (const int item : {amount::kNewTimeDeposits, amount::kNewLongTimeDeposits,
                         amount::kSharesRepurchasedAmount, amount::kSharesIssuedAmount,
                         amount::kNewFixedRealEstateLoans, amount::kNewFloatingRealEstateLoans}) {
    t.BankAmounts(b, item) = 0;
  }
  t.BankAmounts(b, amount::kPreviousCheckingDeposits) = t.BankAmounts(b, amount::kCheckingDeposits);
  t.BankAmounts(b, amount::kPreviousSavingsDeposits) = t.BankAmounts(b, amount::kSavingsDeposits);
}

void ComputeIndustryAverages(EngineContext& context) {
  using namespace industry;
  GameTables& t = context.tables;
  Table<double, kCount>& sums = t.IndustrySums;
  const double banks = context.session.game.NumBanks;

  sums(kCapitalRatio) = CheckedDivide(sums(kCapitalRatio), banks);
  for (int item = kCheckingRate; item <= kFloatingRealEstateRate; ++item) {
    sums(item) = CheckedDivide(sums(item), banks);
  }
  sums(kHomeEquityLoanRate) = CheckedDivide(sums(kHomeEquityLoanRate), banks);
  sums(kHomeEquityFee) = CheckedDivide(sums(kHomeEquityFee), banks);

  sums(kCheckingRate) = Max(sums(kCheckingRate), 1.0);
  sums(kSavingsRate) = Max(sums(kSavingsRate), 2.0);

  // Average rates are blended half and half with what the market offers, within the caps.
  auto blend = [&](int item, double market_default, int cap_item) {
    sums(item) = (sums(item) + Min(market_default, RateCap(t, cap_item))) / 2.0;
  };
  for (int item = kTimeDepositRate; item <= kFloatingRealEstateRate; ++item) {
    const double market_default =
        item == kCdRate ? t.MarketRates(market_rate::kSixMonth) + 0.5 : MarketDefault(t, 1, item);
    blend(item, market_default, item);
  }
  blend(kHomeEquityLoanRate, t.MarketRates(market_rate::kMortgage) + 1.0,
        decision::kHomeEquityLoanRate);
  blend(kHomeEquityFee, 100.0 * t.Environment(environment::kHomeEquityFeeNorm),
        decision::kHomeEquityFee);

  for (int item = kCheckingDeposits; item <= kRealEstateLoans; ++item) {
    sums(item) = Max(sums(item), 1.0);
  }
  sums(kHomeEquityLoans) = Max(sums(kHomeEquityLoans), 1.0);
  sums(kCapitalRatio) = Max(sums(kCapitalRatio), 1.0);
  for (int item = 1; item <= kLastFormed; ++item) {
    sums(item) = Max(sums(item), 0.1);
  }
}

}  // namespace qv
