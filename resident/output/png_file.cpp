#include "resident/output/png_file.h"

#include <zlib.h>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "resident/output/adler32.h"
#include "resident/output/all_cores.h"
#include "resident/output/bmp_file.h"
#include "resident/output/greedy_deflate.h"
#include "resident/output/index_deflate.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kTruecolour = 2;
constexpr int kIndexed = 3;

// zlib's settings for the 4- and 1-bit indexed rows, chosen by measurement
// on screenshots (BENCHMARKS.md); truecolour rows go through GreedyDeflate,
// 8-bit indices through IndexDeflate. Unfiltered indices of flat areas
// repeat: the default strategy. These rows are already short and level 9
// would take four times as long for 2 %: level 6.
struct DeflateSettings {
  int level;
  int strategy;
};
constexpr DeflateSettings kIndexedDeflate{6, Z_DEFAULT_STRATEGY};
// The zlib header's level field for our own encoders' rows: informative only.
constexpr int kTruecolourLevelField = 1;
constexpr int k8BitIndexedLevelField = 3;

// Deflate's window: a band is primed with this much of the rows before it.
constexpr std::size_t kWindowBytes = 32768;
// About this many bytes of filtered rows make one band of work: small enough
// that the threads end together, large enough that the bands' joins cost
// nothing measurable.
constexpr std::size_t kBandBytes = std::size_t{1} << 19;
constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;

[[noreturn]] void ThrowZlibError(const z_stream& stream) {
  std::wstring reason;
  for (const char* c = stream.msg != nullptr ? stream.msg : "zlib"; *c != '\0'; ++c) {
    reason.push_back(static_cast<unsigned char>(*c));
  }
  throw OutputError(WithReason(L"画像をPNG形式に圧縮できませんでした。", reason));
}

void PutU32Be(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 24);
  at[1] = static_cast<std::uint8_t>(value >> 16);
  at[2] = static_cast<std::uint8_t>(value >> 8);
  at[3] = static_cast<std::uint8_t>(value);
}

// One chunk: length, type, data, CRC-32 of type and data.
void WriteChunk(ByteSink& sink, const char (&type)[5], const std::uint8_t* data, std::size_t size) {
  std::uint8_t head[8];
  PutU32Be(head, static_cast<std::uint32_t>(size));
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0, head + 4, 4);
  // crc32 of a null buffer is not a continuation but the initial value.
  if (size != 0) crc = crc32(crc, data, static_cast<uInt>(size));
  std::uint8_t tail[4];
  PutU32Be(tail, static_cast<std::uint32_t>(crc));
  sink.Write(head, sizeof head);
  if (size != 0) sink.Write(data, size);
  sink.Write(tail, sizeof tail);
}

void WriteSignatureAndHeader(ByteSink& sink, int width, int height, int bitDepth, int colourType) {
  sink.Write(kSignature, sizeof kSignature);
  std::uint8_t header[13] = {};  // compression, filter method and interlace all 0
  PutU32Be(header, static_cast<std::uint32_t>(width));
  PutU32Be(header + 4, static_cast<std::uint32_t>(height));
  header[8] = static_cast<std::uint8_t>(bitDepth);
  header[9] = static_cast<std::uint8_t>(colourType);
  WriteChunk(sink, "IHDR", header, sizeof header);
}

// A piece of the image data's deflate stream, ending on a byte boundary,
// with the Adler-32 and the length of the bytes it holds.
struct DeflatedBand {
  std::vector<std::uint8_t> bytes;
  uLong adler = adler32(0, nullptr, 0);
  std::size_t length = 0;
};

// Raw deflate of one band by zlib, primed with the bytes that come before it
// in the stream, so that its matches may reach back into them.
class BandDeflater {
 public:
  BandDeflater(DeflateSettings settings, const std::uint8_t* dictionary, std::size_t dictionarySize) {
    // zlib's default memory level 8 packs these images smaller than 9 does.
    if (deflateInit2(&stream_, settings.level, Z_DEFLATED, -15, 8, settings.strategy) != Z_OK) {
      ThrowZlibError(stream_);
    }
    if (dictionarySize != 0 &&
        deflateSetDictionary(&stream_, dictionary, static_cast<uInt>(dictionarySize)) != Z_OK) {
      ThrowZlibError(stream_);
    }
    bytes_.resize(kChunkBytes);
  }
  ~BandDeflater() { deflateEnd(&stream_); }
  BandDeflater(const BandDeflater&) = delete;
  BandDeflater& operator=(const BandDeflater&) = delete;

