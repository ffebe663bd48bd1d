#include <QApplication>
#include <chrono>
#include <exception>

#include "data/Messages.h"
#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsStore.h"
#include "platform/ProgramDir.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace {

// The error number shown for a failure that is not one of the game's run-time errors.
constexpr int kInternalError = 51;

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(qv::kAppTitle);
  qv::SettingsStore settings;
  qv::Instructor program(settings, ClockSeed());
  int error = 0;
  try {
    // An installed program keeps its data files in the installation's data folder.
    qv::InitGlobals(program, qv::FindProgramDir(program.files(),
                                                QApplication::applicationDirPath().toStdString()));
    const std::unique_ptr<qv::MainWindow> window = qv::StartInstructor(program, {});
    if (!window->isVisible()) {
      return 0;
    }
    return QApplication::exec();
  } catch (const qv::RuntimeError& failure) {
    error = failure.number();
  } catch (const std::exception&) {
    error = kInternalError;
  }
  qv::ReportRuntimeError(program.session(), "Main Module Application", error);
  return 1;
}
