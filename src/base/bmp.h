#pragma once
// Windows bitmap file (.bmp) codec.
#include <cstdint>
#include <span>
#include <vector>

#include "base/bitmap32.h"

// The largest side and pixel count a bitmap file may have, for the decoder and the encoder
// alike: anything bigger is damaged or a memory bomb (64 Mi pixels are 256 MB decoded).
constexpr int kBmpMaxSide = 32768;
constexpr uint64_t kBmpMaxPixels = uint64_t(64) << 20;

// Decodes a complete bitmap file ("BM" header, core/info/V4/V5 header, 1/4/8/16/24/32 bits
// per pixel, RLE4/RLE8, bit fields, bottom-up or top-down). Empty input gives an empty
// bitmap. Anything else that is not a valid bitmap throws EInvalidGraphic. Never reads or
// writes outside the given bytes, whatever they hold.
// Pixels an RLE stream skips (delta, end of line, end of bitmap) take palette colour 0; a
// pixel index beyond the palette makes the file invalid.
Bitmap32 DecodeBmp(std::span<const uint8_t> bytes);

// The size a bitmap file declares, read from its headers alone (the first kBmpHeadBytes bytes
// or fewer): what a page lays out before it decodes any pixel. Throws EInvalidGraphic where
// DecodeBmp would refuse the headers; the pixels are not looked at.
constexpr size_t kBmpHeadBytes = 150;
struct BmpSize {
    int width = 0;
    int height = 0;
};
BmpSize ReadBmpSize(std::span<const uint8_t> head);

// Encodes a bitmap file with the given bit count: 24 or 32 (direct colour), 8, 4 or 1
// (palette; colours beyond the palette size are mapped to the nearest palette entry).
// An empty image gives no bytes (the stored form of "no picture"). Another bit count, a pixel
// buffer that does not match the size, or an image beyond the limits above throws
// std::invalid_argument.
std::vector<uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel = 24);
