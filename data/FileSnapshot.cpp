#include "data/FileSnapshot.h"

#include "data/BanksFile.h"
#include "data/CompFile.h"
#include "data/GameFileLimits.h"
#include "data/GlobalFile.h"
#include "data/PlotFile.h"
#include "data/PortfolioFile.h"

namespace qv {

Status FileSnapshot::Take(FileSystem& files, const std::string& directory,
                          const std::vector<std::string>& names) {
  entries_.clear();
  for (const std::string& name : names) {
    Entry entry{JoinPath(directory, name), std::nullopt};
    std::string bytes;
    bool present = false;
    Status read = files.ReadIfPresent(entry.path, MaxGameFileBytes(name), &bytes, &present);
    if (!read.ok()) {
      return read;
    }
    if (present) {
      entry.bytes = std::move(bytes);
    }
    entries_.push_back(std::move(entry));
  }
  return Status::Ok();
}

Status FileSnapshot::Restore(FileSystem& files) const {
  Status first = Status::Ok();
  for (const Entry& entry : entries_) {
    Status put =
        entry.bytes ? files.WriteText(entry.path, *entry.bytes) : files.RemoveFile(entry.path);
    if (!put.ok() && first.ok()) {
      first = put;
    }
  }
  return first;
}

const std::vector<std::string>& GameFileNames() {
  static const std::vector<std::string> names = {kGlobalFileName, kBanksWriteName, kPlotWriteName,
                                                 kCompWriteName, kPortfolioFileName};
  return names;
}

const std::vector<std::string>& BankDiskFileNames() {
  static const std::vector<std::string> names = {kGlobalFileName, kBanksWriteName, kPlotWriteName,
                                                 kCompWriteName};
  return names;
}

}  // namespace qv
