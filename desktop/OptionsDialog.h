#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "platform/Printer.h"

class QDoubleSpinBox;
class QSpinBox;
class QFontComboBox;
class QLineEdit;
class QStackedWidget;
class QTabBar;

namespace qv {

class SettingsStore;

// The keys of the report's printer font in the settings store; unset, the report picks its
// font itself.
inline constexpr const char* kPrinterSection = "Printer";
inline constexpr const char* kPrinterFontKey = "FontName";
inline constexpr const char* kPrinterSizeKey = "FontSize";

// The report's printer font as the options set it; none when they name no font.
std::optional<PrinterFont> ReportPrinterFont(const SettingsStore& settings);

// The key of how many quarters the game's archive keeps for undo.
inline constexpr const char* kArchiveSection = "Archive";
inline constexpr const char* kKeepQuartersKey = "KeepQuarters";

// The quarters kept for undo as the options set them: 0, the default, keeps every quarter; a
// value that is not a whole number of at least 0 counts as unset.
int ArchiveDepthSetting(const SettingsStore& settings);

// frmOptions: the program's own settings, on tabs: the folders that stand for the diskette
// drives A: and B:, the printer font of the quarterly report, and the quarters kept for undo. Apply
// stores them and keeps the dialog open, OK stores them and closes it, Cancel closes it and forgets
// what was changed since the last Apply. Everything lives in the settings store.
class OptionsDialog final : public QDialog {
 public:
  OptionsDialog(SettingsStore& settings, QWidget* owner);

  // Called after every Apply and OK, once the settings are stored, so the program can use them.
  void set_on_applied(std::function<void()> applied) { on_applied_ = std::move(applied); }

 protected:
  // Ctrl+Tab selects the next tab and Ctrl+Shift+Tab the previous one, both wrapping.
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QWidget* DrivesPage();
  QWidget* PrinterPage();
  QWidget* UndoPage();
  void Load();
  void Store();
  void ShowTab(int index);

  SettingsStore& settings_;
  std::function<void()> on_applied_;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::array<QLineEdit*, 2> drives_{};
  QFontComboBox* font_ = nullptr;
  QDoubleSpinBox* font_size_ = nullptr;
  QSpinBox* keep_quarters_ = nullptr;
};

}  // namespace qv
