#pragma once

#include "data/GameTables.h"

namespace qv {

// Where the engine gets a bank's lots just before it closes that bank. The advance reads them
// from the game directory (and makes sure the game disk is still there); the engine itself
// knows nothing of disks.
class PortfolioSource {
 public:
  virtual ~PortfolioSource() = default;
  // Fills `lots` with `bank`'s lots as last stored. False stops the calculation; the source
  // has already told the user why.
  [[nodiscard]] virtual bool Load(int bank, Portfolio* lots) = 0;
};

}  // namespace qv