  // The band's bytes, ended by a sync flush, or for the last band the
  // stream's end. A band is far below avail_in's 32 bits.
  std::vector<std::uint8_t> Deflate(const std::uint8_t* data, std::size_t size, bool last) {
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    if (last) {
      while (Step(Z_FINISH) != Z_STREAM_END) {
      }
    } else {
      // Done when the input is used up and the flush left output room unused.
      do Step(Z_SYNC_FLUSH);
      while (stream_.avail_in != 0 || stream_.avail_out == 0);
    }
    bytes_.resize(stream_.total_out);
    return std::move(bytes_);
  }

 private:
  int Step(int flush) {
    if (stream_.total_out == bytes_.size()) bytes_.resize(bytes_.size() * 2);
    stream_.next_out = bytes_.data() + stream_.total_out;
    stream_.avail_out = static_cast<uInt>(bytes_.size() - stream_.total_out);
    const int result = deflate(&stream_, flush);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) ThrowZlibError(stream_);
    return result;
  }

  z_stream stream_{};
  std::vector<std::uint8_t> bytes_;
};

// The IDAT chunks: the zlib header, the bands in order, the Adler-32 of all
// their bytes, cut into chunks of 64 KiB.
void WriteIdatChunks(ByteSink& sink, int levelField, const std::vector<DeflatedBand>& bands) {
  std::vector<std::uint8_t> chunk;
  chunk.reserve(kChunkBytes);
  const auto add = [&](const std::uint8_t* data, std::size_t size) {
    while (size != 0) {
      const std::size_t piece = std::min(size, kChunkBytes - chunk.size());
      chunk.insert(chunk.end(), data, data + piece);
      data += piece;
      size -= piece;
      if (chunk.size() == kChunkBytes) {
        WriteChunk(sink, "IDAT", chunk.data(), chunk.size());
        chunk.clear();
      }
    }
  };
  // Deflate with a 32 KiB window; the level field is only informative.
  const int compressionMethod = 0x78;
  int flags = levelField << 6;
  flags += 31 - (compressionMethod * 256 + flags) % 31;
  const std::uint8_t header[2] = {compressionMethod, static_cast<std::uint8_t>(flags)};
  add(header, sizeof header);
  uLong adler = adler32(0, nullptr, 0);
  for (const DeflatedBand& band : bands) {
    add(band.bytes.data(), band.bytes.size());
    adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.length));
  }
  std::uint8_t trailer[4];
  PutU32Be(trailer, static_cast<std::uint32_t>(adler));
  add(trailer, sizeof trailer);
  if (!chunk.empty()) WriteChunk(sink, "IDAT", chunk.data(), chunk.size());
}

void WriteEnd(ByteSink& sink) { WriteChunk(sink, "IEND", nullptr, 0); }

// The filters Sub, Up and Paeth of a truecolour row, each behind its filter
// byte, and the one whose bytes have the least entropy: the fewest bits to
// code them one by one, which is what deflate's Huffman codes come close to.
// On screenshots this packs 1.5 % smaller than libpng's least sum of absolute
// differences. None and Average, the other two, won on no more than 4 rows of
// 1080 of a screenshot and never by much: they are not tried.
class RowFilter {
 public:
  explicit RowFilter(std::size_t rowBytes) : rowBytes_(rowBytes), countBits_(rowBytes / kSampleStep + 2) {
    for (std::size_t f = 0; f < kFilters; ++f) {
      filtered_[f].assign(rowBytes + 1, kFilterTypes[f]);
    }
    for (std::size_t n = 1; n < countBits_.size(); ++n) {
      countBits_[n] = static_cast<float>(static_cast<double>(n) * std::log2(static_cast<double>(n)));
    }
  }

