#pragma once

#include <string>

namespace qv {

// The number formats the user sees, in one place.

// `decimals` places after the point, halves away from zero, no grouping: "#0.00" is
// FormatFixed(v, 2) and "####0" is FormatFixed(v, 0).
std::string FormatFixed(double value, int decimals);

// The shortest decimal text that reads back as the same single: 0.49 -> "0.49",
// 12.75 -> "12.75", 50 -> "50".
std::string FormatShortest(float value);

// A whole number as the program prints it among other text: a leading blank in place of a
// plus sign and a trailing blank, 7 -> " 7 ", -3 -> "-3 ".
std::string FormatPrinted(long value);

}  // namespace qv
