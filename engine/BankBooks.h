#pragma once

#include <cstdint>

#include "data/GameTables.h"
#include "engine/EngineContext.h"

namespace qv {

// One bank's books as its close reads and writes them, in the letters of the ledgers:
// D decisions (single precision), BA amounts (16-bit, stored only through ToAmount),
// BV values, and the bank's lots PA/PY (quarterly) and LA/LR (yearly).
struct BankBooks {
  BankBooks(EngineContext& engine, int bank_index, Portfolio& bank_lots)
      : context(engine), tables(engine.tables), bank(bank_index), lots(bank_lots) {}

  float& D(int item) { return tables.Decision(bank, item); }
  std::int16_t& BA(int item) { return tables.BankAmounts(bank, item); }
  double& BV(int item) { return tables.BankValues(bank, item); }
  std::int16_t& PA(int bucket) { return lots.PortfolioAmount(bucket); }
  double& PY(int bucket) { return lots.PortfolioYield(bucket); }
  double& LA(int bucket) { return lots.LoanAmount(bucket); }
  double& LR(int bucket) { return lots.LoanRate(bucket); }

  EngineContext& context;
  GameTables& tables;
  int bank;
  Portfolio& lots;
};

}  // namespace qv
