#include <QApplication>
#include <chrono>
#include <exception>

#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsStore.h"
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
    qv::InitGlobals(program, QApplication::applicationDirPath().toStdString());
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
  program.session().MessageText = "Quorvant Main Module Application Error " + std::to_string(error);
  program.ui().Show(qv::Message{program.session().MessageText, qv::kAppTitle, qv::Buttons::kOk,
                                qv::Icon::kExclamation, 1});
  return 1;
}
