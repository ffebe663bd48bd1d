#pragma once

#include <vector>

#include "data/Session.h"
#include "reports/QuarterSource.h"

namespace qv {

// The quarters of the open game's directory (`GamePath`) as it stands: its latest results
// quarter, and the 16-quarter market window of its PLOTV.QV as the history. Reads go through
// the file routines' retry protocol, so a failed read is asked about through the session's Ui.
class LiveQuarterSource final : public QuarterSource {
 public:
  explicit LiveQuarterSource(Session& session) : session_(session) {}

  // The session's ResultsQuarter, once the game has started.
  std::vector<int> Quarters() override;
  [[nodiscard]] bool Load(int quarter, QuarterTables* tables) override;
  [[nodiscard]] bool MarketHistory(std::vector<MarketPoint>* history) override;

 private:
  Session& session_;
};

}  // namespace qv
