#include "desktop/Instructor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QThread>

#include <unistd.h>

#include "data/Messages.h"
#include "desktop/GameDiscovery.h"
#include "desktop/MainWindow.h"
#include "desktop/RecentGames.h"
#include "desktop/SettingsStore.h"
#include "desktop/SplashWindow.h"
#include "desktop/StartupDialog.h"
#include "setup/TakeGame.h"

namespace qv {

Instructor::Instructor(SettingsStore& settings, std::uint64_t seed)
    : settings_(settings),
      files_(settings.Drives()),
      random_(seed),
      session_(files_, ui_, clock_, random_) {}

void Instructor::ApplySettings() {
  files_.set_drives(settings_.Drives());
}

bool Instructor::TakeGame() {
  game_lock_.reset();
  const std::string holder = "qvinstructor (process " + std::to_string(::getpid()) + ")";
  const TakenGame taken = qv::TakeGame(files_, session_.GamePath, holder, &game_lock_);
  if (!taken.restored.empty()) {
    Tell(session_, taken.restored, Icon::kInformation);
  }
  if (!taken.taken) {
    Tell(session_, taken.refusal, Icon::kExclamation);
  }
  return taken.taken;
}

void Instructor::ReleaseGame() {
  game_lock_.reset();
}

void InitGlobals(Instructor& program, const std::string& program_dir) {
  program.state().ProgramRole = "Instructor";
  Session& session = program.session();
  session.ProgramDir = program_dir;
  if (!EndsWithSeparator(session.ProgramDir)) {
    session.ProgramDir += '/';
  }
  session.GamePath = session.ProgramDir;
}

std::unique_ptr<MainWindow> StartInstructor(Instructor& program, const StartOptions& options) {
  SplashWindow splash;
  splash.show();
  splash.repaint();
  // The splash stays up for its time while the event loop keeps it painted.
  QElapsedTimer shown;
  shown.start();
  while (static_cast<double>(shown.elapsed()) < options.splash_seconds * 1000.0) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  auto window = std::make_unique<MainWindow>(program);
  window->SizePanel(window->game_panel());
  window->SizePanel(window->no_game_panel());
  splash.close();
  window->show();
  program.state().GameActive = false;
  window->NoGameDisplay();
  window->no_game_panel()->hide();
  RunStartup(*window);
  window->ShowNoGamePanelUnlessGame();
  return window;
}

void RunStartup(MainWindow& window) {
  Instructor& program = window.program();
  Session& session = program.session();
  for (;;) {
    StartupDialog dialog(&window);
    const std::optional<std::string> found = FindGame(program.files(), session.GamePath);
    dialog.ShowFound(found);
    dialog.ShowRecent(RecentGames(program.settings()).List());
    if (!dialog.Ask()) {
      return;
    }
    switch (dialog.choice()) {
      case StartupDialog::Choice::kOpenFound:
      case StartupDialog::Choice::kRecent:
        session.GamePath =
            dialog.choice() == StartupDialog::Choice::kRecent ? dialog.recent_game() : *found;
        window.ExecuteOpen();
        if (program.state().OpenResult == 1) {
          return;
        }
        session.MessageText = "Quorvant Game Was Not Opened";
        if (program.ui().Show(Message{session.MessageText, kAppTitle, Buttons::kRetryCancel,
                                      Icon::kExclamation, 1}) != Answer::kRetry) {
          return;
        }
        break;
      case StartupDialog::Choice::kBrowse:
        window.mnuFileOpen_Click();
        return;
      case StartupDialog::Choice::kNewGame:
        window.mnuFileNew_Click();
        return;
      case StartupDialog::Choice::kNothing:
        return;
    }
  }
}

}  // namespace qv
