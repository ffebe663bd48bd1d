#include "engine/MarketAllocation.h"

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {

namespace {

// ShareWork columns.
constexpr int kScore = 1;
constexpr int kFactor = 2;
constexpr int kWeight = 3;  // score x factor, then the share of TotalScore
constexpr int kAllocated = 4;
constexpr int kCeiling = 5;
constexpr int kApplicationLimit = 6;
constexpr int kOverflow = 7;

constexpr int kHomeEquityKind = 6;
// Not a decision of its own: the rate item that marks the home-equity rule, which weighs the
// loan rate and the fee together.
constexpr int kHomeEquityRates = 10;

// The industry's balance in the market of product 1..8: checking, savings, time deposits,
// certificates, commercial, consumer and real-estate loans, home-equity loans.
int IndustryBalance(int product) {
  return product < 8 ? industry::kCheckingDeposits + product - 1 : industry::kHomeEquityLoans;
}

int Banks(const EngineContext& context) {
  return context.session.game.NumBanks;
}

// Turns each bank's weight into its share of the market's total weight.
void NormaliseWeights(EngineContext& context) {
  for (int b = 1; b <= Banks(context); ++b) {
    context.ShareWork(b, kWeight) =
        CheckedDivide(context.ShareWork(b, kWeight), context.TotalScore);
  }
}

std::int16_t Rounded(const EngineContext& context, int bank, int column) {
  return ToAmount(context.ShareWork(bank, column));
}

void AddRounded(std::int16_t& amount, double value) {
  amount = ToAmount(static_cast<double>(amount) + value);
}

// Attraction score of `bank` in product 1..8 holding `balance` in that market: its spending,
// premises and balance, each against the industry's, weighted per product. Across the banks
// the scores add up to about 1.
double Attraction(EngineContext& context, int product, double balance, int bank) {
  const GameTables& t = context.tables;
  const int p = product;
  const int b = bank;
  auto aw = [&](int column) { return static_cast<double>(context.AttractionWeights(p, column)); };
  auto d = [&](int item) { return static_cast<double>(t.Decision(b, item)); };
  auto bv = [&](int item) { return t.BankValues(b, item); };
  auto ba = [&](int item) { return static_cast<double>(t.BankAmounts(b, item)); };
  auto is = [&](int item) { return t.IndustrySums(item); };

  const double sum =
      aw(1) *
          CheckedDivide(d(decision::kExpenseA) + bv(value::kExpenseA), is(industry::kExpenseA)) +
      aw(2) *
          CheckedDivide(d(decision::kExpenseB) + bv(value::kExpenseB), is(industry::kExpenseB)) +
      aw(3) *
          CheckedDivide(d(decision::kExpenseC) + bv(value::kExpenseC), is(industry::kExpenseC)) +
      aw(4) *
          CheckedDivide(ba(amount::kPremises) + d(decision::kPremises), is(industry::kPremises)) +
      aw(5) * CheckedDivide(balance, is(IndustryBalance(p))) +
      aw(7) * CheckedDivide(d(decision::kExpenseD) + bv(value::kExpenseD), is(industry::kExpenseD));
  return CheckedDivide(sum, aw(6));
}

// How a rate advantage `advantage` (percent, positive = better for the customer) scales the
// bank's attraction in the product, within the product's bounds.
double RateFactor(const EngineContext& context, int product, double advantage) {
  const double sensitivity = context.ProductParams(product, 1);
  return Max(Min(1.0 + CheckedDivide(advantage, sensitivity), context.ProductParams(product, 2)),
             context.ProductParams(product, 3));
}

// Weight = score x rate factor; clears the bank's allocation and adds its weight to
// `TotalScore`.
void ScoreBank(EngineContext& context, int bank) {
  context.ShareWork(bank, kWeight) =
      context.ShareWork(bank, kScore) * context.ShareWork(bank, kFactor);
  context.ShareWork(bank, kAllocated) = 0.0;
  context.ShareWork(bank, kOverflow) = 0.0;
  context.TotalScore += context.ShareWork(bank, kWeight);
}

}  // namespace

void AllocationPass(EngineContext& context) {
  if (context.ActiveWeight == 0.0) {
    return;
  }
  const double active = context.ActiveWeight;
  const double available = context.Pool;
  context.Pool = 0.0;
  context.ActiveWeight = 0.0;
  for (int b = 1; b <= Banks(context); ++b) {
    auto sw = [&](int column) -> double& { return context.ShareWork(b, column); };
    // A bank already at its ceiling takes no part after the first pass.
    if (sw(kAllocated) == sw(kCeiling) && active != 1.0) {
      continue;
    }
    const double x = sw(kWeight) / active * available;
    if (x + sw(kAllocated) > sw(kCeiling)) {
      sw(kOverflow) = Max(x + sw(kAllocated) - sw(kApplicationLimit), 0.0);
      context.Pool += x + sw(kAllocated) - sw(kCeiling);
      // Lands exactly on the ceiling and leaves the active weight: deciding that from
      // x + allocated < ceiling would, in doubles, sometimes keep the bank counted in the
      // next pass's weight while the skip rule leaves it out, and its share would vanish.
      sw(kAllocated) = sw(kCeiling);
      continue;
    }
    if (x + sw(kAllocated) < sw(kCeiling)) {
      context.ActiveWeight += sw(kWeight);
    }
    sw(kAllocated) += x;
  }
}

void RunAllocation(EngineContext& context) {
  // A pass that returns anything to the pool has capped at least one more bank, so the pool
  // is handed out, or every bank is full, within one pass per bank after the first.
  const int max_passes = Banks(context) + 1;
  for (int pass = 1; pass <= max_passes; ++pass) {
    AllocationPass(context);
    if (context.Pool <= 0.0 || context.ActiveWeight <= 0.0) {
      return;
    }
  }
}

namespace {

// Hands out the whole market from a full pool.
void StartPool(EngineContext& context) {
  context.ActiveWeight = 1.0;
  context.Pool = context.MarketSize;
  RunAllocation(context);
}

// Deposit market 1 (checking) or 2 (savings): the whole balance is divided anew each quarter.
void AllocateDepositMarket(EngineContext& context, int product) {
  GameTables& t = context.tables;
  const int p = product;
  const bool checking = p == 1;
  const int balance_item = checking ? amount::kCheckingDeposits : amount::kSavingsDeposits;
  context.TotalScore = 0.0;
  context.MarketSize =
      t.EconIndex(checking ? econ_index::kCheckingMarket : econ_index::kSavingsMarket);
  for (int b = 1; b <= Banks(context); ++b) {
    context.ShareWork(b, kScore) =
        Attraction(context, p, static_cast<double>(t.BankAmounts(b, balance_item)), b);
    // The two deposit products are numbered as their rate decisions and the rates' averages.
    const double advantage = static_cast<double>(t.Decision(b, p)) - t.IndustrySums(p);
    context.ShareWork(b, kFactor) = RateFactor(context, p, advantage);
    ScoreBank(context, b);
  }
  if (context.MarketSize > 0.0) {
    NormaliseWeights(context);
    for (int b = 1; b <= Banks(context); ++b) {
      context.ShareWork(b, kCeiling) =
          context.ShareWork(b, kScore) * context.ProductParams(p, 2) * context.MarketSize;
    }
    StartPool(context);
  }
  for (int b = 1; b <= Banks(context); ++b) {
    t.BankAmounts(b, balance_item) = Rounded(context, b, kAllocated);
  }
}

// One loan, term-deposit or certificate market, as described by the context's MarketKind,
// MarketIndexItem, MarketFactor, BalanceItem, RateItem and LimitItem. Kinds 2, 3, 4 and 6
// store their allocations and overflows; kinds 1 and 5 leave them in `ShareWork` for the
// caller, whose two calls share one market and one volume limit.
void AllocateMarket(EngineContext& context) {
  GameTables& t = context.tables;
  const int k = context.MarketKind;
  const int p = k + 2;

  context.TotalScore = 0.0;
  const double index = t.EconIndex(k < kHomeEquityKind ? context.MarketIndexItem
                                                       : econ_index::kHomeEquityLoanMarket);
  const double existing = t.IndustrySums(IndustryBalance(p));
  context.MarketSize =
      (index - existing + static_cast<double>(context.IndustryCounts(k))) * context.MarketFactor;

  for (int b = 1; b <= Banks(context); ++b) {
    auto d = [&](int item) { return static_cast<double>(t.Decision(b, item)); };
    context.ShareWork(b, kScore) =
        Attraction(context, p, static_cast<double>(t.BankAmounts(b, context.BalanceItem)), b);
    double advantage = 0.0;
    if (context.RateItem < kHomeEquityRates) {
      // A rate decision's average carries the decision's number.
      advantage = t.IndustrySums(context.RateItem) - d(context.RateItem);
    } else {
      // Home-equity loans: the rate below average, and a quarter of the fee below average.
      advantage =
          (t.IndustrySums(industry::kHomeEquityLoanRate) - d(decision::kHomeEquityLoanRate)) +
          (t.IndustrySums(industry::kHomeEquityFee) - d(decision::kHomeEquityFee)) / 4.0;
    }
    if (k == 1) {
      advantage = -advantage;  // depositors look for the higher rate
    } else if (k == 2) {
      // Certificate buyers also look at the bank's capital against the industry's.
      advantage = -advantage + t.BankValues(b, value::kSmoothedCapitalRatio) -
                  t.IndustrySums(industry::kCapitalRatio);
    }
    context.ShareWork(b, kFactor) = RateFactor(context, p, advantage);
    ScoreBank(context, b);
  }

  if (context.MarketSize > 0.0) {
    NormaliseWeights(context);
    for (int b = 1; b <= Banks(context); ++b) {
      auto sw = [&](int column) -> double& { return context.ShareWork(b, column); };
      double limit = static_cast<double>(t.Decision(b, context.LimitItem));
      // The second call of a pair may use only what the first left of the volume limit.
      if (k == 1) {
        limit -= static_cast<double>(t.BankAmounts(b, amount::kNewTimeDeposits)) +
                 static_cast<double>(t.BankAmounts(b, amount::kNewLongTimeDeposits));
      } else if (k == 5) {
        limit -= static_cast<double>(t.BankAmounts(b, amount::kNewFixedRealEstateLoans)) +
                 static_cast<double>(t.BankAmounts(b, amount::kNewFloatingRealEstateLoans));
      }
      sw(kApplicationLimit) = Max(limit, 0.0);
      sw(kCeiling) =
          Min(sw(kApplicationLimit), context.ProductParams(p, 2) * sw(kScore) * context.MarketSize);
      if (k == 2) {
        // A certificate priced well below the market rate loses most of its buyers.
        const double below = t.MarketRates(market_rate::kSixMonth) -
                             static_cast<double>(t.Decision(b, decision::kCdRate));
        if (below > 1.0) {
          sw(kCeiling) *= 0.1;
        } else if (below > 0.75) {
          sw(kCeiling) *= 0.25;
        } else if (below > 0.5) {
          sw(kCeiling) *= 0.5;
        }
      }
    }
    StartPool(context);
  }

  int allocation_item = 0;
  int overflow_item = 0;
  switch (k) {
    case 2:
      allocation_item = amount::kNewCertificates;
      overflow_item = amount::kCdOverflow;
      break;
    case 3:
      allocation_item = amount::kNewCommercialLoans;
      overflow_item = amount::kCommercialOverflow;
      break;
    case 4:
      allocation_item = amount::kNewConsumerLoans;
      overflow_item = amount::kConsumerOverflow;
      break;
    case kHomeEquityKind:
      allocation_item = amount::kNewHomeEquityLoans;
      overflow_item = amount::kHomeEquityOverflow;
      break;
    default:
      return;
  }
  for (int b = 1; b <= Banks(context); ++b) {
    t.BankAmounts(b, allocation_item) = Rounded(context, b, kAllocated);
    t.BankAmounts(b, overflow_item) = Rounded(context, b, kOverflow);
  }
}

void SetMarket(EngineContext& context, int kind, int index_item, double factor, int balance_item,
               int rate_item, int limit_item) {
  context.MarketKind = kind;
  context.MarketIndexItem = index_item;
  context.MarketFactor = factor;
  context.BalanceItem = balance_item;
  context.RateItem = rate_item;
  context.LimitItem = limit_item;
}

// Stores one call of a paired market (kinds 1 and 5): the allocation into `items`, the
// overflow added to the pair's common overflow item.
void StorePairCall(EngineContext& context, std::initializer_list<int> items, int overflow_item) {
  if (context.MarketSize <= 0.0) {
    return;
  }
  GameTables& t = context.tables;
  for (int b = 1; b <= Banks(context); ++b) {
    const std::int16_t allocation = Rounded(context, b, kAllocated);
    for (const int item : items) {
      t.BankAmounts(b, item) = allocation;
    }
    AddRounded(t.BankAmounts(b, overflow_item), context.ShareWork(b, kOverflow));
  }
}

}  // namespace

void AllocateMarkets(EngineContext& context) {
  using namespace amount;
  AllocateDepositMarket(context, 1);
  AllocateDepositMarket(context, 2);

  // Three quarters of new time deposits take the one-year offer, a quarter the five-year.
  SetMarket(context, 1, econ_index::kTimeDepositMarket, 0.75, kTimeDeposits,
            decision::kTimeDepositRate, decision::kTimeDepositLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewTimeDeposits, kNewTimeDepositsCopy}, kTimeDepositOverflow);
  SetMarket(context, 1, econ_index::kTimeDepositMarket, 0.25, kTimeDeposits,
            decision::kLongTimeDepositRate, decision::kTimeDepositLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewLongTimeDeposits, kNewLongTimeDepositsCopy}, kTimeDepositOverflow);

  SetMarket(context, 2, econ_index::kCertificateMarket, 1.0, kCertificates, decision::kCdRate,
            decision::kCdLimit);
  AllocateMarket(context);
  SetMarket(context, 3, econ_index::kCommercialLoanMarket, 1.0, kCommercialLoans,
            decision::kCommercialLoanRate, decision::kCommercialLoanLimit);
  AllocateMarket(context);
  SetMarket(context, 4, econ_index::kConsumerLoanMarket, 1.0, kConsumerLoans,
            decision::kConsumerLoanRate, decision::kConsumerLoanLimit);
  AllocateMarket(context);
  SetMarket(context, kHomeEquityKind, econ_index::kHomeEquityLoanMarket, 1.0, kHomeEquityLoans,
            kHomeEquityRates, decision::kHomeEquityLoanLimit);
  AllocateMarket(context);

  // Real-estate loans: half the market at the fixed rate, half at the floating rate.
  SetMarket(context, 5, econ_index::kRealEstateLoanMarket, 0.5, kRealEstateLoans,
            decision::kFixedRealEstateRate, decision::kRealEstateLoanLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewFixedRealEstateLoans}, kRealEstateOverflow);
  SetMarket(context, 5, econ_index::kRealEstateLoanMarket, 0.5, kRealEstateLoans,
            decision::kFloatingRealEstateRate, decision::kRealEstateLoanLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewFloatingRealEstateLoans}, kRealEstateOverflow);
}

}  // namespace qv
