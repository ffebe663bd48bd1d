#include "advance/GameDiskPortfolios.h"

#include "advance/DiskIdentity.h"
#include "data/PortfolioFile.h"

namespace qv {

bool GameDiskPortfolios::Load(int bank, Portfolio* lots) {
  return WaitForGameDisk(session_) && ReadPortfolio(session_, bank, lots);
}

}  // namespace qv
