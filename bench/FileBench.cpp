// The game directory of a ten-bank game written and read back whole, as an advance writes
// and the next one reloads it: Global.qv, banks.qv, COMP.QV, PLOTV.QV and PORTF.QV.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"

namespace qv {
namespace {

// Any question means a file routine failed, which a benchmark must not hide.
class NoQuestionsUi final : public Ui {
 public:
  Answer Show(const Message& message) override {
    throw std::runtime_error("unexpected message: " + message.text);
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::random_device seed;
    path_ = (std::filesystem::temp_directory_path() /
             ("qvbench-" + std::to_string(seed()) + std::to_string(seed())))
                .string() +
            "/";
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void FillTenBankGame(Session* session) {
  GameRecord& g = session->game;
  g.GameVersion = kGameVersion;
  g.GameId = "12-08-2026 15:10 0.25";
  g.GameName = "Benchmark";
  g.NumBanks = kMaxBanks;
  g.EconPeriod = 37;
  GameTables& t = session->tables;
  for (int b = 1; b <= kMaxBanks; ++b) {
    g.BankName(b) = "Bank " + std::to_string(b);
    g.BankFlag(b) = 1;
    for (int i = 1; i <= 63; ++i)
      t.Decision(b, i) = static_cast<float>(i);
    for (int i = 1; i <= 121; ++i)
      t.BankValues(b, i) = b + i / 8.0;
    for (int i = 1; i <= 168; ++i)
      t.BankAmounts(b, i) = static_cast<std::int16_t>(b * 100 + i);
    for (int s = 1; s <= 4; ++s)
      t.BankSummary(b, s) = s;
    t.LastUpdated(b) = "12-08-2026 15:10";
    Portfolio& p = t.Portfolios(b);
    for (int i = 1; i <= 60; ++i) {
      p.LoanRate(i) = 7.5;
      p.LoanAmount(i) = 100 + i;
    }
    for (int i = 1; i <= 128; ++i) {
      p.PortfolioYield(i) = 5.25;
      p.PortfolioAmount(i) = static_cast<std::int16_t>(i);
    }
  }
  for (int i = 1; i <= 84; ++i)
    t.Environment(i) = i;
}

void BM_GameDirectoryWriteAndRead(benchmark::State& state) {
  ScratchDirectory directory;
  LocalFileSystem files;
  NoQuestionsUi ui;
  FixedClock clock{DateTime{}};
  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};
  session.GamePath = directory.path();
  FillTenBankGame(&session);
  CompetitorTables competitors;
  Portfolio portfolio;

  for (auto _ : state) {
    bool ok = WriteGlobalFile(session, 0) && WriteBanksUpdate(session, 0) &&
              WriteCompFile(session, 0) && WritePlotUpdate(session, 0) &&
              WritePortfolioFile(session);
    ok = ok && ReadGlobalFile(session, 0) && ReadBanksFull(session) &&
         ReadComp(session, &competitors) && ReadPlotFile(session);
    for (int b = 1; ok && b <= kMaxBanks; ++b) {
      ok = ReadPortfolio(session, b, &portfolio);
    }
    if (!ok) {
      state.SkipWithError("a file routine failed");
      break;
    }
    benchmark::DoNotOptimize(portfolio);
  }
}
BENCHMARK(BM_GameDirectoryWriteAndRead)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
      return *std::max_element(v.begin(), v.end());
    });

}  // namespace
}  // namespace qv