  // The filtered row to write, filter byte first; `row` is the current row
  // (already behind its None filter byte), `previous` the row above it
  // (zeros for the first).
  const std::vector<std::uint8_t>& Choose(const std::vector<std::uint8_t>& row,
                                          const std::vector<std::uint8_t>& previous) {
    const std::uint8_t* x = row.data() + 1;
    const std::uint8_t* b = previous.data() + 1;
    std::uint8_t* up = filtered_[kUp].data() + 1;
    // A row like the one above, common on a screen, is all zeros as Up:
    // nothing codes it in fewer bits.
    if (std::memcmp(x, b, rowBytes_) == 0) {
      std::memset(up, 0, rowBytes_);
      return filtered_[kUp];
    }
    Filter(x, b);
    std::size_t best = 0;
    float bestSum = -1;
    for (std::size_t f = 0; f < kFilters; ++f) {
      const float sum = CountBitsSum(filtered_[f].data() + 1);
      if (sum > bestSum) {
        bestSum = sum;
        best = f;
      }
    }
    return filtered_[best];
  }

 private:
  static constexpr std::size_t kFilters = 3;
  static constexpr std::uint8_t kFilterTypes[kFilters] = {1, 2, 4};  // Sub, Up, Paeth
  static constexpr std::size_t kUp = 1;
  static constexpr std::size_t kPixel = 3;
  static constexpr std::size_t kSampleStep = 4;

  // One plain loop for each filter, which the compiler turns into vector code.
  void Filter(const std::uint8_t* x, const std::uint8_t* b) {
    std::uint8_t* sub = filtered_[0].data() + 1;
    std::uint8_t* up = filtered_[kUp].data() + 1;
    std::uint8_t* paeth = filtered_[2].data() + 1;
    const std::size_t n = rowBytes_;
    // The first pixel has no left neighbour: a and c are 0 there.
    for (std::size_t i = 0; i < kPixel; ++i) {
      sub[i] = x[i];
      paeth[i] = static_cast<std::uint8_t>(x[i] - b[i]);
    }
    for (std::size_t i = 0; i < n; ++i) up[i] = static_cast<std::uint8_t>(x[i] - b[i]);
    for (std::size_t i = kPixel; i < n; ++i) sub[i] = static_cast<std::uint8_t>(x[i] - x[i - kPixel]);
    std::size_t i = kPixel;
#if defined(__SSE2__) || defined(_M_X64)
    // Sixteen bytes a step, in 16-bit lanes.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i - kPixel));
      const __m128i above = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
      const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i - kPixel));
      const __m128i low = PaethPredictor(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(above, zero),
                                         _mm_unpacklo_epi8(c, zero));
      const __m128i high = PaethPredictor(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(above, zero),
                                          _mm_unpackhi_epi8(c, zero));
      const __m128i current = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(paeth + i),
                       _mm_sub_epi8(current, _mm_packus_epi16(low, high)));
    }
#endif
    for (; i < n; ++i) {
      const int a = x[i - kPixel], above = b[i], c = b[i - kPixel];
      // Paeth's predictor: of a, above and c the one nearest a + above - c.
      const int pa = std::abs(above - c);
      const int pb = std::abs(a - c);
      const int pc = std::abs(a + above - 2 * c);
      const int predictor = pa <= pb && pa <= pc ? a : pb <= pc ? above : c;
      paeth[i] = static_cast<std::uint8_t>(x[i] - predictor);
    }
  }

#if defined(__SSE2__) || defined(_M_X64)
  // Paeth's predictor of eight samples at once, as the loop above.
  static __m128i PaethPredictor(__m128i a, __m128i above, __m128i c) {
    const __m128i aboveLessC = _mm_sub_epi16(above, c);
    const __m128i aLessC = _mm_sub_epi16(a, c);
    const __m128i pa = Abs16(aboveLessC);
    const __m128i pb = Abs16(aLessC);
    const __m128i pc = Abs16(_mm_add_epi16(aboveLessC, aLessC));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i notAbove = _mm_cmpgt_epi16(pb, pc);
    const __m128i aboveOrC = _mm_or_si128(_mm_andnot_si128(notAbove, above), _mm_and_si128(notAbove, c));
    return _mm_or_si128(_mm_andnot_si128(notA, a), _mm_and_si128(notA, aboveOrC));
  }

  static __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }
