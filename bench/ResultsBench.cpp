// The results window on a ten-bank game of 40 quarters: opening it (every quarter's table
// built from the shipped layout and the latest shown), switching quarters, and drawing the
// charts of 40 quarters. The quarters come from memory, so those figures measure the window;
// the "Archived" ones open a real game played 40 quarters, its quarters read from the game's
// quarter archive as the program reads them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>

#include "advance/AdvanceGame.h"
#include "charts/ResultsChart.h"
#include "data/Session.h"
#include "desktop/ResultsWindow.h"
#include "newgame/CreateGame.h"
#include "newgame/NewGameState.h"
#include "newgame/PeriodZero.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "reports/QuarterSource.h"
#include "reports/QuarterlyReport.h"
#include "setup/EnvironmentFields.h"
#include "setup/NewGameFlow.h"

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

// Answers the boxes a creation and an advance of computer banks show: each has an OK only.
class AcknowledgingUi final : public Ui {
 public:
  Answer Show(const Message& message) override {
    if (message.buttons != Buttons::kOk) {
      throw std::runtime_error("unexpected question: " + message.text);
    }
    return Answer::kOk;
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

// A game of ten computer banks played 40 quarters in a scratch folder, with its archive.
class ArchivedGame {
 public:
  ArchivedGame() {
    std::random_device seed;
    folder_ = (std::filesystem::temp_directory_path() /
               ("qvresults-" + std::to_string(seed()) + std::to_string(seed())))
                  .string() +
              "/";
    std::filesystem::create_directories(folder_ + "game");
    const char* program_dir = std::getenv("QV_PROGRAM_DIR");
    session.ProgramDir = program_dir != nullptr ? std::string(program_dir) + "/" : "./";
    session.GamePath = folder_ + "game/";
    files.set_durable(false);
    SetupForms forms;
    forms.game.txtGname = "Bench";
    forms.game.txtNoBanks = std::to_string(kBanks);
    forms.game.txtBegin = "37";
    for (int b = 0; b < kBanks; ++b) {
      BankSetupRow& row = forms.banks.rows[static_cast<std::size_t>(b)];
      row.txtCol2 = "Bank number " + std::to_string(b + 1);
      row.cboCol3 = 1 + b % 3;
      row.cboCol6 = b % 4;
    }
    EnvironmentDefaults(session);
    FillEnvSetupForm(session.tables.Environment, &forms.environment);
    NewGameState state;
    StoreSetupForms(session, state, forms);
    if (CreateGame(session, state) != Proceed::kGoOn) {
      throw std::runtime_error("the game was not created: is QV_PROGRAM_DIR the program folder?");
    }
    for (int q = 1; q <= kQuarters; ++q) {
      if (AdvanceGame(session) != Proceed::kGoOn) {
        throw std::runtime_error("the game did not advance to quarter " + std::to_string(q));
      }
    }
  }
  ~ArchivedGame() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ArchivedGame(const ArchivedGame&) = delete;
  ArchivedGame& operator=(const ArchivedGame&) = delete;

  LocalFileSystem files;
  AcknowledgingUi ui;
  SystemClock clock;
  SeededRandom random{1};
  Session session{files, ui, clock, random};

 private:
  std::string folder_;
};

// Made once: playing 40 quarters takes seconds.
ArchivedGame& Played() {
  static ArchivedGame game;
  return game;
}

std::unique_ptr<ResultsWindow> OpenArchivedWindow() {
  auto window = std::make_unique<ResultsWindow>(Played().session);
  if (!window->Reload() || window->history().quarters().size() != kQuarters + 1) {
    throw std::runtime_error("the archived quarters did not load");
  }
  return window;
}

void BM_OpenArchivedResults(benchmark::State& state) {
  Played();
  for (auto _ : state) {
    auto window = OpenArchivedWindow();
    window->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
  }
  state.SetLabel("41 quarters from the archive, 10 banks");
}
BENCHMARK(BM_OpenArchivedResults)->Unit(benchmark::kMillisecond);

void BM_SwitchArchivedQuarter(benchmark::State& state) {
  auto window = OpenArchivedWindow();
  window->show();
  int quarter = 0;
  for (auto _ : state) {
    window->ShowQuarter(quarter);
    QApplication::processEvents();
    quarter = (quarter + 1) % (kQuarters + 1);
  }
}
BENCHMARK(BM_SwitchArchivedQuarter)->Unit(benchmark::kMillisecond);

void BM_DrawArchivedCharts(benchmark::State& state) {
  auto window = OpenArchivedWindow();
  ResultsChart chart;
  chart.resize(900, 600);
  const bool market = state.range(0) == 0;
  for (auto _ : state) {
    chart.Show(market ? window->history().MarketChart() : window->history().RowChart(0));
    const QPixmap drawn = chart.grab();
    benchmark::DoNotOptimize(drawn.cacheKey());
  }
  state.SetLabel(market ? "market, 8 series of 56 quarters" : "report row, 10 banks");
}
BENCHMARK(BM_DrawArchivedCharts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
