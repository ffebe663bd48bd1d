#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/Ui.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace qv {

class HelpWindow;
class Instructor;
class StatusPanel;
class ResultsCommands;
struct Session;
struct ShellState;

// frmMain, the program's one top-level window: menus, toolbar, six status panels, and the two
// panels frmGame (a game is open) and frmNoGame (none is). Every command starts here; menu and
// toolbar lead to the same procedure. Results travel in the session's and the shell's flags
// (`ProceedOk`, `OpenResult`, `GameActive`), which a caller tests right after the call.
class MainWindow final : public QMainWindow {
 public:
  // Builds the window and runs its load: the caption pass, then the saved placement.
  explicit MainWindow(Instructor& program);
  ~MainWindow() override;

  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  // Opens the game at `GamePath`: its Global.qv, refused while it was never started, then the
  // instructor's login when the game has a name or password. Sets `OpenResult`.
  void ExecuteOpen();
  void mnuFileClose_Click();
  void mnuFileSave_Click();
  void mnuFilePrint_Click();
  // Prints the quarterly report through the print dialog; to a PDF file when there is no
  // printer.
  void mnuFilePrintReport_Click();
  void mnuFileExit_Click();
  void mnuAdvanceAdvanceGame_Click();
  // Enter Decisions for a Bank: the instructor keys in a bank's decisions for the coming
  // quarter, which the next advance takes in place of its disk.
  void mnuAdvanceEnterDecisions_Click();
  // Undo Last Advance: the game back to the quarter before the last advance, once confirmed.
  void mnuAdvanceUndo_Click();
  void mnuToolsChangeEnv_Click();
  void mnuToolsGameInfo_Click();
  void mnuToolsPasswords_Click();
  void mnuToolsOptions_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  // The results window (table and charts) and the export of the results for a spreadsheet.
  void mnuViewResults_Click();
  void mnuFileExport_Click();
  ResultsCommands& results() { return *results_; }

  // Opens the guide at the section `anchor`: in the help window beside the main window, or,
  // when asked from a modal dialog `from`, modally over it so it can be read there.
  void ShowHelp(const QString& anchor, QWidget* from = nullptr);
  // The help window beside the main window, once it was opened.
  HelpWindow* help_window() const;
  // Opens the game in `game_path` from the recent-games list, after the open game is closed.
  void OpenRecentGame(const std::string& game_path);

  // Lets a pending close, open or new game go on (`ProceedOk` go on) or not (stop).
  void SaveFirst();
  void GameDisplay();
  void NoGameDisplay();
  // The status panels of the open game, after it changed.
  void RefreshStatus();

  // Sizes a panel to 0.82 of the window's height and 0.985 of its width, at the top left.
  void SizePanel(QMdiSubWindow* panel);
  QMdiSubWindow* game_panel() const { return game_panel_; }
  QMdiSubWindow* no_game_panel() const { return no_game_panel_; }
  // Shows the no-game panel when no game was opened: the end of the start-up and of Open.
  void ShowNoGamePanelUnlessGame();

  Instructor& program() { return program_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The open panel keeps filling the window as it is resized.
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildPanels();
  void AssignShortcuts();
  void FillRecentMenu();
  // Where File > Open starts: the folder of the game opened last, when it is still there.
  QString OpenDialogFolder();
  void RestorePlacement();
  void SavePlacement();
  void SetGameCommandsEnabled(bool enabled);
  // Undo Last Advance is offered while the open game has a quarter to go back to.
  void UpdateUndoCommand();
  QWidget* ActiveChild() const;
  Answer Tell(const std::string& text, Buttons buttons, Icon icon);
  Session& session();
  ShellState& state();

  Instructor& program_;
  QMdiArea* area_ = nullptr;
  QMdiSubWindow* game_panel_ = nullptr;
  QMdiSubWindow* no_game_panel_ = nullptr;
  std::array<StatusPanel*, 6> status_panels_{};
  QMenu* recent_menu_ = nullptr;
  QPointer<HelpWindow> help_;
  // The commands a game must be open for: Close, Save, Print Current Form, Print Report and
  // the Advance and Tools menus.
  std::array<QAction*, 6> game_commands_{};
  QAction* save_button_ = nullptr;
  QAction* print_button_ = nullptr;
  QAction* undo_ = nullptr;
  std::unique_ptr<ResultsCommands> results_;
  // The results commands, which need an open game as the commands above do.
  std::vector<QAction*> results_actions_;
};

}  // namespace qv
