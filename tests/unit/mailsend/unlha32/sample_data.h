#pragma once
// Deterministic test inputs for the archiver.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane::testing_lhasa {

// Bytes of a fixed pseudo-random sequence; `alphabet` limits them to
// 0..alphabet-1.
std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed,
                                      unsigned alphabet = 256);

// A 24-bit bitmap file that looks like a desktop screenshot: gradient
// wallpaper with faint noise, windows with rows of glyph-like text, a
// photo-like area. 3840 x 2160 gives about 25 MB.
std::vector<std::uint8_t> ScreenshotBmp(int width, int height);

}  // namespace vistrane::testing_lhasa
