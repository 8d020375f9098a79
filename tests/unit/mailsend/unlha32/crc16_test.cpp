#include "mailsend/unlha32/crc16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vistrane {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(Crc16, MatchesKnownValues) {
  struct Case {
    std::string data;
    std::uint16_t crc;
  };
  const Case cases[] = {
      {"", 0x0000},  {"123456789", 0xBB3D},  // the standard check value of this CRC
      {"a", 0xE8C1}, {std::string(1, '\0'), 0x0000}, {std::string(4, '\xFF'), 0x9401},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(Crc16(Bytes(c.data)), c.crc);
  }
}

}  // namespace
}  // namespace vistrane
