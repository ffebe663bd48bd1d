#pragma once

#include <cstdint>
#include <string>

namespace qv {

class SettingsStore;

// Root key handles, as the system-information lookup names them.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000U;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001U;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002U;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003U;

// A small registry of our own, kept in the settings store: the value `name` of key
// "SOFTWARE\Microsoft\..." under root HKEY_LOCAL_MACHINE lives in section
// "Registry/HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/..." under key `name`. A value written as
// "dword:" and eight hexadecimal digits is a 32-bit number; any other value is a string.
// An empty store means the registry holds nothing, which is the usual case off Windows.
//
// Reads one value into `key_val` and returns true; on any failure (unknown root, missing
// key or value) `key_val` is emptied and the result is false. A string is cut at its first
// zero character; a number becomes "&h" followed by the hexadecimal form of each of its four
// bytes from the last to the first, each without leading zeros (258 gives "&h0012").
bool GetKeyValue(const SettingsStore& store, std::uint32_t key_root, const std::string& key_name,
                 const std::string& sub_key_ref, std::string* key_val);

// The text a 32-bit number value reads as.
std::string NumberValueText(std::uint32_t value);

}  // namespace qv
