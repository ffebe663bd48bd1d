#pragma once

#include <string>

namespace qv {

struct DateTime {
  int year = 2001;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "mm-dd-yyyy", "hh:mm" and "yyyy", the formats the game files and identities use.
std::string FormatDate(const DateTime& when);
std::string FormatTime(const DateTime& when);
std::string FormatYear(const DateTime& when);

// The present date and time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
  // Seconds since some fixed point, for measuring waits.
  virtual double ElapsedSeconds() = 0;
};

class SystemClock final : public Clock {
 public:
  DateTime Now() override;
  double ElapsedSeconds() override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime when) : when_(when) {}
  DateTime Now() override { return when_; }
  double ElapsedSeconds() override { return 0.0; }
  void set_now(DateTime when) { when_ = when; }

 private:
  DateTime when_;
};

}  // namespace qv
