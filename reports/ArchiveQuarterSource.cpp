#include "reports/ArchiveQuarterSource.h"

#include <algorithm>
#include <map>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
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

// A session over one archived quarter's copies, its game record in place, for the readers.
struct ArchivedSession {
  ArchivedSession(Session& live, const std::vector<std::string>& names,
                  const std::vector<std::string>& contents, const GameRecord& game)
      : files(names, contents), session(files, ui, live.clock, live.random) {
    session.game = game;
    session.GamePath.clear();
  }
  ArchivedFiles files;
  NoRetries ui;
  Session session;
};

bool Holds(const std::vector<std::string>& names, const char* name) {
  const std::string wanted = FoldedDirectory(name);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& held) { return FoldedDirectory(held) == wanted; });
}

std::string Copy(const std::vector<std::string>& names, const std::vector<std::string>& contents,
                 const char* name) {
  const std::string wanted = FoldedDirectory(name);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (FoldedDirectory(names[i]) == wanted) {
      return contents[i];
    }
  }
  return {};
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
    ArchivedQuarter held;
    if (!OpenQuarter(session_.files, session_.GamePath, quarter, 0, &entry, &held.contents).ok()) {
      continue;
    }
    held.names = entry.files;
    const bool complete = Holds(held.names, kGlobalFileName) && Holds(held.names, kBanksReadName) &&
                          Holds(held.names, kCompReadName) && Holds(held.names, kPlotReadName);
    if (!complete ||
        !DecodeGlobalFile(Copy(held.names, held.contents, kGlobalFileName), &held.game) ||
        held.game.ResultsQuarter != quarter) {
      continue;
    }
    held.quarter = quarter;
    archived_.push_back(std::move(held));
  }
}

const ArchiveQuarterSource::ArchivedQuarter* ArchiveQuarterSource::Find(int quarter) const {
  for (const ArchivedQuarter& held : archived_) {
    if (held.quarter == quarter) {
      return &held;
    }
  }
  return nullptr;
}

std::vector<int> ArchiveQuarterSource::Quarters() {
  ReadArchive();
  std::vector<int> quarters;
  for (const ArchivedQuarter& held : archived_) {
    quarters.push_back(held.quarter);
  }
  for (const int latest : live_.Quarters()) {
    quarters.push_back(latest);
  }
  return quarters;
}

bool ArchiveQuarterSource::Load(int quarter, QuarterTables* tables) {
  ReadArchive();
  const ArchivedQuarter* held = Find(quarter);
  if (held == nullptr) {
    return live_.Load(quarter, tables);
  }
  ArchivedSession archived(session_, held->names, held->contents, held->game);
  tables->quarter = quarter;
  tables->game = held->game;
  return ReadReportFigures(archived.session, tables->figures);
}

bool ArchiveQuarterSource::MarketHistory(std::vector<MarketPoint>* history) {
  ReadArchive();
  std::vector<MarketPoint> latest;
  if (!live_.MarketHistory(&latest)) {
    return false;
  }
  std::map<int, MarketPoint> by_quarter;
  for (const ArchivedQuarter& held : archived_) {
    ArchivedSession archived(session_, held.names, held.contents, held.game);
    Table2<double, kPlotQuarters, kMarketSeries> window;
    if (ReadPlotvEH(archived.session, &window)) {
      for (const MarketPoint& point : MarketWindow(window, held.quarter)) {
        by_quarter[point.quarter] = point;
      }
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
