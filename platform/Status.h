#pragma once

#include <string>
#include <utility>

namespace qv {

// The outcome of one file-system operation: OK, or a run-time error number (53 file not
// found, 57 device I/O error, ...) with the host's description for diagnostics.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(int number, std::string detail) { return Status(number, std::move(detail)); }

  bool ok() const { return number_ == 0; }
  int error_number() const { return number_; }
  const std::string& detail() const { return detail_; }

 private:
  Status() = default;
  Status(int number, std::string detail) : number_(number), detail_(std::move(detail)) {}
  int number_ = 0;
  std::string detail_;
};

}  // namespace qv