#endif

  // The sum of c log2 c over the counts c of each byte value among every
  // fourth byte of the row (each channel in turn): the entropy in bits of
  // those n bytes is n log2 n less this, so the least entropy has the largest
  // sum. A quarter of the bytes chooses filters that pack within 0.1 % of
  // what all of them choose; four tallies keep a run of equal bytes from
  // waiting on its own previous count.
  float CountBitsSum(const std::uint8_t* bytes) {
    for (auto& tally : tallies_) tally.fill(0);
    std::size_t i = 0;
    for (; i + 4 * kSampleStep <= rowBytes_; i += 4 * kSampleStep) {
      ++tallies_[0][bytes[i]];
      ++tallies_[1][bytes[i + kSampleStep]];
      ++tallies_[2][bytes[i + 2 * kSampleStep]];
      ++tallies_[3][bytes[i + 3 * kSampleStep]];
    }
    for (; i < rowBytes_; i += kSampleStep) ++tallies_[0][bytes[i]];
    float sum = 0;
    for (std::size_t v = 0; v < 256; ++v) {
      sum += countBits_[tallies_[0][v] + tallies_[1][v] + tallies_[2][v] + tallies_[3][v]];
    }
    return sum;
  }

  std::size_t rowBytes_;
  std::vector<float> countBits_;  // n log2 n for each count a row can have
  std::array<std::array<std::uint16_t, 256>, 4> tallies_{};
  std::array<std::vector<std::uint8_t>, kFilters> filtered_;
};

// The highest colour table index that a pixel of the packed rows uses. Row
// padding is zero, index 0, so it never raises the answer.
int HighestIndexUsed(const std::vector<std::uint8_t>& rows, int bitCount) {
  std::array<bool, 256> seen{};
  for (std::uint8_t byte : rows) seen[byte] = true;
  const int mask = (1 << bitCount) - 1;
  int highest = 0;
  for (int byte = 0; byte < 256; ++byte) {
    if (!seen[byte]) continue;
    for (int shift = 0; shift < 8; shift += bitCount)
      highest = std::max(highest, byte >> shift & mask);
  }
  return highest;
}

// The lines of an image as PNG stores them: filter byte, then the row's bytes.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Line y; asked for in increasing order from any first line.
  virtual const std::vector<std::uint8_t>& Line(int y) = 0;
};

// Truecolour rows, each through the filter RowFilter chooses.
class TruecolourLines final : public LineSource {
 public:
  TruecolourLines(const std::uint32_t* topDownPixels, int width, std::ptrdiff_t strideBytes)
      : source_(reinterpret_cast<const std::uint8_t*>(topDownPixels)),
        width_(width),
        strideBytes_(strideBytes),
        row_(std::size_t{3} * width + 1, 0),
        previous_(row_.size(), 0),
        filter_(row_.size() - 1) {}

  const std::vector<std::uint8_t>& Line(int y) override {
    // A row's filter looks at the row above it, zeros above the first.
    if (y != next_) {
      if (y == 0) {
        std::fill(previous_.begin(), previous_.end(), 0);
      } else {
        Read(y - 1, previous_);
      }
    }
    Read(y, row_);
    const std::vector<std::uint8_t>& line = filter_.Choose(row_, previous_);
    row_.swap(previous_);
    next_ = y + 1;
    return line;
  }

 private:
  // Row y as red, green, blue bytes behind the filter byte.
  void Read(int y, std::vector<std::uint8_t>& row) const {
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(source_ + y * strideBytes_);
    std::uint8_t* out = row.data() + 1;
    for (int x = 0; x < width_; ++x, out += 3) {
      out[0] = static_cast<std::uint8_t>(pixels[x] >> 16);
      out[1] = static_cast<std::uint8_t>(pixels[x] >> 8);
      out[2] = static_cast<std::uint8_t>(pixels[x]);
    }
  }

  const std::uint8_t* source_;
  int width_;
  std::ptrdiff_t strideBytes_;
  std::vector<std::uint8_t> row_;
  std::vector<std::uint8_t> previous_;
  RowFilter filter_;
  int next_ = -1;
};

// The reduced capture's packed rows, top row first (the bitmap rows are
// bottom-up), filter None: differences of table indices mean nothing, and
// deflate finds the repeats of flat areas in the indices themselves.
class IndexedLines final : public LineSource {
 public:
  explicit IndexedLines(const ReducedImage& reduced)
      : reduced_(reduced),
        dibRowBytes_(DibRowBytes(reduced.header.biWidth, reduced.header.biBitCount)),
        line_((static_cast<std::size_t>(reduced.header.biWidth) * reduced.header.biBitCount + 7) / 8 +
                  1,
              0) {}

