#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileSystem.h"

namespace qv {

// A fixed-record file held in memory: the bytes of a whole file, read and written record by
// record with the same rules as a stored one (a record past the end reads as error 62;
// writing past the end grows the file, zero-filling any gap). The file routines compose a
// file here and write it in one call.
class RecordBytes final : public RecordFile {
 public:
  RecordBytes(std::string& bytes, int record_length)
      : bytes_(bytes), record_length_(record_length) {}

  Status Read(int record, std::span<std::uint8_t> record_bytes) override;
  Status Write(int record, std::span<const std::uint8_t> record_bytes) override;
  std::int64_t SizeBytes() override { return static_cast<std::int64_t>(bytes_.size()); }

 private:
  std::string& bytes_;
  int record_length_;
};

}  // namespace qv
