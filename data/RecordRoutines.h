#pragma once

#include <string>
#include <vector>

#include "data/RecordBuffer.h"
#include "data/Session.h"

namespace qv {

// The two shapes most record-file routines take, each run through the retry protocol:
// open `full_name`, transfer the records, close. Both return `FileOK`.

// Writes `records` in their order; a file that does not exist is created.
[[nodiscard]] bool WriteRecordFile(Session& session, const std::string& full_name, int length,
                                   const std::vector<NumberedRecord>& records);

// Reads the records `numbers` into `records`. A record that does not lie wholly inside the
// file is a read failure, and so is a game file larger than its layout (`MaxGameFileBytes`).
[[nodiscard]] bool ReadRecordFile(Session& session, const std::string& full_name, int length,
                                  const std::vector<int>& numbers,
                                  std::vector<NumberedRecord>* records);

}  // namespace qv
