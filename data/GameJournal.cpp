#include "data/GameJournal.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>

#include "data/GameFileLimits.h"
#include "data/GlobalFile.h"

namespace qv {

namespace {

std::string Hex(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

bool ParseNumber(std::string_view text, int base, std::uint32_t* value) {
  const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
  return code == std::errc() && end == text.data() + text.size();
}

// Splits "key rest" at the first blank.
std::pair<std::string_view, std::string_view> KeyAndRest(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) {
    return {line, {}};
  }
  return {line.substr(0, blank), line.substr(blank + 1)};
}

}  // namespace

std::uint32_t Checksum(std::string_view bytes) {
  std::uint32_t hash = 2166136261U;
  for (const char c : bytes) {
    hash ^= static_cast<std::uint8_t>(c);
    hash *= 16777619U;
  }
  return hash;
}

std::string EncodeJournal(const JournalEntry& entry) {
  std::string text = "reason " + entry.reason + "\n";
  text += "quarter " + std::to_string(entry.quarter) + "\n";
  text += "copies " + entry.copies + "\n";
  for (std::size_t i = 0; i < entry.files.size(); ++i) {
    text += "file " + entry.files[i] + " " + std::to_string(entry.lengths[i]) + " " +
            Hex(entry.checksums[i]) + "\n";
  }
  for (const std::string& name : entry.absent) {
    text += "absent " + name + "\n";
  }
  for (const std::string& note : entry.notes) {
    text += "note " + note + "\n";
  }
  return text;
}

bool DecodeJournal(std::string_view text, JournalEntry* entry) {
  *entry = JournalEntry();
  bool has_copies = false;
  bool has_quarter = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      return false;  // every line ends in a line feed; a cut marker is not one
    }
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const auto [key, rest] = KeyAndRest(line);
    if (key == "reason") {
      entry->reason = rest;
    } else if (key == "quarter") {
      const bool negative = !rest.empty() && rest.front() == '-';
      std::uint32_t value = 0;
      if (!ParseNumber(negative ? rest.substr(1) : rest, 10, &value) || value > 32768) {
        return false;
      }
      entry->quarter = negative ? -static_cast<int>(value) : static_cast<int>(value);
      has_quarter = true;
    } else if (key == "copies") {
      if (rest.empty() || rest.find("..") != std::string_view::npos || rest.front() == '/') {
        return false;
      }
      entry->copies = rest;
      has_copies = true;
    } else if (key == "file") {
      const auto [name, numbers] = KeyAndRest(rest);
      const auto [length, sum] = KeyAndRest(numbers);
      std::uint32_t length_value = 0;
      std::uint32_t sum_value = 0;
      if (name.empty() || name.find('/') != std::string_view::npos ||
          !ParseNumber(length, 10, &length_value) || !ParseNumber(sum, 16, &sum_value)) {
        return false;
      }
      entry->files.emplace_back(name);
      entry->lengths.push_back(length_value);
      entry->checksums.push_back(sum_value);
    } else if (key == "absent") {
      if (rest.empty() || rest.find('/') != std::string_view::npos) {
        return false;
      }
      entry->absent.emplace_back(rest);
    } else if (key == "note") {
      entry->notes.emplace_back(rest);
    } else {
      return false;
    }
  }
  return has_copies && has_quarter;
}

Status StageCopies(FileSystem& files, const std::string& from_dir,
                   const std::vector<std::string>& names, const std::string& to_folder,
                   JournalEntry* entry, FileBatch& batch, CopySource source) {
  Status status = files.MakeDirectories(to_folder);
  for (std::size_t i = 0; status.ok() && i < names.size(); ++i) {
    std::string bytes;
    bool present = false;
    status = files.ReadIfPresent(JoinPath(from_dir, names[i]), MaxGameFileBytes(names[i]), &bytes,
                                 &present);
    if (status.ok() && !present) {
      entry->absent.push_back(names[i]);
      continue;
    }
    if (!status.ok() && source == CopySource::kBankDisk) {
      entry->absent.push_back(names[i]);
      status = Status::Ok();
      continue;
    }
    if (status.ok()) {
      status = batch.Stage(JoinPath(to_folder, names[i]), bytes);
    }
    entry->files.push_back(names[i]);
    entry->lengths.push_back(static_cast<std::uint32_t>(bytes.size()));
    entry->checksums.push_back(Checksum(bytes));
  }
  return status.ok() ? batch.Stage(JoinPath(to_folder, kCopiesEntryName), EncodeJournal(*entry))
                     : status;
}

