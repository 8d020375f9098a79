#pragma once
// The CRC-16 that LHA archives carry for each file's data and in level-2
// headers: reflected polynomial 0xA001, initial value 0, no final xor.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vistrane {

std::uint16_t Crc16(std::span<const std::uint8_t> data);

}  // namespace vistrane
