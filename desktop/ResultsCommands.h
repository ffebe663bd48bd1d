#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace qv {

class ResultsWindow;
struct Session;

// The main window's results commands: the results window (one, made on first use), File >
// Export, and keeping the window on the open game as it changes.
class ResultsCommands {
 public:
  ResultsCommands(Session& session, QWidget* owner) : session_(session), owner_(owner) {}

  // Shows the results window of the open game, raised and reloaded.
  void ShowResults();
  // Asks for a file and exports every quarter kept there: CSV, or JSON for a ".json" name.
  void ExportResults();
  // Exports to `path` with a progress window; false (after saying why) when it failed.
  bool ExportTo(const QString& path);
  // The open game changed (an advance, another game): an open results window follows it.
  void GameChanged();
  // The game was closed: the results window closes with it.
  void GameClosed();

  ResultsWindow* window() const;

 private:
  void Tell(const std::string& text);

  Session& session_;
  QPointer<QWidget> owner_;
  QPointer<ResultsWindow> window_;
};

}  // namespace qv
