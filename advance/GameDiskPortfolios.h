#pragma once

#include "data/Session.h"
#include "engine/PortfolioSource.h"

namespace qv {

// Each bank's lots from PORTF.QV of the game directory, read only once the game disk is
// known to be still there ("Put Quorvant Disk in Drive" until it is, or until cancelled).
class GameDiskPortfolios final : public PortfolioSource {
 public:
  explicit GameDiskPortfolios(Session& session) : session_(session) {}

  [[nodiscard]] bool Load(int bank, Portfolio* lots) override;

 private:
  Session& session_;
};

}  // namespace qv
