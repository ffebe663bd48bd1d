#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "data/GameJournal.h"
#include "tests/cli/QvctlRun.h"
#include "tests/support/TempDir.h"

namespace qv::cli {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr int kAdvances = 5;

// A game of two computer banks and a student bank whose disk nobody answers (its decisions
// are last quarter's), advanced several quarters. After each advance the report of the new
// quarter is kept as `qvctl report --json` printed it then.
class ArchivedGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    game_ = dir_->path() + "game";
    dir_->Write("setup.json", R"({"game_title": "Archives", "beginning_period": 44,
      "banks": [
      {"name": "Alder", "management": "Computer1", "type": "Consumer"},
      {"name": "Birch", "management": "Human", "president": "Kim", "password": "b2",
       "type": "Business", "path": ")" +
                                  dir_->path() + R"(birch/"},
      {"name": "Cedar", "management": "Computer3", "type": "Turnaround"}]})");
    const QvctlRun created =
        Qvctl({"new", game_, "--setup", dir_->path() + "setup.json", "--seed", "9"});
    ASSERT_EQ(created.exit_code, kExitOk) << created.out << created.err;
    reports_ = new std::map<int, json>;
    KeepReport();
    for (int advance = 1; advance <= kAdvances; ++advance) {
      const QvctlRun run = Qvctl({"advance", game_, "--fallback", "last"});
      ASSERT_EQ(run.exit_code, kExitOk) << run.out << run.err;
      KeepReport();
    }
  }
  static void TearDownTestSuite() {
    delete reports_;
    delete dir_;
  }

  static void KeepReport() {
    const QvctlRun run = Qvctl({"report", game_, "--json"});
    ASSERT_EQ(run.exit_code, kExitOk) << run.err;
    const json report = json::parse(run.out);
    (*reports_)[report.at("quarter").get<int>()] = report;
  }

  static json ExportAll(const std::string& game) {
    const QvctlRun run = Qvctl({"export", game, "--all", "--format", "json"});
    EXPECT_EQ(run.exit_code, kExitOk) << run.err;
    return run.exit_code == kExitOk ? json::parse(run.out) : json();
  }

  static std::vector<int> QuartersOf(const json& exported) {
    std::vector<int> quarters;
    for (const json& quarter : exported.at("quarters")) {
      quarters.push_back(quarter.at("quarter").get<int>());
    }
    return quarters;
  }

  // Each exported quarter holds what the report printed right after its advance: the same
  // banks and trouble rules, the same rows with the same figures.
  static void ExpectQuartersAsReported(const json& exported) {
    for (const json& quarter : exported.at("quarters")) {
      const int number = quarter.at("quarter").get<int>();
      ASSERT_TRUE(reports_->count(number)) << "quarter " << number << " was never reported";
      const json& report = reports_->at(number);
      EXPECT_EQ(exported.at("game_title"), report.at("game_title"));
      EXPECT_EQ(quarter.at("banks"), report.at("banks")) << "quarter " << number;
      const json& rows = report.at("rows");
      ASSERT_EQ(quarter.at("report").size(), rows.size()) << "quarter " << number;
      for (std::size_t r = 0; r < rows.size(); ++r) {
        json printed = rows[r];
        printed.erase("texts");
        EXPECT_EQ(quarter.at("report")[r], printed) << "quarter " << number << ", row " << r;
      }
    }
  }

  static test::TempDir* dir_;
  static std::string game_;
  static std::map<int, json>* reports_;
};

test::TempDir* ArchivedGame::dir_ = nullptr;
std::string ArchivedGame::game_;
std::map<int, json>* ArchivedGame::reports_ = nullptr;

