#include "data/RecordBuffer.h"

#include <algorithm>

#include "platform/ByteCoding.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

namespace qv {

void RecordBuffer::Clear() {
  std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0});
}

std::string RecordBuffer::Text(int offset, int size) const {
  if (offset < 0 || size < 0 ||
      static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > bytes_.size()) {
    throw RuntimeError(error::kSubscriptOutOfRange);
  }
  const auto first = bytes_.begin() + offset;
  return std::string(first, first + size);
}

void RecordBuffer::SetText(int offset, int size, std::string_view text) {
  if (offset < 0 || size < 0 ||
      static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > bytes_.size()) {
    throw RuntimeError(error::kSubscriptOutOfRange);
  }
  for (int i = 0; i < size; ++i) {
    const char c =
        static_cast<std::size_t>(i) < text.size() ? text[static_cast<std::size_t>(i)] : ' ';
    bytes_[static_cast<std::size_t>(offset) + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(c);
  }
}

Status WriteRecords(RecordFile& file, const std::vector<NumberedRecord>& records) {
  for (const NumberedRecord& entry : records) {
    Status written = entry.record.WriteTo(file, entry.number);
    if (!written.ok()) {
      return written;
    }
  }
  return Status::Ok();
}

Status ReadRecords(RecordFile& file, int length, const std::vector<int>& numbers,
                   std::vector<NumberedRecord>* records) {
  records->clear();
  records->reserve(numbers.size());
  for (const int number : numbers) {
    records->push_back(NumberedRecord{number, RecordBuffer(length)});
    Status read = records->back().record.ReadFrom(file, number);
    if (!read.ok()) {
      return read;
    }
  }
  return Status::Ok();
}

}  // namespace qv
