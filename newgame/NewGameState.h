#pragma once

#include <cstdint>

#include "data/EconomicFiles.h"
#include "data/GameRecord.h"
#include "data/GameTables.h"
#include "platform/Table.h"

namespace qv {

inline constexpr int kBankTypes = 4;

// The opening values of one bank of a given type, laid out as one bank's items in the game
// files: `Results` as `BankValues`, `Amounts` as `BankAmounts`, `Decision` as last quarter's
// decisions, `History` as the bank's four plotted series (series, quarter; quarter 16 is the
// latest) and `lots` as PORTF.QV holds a bank's lots. Items the opening calculation does not
// set are 0.
struct BankProfile {
  Table<double, 121> Results;
  Table<std::int16_t, 168> Amounts;
  Table<float, 63> Decision;
  Table2<double, 4, 16> History;
  Portfolio lots;

  bool operator==(const BankProfile&) const = default;
};

// What the creation of a game holds from the end of the setup until its files are written:
// the banks' types, one opening profile per type (every bank of a type starts from the same
// books), the economic data the profiles were built from and the creation's abort flag.
struct NewGameState {
  Table<std::int16_t, kMaxBanks> BankType;  // bank_type:: values, for banks 1..NumBanks
  Table<BankProfile, kBankTypes> TypeProfile;
  // -1 when the creation must be abandoned, 0 otherwise.
  std::int16_t NewGameAbort = 0;

  EconomicWindow economy;  // DATAEC.QVS around the starting period
  InitialAmounts initial;  // INIT.QVS
  // Reference rates of the opening loan book, by year of maturity: 1..12 a fixed ladder
  // around 6..8 %, 13..16 halfway between the long rate and 9 %, 17..20 the long rate.
  Table<double, 20> RateTable;
};

}  // namespace qv
