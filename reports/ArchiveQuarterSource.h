#pragma once

#include <vector>

#include "data/Session.h"
#include "reports/LiveQuarterSource.h"
#include "reports/QuarterSource.h"

namespace qv {

// Every quarter of the open game that can still be read: the quarters before the latest from
// the game's quarter archive (the copies in Archive/Q0004/ are the game at results quarter 4),
// the latest from the game directory itself. An archived quarter is offered only when its
// entry is whole (every copy matches its checksum) and the files the report reads decode, with
// a game record of that quarter; any other entry is passed over, so a damaged or pruned
// archive leaves gaps and never a failure. The archive is read once, on first use.
//
// The market history runs over every quarter known: the 16-quarter window of PLOTV.QV of each
// archived quarter and of the game directory, laid over one another from the oldest, so that
// where windows overlap the newest one's figures stand.
class ArchiveQuarterSource final : public QuarterSource {
 public:
  explicit ArchiveQuarterSource(Session& session) : session_(session), live_(session) {}

  std::vector<int> Quarters() override;
  [[nodiscard]] bool Load(int quarter, QuarterTables* tables) override;
  [[nodiscard]] bool MarketHistory(std::vector<MarketPoint>* history) override;

 private:
  // Reads, checks and decodes the archive once.
  void ReadArchive();

  Session& session_;
  LiveQuarterSource live_;
  bool archive_read_ = false;
  std::vector<QuarterTables> archived_;  // oldest first, each before the latest quarter
};

}  // namespace qv
