#include "mailsend/unlha32/lzh_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailsend/unlha32/archive_error.h"
#include "mailsend/unlha32/crc16.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

LzhHeaderFields Fields(std::vector<std::string> folders, std::string file) {
  LzhHeaderFields fields;
  fields.method = "-lh5-";
  fields.compressedSize = 0x01020304;
  fields.originalSize = 0x0A0B0C0D;
  fields.modifiedUnixTime = 1241676000;
  fields.dataCrc = 0xBEEF;
  fields.name = {std::move(folders), std::move(file)};
  return fields;
}

TEST(WriteLevel2Header, LaysOutTheFixedPartAndTheExtendedHeaders) {
  const std::vector<std::uint8_t> h = WriteLevel2Header(Fields({"sub", "dir"}, "a.bmp"));
  // fixed 26, common 5, name 3 + 5, folder 3 + 8
  ASSERT_EQ(h.size(), 26u + 5 + 8 + 11);
  EXPECT_EQ(GetU16(&h[0]), h.size());
  EXPECT_EQ(std::string(h.begin() + 2, h.begin() + 7), "-lh5-");
  EXPECT_EQ(GetU32(&h[7]), 0x01020304u);
  EXPECT_EQ(GetU32(&h[11]), 0x0A0B0C0Du);
  EXPECT_EQ(GetU32(&h[15]), 1241676000u);
  EXPECT_EQ(h[20], 2);
  EXPECT_EQ(GetU16(&h[21]), 0xBEEF);

  EXPECT_EQ(GetU16(&h[24]), 5);  // common header: type 0, header CRC
  EXPECT_EQ(h[26], 0x00);
  EXPECT_EQ(GetU16(&h[29]), 8);  // file name
  EXPECT_EQ(h[31], 0x01);
  EXPECT_EQ(std::string(h.begin() + 32, h.begin() + 37), "a.bmp");
  EXPECT_EQ(GetU16(&h[37]), 11);  // folder, each name closed by 0xFF
  EXPECT_EQ(h[39], 0x02);
  EXPECT_EQ(std::string(h.begin() + 40, h.begin() + 48),
            "sub\xFF"
            "dir\xFF");
  EXPECT_EQ(GetU16(&h[48]), 0);  // no more
}

TEST(WriteLevel2Header, CarriesTheCrcOfTheWholeHeader) {
  std::vector<std::uint8_t> h = WriteLevel2Header(Fields({}, "capture.bmp"));
  const std::uint16_t stored = GetU16(&h[27]);
  h[27] = h[28] = 0;
  EXPECT_EQ(stored, Crc16(h));
}

TEST(WriteLevel2Header, NeverLetsTheSizeStartWithAZeroByte) {
  for (std::size_t name_length = 1; name_length < 600; ++name_length) {
    const std::vector<std::uint8_t> h =
        WriteLevel2Header(Fields({}, std::string(name_length, 'n')));
    SCOPED_TRACE(name_length);
    ASSERT_NE(h[0], 0);
    ASSERT_EQ(GetU16(&h[0]), h.size());
  }
}

TEST(WriteLevel2Header, RefusesANameBeyondTheSixteenBitSize) {
  try {
    WriteLevel2Header(Fields({}, std::string(70000, 'n')));
    FAIL() << "no error";
  } catch (const ArchiveError& error) {
    EXPECT_EQ(error.status(), UnlhaStatus::kBadCommand);
  }
}

}  // namespace
}  // namespace vistrane
