#pragma once

#include <cstdint>

#include "data/Session.h"
#include "platform/Numeric.h"

namespace qv {

class Random;

// One bank's tables at the letters of the computer's decision formulas: D its decisions,
// A its amounts, V its values; M the market rates, I the industry averages, E the regulation.
// Decisions are singles: every store rounds to single precision, and the next formula reads
// the stored value.
class DecisionBooks {
 public:
  DecisionBooks(GameTables& tables, int bank) : tables_(tables), bank_(bank) {}

  double D(int item) const { return static_cast<double>(tables_.Decision(bank_, item)); }
  void SetD(int item, double value) const { tables_.Decision(bank_, item) = ToSingle(value); }
  void ScaleD(int item, double factor) const { SetD(item, D(item) * factor); }
  void AddD(int item, double change) const { SetD(item, D(item) + change); }

  double A(int item) const { return static_cast<double>(tables_.BankAmounts(bank_, item)); }
  double V(int item) const { return tables_.BankValues(bank_, item); }
  double M(int item) const { return tables_.MarketRates(item); }
  double I(int item) const { return tables_.IndustrySums(item); }
  double E(int item) const { return tables_.Environment(item); }

 private:
  GameTables& tables_;
  int bank_;
};

// The steps from which `ComputerDecisions` builds one bank's decisions; `level` is the
// expertise, 1 to 3. Run-time errors (RuntimeError) propagate to `ComputerDecisions`.

// Capital notes (item 37) and new shares (item 41) that bring capital to 1.2, 1.3 or 1.4
// times the required minimum at levels 1, 2, 3, notes first as far as the note ceiling
// allows. Surplus capital gives negative items, which the results engine clears.
void SetCapitalDecisions(Session& session, int bank, int level);

// `FundsPosition`: overnight investments net of borrowed funds. Above a small cushion the
// surplus (positive); below a deep cushion the shortfall (negative); between them 0, or -1
// in the lower part of the band.
std::int16_t MeasureFunds(Session& session, int bank);

// Security purchases of `buy` (whole units, spread over four maturities) and sales of
// `sell`. The expert sells the longest band first, each at most its market value; the others
// sell the same share of every band.
void SetPortfolioDecisions(Session& session, int bank, int level, double buy, double sell);

// Sales of fixed, then floating long loans, each at most the book.
void SetLoanSales(Session& session, int bank, double amount);

// Moves every offered and charged rate by `delta` and the home-equity fee by a fifth of it,
// the fee never below 0. The certificate rate is left to the caller.
void ShiftRates(Session& session, int bank, double delta);

// center + spread x (1 - 2r), r the next number of `random`, with the factor (1 - 2r) taken
// in single precision.
double DecisionJitter(Random& random, double center, double spread);

}  // namespace qv
