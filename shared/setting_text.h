#pragma once
// Integer settings as the store keeps them: 16-bit signed values in decimal text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistrane {

// Decimal with an optional leading '-' or '+'; spaces and tabs around it are
// tolerated. Empty text, anything else, or a value outside -32768..32767 gives
// nullopt.
std::optional<std::int16_t> ParseInt16(std::wstring_view text);

// Plain decimal: no leading zeros, spaces or plus sign ("1", "10", "-3").
std::wstring FormatInt16(std::int16_t value);

}  // namespace vistrane
