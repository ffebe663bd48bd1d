#pragma once

#include <cstdint>
#include <string>

#include "data/GameRecord.h"
#include "platform/Table.h"

namespace qv {

// One bank's lots (PORTF.QV): the annual loan book and the quarterly portfolio buckets.
struct Portfolio {
  Table<double, 60> LoanRate;
  Table<double, 60> LoanAmount;
  Table<double, 128> PortfolioYield;
  Table<std::int16_t, 128> PortfolioAmount;

  bool operator==(const Portfolio&) const = default;
};

// The tables of the open game, numbered as the game files number them.
struct GameTables {
  // banks.qv
  Table<double, 10> MarketRates;
  Table<double, 11> EconIndex;
  Table<double, 84> Environment;
  Table<double, 42> IndustrySums;
  Table2<float, kMaxBanks, 63> Decision;
  Table2<double, kMaxBanks, 121> BankValues;
  Table2<std::int16_t, kMaxBanks, 168> BankAmounts;
  Table<std::string, kMaxBanks> LastUpdated;
  Table<std::int16_t, kMaxBanks> BankQuarter;
  Table<std::int16_t, kMaxBanks> DecisionsReady;

  // PLOTV.QV: market series (quarter 1..16, series 1..8) and each bank's four new values
  // of the quarter, appended to its histories when the file is written.
  Table2<double, 16, 8> PlotHistory;
  Table2<double, kMaxBanks, 4> BankSummary;

  // PORTF.QV, every bank's lots as the last calculation left them.
  Table<Portfolio, kMaxBanks> Portfolios;

  // DATAEC.QVS as the advance reads it: items 1..31 the new quarter's series, 32..62 the
  // previous quarter's; growth factors of the previous quarter, the new one and four more.
  Table<double, 62> EconSeries;
  Table<double, 6> EconTrend;

  float TaxRate = 0.0F;
};

}  // namespace qv
