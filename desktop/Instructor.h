#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/Session.h"
#include "desktop/QtUi.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

namespace qv {

class MainWindow;
class SettingsStore;

// The shell's own state, beside the game's.
struct ShellState {
  std::string ProgramRole;
  std::string PreviousGamePath;
  bool GameActive = false;
  int OpenResult = 0;  // of ExecuteOpen: 1 opened, 2 not opened, 3 failed with an error
  int DialogCode = 0;  // of the last modal dialog
};

// One run of the desktop program: its ports, the session with the open game, and the
// shell's state. The file system maps the diskette drives as the settings store says.
class Instructor {
 public:
  Instructor(SettingsStore& settings, std::uint64_t seed);

  Session& session() { return session_; }
  ShellState& state() { return state_; }
  SettingsStore& settings() { return settings_; }
  QtUi& ui() { return ui_; }
  FileSystem& files() { return files_; }
  // Puts changed settings to use: the drive map.
  void ApplySettings();

  // Takes the game in `GamePath` for as long as it stays open: its lock, in the name of this
  // process, then the undo of an update that a crash left behind there, which the instructor
  // is told of. False, once the instructor was told why, when another program holds the game
  // or the interrupted update could not be undone yet; no lock is held then.
  bool TakeGame();
  // Lets go of the game's lock: the game was closed, or another one is being opened.
  void ReleaseGame();
  bool HoldsGame() const { return game_lock_ != nullptr; }

 private:
  SettingsStore& settings_;
  LocalFileSystem files_;
  QtUi ui_;
  SystemClock clock_;
  SeededRandom random_;
  Session session_;
  ShellState state_;
  std::unique_ptr<FileLock> game_lock_;
};

// Sets the program role and the program directory (`program_dir`, given a trailing
// separator), and makes the program directory the game directory.
void InitGlobals(Instructor& program, const std::string& program_dir);

// How long the splash window stays; tests shorten it.
struct StartOptions {
  double splash_seconds = 2.0;
};

// The start of a run after InitGlobals: the splash window, the main window with its two
// panels, and the start-up dialog over the game found in the program directory or on a
// diskette. Returns the main window, shown; the run lasts as long as it stays open.
std::unique_ptr<MainWindow> StartInstructor(Instructor& program, const StartOptions& options);

// The start-up dialog and its Retry loop (the discovery runs again on every turn).
void RunStartup(MainWindow& window);

}  // namespace qv
