#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QRadioButton;

namespace qv {

// frmStartup: what to do with the game found at start-up (or with none found).
class StartupDialog final : public QDialog {
 public:
  enum class Choice { kOpenFound = 1, kBrowse = 2, kNewGame = 3, kNothing = 4 };

  explicit StartupDialog(QWidget* owner);

  // Fills the dialog for the game found at `search_path`, or for none.
  void ShowFound(const std::optional<std::string>& search_path);
  // Shows it modally; false when it was closed from its window frame.
  bool Ask();
  Choice choice() const;

 private:
  QLabel* heading_ = nullptr;
  QLabel* location_ = nullptr;
  QRadioButton* options_[4] = {};
};

}  // namespace qv
