#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QRadioButton;

namespace qv {

// frmStartup: what to do with the game found at start-up (or with none found).
class StartupDialog final : public QDialog {
 public:
  enum class Choice { kOpenFound = 1, kBrowse = 2, kNewGame = 3, kNothing = 4, kRecent = 5 };

  explicit StartupDialog(QWidget* owner);

  // Fills the dialog for the game found at `search_path`, or for none.
  void ShowFound(const std::optional<std::string>& search_path);
  // Offers the games opened last, newest first; nothing is shown for none.
  void ShowRecent(const std::vector<std::string>& games);
  // Shows it modally; false when it was closed from its window frame.
  bool Ask();
  Choice choice() const;
  // The recent game chosen, with kRecent.
  std::string recent_game() const;

 private:
  QLabel* heading_ = nullptr;
  QLabel* location_ = nullptr;
  QRadioButton* options_[5] = {};
  QListWidget* recent_ = nullptr;
};

}  // namespace qv
