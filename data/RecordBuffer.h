#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ByteCoding.h"
#include "platform/FileSystem.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "platform/Status.h"

namespace qv {

// The bytes of one fixed-length record, with the value slots the game files number from 1:
// Single n occupies bytes 4(n-1) .. 4n-1 and Integer n bytes 2(n-1) .. 2n-1, little-endian.
// A slot that does not lie wholly inside the record is run-time error 9.
class RecordBuffer {
 public:
  explicit RecordBuffer(int length) : bytes_(static_cast<std::size_t>(length)) {}

  int length() const { return static_cast<int>(bytes_.size()); }
  std::span<std::uint8_t> bytes() { return bytes_; }
  std::span<const std::uint8_t> bytes() const { return bytes_; }
  void Clear();

  // Inline: a quarter's calculation reads and writes several thousand slots.
  float Single(int n) const { return GetSingle(bytes_, Slot(n, 4)); }
  // Stores `value` rounded to single precision, as every Single in a game file is.
  void SetSingle(int n, double value) { PutSingle(bytes_, Slot(n, 4), ToSingle(value)); }
  std::int16_t Integer(int n) const { return GetInt16(bytes_, Slot(n, 2)); }
  void SetInteger(int n, std::int16_t value) { PutInt16(bytes_, Slot(n, 2), value); }

  // `size` bytes of text from byte `offset`, as stored.
  std::string Text(int offset, int size) const;
  // Stores the first `size` bytes of `text` at `offset`, padded on the right with spaces.
  void SetText(int offset, int size, std::string_view text);

  Status ReadFrom(RecordFile& file, int record) { return file.Read(record, bytes_); }
  Status WriteTo(RecordFile& file, int record) const { return file.Write(record, bytes_); }

 private:
  std::size_t Slot(int n, int width) const {
    if (n < 1 || static_cast<std::size_t>(n) * static_cast<std::size_t>(width) > bytes_.size()) {
      ThrowSubscriptOutOfRange();
    }
    return static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(width);
  }
  std::vector<std::uint8_t> bytes_;
};

// A record and the number it has, or is to have, in its file.
struct NumberedRecord {
  int number;
  RecordBuffer record;
};

// Builds the records of one file in the order they are to be written.
class RecordList {
 public:
  explicit RecordList(int length) : length_(length) {}

  // A record whose Singles 1..count are get(1) .. get(count); the rest of it is zero.
  template <typename Get>
  void Singles(int number, int count, Get get) {
    RecordBuffer record(length_);
    for (int n = 1; n <= count; ++n) {
      record.SetSingle(n, get(n));
    }
    Add(number, std::move(record));
  }
  // A record whose Integers 1..count are get(1) .. get(count); the rest of it is zero.
  template <typename Get>
  void Integers(int number, int count, Get get) {
    RecordBuffer record(length_);
    for (int n = 1; n <= count; ++n) {
      record.SetInteger(n, get(n));
    }
    Add(number, std::move(record));
  }
  void Add(int number, RecordBuffer record) {
    records_.push_back(NumberedRecord{number, std::move(record)});
  }
  std::vector<NumberedRecord> Take() { return std::move(records_); }

 private:
  int length_;
  std::vector<NumberedRecord> records_;
};

// Walks records that were read in the order they were asked for.
class RecordCursor {
 public:
  explicit RecordCursor(const std::vector<NumberedRecord>& records) : records_(records) {}

  const RecordBuffer& Next() { return records_.at(next_++).record; }
  // Passes Singles 1..count of the next record to set(n, value).
  template <typename Set>
  void Singles(int count, Set set) {
    const RecordBuffer& record = Next();
    for (int n = 1; n <= count; ++n) {
      set(n, record.Single(n));
    }
  }
  // Passes Integers 1..count of the next record to set(n, value).
  template <typename Set>
  void Integers(int count, Set set) {
    const RecordBuffer& record = Next();
    for (int n = 1; n <= count; ++n) {
      set(n, record.Integer(n));
    }
  }

 private:
  const std::vector<NumberedRecord>& records_;
  std::size_t next_ = 0;
};

// Writes `records` in their order. Returns the first failure; the records before it stay
// written.
Status WriteRecords(RecordFile& file, const std::vector<NumberedRecord>& records);

// Reads the records `numbers` of length `length`, in that order, into `records`. Returns the
// first failure.
Status ReadRecords(RecordFile& file, int length, const std::vector<int>& numbers,
                   std::vector<NumberedRecord>* records);

}  // namespace qv
