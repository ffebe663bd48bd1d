#include "tests/soak/SoakFigures.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "data/EconomicFiles.h"
#include "data/Items.h"

namespace qv::test {

namespace {

// The quarter's rates are the series' values moved by at most this much either way.
constexpr double kRateJitter = 0.05;
// Capital plus notes against the regulator's minimum (1 = exactly the minimum). At half the
// minimum a bank has lost most of its equity; banks run by the computer, or by teams that
// follow the market, do not get there. Five times the minimum would mean the balance sheet
// had shrunk away around its equity.
constexpr double kLowestCapitalRatio = 0.5;
constexpr double kHighestCapitalRatio = 5.0;
// A quarter's net income, gained or lost, beyond 2 % of total assets is a yearly return on
// assets of 8 %: more than any bank's books earn or lose.
constexpr double kLargestQuarterlyIncomeShare = 0.02;
// The opening share prices are a few tens of money units; a price beyond a thousand has lost
// touch with the bank's earnings and dividends.
constexpr double kHighestSharePrice = 1000.0;

}  // namespace

ShippedRateRange ReadShippedRateRange(Session& session) {
  const std::int16_t period = session.game.EconPeriod;
  const GameTables saved = session.tables;
  ShippedRateRange range;
  for (int i = 1; i <= 9; ++i) {
    range.low(i) = 1e9;
    range.high(i) = -1e9;
  }
  for (int p = 1; p <= kEconomicPeriods; ++p) {
    session.game.EconPeriod = static_cast<std::int16_t>(p);
    if (!ReadEconomicRecords(session)) {
      break;
    }
    for (int i = 1; i <= 9; ++i) {
      range.low(i) = std::min(range.low(i), session.tables.EconSeries(i));
      range.high(i) = std::max(range.high(i), session.tables.EconSeries(i));
    }
  }
  session.game.EconPeriod = period;
  session.tables = saved;
  return range;
}

std::string MeaninglessFigure(const Session& session, const ShippedRateRange& rates) {
  const GameTables& t = session.tables;
  std::ostringstream fault;
  for (int i = 1; i <= 9; ++i) {
    const double rate = t.MarketRates(i);
    if (!(rate >= rates.low(i) - kRateJitter && rate <= rates.high(i) + kRateJitter)) {
      fault << "market rate " << i << " is " << rate << ", shipped " << rates.low(i) << ".."
            << rates.high(i);
      return fault.str();
    }
  }
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    for (int item = 1; item <= value::kCount; ++item) {
      if (!std::isfinite(t.BankValues(b, item))) {
        fault << "bank " << b << " value " << item << " is " << t.BankValues(b, item);
        return fault.str();
      }
    }
    const double price = t.BankValues(b, value::kSharePrice);
    const double capital = t.BankValues(b, value::kCapitalRatio);
    const double income = t.BankValues(b, value::kNetIncome);
    const double assets = t.BankAmounts(b, amount::kTotalAssets);
    if (!(price > 0.0 && price <= kHighestSharePrice)) {
      fault << "bank " << b << " share price " << price;
    } else if (!(assets > 0.0)) {
      fault << "bank " << b << " total assets " << assets;
    } else if (!(capital >= kLowestCapitalRatio && capital <= kHighestCapitalRatio)) {
      fault << "bank " << b << " capital ratio " << capital;
    } else if (!(std::abs(income) <= kLargestQuarterlyIncomeShare * assets)) {
      fault << "bank " << b << " net income " << income << " on assets " << assets;
    }
    if (!fault.str().empty()) {
      return fault.str();
    }
  }
  return "";
}

}  // namespace qv::test
