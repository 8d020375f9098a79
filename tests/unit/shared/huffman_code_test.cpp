#include "shared/huffman_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vistrane {
namespace {

// Sum of 2^-length over the used symbols, scaled by 2^16: exactly 2^16 for a
// complete code.
std::uint64_t KraftSum(const std::vector<std::uint8_t>& lengths) {
  std::uint64_t sum = 0;
  for (const std::uint8_t length : lengths)
    if (length != 0) sum += std::uint64_t{1} << (16 - length);
  return sum;
}

TEST(HuffmanCodeLengths, GivesCompleteCodesWithinTheLimit) {
  std::vector<std::uint32_t> fibonacci{1, 1};
  while (fibonacci.size() < 30)
    fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
  struct Case {
    const char* what;
    std::vector<std::uint32_t> frequencies;
    unsigned limit;
  };
  const Case cases[] = {
      {"two symbols", {5, 0, 9}, 16},
      {"equal frequencies", std::vector<std::uint32_t>(19, 4), 16},
      {"Fibonacci frequencies need 29 bits unlimited", fibonacci, 16},
      {"Fibonacci frequencies under a tight limit", fibonacci, 7},
      {"one huge, many tiny", {1000000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> lengths = HuffmanCodeLengths(c.frequencies, c.limit);
    ASSERT_EQ(lengths.size(), c.frequencies.size());
    for (std::size_t s = 0; s < lengths.size(); ++s) {
      EXPECT_EQ(lengths[s] == 0, c.frequencies[s] == 0) << "symbol " << s;
      EXPECT_LE(lengths[s], c.limit) << "symbol " << s;
    }
    EXPECT_EQ(KraftSum(lengths), std::uint64_t{1} << 16);
  }
}

TEST(HuffmanCodeLengths, GivesMoreFrequentSymbolsNoLongerCodes) {
  const std::vector<std::uint32_t> frequencies{40, 3, 3, 17, 1, 90, 8};
  const std::vector<std::uint8_t> lengths = HuffmanCodeLengths(frequencies, 16);
  for (std::size_t a = 0; a < frequencies.size(); ++a) {
    for (std::size_t b = 0; b < frequencies.size(); ++b) {
      if (frequencies[a] > frequencies[b]) {
        EXPECT_LE(lengths[a], lengths[b]) << a << " vs " << b;
      }
    }
  }
  // The cost of an optimal code: depths 1, 2, 3, 4, 5, 6, 6 by falling frequency.
  std::uint64_t cost = 0;
  for (std::size_t s = 0; s < frequencies.size(); ++s)
    cost += std::uint64_t{frequencies[s]} * lengths[s];
  EXPECT_EQ(cost, 90u * 1 + 40 * 2 + 17 * 3 + 8 * 4 + 3 * 5 + 3 * 6 + 1 * 6);
}

TEST(HuffmanCodeLengths, GivesASingleUsedSymbolOneBitAndNoneToUnused) {
  EXPECT_EQ(HuffmanCodeLengths(std::vector<std::uint32_t>{0, 7, 0}, 16),
            (std::vector<std::uint8_t>{0, 1, 0}));
  EXPECT_EQ(HuffmanCodeLengths(std::vector<std::uint32_t>{0, 0}, 16),
            (std::vector<std::uint8_t>{0, 0}));
}

TEST(CanonicalCodes, NumbersShorterCodesFirstThenBySymbol) {
  const std::vector<std::uint8_t> lengths{3, 3, 3, 3, 3, 2, 4, 4, 0};
  // Length 2: symbol 5 -> 00. Length 3: symbols 0..4 -> 010..110. Length 4: 1110, 1111.
  EXPECT_EQ(CanonicalCodes(lengths), (std::vector<std::uint16_t>{2, 3, 4, 5, 6, 0, 14, 15, 0}));
}

}  // namespace
}  // namespace vistrane
