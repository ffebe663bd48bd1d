#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

namespace {

// The offscreen platform warns about window features it lacks; those warnings are noise here.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
  if (message.contains("This plugin does not support")) {
    return;
  }
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

}  // namespace

// The widget tests need one application object for the whole run; they run offscreen unless
// a platform is named (test discovery at build time has no display either).
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  qInstallMessageHandler(QuietOffscreenWarnings);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
