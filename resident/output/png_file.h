#pragma once
// PNG image files, written with our own chunk writer: lossless and several
// times smaller than a bitmap of the same screen.
#include <cstddef>
#include <cstdint>

#include "resident/output/byte_sink.h"
#include "resident/output/capture_image.h"

namespace vistrane {

// A complete truecolour PNG (8 bits a channel, no alpha) of the image. Source rows
// as WriteBmp24 takes them: top-down 0x00RRGGBB, strideBytes apart. Each row
// takes the filter whose bytes have the least entropy. The rows are deflated
// (GreedyDeflate) in bands of about 512 KiB on every core, each band primed
// with the 32 KiB of filtered rows before it, so the one deflate stream they
// form packs as one would; only the compressed bands are held until the file
// is written. Throws as RequireTopDownPixels.
void WritePng24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink);

// The reduced capture as an indexed PNG of its depth: PLTE from its colour
// table (the entries up to the highest one a pixel uses), rows from its rows
// (bottom row first there; PNG is top-down), unfiltered; 8-bit rows deflated
// by IndexDeflate, 4- and 1-bit rows by zlib. Throws OutputError when zlib
// fails.
void WriteReducedPng(const ReducedImage& reduced, ByteSink& sink);

}  // namespace vistrane
