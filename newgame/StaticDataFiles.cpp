#include "newgame/StaticDataFiles.h"

#include <string>

#include "data/EconomicFiles.h"
#include "platform/FileSystem.h"

namespace qv {

Status CopyStaticDataFiles(Session& session) {
  std::string program_dir = session.ProgramDir;
  if (!program_dir.empty() && !EndsWithSeparator(program_dir)) {
    program_dir += '/';
  }
  for (const char* name : {kEconomicFileName, kInitFileName}) {
    const std::string target = JoinPath(session.GamePath, name);
    if (session.files.Exists(target)) {
      continue;
    }
    std::string bytes;
    Status status = session.files.ReadText(JoinPath(program_dir, name), &bytes);
    if (status.ok()) {
      status = session.files.WriteText(target, bytes);
    }
    if (!status.ok()) {
      return status;
    }
  }
  return Status::Ok();
}

}  // namespace qv
