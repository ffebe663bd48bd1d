#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/Ui.h"

namespace qv {

// The Ui port on real windows: message boxes, and the fix-decisions and computer-level
// dialogs, each modal over the window the person is working in.
class QtUi final : public Ui {
 public:
  Answer Show(const Message& message) override;
  FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) override;
  // The dialog's title names the bank.
  FixChoice ChooseFixDecisionsFor(int bank, const std::string& bank_name, const std::string& label,
                                  bool disk_readable) override;
  int ChooseComputerLevel() override;
  void GameChanged() override;
  // Shows the step in the main window's status bar and lets the windows repaint, so that a
  // long advance never looks frozen.
  void Progress(const std::string& step) override;

  // The window that owns the boxes when no modal dialog is open.
  void set_main_window(QWidget* window) { main_window_ = window; }
  void set_on_game_changed(std::function<void()> refresh) { on_game_changed_ = std::move(refresh); }

 private:
  QWidget* Owner() const;

  QPointer<QWidget> main_window_;
  std::function<void()> on_game_changed_;
};

}  // namespace qv
