// Pictures of the results window for the README: the table and two charts of a game whose
// quarters were kept as copies of its folder, one folder per quarter (q1, q2, ... below the
// folder given), as scripts/screenshots.sh makes them.
//   qv_results_screenshots QUARTERS_DIR OUTPUT_DIR
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <cstdio>
#include <memory>

#include "charts/ResultsChart.h"
#include "data/GlobalFile.h"
#include "data/Session.h"
#include "desktop/ResultsWindow.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "reports/LiveQuarterSource.h"

namespace qv {
namespace {

class SilentUi final : public Ui {
 public:
  Answer Show(const Message& message) override {
    std::fprintf(stderr, "%s\n", message.text.c_str());
    return Answer::kCancel;
  }
  FixChoice ChooseFixDecisions(const std::string&, bool) override { return FixChoice::kWait; }
  int ChooseComputerLevel() override { return 0; }
};

// Each quarter from its own copy of the game folder.
class FolderQuarters final : public QuarterSource {
 public:
  FolderQuarters(Session& session, QString root) : session_(session), root_(std::move(root)) {
    for (int folder = 1; QDir(Folder(folder)).exists(); ++folder) {
      if (Open(folder)) {
        quarters_.push_back(session_.game.ResultsQuarter);
        folders_.push_back(folder);
      }
    }
  }
  std::vector<int> Quarters() override { return quarters_; }
  bool Load(int quarter, QuarterTables* tables) override {
    for (std::size_t i = 0; i < quarters_.size(); ++i) {
      if (quarters_[i] == quarter) {
        return Open(folders_[i]) && LiveQuarterSource(session_).Load(quarter, tables);
      }
    }
    return false;
  }
  bool MarketHistory(std::vector<MarketPoint>* history) override {
    return !folders_.empty() && Open(folders_.back()) &&
           LiveQuarterSource(session_).MarketHistory(history);
  }

 private:
  QString Folder(int folder) const { return root_ + QString("/q%1/").arg(folder); }
  bool Open(int folder) {
    session_.GamePath = Folder(folder).toStdString();
    if (!ReadGlobalFile(session_, 0)) {
      return false;
    }
    ApplyGlobalRecord(session_);
    return true;
  }

  Session& session_;
  QString root_;
  std::vector<int> quarters_;
  std::vector<int> folders_;
};

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv_results_screenshots QUARTERS_DIR OUTPUT_DIR\n");
    return 2;
  }
  const QString root = argv[1];
  const QString output = argv[2];
  qv::LocalFileSystem files;
  qv::SilentUi ui;
  qv::SystemClock clock;
  qv::SeededRandom random{1};
  qv::Session session{files, ui, clock, random};
  session.ProgramDir = QCoreApplication::applicationDirPath().toStdString() + "/";

  qv::ResultsWindow window(session);
  window.set_source_factory(
      [&session, root] { return std::make_unique<qv::FolderQuarters>(session, root); });
  if (!window.Reload()) {
    std::fprintf(stderr, "no quarters in %s\n", argv[1]);
    return 1;
  }
  window.resize(900, 760);
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  bool saved = window.grab().save(output + "/results-window.png");

  auto* tabs = window.findChild<QTabWidget*>("tabResults");
  tabs->setCurrentIndex(1);
  window.ShowChart(0);  // the market series
  QApplication::processEvents();
  saved = window.grab().save(output + "/chart-market.png") && saved;
  // Every bank's share price: the first report row.
  const int banks = window.history().Latest().num_banks;
  window.ShowChart(banks + 1);
  QApplication::processEvents();
  saved = window.grab().save(output + "/chart-share-price.png") && saved;
  return saved ? 0 : 1;
}
