#include "platform/Cp1252.h"

#include <array>
#include <cstdint>

namespace qv {

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which pass through as the C1 control of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : byte;
  }
  return byte;
}

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

bool ByteFor(char32_t code, char* byte) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    *byte = static_cast<char>(code);
    return true;
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    const char32_t mapped =
        kHighControls[i] != 0 ? kHighControls[i] : static_cast<char32_t>(0x80 + i);
    if (mapped == code) {
      *byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), &out);
  }
  return out;
}

bool Utf8ToCp1252(std::string_view text, std::string* out) {
  out->clear();
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      code = lead & 0x0F;
    } else {
      return false;  // four-byte sequences lie outside the code page anyway
    }
    if (i + static_cast<std::size_t>(extra) >= text.size() && extra > 0) {
      return false;
    }
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      code = (code << 6) | (next & 0x3F);
    }
    char byte = 0;
    if (!ByteFor(code, &byte)) {
      return false;
    }
    out->push_back(byte);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

}  // namespace qv
