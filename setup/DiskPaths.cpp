#include "setup/DiskPaths.h"

#include "platform/FileSystem.h"
#include "platform/Ui.h"
#include "setup/ValidateSetup.h"

namespace qv {

namespace {

// The folder that holds `path`, or "" at the top of the tree or of a drive.
std::string ParentFolder(const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && (trimmed.back() == '/' || trimmed.back() == '\\')) {
    trimmed.pop_back();
  }
  const std::size_t separator = trimmed.find_last_of("/\\");
  if (separator == std::string::npos || trimmed.empty() ||
      (trimmed.size() == 2 && trimmed[1] == ':')) {
    return "";
  }
  return trimmed.substr(0, separator + 1);
}

bool Within(FileSystem& files, const std::string& path, const std::string& folder) {
  for (std::string at = path; !at.empty(); at = ParentFolder(at)) {
    if (files.SameDirectory(at, folder)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::string> DiskPathConflict(FileSystem& files, const BankSetupForm& banks,
                                            int num_banks, int row, const std::string& game_dir) {
  const BankSetupRow& own = banks.rows[static_cast<std::size_t>(row)];
  if (own.cboCol3 != kManagementHuman) {
    return std::nullopt;
  }
  if (own.txtCol7.empty()) {
    return "Path must be given for a bank managed by a team";
  }
  if (Within(files, own.txtCol7, game_dir) || Within(files, game_dir, own.txtCol7)) {
    return "Path must not be the game directory, a folder inside it or a folder holding it";
  }
  for (int other = 0; other < num_banks && other < 10; ++other) {
    const BankSetupRow& them = banks.rows[static_cast<std::size_t>(other)];
    if (other != row && them.cboCol3 == kManagementHuman &&
        files.SameDirectory(them.txtCol7, own.txtCol7)) {
      return "Path must be unique";
    }
  }
  return std::nullopt;
}

std::optional<int> FirstDiskPathConflict(Ui& ui, FileSystem& files, const SetupForms& forms,
                                         const std::string& game_dir) {
  const int num_banks = SetupNumBanks(forms.game);
  for (int row = 0; row < num_banks; ++row) {
    if (const auto conflict = DiskPathConflict(files, forms.banks, num_banks, row, game_dir)) {
      ui.Show(Message{*conflict, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
      return 51 + row;
    }
  }
  return std::nullopt;
}

}  // namespace qv
