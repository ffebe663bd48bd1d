#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qv {

std::string FormatFixed(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  // Rounding the scaled value first makes halves go away from zero, as the display
  // formats do, instead of printf's banker's rounding of the binary value.
  const double rounded = std::round(value * scale) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded == 0.0 ? 0.0 : rounded);
  return text;
}

std::string FormatShortest(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string FormatPrinted(long value) {
  std::string text = value < 0 ? "-" : " ";
  text += std::to_string(value < 0 ? -value : value);
  text += ' ';
  return text;
}

}  // namespace qv
