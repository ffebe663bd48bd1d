// Speed of the results engine and of the opening-quarter calculation, on games held wholly
// in memory so that the host's disk does not enter the measure.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "advance/GameDiskPortfolios.h"
#include "data/EconomicFiles.h"
#include "data/GlobalFile.h"
#include "data/PortfolioFile.h"
#include "engine/Engine.h"
#include "newgame/NewGameState.h"
#include "newgame/OpeningBanks.h"
#include "newgame/PeriodZero.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "tests/support/MemoryFileSystem.h"

namespace qv {
namespace {

class SilentUi final : public Ui {
 public:
  Answer Show(const Message&) override { return Answer::kCancel; }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

std::string ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The shipped data files lie beside the executables.
std::filesystem::path ProgramDirectory() {
  if (const char* dir = std::getenv("QV_PROGRAM_DIR"))
    return dir;
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

constexpr const char* kGamePath = "/game/";
constexpr int kBanks = 10;

// A session over an in-memory game directory that holds the two shipped data files.
struct MemoryGame {
  MemoryGame() {
    const auto dir = ProgramDirectory();
    for (const char* name : {kEconomicFileName, kInitFileName}) {
      const std::string bytes = ReadHostFile(dir / name);
      if (bytes.empty()) {
        std::fprintf(stderr, "%s not found in %s\n", name, dir.c_str());
        std::exit(1);
      }
      (void)files.WriteText(std::string(kGamePath) + name, bytes);
    }
    session.GamePath = kGamePath;
    GameRecord& g = session.game;
    g.GameVersion = "3.00";
    g.GameId = "bench";
    g.GameName = "bench";
    g.NumBanks = kBanks;
    g.EconPeriod = 37;
    for (int b = 1; b <= kBanks; ++b) {
      g.DiskType(b) = disk_type::kGame;
      state.BankType(b) = static_cast<std::int16_t>((b - 1) % 4 + 1);
    }
    EnvironmentDefaults(session);
    session.tables.TaxRate = static_cast<float>(session.tables.Environment(18));
  }

  test::MemoryFileSystem files;
  SilentUi ui;
  FixedClock clock{DateTime{}};
  SeededRandom random{42};
  Session session{files, ui, clock, random};
  NewGameState state;
};

void BM_CalcPeriod0(benchmark::State& bench) {
  MemoryGame game;
  for (auto _ : bench) {
    benchmark::DoNotOptimize(CalcPeriod0(game.session, game.state));
  }
}
BENCHMARK(BM_CalcPeriod0);

// One quarter of ten banks of every type, from the opening books, portfolio reads included.
void BM_CalculateResults(benchmark::State& bench) {
  MemoryGame game;
  Session& session = game.session;
  if (CalcPeriod0(session, game.state) != 0) {
    bench.SkipWithError("CalcPeriod0 failed");
    return;
  }
  LoadOpeningBanks(session, game.state);
  session.LastUpdatedQuarter = session.game.ResultsQuarter;
  session.game.EconPeriod = static_cast<std::int16_t>(session.game.EconPeriod + 1);
  if (!ReadEconomicRecords(session) || !WritePortfolioFile(session) ||
      !WriteGlobalFile(session, 0)) {
    bench.SkipWithError("could not store the opening game");
    return;
  }
  const GameRecord opening_record = session.game;
  const GameTables opening_tables = session.tables;
  GameDiskPortfolios portfolios(session);
  // Timed by hand around the calculation alone: pausing the benchmark's own clocks costs more
  // than the calculation on some machines (each pause reads the thread's CPU time).
  for (auto _ : bench) {
    session.game = opening_record;
    session.tables = opening_tables;
    const auto start = std::chrono::steady_clock::now();
    if (CalculateResults(session, portfolios) != Proceed::kGoOn) {
      bench.SkipWithError(session.MessageText.c_str());
      return;
    }
    bench.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}
BENCHMARK(BM_CalculateResults)->UseManualTime();

}  // namespace
}  // namespace qv
