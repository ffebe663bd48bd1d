// The results window on a ten-bank game of 40 quarters: opening it (every quarter's table
// built from the shipped layout and the latest shown), switching quarters, and drawing the
// charts of 40 quarters. The quarters come from memory, so the figures measure the window;
// reading a quarter's files is FileBench's subject.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "charts/ResultsChart.h"
#include "data/Session.h"
#include "desktop/ResultsWindow.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "reports/QuarterSource.h"
#include "reports/QuarterlyReport.h"

namespace qv {
namespace {

constexpr int kBanks = 10;
constexpr int kQuarters = 40;

class NoQuestionsUi final : public Ui {
 public:
  Answer Show(const Message& message) override {
    throw std::runtime_error("unexpected message: " + message.text);
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

// Quarters 1..40 of ten banks whose figures move smoothly from quarter to quarter.
class MemoryQuarters final : public QuarterSource {
 public:
  MemoryQuarters() {
    game_.GameName = "Bench";
    game_.NumBanks = kBanks;
    for (int b = 1; b <= kBanks; ++b) {
      game_.BankName(b) = "Bank number " + std::to_string(b);
    }
  }
  std::vector<int> Quarters() override {
    std::vector<int> quarters;
    for (int q = 1; q <= kQuarters; ++q) {
      quarters.push_back(q);
    }
    return quarters;
  }
  bool Load(int quarter, QuarterTables* tables) override {
    tables->quarter = quarter;
    tables->game = game_;
    for (int b = 1; b <= kBanks; ++b) {
      for (int row = 1; row <= 40; ++row) {
        const double wave = std::sin(0.3 * quarter + b + row);
        tables->figures.competitors.CompetitorValues(b, row) = static_cast<float>(10 + 5 * wave);
        tables->figures.competitors.CompetitorAmounts(b, row) =
            static_cast<std::int16_t>(500 + 200 * wave);
      }
      for (int item = 1; item <= 63; ++item) {
        tables->figures.banks.Decision(b, item) = static_cast<float>(5 + std::cos(quarter + item));
      }
    }
    return true;
  }
  bool MarketHistory(std::vector<MarketPoint>* history) override {
    history->clear();
    for (int q = -15; q <= kQuarters; ++q) {
      MarketPoint& point = history->emplace_back();
      point.quarter = q;
      for (int s = 1; s <= kMarketSeriesCount; ++s) {
        point.series(s) = 5 + std::sin(0.2 * q + s);
      }
    }
    return true;
  }

 private:
  GameRecord game_;
};

struct Fixture {
  Fixture() {
    const char* program_dir = std::getenv("QV_PROGRAM_DIR");
    session.ProgramDir = program_dir != nullptr ? std::string(program_dir) + "/" : "./";
  }
  LocalFileSystem files;
  NoQuestionsUi ui;
  SystemClock clock;
  SeededRandom random{1};
  Session session{files, ui, clock, random};
};

std::unique_ptr<ResultsWindow> OpenWindow(Fixture& fixture) {
  auto window = std::make_unique<ResultsWindow>(fixture.session);
  window->set_source_factory([] { return std::make_unique<MemoryQuarters>(); });
  if (!window->Reload()) {
    throw std::runtime_error("the results did not load: is QV_PROGRAM_DIR the program folder?");
  }
  return window;
}

void BM_OpenResultsWindow(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) {
    auto window = OpenWindow(fixture);
    window->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
  }
}
BENCHMARK(BM_OpenResultsWindow)->Unit(benchmark::kMillisecond);

void BM_SwitchQuarter(benchmark::State& state) {
  Fixture fixture;
  auto window = OpenWindow(fixture);
  window->show();
  int quarter = 1;
  for (auto _ : state) {
    window->ShowQuarter(quarter);
    QApplication::processEvents();
    quarter = quarter % kQuarters + 1;
  }
}
BENCHMARK(BM_SwitchQuarter)->Unit(benchmark::kMillisecond);

// A chart of every bank over 40 quarters, and the eight market series, each drawn whole.
void BM_DrawCharts(benchmark::State& state) {
  Fixture fixture;
  auto window = OpenWindow(fixture);
  ResultsChart chart;
  chart.resize(900, 600);
  const bool market = state.range(0) == 0;
  for (auto _ : state) {
    chart.Show(market ? window->history().MarketChart() : window->history().RowChart(0));
    const QPixmap drawn = chart.grab();
    benchmark::DoNotOptimize(drawn.cacheKey());
  }
  state.SetLabel(market ? "market, 8 series" : "report row, 10 banks");
}
BENCHMARK(BM_DrawCharts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
