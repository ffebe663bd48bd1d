// A game directory built from the input: its record files are arbitrary bytes of arbitrary
// length, its game record is either made from the first bytes or arbitrary text too. The
// check and every reader and writer run over it and must end normally: a damaged file is a
// problem line or a refused read, never a crash, a hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GameCheck.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "tests/support/MemoryFileSystem.h"

namespace {

constexpr const char* kGame = "G/";
constexpr const char* kDisk = "D/";

// Gives up on every retry question, so a damaged file ends its routine.
class CancellingUi final : public qv::Ui {
 public:
  qv::Answer Show(const qv::Message&) override { return qv::Answer::kCancel; }
  qv::FixChoice ChooseFixDecisions(const std::string&, bool) override {
    return qv::FixChoice::kWait;
  }
  int ChooseComputerLevel() override { return 0; }
};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
  // A length-prefixed chunk, cut short at the end of the input.
  std::string Chunk() {
    std::size_t length = Byte();
    length |= static_cast<std::size_t>(Byte()) << 8;
    length = std::min(length, size_ - next_);
    std::string bytes(reinterpret_cast<const char*>(data_ + next_), length);
    next_ += length;
    return bytes;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
};

void RunEveryRoutine(qv::Session& session) {
  const int banks = session.game.NumBanks;
  qv::BanksReport report;
  qv::CompetitorTables competitors;
  qv::Table2<double, qv::kPlotQuarters, qv::kMarketSeries> history;
  qv::Table<double, 84> environment;
  (void)qv::ReadBanksFull(session);
  (void)qv::ReadBanksXFD(session, &report);
  (void)qv::ReadEnvironmentRecords(session, &environment);
  (void)qv::ReadComp(session, &competitors);
  (void)qv::ReadPlotFile(session);
  (void)qv::ReadPlotvEH(session, &history);
  for (int b = 1; b <= banks; ++b) {
    session.CurrentPath = kDisk;
    (void)qv::ReadBankDisk(session, b);
    (void)qv::ReadBankDecisions(session, b);
    (void)qv::ReadPortfolio(session, b, &session.tables.Portfolios(b));
  }
  // Whatever was read, NaN included, writes back without trouble.
  (void)qv::WriteBanksUpdate(session, 1);
  (void)qv::WritePlotUpdate(session, 1);
  (void)qv::WritePlotUpdate(session, 0);
  (void)qv::WriteCompFile(session, 1);
  (void)qv::WritePortfolioFile(session);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t shape = input.Byte();
  qv::GameRecord game;
  game.GameVersion = qv::kGameVersion;
  game.NumBanks = static_cast<std::int16_t>(input.Byte() % qv::kMaxBanks + 1);
  game.ResultsQuarter = static_cast<std::int16_t>(static_cast<std::int8_t>(input.Byte()));
  game.EconPeriod = static_cast<std::int16_t>(input.Byte() % 100 + 1);
  const std::uint8_t flags = input.Byte();
  for (int b = 1; b <= qv::kMaxBanks; ++b) {
    game.BankFlag(b) = static_cast<std::int16_t>(((flags >> (b % 8)) & 1) != 0);
    game.DiskPath(b) = kDisk;
  }

  qv::test::MemoryFileSystem files;
  (void)files.MakeDirectories(kGame);
  (void)files.MakeDirectories(kDisk);
  const char* names[] = {"banks.qv", "PLOTV.QV", "PORTF.QV", "COMP.QV", "DATAEC.QVS", "INIT.QVS"};
  int bit = 0;
  for (const char* name : names) {
    std::string bytes = input.Chunk();
    if (((shape >> bit++) & 1) != 0) {
      files.Put(std::string(kGame) + name, bytes);
      files.Put(std::string(kDisk) + name, std::move(bytes));
    }
  }
  files.Put(std::string(kGame) + qv::kGlobalFileName,
            (shape & 0x80) != 0 ? input.Chunk() : qv::EncodeGlobalFile(game));

  for (const std::string& line : qv::CheckGameDirectory(files, kGame)) {
    if (line.empty()) {
      std::abort();
    }
  }

  CancellingUi ui;
  qv::FixedClock clock{qv::DateTime{}};
  qv::FixedRandom random{0.5F};
  qv::Session session{files, ui, clock, random};
  session.GamePath = kGame;
  session.game = game;
  RunEveryRoutine(session);
  (void)qv::CheckGameDirectory(files, kDisk);
  return 0;
}
