// A setup file from anywhere is either refused with a sentence that names what is wrong, or
// gives forms that the setup rules then check box by box, and whose disk paths are checked
// against the game folder; never a crash, a hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/SetupFile.h"
#include "platform/Ui.h"
#include "setup/DiskPaths.h"
#include "setup/ValidateSetup.h"
#include "tests/support/MemoryFileSystem.h"

namespace {

// Acknowledges every message the rules show.
class SilentUi final : public qv::Ui {
 public:
  qv::Answer Show(const qv::Message&) override { return qv::Answer::kOk; }
  qv::FixChoice ChooseFixDecisions(const std::string&, bool) override {
    return qv::FixChoice::kWait;
  }
  int ChooseComputerLevel() override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qv::cli::SetupFile setup;
  std::string problem;
  if (!qv::cli::ParseSetupFile(text, qv::EnvSetupForm{}, &setup, &problem)) {
    if (problem.empty()) {
      std::abort();  // a refusal always says why
    }
    return 0;
  }
  SilentUi ui;
  if (qv::FirstInvalidField(ui, setup.forms)) {
    return 0;
  }
  qv::test::MemoryFileSystem files;
  (void)qv::FirstDiskPathConflict(ui, files, setup.forms, "/game/");
  return 0;
}
