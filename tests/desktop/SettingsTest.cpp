#include <gtest/gtest.h>

#include <QApplication>

#include "desktop/AboutDialog.h"
#include "desktop/SystemRegistry.h"
#include "tests/desktop/DesktopHarness.h"
#include "tests/desktop/ModalDriver.h"

namespace qv::test {
namespace {

constexpr const char* kMsInfo =
    "Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/Shared Tools/MSINFO";
constexpr const char* kLocation =
    "Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/Shared Tools Location";

TEST(WindowPlacement, DefaultsAreKeptInTwipsAndTheWindowComesBackWhereItWas) {
  TempDir dir;
  DesktopHarness harness;
  {
    MainWindow window(harness.Program(dir.path()));
    EXPECT_EQ(window.size(), QSize(433, 433));  // 6500 twips at 15 twips a pixel
    window.show();
    window.move(120, 90);
    window.resize(640, 480);
    window.close();
  }
  SettingsStore& settings = harness.settings();
  EXPECT_EQ(settings.GetSetting("Settings", "MainWidth", ""), "9600");
  EXPECT_EQ(settings.GetSetting("Settings", "MainHeight", ""), "7200");
  MainWindow again(harness.Program(dir.path()));
  EXPECT_EQ(again.size(), QSize(640, 480));
  EXPECT_EQ(again.pos(), QPoint(120, 90));
}

TEST(WindowPlacement, NothingIsWrittenWhileMinimised) {
  TempDir dir;
  DesktopHarness harness;
  {
    MainWindow window(harness.Program(dir.path()));
    window.showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(window.isMinimized());
    window.close();
  }
  EXPECT_FALSE(harness.settings().Contains("Settings", "MainLeft"));
}

TEST(SystemRegistry, ValuesReadAsTheirTypeSays) {
  DesktopHarness harness;
  SettingsStore& store = harness.settings();
  store.SaveSetting("Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Test", "Text",
                    QString("before") + QChar(0) + "after");
  store.SaveSetting("Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Test", "Number", "dword:00000102");
  store.SaveSetting("Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Test", "Big", "dword:ABCD0E0F");
  struct Row {
    const char* what;
    std::uint32_t root;
    const char* key;
    const char* value;
    bool found;
    const char* text;
  };
  const Row rows[] = {
      {"a string is cut at its first zero", kHkeyLocalMachine, "SOFTWARE\\Test", "Text", true,
       "before"},
      {"a number reads its bytes last to first, no leading zeros", kHkeyLocalMachine,
       "SOFTWARE\\Test", "Number", true, "&h0012"},
      {"each byte in upper-case hexadecimal", kHkeyLocalMachine, "SOFTWARE\\Test", "Big", true,
       "&hABCDEF"},
      {"a missing value", kHkeyLocalMachine, "SOFTWARE\\Test", "None", false, ""},
      {"another root", kHkeyCurrentUser, "SOFTWARE\\Test", "Text", false, ""},
      {"an unknown root", 7, "SOFTWARE\\Test", "Text", false, ""},
  };
  for (const Row& row : rows) {
    std::string text = "stale";
    EXPECT_EQ(GetKeyValue(store, row.root, row.key, row.value, &text), row.found) << row.what;
    EXPECT_EQ(text, row.text) << row.what;
  }
}

class SysInfo : public ::testing::Test {
 protected:
  void Run() {
    AboutDialog about(harness_.settings(), files_, ui_, nullptr);
    about.set_launcher([this](const QString& program) {
      launched_ << program;
      return true;
    });
    about.StartSysInfo();
  }
  DesktopHarness harness_;
  TempDir dir_;
  LocalFileSystem files_;
  ScriptedUi ui_;
  QStringList launched_;
};

TEST_F(SysInfo, WithNoRegistryValuesItIsUnavailable) {
  ui_.AcknowledgeOkBoxes();
  Run();
  EXPECT_TRUE(launched_.isEmpty());
  EXPECT_EQ(ui_.texts(),
            std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

TEST_F(SysInfo, ThePathValueIsStartedAsItIs) {
  harness_.settings().SaveSetting(kMsInfo, "PATH", "/opt/msinfo/run");
  Run();
  EXPECT_EQ(launched_, QStringList({"/opt/msinfo/run"}));
}

TEST_F(SysInfo, TheToolsLocationCountsOnlyWhenTheProgramIsThere) {
  ui_.AcknowledgeOkBoxes();
  harness_.settings().SaveSetting(kLocation, "MSINFO",
                                  QString::fromStdString(dir_.path() + "tools"));
  Run();
  EXPECT_TRUE(launched_.isEmpty());
  dir_.Subdir("tools");
  dir_.Write("tools/MSINFO32.EXE", "");
  Run();
  EXPECT_EQ(launched_.size(), 1);
  EXPECT_TRUE(launched_.value(0).endsWith("\\MSINFO32.EXE"));
}

}  // namespace
}  // namespace qv::test
