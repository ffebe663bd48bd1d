#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "advance/AdvanceGame.h"
#include "data/GameCheck.h"
#include "data/GameJournal.h"
#include "data/GlobalFile.h"
#include "data/QuarterArchive.h"
#include "data/StorageCheck.h"
#include "newgame/NewGameState.h"
#include "setup/NewGameFlow.h"
#include "tests/support/SweepUi.h"
#include "tests/support/TestGame.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;

// Every plain file under `folder`, by path relative to it: the archive included. Left out: the
// lock file, and the copies that only a marker ever reads (those of a game's start, and those
// of a replacement when even their removal failed), which no quarter refers to.
Files Tree(const std::string& folder) {
  Files files;
  if (!fs::exists(folder)) {
    return files;
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_regular_file() && name != "Lock.qv" && name.rfind("Archive/Replaced/", 0) != 0 &&
        name.rfind("Archive/Start/", 0) != 0) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  return files;
}

// The names of the files in which `a` and `b` differ.
std::vector<std::string> Differences(const Files& a, const Files& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a) {
    if (!b.contains(name) || b.at(name) != bytes)
      names.push_back(name);
  }
  for (const auto& [name, bytes] : b) {
    if (!a.contains(name))
      names.push_back(name);
  }
  return names;
}

void Restore(const std::string& folder, const Files& files) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const auto& [name, bytes] : files) {
    fs::create_directories(fs::path(folder + name).parent_path());
    std::ofstream(folder + name, std::ios::binary) << bytes;
  }
}

// The game files alone, without the archive: what a game is at its quarter.
Files GameFilesOf(const Files& tree) {
  Files files;
  for (const auto& [name, bytes] : tree) {
    if (name.find('/') == std::string::npos && name != "Journal.qv" && name != "Replace.qv") {
      files[name] = bytes;
    }
  }
  return files;
}

// The operations a sweep visits: every one of the replacement's own first and last steps
// (keeping the old game, committing the new one, removing the old one's quarters) and every
// tenth of the creation between them, whose points differ only in which new file fails.
std::vector<long> SweepPoints(long operations) {
  std::vector<long> points;
  for (long n = 1; n <= operations; ++n) {
    if (n <= 80 || n > operations - 80 || n % 10 == 0)
      points.push_back(n);
  }
  return points;
}

// A game of two teams around a computer bank, advanced once (so it has an archive) and with
// decisions keyed in for its next quarter, about to be replaced by a game of the same teams
// with another computer bank.
struct ReplaceGame : ::testing::Test {
  test::TestGame game;
  std::vector<std::string> folders;  // the game directory, then the two disks
  std::vector<Files> old_game;
  std::vector<Files> new_game;
  long operations = 0;

  void SetUp() override {
    game.ui.AcknowledgeOkBoxes();
    ASSERT_EQ(game.Create(game.Setup({{"Alder"}, {"Birch", 2, 2}, {"Cedar", kManagementHuman, 1}})),
              Proceed::kGoOn);
    {
      test::SweepUi ui(FixChoice::kLastQuarter);
      Session session(game.real, ui, game.clock, game.random);
      session.GamePath = game.session.GamePath;
      session.ProgramDir = game.session.ProgramDir;
      ASSERT_TRUE(ReadGlobalFile(session, 0));
      ApplyGlobalRecord(session);
      ASSERT_EQ(AdvanceGame(session), Proceed::kGoOn);
    }
    folders = {game.session.GamePath, game.DiskFolder("Alder"), game.DiskFolder("Cedar")};
    std::ofstream(folders[0] + "Entered.qv", std::ios::binary) << "keyed in for quarter 2";
    old_game = Capture();

    const long start = game.files.operations();
    ASSERT_EQ(Replace(game.files), Proceed::kGoOn);
    operations = game.files.operations() - start;
    new_game = Capture();
  }

  std::vector<Files> Capture() const {
    std::vector<Files> state;
    for (const std::string& folder : folders) {
      state.push_back(Tree(folder));
    }
    return state;
  }

  void Reset() {
    for (std::size_t i = 0; i < folders.size(); ++i) {
      Restore(folders[i], old_game[i]);
    }
  }

