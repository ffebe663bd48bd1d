#pragma once

#include <string>
#include <vector>

namespace qv {

class SettingsStore;

// The games opened last, newest first, kept in the settings store (section "RecentGames",
// keys "Game1".."Game6"), for the File menu and the start-up dialog.
class RecentGames {
 public:
  static constexpr int kMaxGames = 6;

  explicit RecentGames(SettingsStore& settings) : settings_(settings) {}

  std::vector<std::string> List() const;
  // Puts `game_path` first; an entry for the same folder moves up instead of repeating, and
  // the oldest beyond the limit is dropped.
  void Add(const std::string& game_path);

 private:
  void Store(const std::vector<std::string>& games);

  SettingsStore& settings_;
};

// The folder a game path names, compared as the same folder whatever its final separator.
bool SameGameFolder(const std::string& a, const std::string& b);

}  // namespace qv
