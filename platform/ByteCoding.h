#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace qv {

// Little-endian encoding of the two value types of the game files, whatever the host.
// `offset` is in bytes from the start of `bytes`; callers keep it inside the record.

inline void PutInt16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  bytes[offset] = static_cast<std::uint8_t>(bits & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
}

inline std::int16_t GetInt16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const auto bits = static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
  return static_cast<std::int16_t>(bits);
}

inline void PutSingle(std::span<std::uint8_t> bytes, std::size_t offset, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes.data() + offset, &bits, sizeof bits);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
}

inline float GetSingle(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // One load where the host's order is the file's: PORTF.QV alone is read in the thousands.
    std::memcpy(&bits, bytes.data() + offset, sizeof bits);
    return std::bit_cast<float>(bits);
  }
  for (int i = 0; i < 4; ++i) {
    bits |= static_cast<std::uint32_t>(bytes[offset + static_cast<std::size_t>(i)]) << (8 * i);
  }
  return std::bit_cast<float>(bits);
}

}  // namespace qv
