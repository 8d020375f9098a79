// Round trips through lhasa: what our encoder writes, an independent
// decoder must test and extract byte for byte.
#include "mailsend/unlha32/lh5_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailsend/unlha32/crc16.h"
#include "mailsend/unlha32/lzh_header.h"
#include "mailsend/unlha32/lzh_member.h"
#include "tests/unit/mailsend/unlha32/lhasa_folder.h"
#include "tests/unit/mailsend/unlha32/sample_data.h"

namespace vistrane {
namespace {

using testing_lhasa::LhasaFolder;
using testing_lhasa::RandomBytes;

std::vector<std::uint8_t> Repeat(const std::vector<std::uint8_t>& unit, std::size_t times) {
  std::vector<std::uint8_t> data;
  for (std::size_t i = 0; i < times; ++i) data.insert(data.end(), unit.begin(), unit.end());
  return data;
}

// A one-member archive whose data is -lh5- whatever its size, so that tiny
// and incompressible inputs exercise the encoder too.
std::vector<std::uint8_t> ForcedLh5Archive(const std::string& name,
                                           const std::vector<std::uint8_t>& data) {
  const std::vector<std::uint8_t> packed = EncodeLh5(data);
  LzhHeaderFields fields;
  fields.method = "-lh5-";
  fields.compressedSize = static_cast<std::uint32_t>(packed.size());
  fields.originalSize = static_cast<std::uint32_t>(data.size());
  fields.modifiedUnixTime = 1700000000;
  fields.dataCrc = Crc16(data);
  fields.name.file = name;
  std::vector<std::uint8_t> archive = WriteLevel2Header(fields);
  archive.insert(archive.end(), packed.begin(), packed.end());
  archive.push_back(0);
  return archive;
}

std::vector<std::uint8_t> PackedArchive(const std::string& name,
                                        const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> archive = PackMember({{}, name}, data, 1700000000);
  archive.push_back(0);
  return archive;
}

// lhasa's test passes and its extraction gives back `data`.
void ExpectLhasaRestores(const std::vector<std::uint8_t>& archive,
                         const std::vector<std::uint8_t>& data) {
  ASSERT_TRUE(testing_lhasa::LhasaInstalled()) << "lhasa is missing: run scripts/setup";
  LhasaFolder folder;
  folder.Write("test.lzh", archive);
  std::string output;
  ASSERT_EQ(folder.Run("t test.lzh", output), 0) << output;
  ASSERT_EQ(folder.Run("xqw=out test.lzh", output), 0) << output;
  EXPECT_TRUE(folder.Read("out/data.bin") == data) << "extracted bytes differ";
}

struct Case {
  const char* what;
  std::vector<std::uint8_t> data;
  const char* method;  // what PackMember picks
};

std::vector<Case> Cases() {
  const std::vector<std::uint8_t> block8191 = RandomBytes(8191, 1);
  const std::vector<std::uint8_t> block8192 = RandomBytes(8192, 2);
  const std::vector<std::uint8_t> block8193 = RandomBytes(8193, 3);
  std::vector<std::uint8_t> text;
  const std::string words[] = {"capture ", "screen ", "window ", "bitmap ",
                               "mail ",    "\r\n",    "archive "};
  for (std::uint8_t pick : RandomBytes(60000, 4, 7))
    text.insert(text.end(), words[pick].begin(), words[pick].end());
  return {
      {"empty", {}, "-lh0-"},
      {"one byte", {0x42}, "-lh0-"},
      {"all equal bytes", std::vector<std::uint8_t>(300000, 0xAA), "-lh5-"},
      {"random bytes", RandomBytes(200000, 5), "-lh0-"},
      {"four-value bytes, many literal-only blocks", RandomBytes(150000, 6, 4), "-lh5-"},
      {"repeats at the window's edge (8191)", Repeat(block8191, 4), "-lh5-"},
      {"repeats just past the window (8192)", Repeat(block8192, 4), "-lh0-"},
      {"repeats past the window (8193)", Repeat(block8193, 4), "-lh0-"},
      {"text-like", text, "-lh5-"},
  };
}

TEST(EncodeLh5, LhasaRestoresEveryInputEvenWhenPackingDoesNotPay) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    ExpectLhasaRestores(ForcedLh5Archive("data.bin", c.data), c.data);
  }
}

TEST(PackMember, StoresWhatDoesNotShrinkAndLhasaRestoresBoth) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> archive = PackedArchive("data.bin", c.data);
    EXPECT_EQ(std::string(archive.begin() + 2, archive.begin() + 7), c.method);
    ExpectLhasaRestores(archive, c.data);
  }
}

TEST(PackMember, ShrinksA25MegabyteScreenshotToAFractionAndLhasaRestoresIt) {
  const std::vector<std::uint8_t> screenshot = testing_lhasa::ScreenshotBmp(3840, 2160);
  ASSERT_GT(screenshot.size(), 24000000u);
  const std::vector<std::uint8_t> archive = PackedArchive("data.bin", screenshot);
  EXPECT_EQ(std::string(archive.begin() + 2, archive.begin() + 7), "-lh5-");
  EXPECT_LT(archive.size(), screenshot.size() / 3);
  ExpectLhasaRestores(archive, screenshot);
}

}  // namespace
}  // namespace vistrane