Status BeginGameUpdate(FileSystem& files, const std::string& game_dir,
                       const std::vector<std::string>& names, const std::string& copies,
                       std::string_view reason, int quarter, const std::vector<std::string>& notes,
                       const std::function<Status(FileBatch&)>& also, std::string_view marker) {
  JournalEntry entry;
  entry.notes = notes;
  entry.reason = reason;
  entry.quarter = quarter;
  entry.copies = copies;
  std::unique_ptr<FileBatch> batch = files.StartBatch();
  Status status = StageCopies(files, game_dir, names, JoinPath(game_dir, copies), &entry, *batch);
  if (status.ok() && also) {
    status = also(*batch);
  }
  if (status.ok()) {
    status = batch->Stage(JoinPath(game_dir, std::string(marker)), EncodeJournal(entry));
  }
  return status.ok() ? batch->Commit() : status;
}

bool ReadCopies(FileSystem& files, const std::string& folder, const JournalEntry& entry,
                std::vector<std::string>* contents) {
  contents->assign(entry.files.size(), std::string());
  for (std::size_t i = 0; i < entry.files.size(); ++i) {
    std::string& bytes = (*contents)[i];
    if (!files.ReadText(JoinPath(folder, entry.files[i]), &bytes).ok() ||
        bytes.size() != entry.lengths[i] || Checksum(bytes) != entry.checksums[i]) {
      return false;
    }
  }
  return true;
}

Status PutBackCopies(FileSystem& files, const std::string& directory, const JournalEntry& entry,
                     const std::vector<std::string>& contents) {
  std::unique_ptr<FileBatch> batch = files.StartBatch();
  Status status = Status::Ok();
  for (const bool global_file : {false, true}) {
    for (std::size_t i = 0; status.ok() && i < entry.files.size(); ++i) {
      if ((entry.files[i] == kGlobalFileName) == global_file) {
        status = batch->Stage(JoinPath(directory, entry.files[i]), contents[i]);
      }
    }
  }
  if (status.ok()) {
    status = batch->Commit();
  }
  for (std::size_t i = 0; status.ok() && i < entry.absent.size(); ++i) {
    status = files.RemoveFile(JoinPath(directory, entry.absent[i]));
  }
  return status.ok() ? files.SyncDirectory(directory) : status;
}

Status EndGameUpdate(FileSystem& files, const std::string& game_dir, std::string_view marker) {
  Status removed = files.RemoveFile(JoinPath(game_dir, std::string(marker)));
  return removed.ok() ? files.SyncDirectory(game_dir) : removed;
}

namespace {

Status RecoverMarker(FileSystem& files, const std::string& game_dir, std::string_view name,
                     Recovery* recovery) {
  const std::string marker = JoinPath(game_dir, std::string(name));
  if (!files.Exists(marker)) {
    return Status::Ok();
  }
  std::string text;
  Status status = files.ReadText(marker, &text);
  if (!status.ok()) {
    return status;
  }
  JournalEntry entry;
  if (!DecodeJournal(text, &entry)) {
    // Only a marker that was never wholly written reads so; the batch that writes it renames
    // it into place whole, so a torn one cannot be there, and one that is was not ours.
    return Status::Error(57, marker + ": damaged journal");
  }
  std::vector<std::string> contents;
  if (ReadCopies(files, JoinPath(game_dir, entry.copies), entry, &contents)) {
    status = PutBackCopies(files, game_dir, entry, contents);
    if (!status.ok()) {
      return status;
    }
    recovery->restored = true;
    recovery->reason = entry.reason;
    recovery->quarter = entry.quarter;
  }
  return EndGameUpdate(files, game_dir, name);
}

}  // namespace

Status RecoverUpdate(FileSystem& files, const std::string& game_dir, Recovery* recovery) {
  *recovery = Recovery();
  return RecoverMarker(files, game_dir, kJournalFileName, recovery);
}

Status RecoverGame(FileSystem& files, const std::string& game_dir, Recovery* recovery) {
  Status status = RecoverUpdate(files, game_dir, recovery);
  return status.ok() ? RecoverMarker(files, game_dir, kReplaceMarkerName, recovery) : status;
}

std::string RecoveryMessage(const Recovery& recovery) {
  return "The last " + recovery.reason + " was interrupted; the game was restored to quarter " +
         std::to_string(recovery.quarter) + ".";
}

}  // namespace qv
