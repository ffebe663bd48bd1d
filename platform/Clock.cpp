#include "platform/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qv {

std::string FormatDate(const DateTime& when) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", when.month % 100, when.day % 100,
                when.year % 10000);
  return text;
}

std::string FormatTime(const DateTime& when) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", when.hour % 100, when.minute % 100);
  return text;
}

std::string FormatYear(const DateTime& when) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", when.year % 10000);
  return text;
}

DateTime SystemClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

double SystemClock::ElapsedSeconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since).count();
}

}  // namespace qv
