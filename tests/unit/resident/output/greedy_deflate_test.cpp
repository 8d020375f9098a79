#include "resident/output/greedy_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vistrane {
namespace {

// zlib's inflater, primed as a band is, takes the band back to its bytes:
// to the stream's end for the last band, to a sync point for the others.
TEST(GreedyDeflate, InflatesBackToTheBandAfterItsPrimedBytes) {
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

  struct Case {
    std::string name;
    std::vector<std::uint8_t> priming, band;
  };
  const Case cases[] = {{"empty", {}, {}},
                        {"empty after priming", noise(100), {}},
                        {"noise of several blocks", {}, noise(70000)},
                        {"runs", noise(3), runs},
                        {"repeats of the primed bytes", far, repeatsPriming}};
  for (const Case& c : cases) {
    for (const bool last : {false, true}) {
      SCOPED_TRACE(c.name + (last ? ", last" : ""));
      std::vector<std::uint8_t> data = c.priming;
      data.insert(data.end(), c.band.begin(), c.band.end());
      std::vector<std::uint8_t> deflated = GreedyDeflate(data.data(), c.priming.size(), data.size(), last);
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
    }
  }
}

}  // namespace
}  // namespace vistrane
