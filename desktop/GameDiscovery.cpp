#include "desktop/GameDiscovery.h"

#include <cctype>

#include "platform/FileSystem.h"

namespace qv {

std::optional<std::string> FindGame(FileSystem& files, const std::string& game_path) {
  if (files.Exists(JoinPath(game_path, "banks.qv"))) {
    return game_path;
  }
  for (const char* location : kDisketteLocations) {
    if (files.Exists(JoinPath(location, "banks.qv"))) {
      return std::string(location);
    }
  }
  return std::nullopt;
}

std::string FoundGameHeading(const std::string& search_path) {
  const bool diskette = search_path.size() >= 2 && search_path[1] == ':' &&
                        (std::toupper(static_cast<unsigned char>(search_path[0])) == 'A' ||
                         std::toupper(static_cast<unsigned char>(search_path[0])) == 'B');
  return diskette ? "A Quorvant Game was Found on Diskette" : "A Quorvant Game was Found";
}

std::string ShortenLocation(const std::string& search_path) {
  if (search_path.size() <= 50) {
    return search_path;
  }
  return search_path.substr(0, 40) + "..." + search_path.substr(search_path.size() - 7);
}

std::string DirectoryOfFile(const std::string& file_name) {
  const std::size_t last = file_name.find_last_of("\\/");
  return last == std::string::npos ? std::string() : file_name.substr(0, last + 1);
}

}  // namespace qv