TEST_F(ArchivedGame, ExportOfEveryQuarterEqualsEachReportPrintedAfterItsAdvance) {
  const json exported = ExportAll(game_);
  EXPECT_EQ(QuartersOf(exported), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  ExpectQuartersAsReported(exported);

  // Decisions of an archived quarter are those the game directory held then: the student
  // bank kept last quarter's, so its decisions are the same every quarter.
  const json& quarters = exported.at("quarters");
  EXPECT_EQ(quarters[1].at("decisions")[1], quarters[4].at("decisions")[1]);
  EXPECT_NE(quarters[1].at("decisions")[0], quarters[4].at("decisions")[0])
      << "a computer bank decides anew each quarter";
}

TEST_F(ArchivedGame, OneQuarterOfTheArchiveIsExportedOnItsOwn) {
  const QvctlRun run = Qvctl({"export", game_, "--quarter", "2", "--format", "json"});
  ASSERT_EQ(run.exit_code, kExitOk) << run.err;
  const json exported = json::parse(run.out);
  EXPECT_EQ(QuartersOf(exported), std::vector<int>{2});
  ExpectQuartersAsReported(exported);
}

// Market series `series` at window quarter `slot` (1..16) of a PLOTV.QV, read byte by byte:
// series s lies in record (s + 1) / 2, its 16 quarters in Singles 1..16 or 17..32.
float PlotWindowValue(const std::string& plot, int slot, int series) {
  const int record = (series + 1) / 2;
  const int single = ((series - 1) % 2) * 16 + slot;
  const std::size_t at = static_cast<std::size_t>((record - 1) * 128 + (single - 1) * 4);
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(plot.at(at + static_cast<std::size_t>(i)));
  }
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

TEST_F(ArchivedGame, MarketHistoryRunsOverEveryQuarterPlayedNewestWindowFirst) {
  const json exported = ExportAll(game_);
  const json& market = exported.at("market_history").at("quarters");
  // PLOTV.QV's window holds 16 quarters; the archived windows reach further back.
  ASSERT_EQ(market.size(), 16U + kAdvances);
  for (std::size_t i = 0; i < market.size(); ++i) {
    const int quarter = static_cast<int>(i) - 15;
    ASSERT_EQ(market[i].at("quarter").get<int>(), quarter) << "point " << i;
    // The newest window that holds the quarter: the game's own, else an archived quarter's.
    const int window = std::min(quarter + 15, kAdvances);
    char folder[32];
    std::snprintf(folder, sizeof folder, "game/Archive/Q%04d/", window);
    const std::string plot =
        dir_->Read(window == kAdvances ? "game/Plotv.qv" : std::string(folder) + "Plotv.qv");
    for (int series = 1; series <= 8; ++series) {
      // The export writes a Single in its shortest form: it reads back as the same Single.
      EXPECT_EQ(market[i].at("values")[static_cast<std::size_t>(series - 1)].get<float>(),
                PlotWindowValue(plot, quarter - window + 16, series))
          << "quarter " << quarter << ", series " << series;
    }
  }
}

// Damage done to the archive of a copy of the game, and the quarters then offered.
struct Damage {
  const char* what;
  std::function<void(const std::string& game)> apply;
  std::vector<int> offered;
};

void ChangeByte(const std::string& path) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  bytes.at(bytes.size() / 2) = static_cast<char>(bytes.at(bytes.size() / 2) ^ 0x5A);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Cuts the copy `name` of an entry short and makes the entry match it, as no advance would.
void CutShortWithMatchingEntry(const std::string& folder, const std::string& name) {
  std::string text;
  {
    std::ifstream in(folder + "Entry.txt", std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  JournalEntry entry;
  ASSERT_TRUE(DecodeJournal(text, &entry));
  const std::string cut(100, '\0');
  for (std::size_t i = 0; i < entry.files.size(); ++i) {
    if (entry.files[i] == name) {
      entry.lengths[i] = static_cast<std::uint32_t>(cut.size());
      entry.checksums[i] = Checksum(cut);
    }
  }
  std::ofstream(folder + name, std::ios::binary | std::ios::trunc) << cut;
  std::ofstream(folder + "Entry.txt", std::ios::binary | std::ios::trunc) << EncodeJournal(entry);
}

TEST_F(ArchivedGame, DamagedOrIncompleteEntriesAreSkipped) {
  const std::vector<Damage> damages = {
      {"a copy whose checksum fails",
       [](const std::string& g) { ChangeByte(g + "/Archive/Q0002/Comp.qv"); },
       {0, 1, 3, 4, 5}},
      {"an entry without its Entry.txt",
       [](const std::string& g) { fs::remove(g + "/Archive/Q0001/Entry.txt"); },
       {0, 2, 3, 4, 5}},
      {"an entry whose copies are gone",
       [](const std::string& g) { fs::remove(g + "/Archive/Q0003/Banks.qv"); },
       {0, 1, 2, 4, 5}},
      {"an empty entry folder",
       [](const std::string& g) {
         fs::remove_all(g + "/Archive/Q0004");
         fs::create_directory(g + "/Archive/Q0004");
       },
       {0, 1, 2, 3, 5}},
      {"an entry holding another quarter's game",
       [](const std::string& g) {
         fs::remove_all(g + "/Archive/Q0003");
         fs::copy(g + "/Archive/Q0002", g + "/Archive/Q0003", fs::copy_options::recursive);
       },
       {0, 1, 2, 4, 5}},
      {"a folder that is no entry",
       [](const std::string& g) {
         fs::create_directory(g + "/Archive/Q00x1");
         std::ofstream(g + "/Archive/Q0009") << "not a folder";
       },
       {0, 1, 2, 3, 4, 5}},
      {"a copy cut short that its entry matches",
       [](const std::string& g) { CutShortWithMatchingEntry(g + "/Archive/Q0001/", "Banks.qv"); },
       {0, 2, 3, 4, 5}},
      {"no archive at all", [](const std::string& g) { fs::remove_all(g + "/Archive"); }, {5}},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    test::TempDir scratch;
    const std::string copy = scratch.path() + "game";
    fs::copy(game_, copy, fs::copy_options::recursive);
    damage.apply(copy);
    const json exported = ExportAll(copy);
    EXPECT_EQ(QuartersOf(exported), damage.offered);
    ExpectQuartersAsReported(exported);
    const QvctlRun refused = Qvctl({"export", copy, "--quarter", "9"});
    EXPECT_EQ(refused.exit_code, kExitFailed);
  }
}

}  // namespace
}  // namespace qv::cli
