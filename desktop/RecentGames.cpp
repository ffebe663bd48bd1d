#include "desktop/RecentGames.h"

#include <QString>
#include <algorithm>

#include "desktop/SettingsStore.h"

namespace qv {

namespace {

constexpr const char* kSection = "RecentGames";

QString Key(int n) {
  return QString("Game%1").arg(n);
}

std::string WithoutSeparator(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) {
    path.pop_back();
  }
  return path;
}

}  // namespace

bool SameGameFolder(const std::string& a, const std::string& b) {
  return WithoutSeparator(a) == WithoutSeparator(b);
}

std::vector<std::string> RecentGames::List() const {
  std::vector<std::string> games;
  for (int n = 1; n <= kMaxGames; ++n) {
    const QString game = settings_.GetSetting(kSection, Key(n), QString());
    if (!game.isEmpty()) {
      games.push_back(game.toStdString());
    }
  }
  return games;
}

void RecentGames::Add(const std::string& game_path) {
  std::vector<std::string> games = List();
  std::erase_if(games, [&](const std::string& game) { return SameGameFolder(game, game_path); });
  games.insert(games.begin(), game_path);
  if (games.size() > static_cast<std::size_t>(kMaxGames)) {
    games.resize(kMaxGames);
  }
  Store(games);
}

void RecentGames::Store(const std::vector<std::string>& games) {
  for (int n = 1; n <= kMaxGames; ++n) {
    const auto index = static_cast<std::size_t>(n - 1);
    settings_.SaveSetting(kSection, Key(n),
                          index < games.size() ? QString::fromStdString(games[index]) : QString());
  }
  settings_.Sync();
}

}  // namespace qv
