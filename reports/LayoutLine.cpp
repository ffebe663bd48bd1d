#include "reports/LayoutLine.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>

#include "platform/RuntimeError.h"

namespace qv {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  return at;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::size_t start = at;
  at = SkipDigits(text, at);
  bool digits = at > start;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fraction = at + 1;
    at = SkipDigits(text, fraction);
    digits = digits || at > fraction;
  }
  if (!digits) {
    return 0.0;
  }
  // An exponent counts only when digits follow its letter and optional sign.
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
      ++exponent;
    }
    const std::size_t end = SkipDigits(text, exponent);
    if (end > exponent) {
      at = end;
    }
  }
  // from_chars wants digits first: "5." and ".5" are fine, a leading "." gets a "0".
  std::string number = text[start] == '.' ? "0" : "";
  number.append(text.substr(start, at - start));
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    throw RuntimeError(error::kOverflow);
  }
  return negative ? -value : value;
}

void ParseLayoutLine(std::string_view line, LayoutFields& numbers) {
  numbers.Fill(0.0);
  int field = 1;
  std::size_t begin = 0;
  while (field <= kLayoutFieldCount) {
    const std::size_t comma = line.find(',', begin);
    numbers(field) = LeadingNumber(line.substr(
        begin, comma == std::string_view::npos ? std::string_view::npos : comma - begin));
    if (comma == std::string_view::npos) {
      break;
    }
    begin = comma + 1;
    ++field;
  }
}

}  // namespace qv
