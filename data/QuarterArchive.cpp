#include "data/QuarterArchive.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace qv {

namespace {

bool ParseQuarterName(const std::string& name, int* quarter) {
  if (name.size() < 2 || name[0] != 'Q') {
    return false;
  }
  const char* first = name.data() + 1;
  const char* last = name.data() + name.size();
  const auto [end, code] = std::from_chars(first, last, *quarter);
  return code == std::errc() && end == last;
}

}  // namespace

std::string QuarterFolder(int quarter) {
  char name[32];
  std::snprintf(name, sizeof name, "%s/Q%04d/", kArchiveFolderName, quarter);
  return name;
}

std::string DiskFolder(int quarter, int bank) {
  char name[16];
  std::snprintf(name, sizeof name, "Disk%02d/", bank);
  return QuarterFolder(quarter) + name;
}

Status ListQuarters(FileSystem& files, const std::string& game_dir, std::vector<int>* quarters) {
  quarters->clear();
  const std::string archive = JoinPath(game_dir, kArchiveFolderName);
  if (!files.IsDirectory(archive)) {
    return Status::Ok();
  }
  std::vector<std::string> names;
  Status listed = files.ListDirectory(archive, &names);
  for (const std::string& name : names) {
    int quarter = 0;
    if (ParseQuarterName(name, &quarter)) {
      quarters->push_back(quarter);
    }
  }
  std::sort(quarters->begin(), quarters->end());
  return listed;
}

Status OpenQuarter(FileSystem& files, const std::string& game_dir, int quarter, int bank,
                   JournalEntry* entry, std::vector<std::string>* contents) {
  const std::string folder =
      JoinPath(game_dir, bank > 0 ? DiskFolder(quarter, bank) : QuarterFolder(quarter));
  const std::string entry_path = JoinPath(folder, kCopiesEntryName);
  std::string text;
  bool present = false;
  if (!files.ReadIfPresent(entry_path, std::nullopt, &text, &present).ok() || !present) {
    return Status::Error(53, entry_path + ": no archived quarter");
  }
  if (!DecodeJournal(text, entry) || !ReadCopies(files, folder, *entry, contents)) {
    return Status::Error(57, folder + ": damaged archive entry");
  }
  return Status::Ok();
}

Status RemoveTree(FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  Status status = files.ListDirectory(folder, &names);
  for (std::size_t i = 0; status.ok() && i < names.size(); ++i) {
    const std::string path = JoinPath(folder, names[i]);
    status = files.IsDirectory(path) ? RemoveTree(files, path + "/") : files.RemoveFile(path);
  }
  return status.ok() ? files.RemoveFile(folder) : status;
}

Status RemoveQuarter(FileSystem& files, const std::string& game_dir, int quarter) {
  const std::string folder = JoinPath(game_dir, QuarterFolder(quarter));
  if (!files.IsDirectory(folder)) {
    return Status::Ok();
  }
  Status removed = RemoveTree(files, folder);
  return removed.ok() ? files.SyncDirectory(JoinPath(game_dir, kArchiveFolderName)) : removed;
}

Status PruneArchive(FileSystem& files, const std::string& game_dir, int keep) {
  if (keep <= 0) {
    return Status::Ok();
  }
  std::vector<int> quarters;
  Status status = ListQuarters(files, game_dir, &quarters);
  const std::size_t limit = static_cast<std::size_t>(keep);
  for (std::size_t i = 0; status.ok() && i + limit < quarters.size(); ++i) {
    status = RemoveQuarter(files, game_dir, quarters[i]);
  }
  return status;
}

std::string NoteValue(const JournalEntry& entry, const std::string& key) {
  for (const std::string& note : entry.notes) {
    if (note.size() > key.size() && note.compare(0, key.size(), key) == 0 &&
        note[key.size()] == ' ') {
      return note.substr(key.size() + 1);
    }
  }
  return {};
}

}  // namespace qv
