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

// Hands out the whole market from a full pool.
void StartPool(EngineContext& context) {
  context.ActiveWeight = 1.0;
  context.Pool = context.MarketSize;
  RunAllocation(context);
}

std::int16_t Rounded(const EngineContext& context, int bank, int column) {
  return ToAmount(context.ShareWork(bank, column));
}

void AddRounded(std::int16_t& amount, double value) {
  amount = ToAmount(static_cast<double>(amount) + value);
}

}  // namespace

double Attraction(EngineContext& context, int product, double balance, int bank) {
  const GameTables& t = context.tables;
  const int p = product;
  const int b = bank;
  auto aw = [&](int column) { return static_cast<double>(context.AttractionWeights(p, column)); };
  auto d = [&](int item) { return static_cast<double>(t.Decision(b, item)); };
  auto bv = [&](int item) { return t.BankValues(b, item); };
  auto ba = [&](int item) { return static_cast<double>(t.BankAmounts(b, item)); };
  auto is = [&](int item) { return t.IndustrySums(item); };

  const double market_total = p < 8 ? is(p + 9) : is(24);
  const double sum = aw(1) * CheckedDivide(d(decision::kExpenseA) + bv(value::kExpenseA), is(17)) +
                     aw(2) * CheckedDivide(d(decision::kExpenseB) + bv(value::kExpenseB), is(18)) +
                     aw(3) * CheckedDivide(d(decision::kExpenseC) + bv(value::kExpenseC), is(19)) +
                     aw(4) * CheckedDivide(ba(amount::kPremises) + d(decision::kPremises), is(20)) +
                     aw(5) * CheckedDivide(balance, market_total) +
                     aw(7) * CheckedDivide(d(decision::kExpenseD) + bv(value::kExpenseD), is(25));
  return CheckedDivide(sum, aw(6));
}

double RateFactor(const EngineContext& context, int product, double advantage) {
  const double sensitivity = context.ProductParams(product, 1);
  return Max(Min(1.0 + CheckedDivide(advantage, sensitivity), context.ProductParams(product, 2)),
             context.ProductParams(product, 3));
}

void ScoreBank(EngineContext& context, int bank) {
  context.ShareWork(bank, kWeight) =
      context.ShareWork(bank, kScore) * context.ShareWork(bank, kFactor);
  context.ShareWork(bank, kAllocated) = 0.0;
  context.ShareWork(bank, kOverflow) = 0.0;
  context.TotalScore += context.ShareWork(bank, kWeight);
}

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

void AllocateDepositMarket(EngineContext& context, int product) {
  GameTables& t = context.tables;
  const int p = product;
  const int balance_item = 2 * p + 43;
  context.TotalScore = 0.0;
  context.MarketSize = t.EconIndex(p + 4);
  for (int b = 1; b <= Banks(context); ++b) {
    context.ShareWork(b, kScore) =
        Attraction(context, p, static_cast<double>(t.BankAmounts(b, balance_item)), b);
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

void AllocateMarket(EngineContext& context) {
  GameTables& t = context.tables;
  const int k = context.MarketKind;
  const int p = k + 2;

  context.TotalScore = 0.0;
  const double index = t.EconIndex(k < kHomeEquityKind ? context.MarketIndexItem : 10);
  const double existing = t.IndustrySums(k < kHomeEquityKind ? k + 11 : 24);
  context.MarketSize =
      (index - existing + static_cast<double>(context.IndustryCounts(k))) * context.MarketFactor;

  for (int b = 1; b <= Banks(context); ++b) {
    auto d = [&](int item) { return static_cast<double>(t.Decision(b, item)); };
    context.ShareWork(b, kScore) =
        Attraction(context, p, static_cast<double>(t.BankAmounts(b, context.BalanceItem)), b);
    double advantage = 0.0;
    if (context.RateItem < 10) {
      advantage = t.IndustrySums(context.RateItem) - d(context.RateItem);
    } else {
      // Home-equity loans: the rate below average, and a quarter of the fee below average.
      advantage = (t.IndustrySums(22) - d(decision::kHomeEquityLoanRate)) +
                  (t.IndustrySums(23) - d(decision::kHomeEquityFee)) / 4.0;
    }
    if (k == 1) {
      advantage = -advantage;  // depositors look for the higher rate
    } else if (k == 2) {
      // Certificate buyers also look at the bank's capital against the industry's.
      advantage = -advantage + t.BankValues(b, value::kSmoothedCapitalRatio) - t.IndustrySums(21);
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
        const double below =
            t.MarketRates(2) - static_cast<double>(t.Decision(b, decision::kCdRate));
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

namespace {

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
  SetMarket(context, 1, 7, 0.75, kTimeDeposits, decision::kTimeDepositRate,
            decision::kTimeDepositLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewTimeDeposits, kNewTimeDepositsCopy}, kTimeDepositOverflow);
  SetMarket(context, 1, 7, 0.25, kTimeDeposits, decision::kLongTimeDepositRate,
            decision::kTimeDepositLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewLongTimeDeposits, kNewLongTimeDepositsCopy}, kTimeDepositOverflow);

  SetMarket(context, 2, 8, 1.0, kCertificates, decision::kCdRate, decision::kCdLimit);
  AllocateMarket(context);
  SetMarket(context, 3, 2, 1.0, kCommercialLoans, decision::kCommercialLoanRate,
            decision::kCommercialLoanLimit);
  AllocateMarket(context);
  SetMarket(context, 4, 3, 1.0, kConsumerLoans, decision::kConsumerLoanRate,
            decision::kConsumerLoanLimit);
  AllocateMarket(context);
  // The rate item 10 marks the home-equity rule of rate and fee together.
  SetMarket(context, kHomeEquityKind, 10, 1.0, kHomeEquityLoans, 10,
            decision::kHomeEquityLoanLimit);
  AllocateMarket(context);

  // Real-estate loans: half the market at the fixed rate, half at the floating rate.
  SetMarket(context, 5, 4, 0.5, kRealEstateLoans, decision::kFixedRealEstateRate,
            decision::kRealEstateLoanLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewFixedRealEstateLoans}, kRealEstateOverflow);
  SetMarket(context, 5, 4, 0.5, kRealEstateLoans, decision::kFloatingRealEstateRate,
            decision::kRealEstateLoanLimit);
  AllocateMarket(context);
  StorePairCall(context, {kNewFloatingRealEstateLoans}, kRealEstateOverflow);
}

}  // namespace qv
