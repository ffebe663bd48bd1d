#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// The classic run-time error numbers of this kind of program. They reach the user inside
// texts such as "Quorvant Sub CalculateResults Error 6", so they must keep these values.
namespace error {
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceIo = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
}  // namespace error

// A run-time error of the game's arithmetic or tables. It is caught once, by the procedure
// that reports it to the user with its number.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number)
      : std::runtime_error("run-time error " + std::to_string(number)), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// Throw the errors that the numeric helpers and the tables check for. Out of line, so that
// the checks, which run millions of times a quarter, inline to a compare and a branch.
[[noreturn]] void ThrowOverflow();
[[noreturn]] void ThrowSubscriptOutOfRange();
[[noreturn]] void ThrowDivisionByZero();

}  // namespace qv
