// A report layout file is the instructor's to edit: any text either prints (the figures of
// every row within their columns) or ends with the interpreter's run-time error; never a
// crash, a hang or undefined behaviour. The figures are drawn from the input too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/Random.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "reports/ReportInterpreter.h"
#include "tests/support/MemoryFileSystem.h"

namespace {

class SilentUi final : public qv::Ui {
 public:
  qv::Answer Show(const qv::Message&) override { return qv::Answer::kOk; }
  qv::FixChoice ChooseFixDecisions(const std::string&, bool) override {
    return qv::FixChoice::kWait;
  }
  int ChooseComputerLevel() override { return 0; }
};

// Keeps nothing; a page of text may be as long as the layout makes it.
class NullPrinter final : public qv::Printer {
 public:
  std::vector<std::string> FontNames() override { return {"Courier"}; }
  bool ChooseFixedPitchFont(const qv::PrinterFont& preset, qv::PrinterFont* chosen) override {
    *chosen = preset;
    return true;
  }
  void SetFont(const qv::PrinterFont&) override {}
  bool SetCopies(int) override { return true; }
  void Tab(int) override {}
  void Print(std::string_view) override {}
  void EndLine() override {}
  void NewPage() override {}
  qv::Status EndDoc() override { return qv::Status::Ok(); }
};

// Numbers taken from the input's bytes in turn, from the start again at its end.
class Numbers {
 public:
  explicit Numbers(std::string_view bytes) : bytes_(bytes) {}
  template <typename T>
  T Next() {
    T value{};
    if (bytes_.size() >= sizeof value) {
      if (at_ + sizeof value > bytes_.size()) {
        at_ = 0;
      }
      std::memcpy(&value, bytes_.data() + at_, sizeof value);
      at_ += sizeof value;
    }
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

template <typename T, int Rows, int Cols>
void Fill(qv::Table2<T, Rows, Cols>& table, Numbers& numbers) {
  for (int row = 1; row <= Rows; ++row) {
    for (int col = 1; col <= Cols; ++col) {
      table(row, col) = numbers.Next<T>();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The layout comes first, the figures after a NUL; without one the figures stay zero.
  const std::size_t split = input.find('\0');
  const std::string_view layout = input.substr(0, split);
  const std::string_view figure_bytes =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

  qv::test::MemoryFileSystem files;
  SilentUi ui;
  qv::FixedClock clock{qv::DateTime{}};
  qv::FixedRandom random{0.5F};
  qv::Session session{files, ui, clock, random};
  session.game.NumBanks = static_cast<std::int16_t>(1 + size % qv::kMaxBanks);
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    session.game.BankName(b) = "Bank " + std::to_string(b);
  }
  qv::ReportFigures figures;
  Numbers numbers(figure_bytes);
  Fill(figures.competitors.CompetitorValues, numbers);
  Fill(figures.competitors.CompetitorAmounts, numbers);
  Fill(figures.banks.Decision, numbers);
  NullPrinter printer;
  try {
    qv::ReportInterpreter(session, figures).PrintPass(layout, true, printer);
  } catch (const qv::RuntimeError&) {
    // The layout or a figure was refused, as the report says.
  }
  return 0;
}
