#include "resident/output/greedy_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "resident/output/index_deflate.h"

namespace vistrane {
namespace {

using Deflate = std::vector<std::uint8_t> (*)(const std::uint8_t*, std::size_t, std::size_t, bool);

// The size of zlib's level 9 deflate of the band, primed as ours is.
std::size_t Zlib9Size(const std::vector<std::uint8_t>& priming, std::vector<std::uint8_t> band) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  if (!priming.empty()) deflateSetDictionary(&stream, priming.data(), static_cast<uInt>(priming.size()));
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(band.size())));
  stream.next_in = band.data();
  stream.avail_in = static_cast<uInt>(band.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  deflateEnd(&stream);
  return stream.total_out;
}

// zlib's inflater, primed as a band is, takes the band back to its bytes:
// to the stream's end for the last band, to a sync point for the others.
// With `packsAsZlib9` the picture-like bands pack no larger than zlib's
// level 9 makes them.
void ExpectInflatesBackToTheBand(Deflate deflate, bool packsAsZlib9) {
  std::mt19937 random(7);
  const auto noise = [&](std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
  };
  std::vector<std::uint8_t> runs;  // runs of one byte and of one pixel, of every length up to 300
  for (int length = 1; length <= 300; ++length) {
    runs.insert(runs.end(), length, static_cast<std::uint8_t>(length));
    for (int i = 0; i < length; ++i) runs.push_back(static_cast<std::uint8_t>(i % 3 * 40 + length));
  }
  const std::vector<std::uint8_t> far = noise(40000);
  std::vector<std::uint8_t> repeatsPriming(far.begin() + 6000, far.begin() + 11000);  // just beyond the window
  repeatsPriming.insert(repeatsPriming.end(), far.end() - 9000, far.end());     // within it
  const std::vector<std::uint8_t> window = noise(32769);
  std::vector<std::uint8_t> flatThenNoise(100000, 9);  // a long run, then a piece searched less
  std::vector<std::uint8_t> rest = noise(40000);
  flatThenNoise.insert(flatThenNoise.end(), rest.begin(), rest.end());
  std::vector<std::uint8_t> rows;  // rows of 700 indices: runs that end where they ended a row above
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 700; ++x) rows.push_back(static_cast<std::uint8_t>(x % (50 + y % 7) < 40 ? 3 : x % 5 + y % 3));
  }

  struct Case {
    std::string name;
    std::vector<std::uint8_t> priming, band;
    bool pictureLike = false;
  };
  const Case cases[] = {{"empty", {}, {}},
                        {"empty after priming", noise(100), {}},
                        {"noise of several blocks", {}, noise(70000)},
                        {"runs", noise(3), runs},
                        {"repeats of the primed bytes", far, repeatsPriming},
                        {"a repeat at 32768 bytes", window, {window.begin() + 1, window.begin() + 300}},
                        {"a repeat at 32769 bytes", window, {window.begin(), window.begin() + 300}},
                        {"a long run, then noise", {}, flatThenNoise},
                        {"rows of a picture", noise(1000), rows, true}};
  for (const Case& c : cases) {
    for (const bool last : {false, true}) {
      SCOPED_TRACE(c.name + (last ? ", last" : ""));
      std::vector<std::uint8_t> data = c.priming;
      data.insert(data.end(), c.band.begin(), c.band.end());
      std::vector<std::uint8_t> deflated = deflate(data.data(), c.priming.size(), data.size(), last);
      const std::uint8_t syncMark[] = {0, 0, 0xFF, 0xFF};  // an empty stored block's lengths
      if (!last) {
        ASSERT_TRUE(deflated.size() >= 4 && std::equal(deflated.end() - 4, deflated.end(), syncMark));
      }

      z_stream stream{};
      ASSERT_EQ(inflateInit2(&stream, -15), Z_OK);
      if (!c.priming.empty()) {
        ASSERT_EQ(inflateSetDictionary(&stream, c.priming.data(), static_cast<uInt>(c.priming.size())), Z_OK);
      }
      std::vector<std::uint8_t> inflated(c.band.size() + 1);
      stream.next_in = deflated.data();
      stream.avail_in = static_cast<uInt>(deflated.size());
      stream.next_out = inflated.data();
      stream.avail_out = static_cast<uInt>(inflated.size());
      EXPECT_EQ(inflate(&stream, Z_SYNC_FLUSH), last ? Z_STREAM_END : Z_OK) << (stream.msg ? stream.msg : "");
      EXPECT_EQ(stream.avail_in, 0u);
      inflated.resize(stream.total_out);
      EXPECT_TRUE(inflated == c.band);
      inflateEnd(&stream);
      if (packsAsZlib9 && c.pictureLike && last) {
        EXPECT_LE(deflated.size(), Zlib9Size(c.priming, c.band));
      }
    }
  }
}

TEST(GreedyDeflate, InflatesBackToTheBandAfterItsPrimedBytes) { ExpectInflatesBackToTheBand(GreedyDeflate, false); }

TEST(IndexDeflate, InflatesBackToTheBandAfterItsPrimedBytes) { ExpectInflatesBackToTheBand(IndexDeflate, true); }

}  // namespace
}  // namespace vistrane