  Proceed Replace(FileSystem& files) {
    test::SweepUi ui(FixChoice::kLastQuarter);
    SeededRandom random(5);
    Session session(files, ui, game.clock, random);
    session.GamePath = folders[0];
    session.ProgramDir = game.session.ProgramDir;
    NewGameState state;
    StoreSetupForms(session, state,
                    game.Setup({{"Alder"}, {"Elm", 2, 1}, {"Cedar", kManagementHuman, 1}}));
    return CreateGameInFolder(session, state);
  }
};

TEST_F(ReplaceGame, TheNewGameTakesTheFolderWithNothingOfTheOldOneLeft) {
  const Files& now = new_game[0];
  EXPECT_EQ(now.count("Entered.qv"), 0u) << "the old game's keyed-in decisions";
  EXPECT_EQ(now.count("Journal.qv"), 0u);
  for (const auto& [name, bytes] : now) {
    EXPECT_NE(name.rfind("Archive/Q", 0), 0u) << name << " is left of the old game";
  }
  GameRecord record;
  ASSERT_TRUE(DecodeGlobalFile(now.at("Global.qv"), &record));
  EXPECT_EQ(record.ResultsQuarter, 0);
  EXPECT_EQ(record.BankName(2), "Elm");
  EXPECT_EQ(CheckGameDirectory(game.real, folders[0]), std::vector<std::string>{});
}

// Quarters of the old game that could not be removed are refused, not put back by an undo.
TEST_F(ReplaceGame, QuartersOfTheOldGameLeftBehindAreRefused) {
  for (const auto& [name, bytes] : old_game[0]) {
    if (name.rfind("Archive/Q0000/", 0) == 0) {
      fs::create_directories(fs::path(folders[0] + name).parent_path());
      std::ofstream(folders[0] + name, std::ios::binary) << bytes;
    }
  }
  EXPECT_EQ(CheckStorage(game.real, folders[0]),
            std::vector<std::string>{"Archive/Q0000/: a quarter of another game"});
}

// Whatever operation fails, the old game is there as it was, archive, keyed-in decisions and
// disks included, and nothing of the attempt is left.
TEST_F(ReplaceGame, AFailureAnywhereKeepsTheOldGameWhole) {
  ASSERT_GT(operations, 160);
  for (const long n : SweepPoints(operations)) {
    SCOPED_TRACE("failed at operation " + std::to_string(n));
    Reset();
    game.files.ClearFaults();
    game.files.FailOperation(n);
    const Proceed created = Replace(game.files);
    game.files.ClearFaults();
    Recovery recovery;
    ASSERT_TRUE(RecoverGame(game.real, folders[0], &recovery).ok());
    const std::vector<Files> now = Capture();
    if (created == Proceed::kGoOn) {
      // A failure the creation rode out (a retried disk) must still end in the new game.
      EXPECT_EQ(Differences(GameFilesOf(now[0]), GameFilesOf(new_game[0])),
                std::vector<std::string>{});
    } else {
      for (std::size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(Differences(now[i], old_game[i]), std::vector<std::string>{}) << folders[i];
      }
    }
  }
  std::cout << "[ sweep    ] " << SweepPoints(operations).size() << " of the " << operations
            << " operations of a replacement, each failed\n";
}

// A replacement stopped at any operation (a kill, a power loss) leaves, once the game is
// opened again, the old game or the new one, never a mix, and an archive that belongs to it.
TEST_F(ReplaceGame, AReplacementStoppedAnywhereLeavesOneWholeGame) {
  for (const long n : SweepPoints(operations)) {
    SCOPED_TRACE("stopped at operation " + std::to_string(n));
    Reset();
    game.files.ClearFaults();
    game.files.StopAt(n);
    (void)Replace(game.files);
    game.files.ClearFaults();
    Recovery recovery;
    ASSERT_TRUE(RecoverGame(game.real, folders[0], &recovery).ok());
    const Files now = Tree(folders[0]);
    std::vector<int> quarters;
    ASSERT_TRUE(ListQuarters(game.real, folders[0], &quarters).ok());
    if (GameFilesOf(now) == GameFilesOf(old_game[0])) {
      EXPECT_TRUE(quarters.empty() || quarters == std::vector<int>{0});
    } else {
      EXPECT_EQ(Differences(GameFilesOf(now), GameFilesOf(new_game[0])),
                std::vector<std::string>{});
      EXPECT_TRUE(quarters.empty());
    }
  }
  std::cout << "[ sweep    ] " << SweepPoints(operations).size() << " of the " << operations
            << " operations of a replacement, stopped at each\n";
}

}  // namespace
}  // namespace qv
