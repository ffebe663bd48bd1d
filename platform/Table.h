#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "platform/RuntimeError.h"

namespace qv {

// A table indexed 1..N, as the game's item tables are numbered. An index outside the range
// is run-time error 9, so item numbers in the code can be checked against the books.
template <typename T, int N>
class Table {
 public:
  static constexpr int kSize = N;

  T& operator()(int index) { return items_[Slot(index)]; }
  const T& operator()(int index) const { return items_[Slot(index)]; }

  void Fill(const T& value) { items_.fill(value); }
  bool operator==(const Table&) const = default;

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  static std::size_t Slot(int index) {
    if (index < 1 || index > N) {
      ThrowSubscriptOutOfRange();
    }
    return static_cast<std::size_t>(index - 1);
  }
  std::array<T, static_cast<std::size_t>(N)> items_{};
};

// A table indexed (1..Rows, 1..Cols), typically bank by item.
template <typename T, int Rows, int Cols>
class Table2 {
 public:
  static constexpr int kRows = Rows;
  static constexpr int kCols = Cols;

  T& operator()(int row, int col) { return items_[Slot(row, col)]; }
  const T& operator()(int row, int col) const { return items_[Slot(row, col)]; }

  void Fill(const T& value) { items_.fill(value); }
  bool operator==(const Table2&) const = default;

 private:
  static std::size_t Slot(int row, int col) {
    if (row < 1 || row > Rows || col < 1 || col > Cols) {
      ThrowSubscriptOutOfRange();
    }
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(Cols) +
           static_cast<std::size_t>(col - 1);
  }
  std::array<T, static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols)> items_{};
};

}  // namespace qv
