#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestGame.h"

namespace qv::test {

// The desktop program over a settings file of its own in a temporary folder.
class DesktopHarness {
 public:
  DesktopHarness();

  SettingsStore& settings() { return *settings_; }
  std::string settings_file() const { return settings_dir_.path() + "settings.ini"; }
  // The program, made on first use (the drive map is read then), with `program_dir` as its
  // program and game directory.
  Instructor& Program(const std::string& program_dir);
  // A main window in the no-game state, as the start-up leaves it.
  MainWindow& Window(const std::string& program_dir);

 private:
  TempDir settings_dir_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<Instructor> program_;
  std::unique_ptr<MainWindow> window_;
};

// A game made and started by the real creation code, advanced `quarters` times.
std::unique_ptr<TestGame> MakeGame(const std::vector<BankSpec>& banks,
                                   const std::string& instructor = "",
                                   const std::string& password = "", int quarters = 0);

// Four computer-managed banks.
std::vector<BankSpec> ComputerBanks();

}  // namespace qv::test
