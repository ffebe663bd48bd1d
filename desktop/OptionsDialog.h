#pragma once

#include <QDialog>
#include <array>

class QTabBar;

namespace qv {

class Ui;

// frmOptions: a tab strip over four sample pages; the program has no options of its own yet,
// so Apply and OK only say where they would act.
class OptionsDialog final : public QDialog {
 public:
  OptionsDialog(Ui& ui, QWidget* owner);

 protected:
  // Ctrl+Tab selects the next tab and Ctrl+Shift+Tab the previous one, both wrapping.
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowTab(int index);

  Ui& ui_;
  QTabBar* tabs_ = nullptr;
  std::array<QWidget*, 4> pages_{};
};

}  // namespace qv
