#include "data/RecordBytes.h"

#include <algorithm>

#include "platform/RuntimeError.h"

namespace qv {

Status RecordBytes::Read(int record, std::span<std::uint8_t> record_bytes) {
  if (record < 1) {
    return Status::Error(error::kBadFileName, "bad record number");
  }
  const std::size_t offset =
      static_cast<std::size_t>(record - 1) * static_cast<std::size_t>(record_length_);
  if (offset + record_bytes.size() > bytes_.size()) {
    return Status::Error(error::kInputPastEnd,
                         "record " + std::to_string(record) + " past end of file");
  }
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), record_bytes.size(),
              record_bytes.begin());
  return Status::Ok();
}

Status RecordBytes::Write(int record, std::span<const std::uint8_t> record_bytes) {
  if (record < 1) {
    return Status::Error(error::kBadFileName, "bad record number");
  }
  const std::size_t offset =
      static_cast<std::size_t>(record - 1) * static_cast<std::size_t>(record_length_);
  if (bytes_.size() < offset + record_bytes.size()) {
    bytes_.resize(offset + record_bytes.size(), '\0');
  }
  std::copy(record_bytes.begin(), record_bytes.end(),
            bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  return Status::Ok();
}

}  // namespace qv
