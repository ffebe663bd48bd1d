#include "data/StorageCheck.h"

#include "data/GameCheck.h"
#include "data/GameJournal.h"
#include "data/GameRecord.h"
#include "data/GlobalFile.h"
#include "data/QuarterArchive.h"

namespace qv {

namespace {

void CheckArchive(FileSystem& files, const std::string& directory, const GameRecord& game,
                  ArchiveScope scope, std::vector<std::string>* problems) {
  std::vector<int> quarters;
  if (!ListQuarters(files, directory, &quarters).ok()) {
    problems->push_back(std::string(kArchiveFolderName) + ": cannot be listed");
    return;
  }
  if (scope == ArchiveScope::kNewestQuarter && quarters.size() > 1) {
    quarters.erase(quarters.begin(), quarters.end() - 1);
  }
  for (const int quarter : quarters) {
    JournalEntry entry;
    std::vector<std::string> contents;
    const Status opened = OpenQuarter(files, directory, quarter, 0, &entry, &contents);
    // An entry without its Entry.txt is copies an advance began and never used; harmless.
    if (opened.error_number() == 57) {
      problems->push_back(QuarterFolder(quarter) + ": damaged archive entry");
    }
    // A game made in the folder of another keeps none of its quarters; one that is still
    // there would be put back by an undo.
    for (std::size_t i = 0; opened.ok() && i < entry.files.size(); ++i) {
      GameRecord archived;
      if (entry.files[i] == kGlobalFileName && DecodeGlobalFile(contents[i], &archived) &&
          archived.GameId != game.GameId) {
        problems->push_back(QuarterFolder(quarter) + ": a quarter of another game");
      }
    }
    for (int b = 1; b <= game.NumBanks && b <= kMaxBanks; ++b) {
      if (OpenQuarter(files, directory, quarter, b, &entry, &contents).error_number() == 57) {
        problems->push_back(DiskFolder(quarter, b) + ": damaged archive entry");
      }
    }
  }
}

}  // namespace

std::vector<std::string> CheckStorage(FileSystem& files, const std::string& directory,
                                      ArchiveScope scope) {
  std::vector<std::string> problems;
  for (const char* marker : {kJournalFileName, kReplaceMarkerName}) {
    if (files.Exists(JoinPath(directory, marker))) {
      problems.push_back(std::string(marker) +
                         ": an update was interrupted; opening the game restores it");
    }
  }
  std::string text;
  GameRecord game;
  if (!files.ReadText(JoinPath(directory, kGlobalFileName), &text).ok() ||
      !DecodeGlobalFile(text, &game)) {
    return problems;  // the file check reports a missing or damaged Global.qv
  }
  CheckArchive(files, directory, game, scope, &problems);
  return problems;
}

std::vector<std::string> GameProblems(FileSystem& files, const std::string& directory,
                                      ArchiveScope scope) {
  std::vector<std::string> problems = CheckStorage(files, directory, scope);
  for (std::string& problem : CheckGameDirectory(files, directory)) {
    problems.push_back(std::move(problem));
  }
  return problems;
}

}  // namespace qv
