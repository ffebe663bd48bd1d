// Speed of the results engine and of the opening-quarter calculation, on games held wholly
// in memory so that the host's disk does not enter the measure.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

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

namespace qv {
namespace {

// Files as byte strings, names compared without regard to letter case.
class MemoryFileSystem final : public FileSystem {
 public:
  Status OpenRecords(const std::string& path, int record_length, OpenMode mode,
                     std::unique_ptr<RecordFile>* file) override {
    auto found = files_.find(Key(path));
    if (found == files_.end()) {
      if (mode == OpenMode::kRead)
        return Status::Error(53, path);
      found = files_.emplace(Key(path), std::string()).first;
    }
    *file = std::make_unique<MemoryRecordFile>(&found->second, record_length);
    return Status::Ok();
  }
  Status ReadText(const std::string& path, std::string* contents) override {
    const auto found = files_.find(Key(path));
    if (found == files_.end())
      return Status::Error(53, path);
    *contents = found->second;
    return Status::Ok();
  }
  Status WriteText(const std::string& path, std::string_view contents) override {
    files_[Key(path)] = std::string(contents);
    return Status::Ok();
  }
  std::unique_ptr<FileBatch> StartBatch() override { return MakeSequentialBatch(*this); }
  Status SyncDirectory(const std::string&) override { return Status::Ok(); }
  Status Lock(const std::string&, std::string_view, std::unique_ptr<FileLock>* lock,
              std::string*) override {
    *lock = std::make_unique<FileLock>();
    return Status::Ok();
  }
  bool Exists(const std::string& path) override { return files_.count(Key(path)) != 0; }
  bool IsDirectory(const std::string&) override { return true; }
  Status FileSize(const std::string& path, std::int64_t* size) override {
    const auto found = files_.find(Key(path));
    if (found == files_.end())
      return Status::Error(53, path);
    *size = static_cast<std::int64_t>(found->second.size());
    return Status::Ok();
  }
  Status ListDirectory(const std::string&, std::vector<std::string>* names) override {
    names->clear();
    return Status::Ok();
  }
  Status MakeDirectories(const std::string&) override { return Status::Ok(); }
  Status RemoveFile(const std::string& path) override {
    files_.erase(Key(path));
    return Status::Ok();
  }

 private:
  class MemoryRecordFile final : public RecordFile {
   public:
    MemoryRecordFile(std::string* bytes, int length) : bytes_(bytes), length_(length) {}
    Status Read(int record, std::span<std::uint8_t> out) override {
      const std::size_t start = Start(record);
      if (start + out.size() > bytes_->size())
        return Status::Error(62, "past end");
      std::memcpy(out.data(), bytes_->data() + start, out.size());
      return Status::Ok();
    }
    Status Write(int record, std::span<const std::uint8_t> in) override {
      const std::size_t start = Start(record);
      if (bytes_->size() < start + in.size())
        bytes_->resize(start + in.size());
      std::memcpy(bytes_->data() + start, in.data(), in.size());
      return Status::Ok();
    }
    std::int64_t SizeBytes() override { return static_cast<std::int64_t>(bytes_->size()); }

   private:
    std::size_t Start(int record) const {
      return static_cast<std::size_t>(record - 1) * static_cast<std::size_t>(length_);
    }
    std::string* bytes_;
    int length_;
  };

  static std::string Key(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return path;
  }
  std::map<std::string, std::string> files_;
};

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

  MemoryFileSystem files;
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
  for (auto _ : bench) {
    bench.PauseTiming();
    session.game = opening_record;
    session.tables = opening_tables;
    bench.ResumeTiming();
    if (CalculateResults(session) != -1) {
      bench.SkipWithError(session.MessageText.c_str());
      return;
    }
  }
}
BENCHMARK(BM_CalculateResults);

}  // namespace
}  // namespace qv
