#pragma once
// Little-endian fields of the file formats written here (bitmap files, LHA
// headers): least significant byte first, whatever the machine's own order.
#include <cstdint>
#include <vector>

namespace vistrane {

inline std::uint16_t GetU16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

inline std::uint32_t GetU32(const std::uint8_t* at) {
  return GetU16(at) | static_cast<std::uint32_t>(GetU16(at + 2)) << 16;
}

// Overwrites the field at `at` (a size or a check value known only at the end).
inline void SetU16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

// Appends the field; the 16-bit form keeps the low 16 bits of value.
inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFFu);
  PutU16(out, value >> 16);
}

}  // namespace vistrane
