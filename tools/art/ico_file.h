#pragma once
// Windows icon files (.ico) written from our own images.
#include <cstdint>
#include <span>
#include <vector>

#include "art/art_canvas.h"

// An icon file with one entry per image, in the given order: each a 32-bit BGRA DIB (its
// header's height doubled for the mask that follows) and a 1-bit AND mask, set where the
// image is fully transparent so that old 16-colour displays cut the same outline. Images must
// be square, 1 to 256 pixels, with a matching pixel buffer; anything else, or no image at all,
// throws std::invalid_argument.
std::vector<uint8_t> EncodeIco(std::span<const RgbaImage> images);