  const std::vector<std::uint8_t>& Line(int y) override {
    const std::size_t row = static_cast<std::size_t>(reduced_.header.biHeight - 1 - y);
    const std::uint8_t* packed = reduced_.rows.data() + row * dibRowBytes_;
    std::copy(packed, packed + line_.size() - 1, line_.begin() + 1);
    return line_;
  }

 private:
  const ReducedImage& reduced_;
  std::size_t dibRowBytes_;
  std::vector<std::uint8_t> line_;
};

// Deflates one band: data[primed, size) after the primed bytes before it.
using BandCompressor = std::function<std::vector<std::uint8_t>(const std::uint8_t* data, std::size_t primed,
                                                                std::size_t size, bool last)>;

// The zlib header's level field of a zlib level: informative only.
int LevelField(int level) { return level < 6 ? 1 : level == 6 ? 2 : 3; }

// The image data: the lines deflated in bands on every core, each band
// primed with the lines before it, so that the stream they form packs as one
// would. `newSource` gives each band its own source.
void WriteImageData(ByteSink& sink, int levelField, int height, std::size_t lineBytes,
                    const std::function<std::unique_ptr<LineSource>()>& newSource,
                    const BandCompressor& compress) {
  const int bandRows = static_cast<int>(std::max<std::size_t>(1, kBandBytes / lineBytes));
  const int primingRows = static_cast<int>((kWindowBytes + lineBytes - 1) / lineBytes);
  std::vector<DeflatedBand> bands((height + bandRows - 1) / bandRows);
  RunOnAllCores(bands.size(), [&](std::size_t band) {
    const int first = static_cast<int>(band) * bandRows;
    const int end = std::min(height, first + bandRows);
    const int primingFirst = std::max(0, first - primingRows);
    const std::unique_ptr<LineSource> source = newSource();
    std::vector<std::uint8_t> lines;
    lines.reserve(static_cast<std::size_t>(end - primingFirst) * lineBytes);
    for (int y = primingFirst; y < end; ++y) {
      const std::vector<std::uint8_t>& line = source->Line(y);
      lines.insert(lines.end(), line.begin(), line.end());
    }
    const std::size_t primed = static_cast<std::size_t>(first - primingFirst) * lineBytes;
    DeflatedBand& out = bands[band];
    out.length = lines.size() - primed;
    out.adler = Adler32(static_cast<std::uint32_t>(out.adler), lines.data() + primed, out.length);
    out.bytes = compress(lines.data(), primed, lines.size(), end == height);
  });
  WriteIdatChunks(sink, levelField, bands);
}

}  // namespace

void WritePng24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink) {
  RequireTopDownPixels(width, height, strideBytes);
  WriteSignatureAndHeader(sink, width, height, 8, kTruecolour);
  WriteImageData(
      sink, kTruecolourLevelField, height, std::size_t{3} * width + 1,
      [&] { return std::make_unique<TruecolourLines>(topDownPixels, width, strideBytes); }, GreedyDeflate);
  WriteEnd(sink);
}

void WriteReducedPng(const ReducedImage& reduced, ByteSink& sink) {
  const int width = reduced.header.biWidth;
  const int height = reduced.header.biHeight;
  const int bitCount = reduced.header.biBitCount;
  const int entries = HighestIndexUsed(reduced.rows, bitCount) + 1;
  std::vector<std::uint8_t> palette;
  palette.reserve(std::size_t{3} * entries);
  for (int i = 0; i < entries; ++i) {
    const DibColour& c = reduced.colours[i];
    palette.insert(palette.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
  }

  WriteSignatureAndHeader(sink, width, height, bitCount, kIndexed);
  WriteChunk(sink, "PLTE", palette.data(), palette.size());
  const std::size_t lineBytes = (static_cast<std::size_t>(width) * bitCount + 7) / 8 + 1;
  const auto newSource = [&] { return std::make_unique<IndexedLines>(reduced); };
  if (bitCount == 8) {
    WriteImageData(sink, k8BitIndexedLevelField, height, lineBytes, newSource, IndexDeflate);
  } else {
    WriteImageData(sink, LevelField(kIndexedDeflate.level), height, lineBytes, newSource,
                   [&](const std::uint8_t* data, std::size_t primed, std::size_t size, bool last) {
                     return BandDeflater(kIndexedDeflate, data, primed).Deflate(data + primed, size - primed, last);
                   });
  }
  WriteEnd(sink);
}

}  // namespace vistrane
