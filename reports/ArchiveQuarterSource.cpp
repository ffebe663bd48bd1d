#include "reports/ArchiveQuarterSource.h"

#include <map>
#include <string>
#include <utility>

#include "data/GlobalFile.h"
#include "data/QuarterArchive.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"
#include "reports/ArchivedFiles.h"

namespace qv {

namespace {

// An archived copy that fails to read is passed over, never asked about: the question could
// only be answered Cancel.
class NoRetries final : public Ui {
 public:
  Answer Show(const Message&) override { return Answer::kCancel; }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

// Decodes an archived quarter's copies with the readers of the game directory, through a
// session whose files are the copies. False when a file the report reads is missing, is no
// game record of `quarter` or does not decode.
bool DecodeQuarter(Session& live, int quarter, const JournalEntry& entry,
                   std::vector<std::string> contents, QuarterTables* tables) {
  std::string global;
  for (std::size_t i = 0; i < entry.files.size(); ++i) {
    if (FoldedDirectory(entry.files[i]) == FoldedDirectory(kGlobalFileName)) {
      global = contents[i];
    }
  }
  if (!DecodeGlobalFile(global, &tables->game) || tables->game.ResultsQuarter != quarter) {
    return false;
  }
  ArchivedFiles files(entry.files, std::move(contents));
  NoRetries ui;
  Session archived(files, ui, live.clock, live.random);
  archived.game = tables->game;
  tables->quarter = quarter;
  return ReadReportFigures(archived, tables->figures);
}

}  // namespace

void ArchiveQuarterSource::ReadArchive() {
  if (archive_read_) {
    return;
  }
  archive_read_ = true;
  std::vector<int> listed;
  if (!ListQuarters(session_.files, session_.GamePath, &listed).ok()) {
    return;
  }
  for (const int quarter : listed) {
    // An entry at or past the latest quarter is left from before an undo: the game directory
    // holds what counts now.
    if (quarter < 0 || quarter >= session_.game.ResultsQuarter) {
      continue;
    }
    JournalEntry entry;
    std::vector<std::string> contents;
    QuarterTables tables;
    if (OpenQuarter(session_.files, session_.GamePath, quarter, 0, &entry, &contents).ok() &&
        DecodeQuarter(session_, quarter, entry, std::move(contents), &tables)) {
      archived_.push_back(std::move(tables));
    }
  }
}

std::vector<int> ArchiveQuarterSource::Quarters() {
  ReadArchive();
  std::vector<int> quarters;
  for (const QuarterTables& held : archived_) {
    quarters.push_back(held.quarter);
  }
  for (const int latest : live_.Quarters()) {
    quarters.push_back(latest);
  }
  return quarters;
}

bool ArchiveQuarterSource::Load(int quarter, QuarterTables* tables) {
  ReadArchive();
  for (const QuarterTables& held : archived_) {
    if (held.quarter == quarter) {
      *tables = held;
      return true;
    }
  }
  return live_.Load(quarter, tables);
}

bool ArchiveQuarterSource::MarketHistory(std::vector<MarketPoint>* history) {
  ReadArchive();
  std::vector<MarketPoint> latest;
  if (!live_.MarketHistory(&latest)) {
    return false;
  }
  std::map<int, MarketPoint> by_quarter;
  for (const QuarterTables& held : archived_) {
    for (const MarketPoint& point : MarketWindow(held.figures.market_history, held.quarter)) {
      by_quarter[point.quarter] = point;
    }
  }
  for (const MarketPoint& point : latest) {
    by_quarter[point.quarter] = point;
  }
  history->clear();
  for (const auto& [quarter, point] : by_quarter) {
    history->push_back(point);
  }
  return true;
}

}  // namespace qv
