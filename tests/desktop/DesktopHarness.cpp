#include "tests/desktop/DesktopHarness.h"

#include <gtest/gtest.h>

#include "advance/AdvanceGame.h"

namespace qv::test {

DesktopHarness::DesktopHarness()
    : settings_(std::make_unique<SettingsStore>(QString::fromStdString(settings_file()))) {}

Instructor& DesktopHarness::Program(const std::string& program_dir) {
  if (!program_) {
    program_ = std::make_unique<Instructor>(*settings_, 11);
    InitGlobals(*program_, program_dir);
  }
  return *program_;
}

MainWindow& DesktopHarness::Window(const std::string& program_dir) {
  if (!window_) {
    window_ = std::make_unique<MainWindow>(Program(program_dir));
    window_->show();
    window_->NoGameDisplay();
  }
  return *window_;
}

std::unique_ptr<TestGame> MakeGame(const std::vector<BankSpec>& banks,
                                   const std::string& instructor, const std::string& password,
                                   int quarters) {
  auto game = std::make_unique<TestGame>();
  SetupForms forms = game->Setup(banks);
  forms.game.txtInstName = instructor;
  forms.game.txtInstPW = password;
  forms.game.txtConfirm = password;
  EXPECT_EQ(game->Create(forms), Proceed::kGoOn);
  for (int q = 0; q < quarters; ++q) {
    EXPECT_EQ(AdvanceGame(game->session), Proceed::kGoOn);
  }
  return game;
}

std::vector<BankSpec> ComputerBanks() {
  return {{"Alder", 1, 0}, {"Birch", 2, 1}, {"Cedar", 3, 2}, {"Dogwood", 2, 3}};
}

}  // namespace qv::test
