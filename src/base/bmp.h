#pragma once
// Windows bitmap file (.bmp) codec.
#include <cstdint>
#include <span>
#include <vector>

#include "base/bitmap32.h"

// Decodes a complete bitmap file ("BM" header, core/info/V4/V5 header, 1/4/8/16/24/32 bits
// per pixel, RLE4/RLE8, bit fields, bottom-up or top-down). Empty input gives an empty
// bitmap. Anything else that is not a valid bitmap throws EInvalidGraphic. Never reads or
// writes outside the given bytes, whatever they hold.
Bitmap32 DecodeBmp(std::span<const uint8_t> bytes);

// Encodes a bitmap file with the given bit count: 24 or 32 (direct colour), 8, 4 or 1
// (palette; colours beyond the palette size are mapped to the nearest palette entry).
std::vector<uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel = 24);
