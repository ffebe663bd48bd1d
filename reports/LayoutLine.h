#pragma once

#include <string_view>

#include "platform/Table.h"

namespace qv {

// The numbers of one instruction line of the report layout: field 1 the line code, and for a
// row its format code (field 2) and item number (field 3).
inline constexpr int kLayoutFieldCount = 10;
using LayoutFields = Table<double, kLayoutFieldCount>;

// The number at the start of `text`: leading blanks are skipped and reading stops at the
// first character that cannot continue a number (sign, digits, one decimal point, an
// exponent with its digits). Text that starts with no number is 0. A number outside the range
// of a double is run-time error 6.
double LeadingNumber(std::string_view text);

// Fills `numbers` from the comma-separated fields of `line`, each read as a leading number.
// All ten are first set to 0, so missing or empty fields are 0; fields beyond the tenth are
// ignored.
void ParseLayoutLine(std::string_view line, LayoutFields& numbers);

}  // namespace qv
