#pragma once

#include <QDialog>

namespace qv {

struct GameRecord;
struct Session;

// frmGameInfo, "Banks Active In This Game": one row per bank with its management, disk and,
// for the banks of the file shown, the state of its decisions as held in memory. Sized to the
// main window `owner`.
class GameInfoDialog final : public QDialog {
 public:
  GameInfoDialog(const Session& session, QWidget* owner);
};

// frmPasswords, "Bank Passwords": name, management and password of every bank of the game;
// the rows past the last bank are hidden.
class PasswordsDialog final : public QDialog {
 public:
  PasswordsDialog(const GameRecord& game, QWidget* owner);
};

}  // namespace qv
