#pragma once

#include <string>
#include <string_view>

namespace qv {

// Game texts are single-byte Windows-1252 and are kept as those bytes inside the core.
// These convert at the edges, where text meets a terminal, a JSON file or a widget.

std::string Cp1252ToUtf8(std::string_view text);

// Returns false (and leaves `out` unspecified) when `text` is not valid UTF-8 or holds a
// character that Windows-1252 cannot represent.
bool Utf8ToCp1252(std::string_view text, std::string* out);

}  // namespace qv
