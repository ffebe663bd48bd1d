#include "desktop/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "advance/AdvanceGame.h"
#include "data/GlobalFile.h"
#include "data/Messages.h"
#include "data/StorageCheck.h"
#include "desktop/AboutDialog.h"
#include "desktop/ChangeEnvCommand.h"
#include "desktop/EnterDecisionsDialog.h"
#include "desktop/GameDiscovery.h"
#include "desktop/GameListDialogs.h"
#include "desktop/HelpWindow.h"
#include "desktop/Instructor.h"
#include "desktop/LoginDialog.h"
#include "desktop/NewGameWizard.h"
#include "desktop/OptionsDialog.h"
#include "desktop/QtPrinter.h"
#include "desktop/RecentGames.h"
#include "desktop/ReportPreview.h"
#include "desktop/ResStrings.h"
#include "desktop/ResultsCommands.h"
#include "desktop/SettingsStore.h"
#include "desktop/StatusPanel.h"
#include "desktop/Twips.h"
#include "desktop/UndoCommand.h"
#include "platform/Cp1252.h"
#include "platform/RuntimeError.h"
#include "reports/QuarterlyReport.h"
#include "setup/Login.h"
#include "setup/OpenGame.h"
#include "setup/TakeGame.h"

namespace qv {

namespace {

constexpr double kPanelHeightShare = 0.82;
constexpr double kPanelWidthShare = 0.985;
// The cancel error of the common dialogs and the printer error, as the messages number them.
constexpr int kPrinterError = 482;

struct Placement {
  const char* key;
  int default_twips;
};
constexpr std::array<Placement, 4> kPlacement = {
    {{"MainLeft", 1000}, {"MainTop", 1000}, {"MainWidth", 6500}, {"MainHeight", 6500}}};

// The guide in the program directory, and the status panels' grid.
constexpr const char* kGuideFile = "help/instructor-guide.md";
constexpr int kStatusColumns = 2;

QString GameText(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QLabel* PanelLabel(QWidget* panel, const char* name, const QString& text) {
  auto* label = new QLabel(text, panel);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A panel of instructions, frmGame or frmNoGame.
QWidget* InstructionPanel(const char* name, const std::vector<QString>& lines) {
  auto* panel = new QWidget;
  panel->setObjectName(name);
  panel->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->setSpacing(14);
  int index = 1;
  for (const QString& line : lines) {
    const QByteArray label_name = "lblLabel" + QByteArray::number(index++);
    layout->addWidget(PanelLabel(panel, label_name.constData(), line));
  }
  layout->addStretch();
  return panel;
}

}  // namespace

MainWindow::MainWindow(Instructor& program)
    : program_(program), results_(std::make_unique<ResultsCommands>(program.session(), this)) {
  setObjectName("frmMain");
  setWindowTitle("Quorvant Instructor - No Game Active");
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildPanels();
  AssignShortcuts();
  LoadResStrings(this);
  RestorePlacement();
  program_.ui().set_main_window(this);
  program_.ui().set_on_game_changed([this] {
    RefreshStatus();
    UpdateUndoCommand();
    results_->GameChanged();
  });
}

MainWindow::~MainWindow() {
  program_.ui().set_on_game_changed({});
  program_.ui().set_main_window(nullptr);
}

Session& MainWindow::session() {
  return program_.session();
}
ShellState& MainWindow::state() {
  return program_.state();
}

Answer MainWindow::Tell(const std::string& text, Buttons buttons, Icon icon) {
  return qv::Tell(session(), text, buttons, icon);
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("mnuMenuBar");
  auto add_menu = [&](const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
  };
  auto add_item = [&](QMenu* menu, const char* name, const char* caption, auto command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  auto add_bar = [&](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); };

  QMenu* file = add_menu("mnuFile", "1000");
  add_item(file, "mnuFileNew", "Start a &New Game", &MainWindow::mnuFileNew_Click);
  add_item(file, "mnuFileOpen", "&Open Existing Game", &MainWindow::mnuFileOpen_Click);
  game_commands_[0] =
      add_item(file, "mnuFileClose", "&Close Current Game", &MainWindow::mnuFileClose_Click);
  add_bar(file, "mnuFileBar0");
  game_commands_[1] =
      add_item(file, "mnuFileSave", "&Save Current Game", &MainWindow::mnuFileSave_Click);
  add_bar(file, "mnuFileBar1");
  game_commands_[2] =
      add_item(file, "mnuFilePrint", "&Print Current Form", &MainWindow::mnuFilePrint_Click);
  game_commands_[3] =
      add_item(file, "mnuFilePrintReport", "Print &Report", &MainWindow::mnuFilePrintReport_Click);
  results_actions_.push_back(
      add_item(file, "mnuFileExport", "&Export Results...", &MainWindow::mnuFileExport_Click));
  add_bar(file, "mnuFileBar2");
  recent_menu_ = file->addMenu("Recent &Games");
  recent_menu_->setObjectName("mnuFileRecent");
  connect(recent_menu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  FillRecentMenu();
  add_bar(file, "mnuFileBar3");
  add_item(file, "mnuFileExit", "E&xit Quorvant", &MainWindow::mnuFileExit_Click);

  QMenu* advance = add_menu("mnuAdvance", "&Advance");
  add_item(advance, "mnuAdvanceAdvanceGame", "&Advance the Game to the Next Quarter",
           &MainWindow::mnuAdvanceAdvanceGame_Click);
  add_item(advance, "mnuAdvanceEnterDecisions", "Enter &Decisions for a Bank...",
           &MainWindow::mnuAdvanceEnterDecisions_Click);
  undo_ = add_item(advance, "mnuAdvanceUndo", "&Undo Last Advance...",
                   &MainWindow::mnuAdvanceUndo_Click);
  connect(advance, &QMenu::aboutToShow, this, [this] { UpdateUndoCommand(); });
  game_commands_[4] = advance->menuAction();

  QMenu* view = add_menu("mnuView", "&View");
  results_actions_.push_back(
      add_item(view, "mnuViewResults", "&Results and Charts", &MainWindow::mnuViewResults_Click));

  QMenu* tools = add_menu("mnuTools", "1032");
  add_item(tools, "mnuToolsChangeEnv", "&Change Regulatory Environment",
           &MainWindow::mnuToolsChangeEnv_Click);
  add_item(tools, "mnuToolsGameInfo", "&Banks Active In This Game",
           &MainWindow::mnuToolsGameInfo_Click);
  add_item(tools, "mnuToolsPasswords", "Bank &Passwords", &MainWindow::mnuToolsPasswords_Click);
  add_item(tools, "mnuToolsOptions", "Quorvant &Options", &MainWindow::mnuToolsOptions_Click);
  game_commands_[5] = tools->menuAction();

  QMenu* help = add_menu("mnuHelp", "1039");
  add_item(help, "mnuHelpContents", "1040", &MainWindow::mnuHelpContents_Click);
  add_item(help, "mnuHelpAbout", "&About Quorvant", &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar("Toolbar");
  bar->setObjectName("tbToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(20, 20));
  auto add_button = [&](const char* key, const char* tooltip, QStyle::StandardPixmap image,
                        const char* theme_image) {
    QAction* button =
        bar->addAction(QIcon::fromTheme(theme_image, style()->standardIcon(image)), QString(key));
    button->setObjectName(QString("tbToolBar") + key);
    button->setProperty("key", key);
    button->setToolTip(tooltip);
    return button;
  };
  connect(add_button("New", "Start a New Game", QStyle::SP_FileIcon, "document-new"),
          &QAction::triggered, this, &MainWindow::mnuFileNew_Click);
  connect(add_button("Open", "Open Existing Game", QStyle::SP_DialogOpenButton, "document-open"),
          &QAction::triggered, this, &MainWindow::mnuFileOpen_Click);
  save_button_ =
      add_button("Save", "Save Current Game", QStyle::SP_DialogSaveButton, "document-save");
  connect(save_button_, &QAction::triggered, this, &MainWindow::mnuFileSave_Click);
  bar->addSeparator();
  print_button_ = add_button("Print", "Print Current Form", QStyle::SP_FileDialogContentsView,
                             "document-print");
  connect(print_button_, &QAction::triggered, this, &MainWindow::mnuFilePrint_Click);
  bar->addSeparator();
  // Closing a form and clearing a decisions form have no use in this program: their buttons
  // stay hidden in both display states.
  QAction* close_form =
      add_button("Close", "Close Current Form", QStyle::SP_DialogCloseButton, "edit-delete");
  connect(close_form, &QAction::triggered, this, [this] {
    QMdiSubWindow* child = area_->activeSubWindow();
    if (child != nullptr && child != game_panel_ && child != no_game_panel_) {
      child->close();
    }
  });
  QAction* clear =
      add_button("Clear", "Clear Current Decisions Form", QStyle::SP_ArrowBack, "edit-undo");
  QAction* hidden_bar = bar->addSeparator();
  for (QAction* action : {close_form, clear, hidden_bar}) {
    action->setVisible(false);
  }
  connect(add_button("Help", "1048", QStyle::SP_MessageBoxQuestion, "help-contents"),
          &QAction::triggered, this, &MainWindow::mnuHelpContents_Click);
  // After the buttons of the command table, so that theirs keep their positions.
  results_actions_.push_back(add_button("Results", "Results and Charts",
                                        QStyle::SP_FileDialogDetailedView, "x-office-spreadsheet"));
  connect(results_actions_.back(), &QAction::triggered, this, &MainWindow::mnuViewResults_Click);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("sbStatusBar");
  bar->setSizeGripEnabled(true);
  // Three rows of two: each panel has half the width, enough for its whole text at the
  // default size; a narrower window cuts the texts, whose whole is in their tooltips.
  auto* grid_holder = new QWidget(bar);
  grid_holder->setObjectName("sbStatusBarPanels");
  auto* grid = new QGridLayout(grid_holder);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(2);
  for (std::size_t i = 0; i < status_panels_.size(); ++i) {
    // The game folder is cut in its middle, where it says least.
    auto* panel = new StatusPanel(grid_holder, i == 1 ? Qt::ElideMiddle : Qt::ElideRight);
    panel->setObjectName(QString("sbStatusBarPanel%1").arg(i + 1));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const int index = static_cast<int>(i);
    grid->addWidget(panel, index / kStatusColumns, index % kStatusColumns);
    status_panels_[i] = panel;
  }
  for (int column = 0; column < kStatusColumns; ++column) {
    grid->setColumnStretch(column, 1);
  }
  bar->addWidget(grid_holder, 1);
}

void MainWindow::BuildPanels() {
  area_ = new QMdiArea(this);
  area_->setObjectName("mdiArea");
  // The panels are sized to the window, not to the area, so they may overhang it a little.
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setCentralWidget(area_);
  QWidget* game = InstructionPanel(
      "frmGame",
      {R"(To calculate results for next quarter, click on the "Advance" menu above)",
       R"(To print a report, click on the "File" menu above, then click on "Print Report")",
       R"(To start a new game, click on "New" on the toolbar above)",
       R"(To exit Quorvant, click on the "File" menu, then click on "Exit Quorvant")"});
  QWidget* no_game = InstructionPanel(
      "frmNoGame",
      {"To play Quorvant, you must start a new game or  load an existing game:",
       R"(Click on "New" or "Open" on the toolbar, or )",
       R"(Click on the "File" menu, then click on "Start a New Game" or "Open Existing Game")"});
  game_panel_ = area_->addSubWindow(game, Qt::FramelessWindowHint);
  no_game_panel_ = area_->addSubWindow(no_game, Qt::FramelessWindowHint);
  // Frameless panels have no use for a system menu, whose Close would take Ctrl+W.
  for (QMdiSubWindow* panel : {game_panel_, no_game_panel_}) {
    panel->setSystemMenu(nullptr);
  }
  game_panel_->hide();
  no_game_panel_->hide();
}

void MainWindow::RestorePlacement() {
  std::array<int, 4> pixels{};
  const double twips_per_pixel = TwipsPerPixel(this);
  for (std::size_t i = 0; i < kPlacement.size(); ++i) {
    const QString text = program_.settings().GetSetting(
        kSettingsSection, kPlacement[i].key, QString::number(kPlacement[i].default_twips));
    bool is_number = false;
    double twips = text.toDouble(&is_number);
    if (!is_number) {
      twips = kPlacement[i].default_twips;
    }
    pixels[i] = static_cast<int>(std::lround(twips / twips_per_pixel));
  }
  move(pixels[0], pixels[1]);
  resize(pixels[2], pixels[3]);
}

void MainWindow::SavePlacement() {
  if (isMinimized()) {
    return;
  }
  const double twips_per_pixel = TwipsPerPixel(this);
  const std::array<int, 4> pixels = {x(), y(), width(), height()};
  for (std::size_t i = 0; i < kPlacement.size(); ++i) {
    program_.settings().SaveSetting(kSettingsSection, kPlacement[i].key,
                                    QString::number(std::lround(pixels[i] * twips_per_pixel)));
  }
  program_.settings().Sync();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveFirst();
  if (session().ProceedOk != Proceed::kGoOn) {
    event->ignore();
    return;
  }
  SavePlacement();
  program_.ReleaseGame();
  event->accept();
}

void MainWindow::SizePanel(QMdiSubWindow* panel) {
  // The panel fills the area below the toolbar once the window is laid out; before that it
  // takes its share of the window.
  const QSize area = area_->viewport()->size();
  if (area_->isVisible() && !area.isEmpty()) {
    panel->setGeometry(QRect(QPoint(0, 0), area));
    return;
  }
  panel->setGeometry(0, 0, static_cast<int>(kPanelWidthShare * width()),
                     static_cast<int>(kPanelHeightShare * height()));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  for (QMdiSubWindow* panel : {game_panel_, no_game_panel_}) {
    if (!panel->isHidden()) {
      SizePanel(panel);
    }
  }
}

void MainWindow::AssignShortcuts() {
  struct Binding {
    const char* action;
    QKeySequence keys;
  };
  // An advance moves the whole class on, so it sits on a chord that is not pressed by accident.
  // The keys are spelt out: some platforms' standard sets leave Quit or Close without one.
  const Binding bindings[] = {
      {"mnuFileNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"mnuFilePrintReport", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {"mnuFileClose", QKeySequence(Qt::CTRL | Qt::Key_W)},
      {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"mnuHelpContents", QKeySequence(Qt::Key_F1)},
      {"mnuAdvanceAdvanceGame", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
  };
  for (const Binding& binding : bindings) {
    findChild<QAction*>(binding.action)->setShortcut(binding.keys);
  }
}

void MainWindow::FillRecentMenu() {
  recent_menu_->clear();
  const std::vector<std::string> games = RecentGames(program_.settings()).List();
  int number = 1;
  for (const std::string& game : games) {
    const QString path = QString::fromStdString(game);
    QAction* entry =
        recent_menu_->addAction(QString("&%1 %2").arg(number).arg(QDir::toNativeSeparators(path)));
    entry->setObjectName(QString("mnuFileRecent%1").arg(number++));
    connect(entry, &QAction::triggered, this, [this, game] { OpenRecentGame(game); });
  }
  recent_menu_->setEnabled(!games.empty());
}

QString MainWindow::OpenDialogFolder() {
  for (const std::string& game : RecentGames(program_.settings()).List()) {
    if (QDir(QString::fromStdString(game)).exists()) {
      return QString::fromStdString(game);
    }
  }
  return QString::fromStdString(session().ProgramDir);
}

void MainWindow::OpenRecentGame(const std::string& game_path) {
  mnuFileClose_Click();
  if (session().ProceedOk != Proceed::kGoOn) {
    return;
  }
  state().PreviousGamePath = session().GamePath;
  for (;;) {
    session().GamePath = game_path;
    ExecuteOpen();
    if (state().OpenResult == 1) {
      break;
    }
    session().GamePath = state().PreviousGamePath;
    if (Tell("Quorvant Game Was Not Opened", Buttons::kRetryCancel, Icon::kExclamation) !=
        Answer::kRetry) {
      break;
    }
  }
  ShowNoGamePanelUnlessGame();
}

HelpWindow* MainWindow::help_window() const {
  return help_.data();
}

void MainWindow::ShowHelp(const QString& anchor, QWidget* from) {
  const QString guide = QString::fromStdString(session().ProgramDir) + kGuideFile;
  if (from != nullptr && from->isModal()) {
    // A modal dialog blocks every other window: the guide opens over it, modal in turn.
    HelpWindow over(from);
    over.Load(guide);
    over.ShowSection(anchor);
    over.exec();
    return;
  }
  if (help_ == nullptr) {
    help_ = new HelpWindow(this);
    help_->setModal(false);
    help_->Load(guide);
  }
  help_->ShowSection(anchor);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::ShowNoGamePanelUnlessGame() {
  if (game_panel_->isHidden()) {
    SizePanel(no_game_panel_);
    no_game_panel_->show();
  }
}

QWidget* MainWindow::ActiveChild() const {
  for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::StackingOrder)) {
    if (!child->isHidden()) {
      return child->widget();
    }
  }
  return nullptr;
}

void MainWindow::SetGameCommandsEnabled(bool enabled) {
  for (QAction* command : game_commands_) {
    command->setEnabled(enabled);
  }
  save_button_->setEnabled(enabled);
  print_button_->setEnabled(enabled);
  // Its menu being disabled does not stop the command's shortcut.
  findChild<QAction*>("mnuAdvanceAdvanceGame")->setEnabled(enabled);
  for (QAction* command : results_actions_) {
    command->setEnabled(enabled);
  }
  UpdateUndoCommand();
}

void MainWindow::UpdateUndoCommand() {
  undo_->setEnabled(state().GameActive && CanUndoAdvance(session()));
}

void MainWindow::GameDisplay() {
  SetGameCommandsEnabled(true);
  setWindowTitle(QString::fromStdString("Quorvant " + state().ProgramRole));
  RefreshStatus();
  RecentGames(program_.settings()).Add(session().GamePath);
  SizePanel(game_panel_);
  game_panel_->show();
  no_game_panel_->hide();
}

void MainWindow::RefreshStatus() {
  const GameRecord& game = session().game;
  const QString path = QString::fromStdString(session().GamePath);
  status_panels_[0]->SetText(QString::fromStdString("Quorvant " + state().ProgramRole));
  // The panel shows the folder's beginning only; its tooltip names the whole folder.
  status_panels_[1]->SetText(" " + path.left(15) + "... ", QDir::toNativeSeparators(path));
  status_panels_[2]->SetText(" Instructor: " + GameText(game.InstructorName) + " ");
  status_panels_[3]->SetText(" Game Name: " + GameText(game.GameName) + " ");
  status_panels_[4]->SetText(QString(" Results Quarter %1 ").arg(game.ResultsQuarter));
  status_panels_[5]->SetText(QString(" Decisions Quarter %1 ").arg(game.ResultsQuarter + 1));
}

void MainWindow::NoGameDisplay() {
  SetGameCommandsEnabled(false);
  setWindowTitle(QString::fromStdString("Quorvant " + state().ProgramRole));
  status_panels_[0]->SetText("No Quorvant Game Is Active");
  for (std::size_t i = 1; i < status_panels_.size(); ++i) {
    status_panels_[i]->SetText(QString());
  }
  SizePanel(no_game_panel_);
  no_game_panel_->show();
  game_panel_->hide();
}

void MainWindow::mnuFileNew_Click() {
  mnuFileClose_Click();
  if (session().ProceedOk != Proceed::kGoOn) {
    return;
  }
  no_game_panel_->hide();
  StartNewGame(*this);
  ShowNoGamePanelUnlessGame();
}

void MainWindow::mnuFileClose_Click() {
  SaveFirst();
  if (session().ProceedOk == Proceed::kGoOn) {
    state().GameActive = false;
    program_.ReleaseGame();
    results_->GameClosed();
    NoGameDisplay();
  }
}

void MainWindow::mnuFileSave_Click() {
  // Every operation writes its game files itself, so saving has nothing left to write.
  if (!state().GameActive) {
    Tell("No Quorvant Game is Active", Buttons::kOk, Icon::kNone);
  }
  session().ProceedOk = Proceed::kGoOn;
}

void MainWindow::SaveFirst() {
  if (!state().GameActive) {
    session().ProceedOk = Proceed::kGoOn;
    return;
  }
  mnuFileSave_Click();
}

void MainWindow::mnuFileOpen_Click() {
  mnuFileClose_Click();
  if (session().ProceedOk != Proceed::kGoOn) {
    return;
  }
  state().PreviousGamePath = session().GamePath;
  no_game_panel_->hide();
  for (;;) {
    session().GamePath = state().PreviousGamePath;
    QFileDialog dialog(this, "Select Quorvant Game File to Open", OpenDialogFolder());
    dialog.setObjectName("dlgCommonDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({"Quorvant Files (banks.qv)", "All Files (*.*)"});
    dialog.selectNameFilter("Quorvant Files (banks.qv)");
    dialog.selectFile("Banks.qv");
    if (dialog.exec() != QDialog::Accepted) {
      // A cancelled dialog leaves the game directory as it was and says nothing.
      session().GamePath = state().PreviousGamePath;
      break;
    }
    const QStringList chosen = dialog.selectedFiles();
    state().OpenResult = 2;
    if (!chosen.isEmpty() && !chosen.front().isEmpty()) {
      session().GamePath = DirectoryOfFile(chosen.front().toStdString());
      ExecuteOpen();
    }
    if (state().OpenResult == 1) {
      break;
    }
    session().GamePath = state().PreviousGamePath;
    if (Tell("Quorvant Game Was Not Opened", Buttons::kRetryCancel, Icon::kExclamation) !=
        Answer::kRetry) {
      break;
    }
  }
  ShowNoGamePanelUnlessGame();
}

void MainWindow::ExecuteOpen() {
  try {
    // A folder without a game is not opened and gets no lock file. In one that has a game the
    // lock comes first, so no other program writes while an interrupted update is undone or
    // while the game is open.
    if (!HoldsGameFiles(program_.files(), session().GamePath) || !program_.TakeGame()) {
      state().OpenResult = 2;
      return;
    }
    LoginDialog login(session(), this);
    login.ClearEntries();
    const auto show_login = [&] {
      no_game_panel_->hide();
      state().DialogCode = login.ShowModal();
      const auto code = static_cast<LoginCode>(state().DialogCode);
      if (code == LoginCode::kGameInfo) {
        mnuToolsGameInfo_Click();
      }
      return code;
    };
    if (OpenGameWithLogin(session(), show_login) != OpenGameResult::kOpened) {
      program_.ReleaseGame();
      state().OpenResult = 2;
      return;
    }
    no_game_panel_->hide();
    state().DialogCode = static_cast<int>(LoginCode::kOpened);
    state().OpenResult = 1;
    state().GameActive = true;
    GameDisplay();
  } catch (const RuntimeError& error) {
    program_.ReleaseGame();
    ReportRuntimeError(session(), "Sub ExecuteOpen", error.number());
    state().OpenResult = 3;
  }
}

void MainWindow::mnuFilePrint_Click() {
  for (;;) {
    QWidget* child = ActiveChild();
    if (child == nullptr) {
      Tell("There is no active form to print.", Buttons::kOk, Icon::kNone);
      return;
    }
    int error = 0;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("dlgCommonDialog");
    dialog.setWindowTitle("Print Current Form");
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // With no printer installed a file is the only place the form can go.
    const bool has_printer = !QPrinterInfo::availablePrinterNames().isEmpty();
    dialog.setOption(QAbstractPrintDialog::PrintToFile, !has_printer);
    if (!has_printer) {
      printer.setOutputFileName(QDir(QDir::homePath()).filePath("Quorvant Form.pdf"));
    }
    printer.setCopyCount(1);
    if (dialog.exec() != QDialog::Accepted) {
      error = 32755;  // the dialog's cancel error
    } else {
      const int copies = printer.copyCount();
      if (copies < 1) {
        return;
      }
      const QPixmap image = child->grab();
      const int passes = printer.supportsMultipleCopies() ? 1 : copies;
      QPainter painter;
      if (!painter.begin(&printer)) {
        error = kPrinterError;
      } else {
        const QRect page = painter.viewport();
        const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        for (int pass = 0; pass < passes && error == 0; ++pass) {
          if (pass > 0 && !printer.newPage()) {
            error = kPrinterError;
          }
          painter.drawPixmap(QRect(page.topLeft(), size), image);
        }
        painter.end();
      }
    }
    if (error == 0) {
      return;
    }
    if (Tell("Error Printing Form: " + std::to_string(error), Buttons::kRetryCancel, Icon::kNone) !=
        Answer::kRetry) {
      return;
    }
  }
}

void MainWindow::mnuFilePrintReport_Click() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("dlgCommonDialog");
  dialog.setWindowTitle("Print Report");
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  // With no printer installed a PDF file is the only place the report can go: it is preset to
  // the game's folder, beside the game it reports on.
  const bool has_printer = !QPrinterInfo::availablePrinterNames().isEmpty();
  dialog.setOption(QAbstractPrintDialog::PrintToFile, !has_printer);
  if (!has_printer) {
    QDir folder(QString::fromStdString(session().GamePath));
    if (!folder.exists()) {
      folder = QDir::home();
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("Quorvant Report.pdf"));
    // The dialog fills its file box with a folder of its own; it shows the preset name instead.
    if (auto* file_box = dialog.findChild<QLineEdit*>("filename")) {
      file_box->setText(printer.outputFileName());
    }
  }
  printer.setCopyCount(1);
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  const int copies = printer.copyCount();
  if (copies < 1) {
    return;
  }
  ReportPreview report_printer(printer, this);
  if (const std::optional<PrinterFont> font = ReportPrinterFont(program_.settings())) {
    report_printer.set_preferred_font(*font);
  }
  PrintReport(session(), ReportLayoutPath(session()), copies, report_printer);
}

void MainWindow::mnuToolsChangeEnv_Click() {
  ChangeEnv(*this);
}

void MainWindow::mnuFileExit_Click() {
  close();
}

void MainWindow::mnuAdvanceAdvanceGame_Click() {
  if (!state().GameActive) {
    return;
  }
  if (Tell("Are you sure you want to advance the game?", Buttons::kYesNo, Icon::kExclamation) ==
      Answer::kYes) {
    // A game with faults is not advanced: its next quarter would build on them.
    const std::vector<std::string> problems =
        GameProblems(session().files, session().GamePath, ArchiveScope::kNewestQuarter);
    if (!problems.empty()) {
      std::string text = "The game was not advanced; its files have these problems:";
      for (const std::string& line : problems) {
        text += "\r" + line;
      }
      Tell(text, Buttons::kOk, Icon::kExclamation);
      return;
    }
    session().ArchiveDepth = ArchiveDepthSetting(program_.settings());
    AdvanceGame(session());
  }
}

void MainWindow::mnuAdvanceEnterDecisions_Click() {
  EnterDecisionsDialog dialog(session(), this);
  dialog.exec();
}

void MainWindow::mnuAdvanceUndo_Click() {
  UndoAdvance(*this);
}

void MainWindow::mnuToolsGameInfo_Click() {
  GameInfoDialog dialog(session(), this);
  dialog.exec();
}

void MainWindow::mnuToolsPasswords_Click() {
  PasswordsDialog dialog(session().game, this);
  dialog.exec();
}

void MainWindow::mnuToolsOptions_Click() {
  OptionsDialog dialog(program_.settings(), this);
  dialog.set_on_applied([this] { program_.ApplySettings(); });
  dialog.exec();
}

void MainWindow::mnuHelpContents_Click() {
  ShowHelp("contents");
}

void MainWindow::mnuViewResults_Click() {
  results_->ShowResults();
}

void MainWindow::mnuFileExport_Click() {
  results_->ExportResults();
}

void MainWindow::mnuHelpAbout_Click() {
  AboutDialog dialog(program_.settings(), program_.files(), program_.ui(), this);
  dialog.exec();
}

}  // namespace qv
