#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// The largest each file of a game can be, worked out from its layout at ten banks and, for
// Global.qv, from the longest text each of its fields can be given. A file beyond it was not
// written by the game or a team's program, and is refused rather than read.

// Global.qv with every text field at the longest the setup allows and blank lines after it.
std::int64_t MaxGlobalFileBytes();

// The limit of the game file named `name` in any letter case: Global.qv, banks.qv, COMP.QV,
// PLOTV.QV or PORTF.QV. Nothing for any other name.
std::optional<std::int64_t> MaxGameFileBytes(std::string_view name);

// The file name part of `path`, after its last '/' or '\'.
std::string_view FileNameOf(std::string_view path);

}  // namespace qv
