#pragma once
// The CRC-16 that LHA archives carry for each file's data and in level-2
// headers: reflected polynomial 0xA001, initial value 0, no final xor.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vistrane {

// Continues `crc` over `data`; start with 0.
std::uint16_t UpdateCrc16(std::uint16_t crc, std::span<const std::uint8_t> data);

inline std::uint16_t Crc16(std::span<const std::uint8_t> data) { return UpdateCrc16(0, data); }

}  // namespace vistrane
