#pragma once

#include <cstdint>

#include "data/GameTables.h"
#include "data/Session.h"
#include "platform/Table.h"

namespace qv {

// Work state of one CalculateResults call: the quarter's constants and the values its stages
// hand on to each other. It lives only for the call; everything lasting is in the session's
// tables.
struct EngineContext {
  explicit EngineContext(Session& s) : session(s), tables(s.tables) {}

  Session& session;
  GameTables& tables;

  int Season = 4;             // 1..4; yearly ladders move in season 4
  double FloatingBase = 0.0;  // base rate added to the margin of floating long loans
  int Slow = 0;               // 1 in a slow economy (raises loan-loss rates)
  double TaxRate = 0.0;

  Table<int, 5> PurchaseBuckets;  // portfolio buckets that receive security purchases
  Table<int, 3> NoteBuckets;      // loan-book buckets that receive new capital notes
  Table2<int, 8, 7> AttractionWeights;
  Table2<double, 8, 3> ProductParams;  // sensitivity, upper bound, lower bound per product
  Table<std::int16_t, 6> IndustryCounts;

  // Market allocation work values.
  Table2<double, kMaxBanks, 7> ShareWork;
  double MarketSize = 0.0;
  double TotalScore = 0.0;
  double Pool = 0.0;
  double ActiveWeight = 0.0;

  // The market that AllocateMarket divides next, set by the driver before each call:
  // kind 1..6 (product kind + 2), the EconIndex item that sizes it, the share of that market
  // this call hands out, the BankAmounts balance the banks hold in it, and the Decision items
  // of the rate and of the volume limit.
  int MarketKind = 0;
  int MarketIndexItem = 0;
  double MarketFactor = 0.0;
  int BalanceItem = 0;
  int RateItem = 0;
  int LimitItem = 0;
};

}  // namespace qv
