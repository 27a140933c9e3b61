#pragma once
// Drawing skin parts on Bitmap32: the nine-slice renderer, the frame painter, the magenta
// transparent copy and the image flips the tab painters need. Everything clips to both
// bitmaps and accepts any slice, frame or size value without reading outside the images.
#include <cstdint>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_parts.h"

// The transparent colour of skin images.
inline constexpr uint32_t kTransparentPixel = 0xFF00FF;

enum class FrameLayout { SideBySide, Stacked };

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Frame k (counted from 1) of the n equal parts of an image; n below 1 counts as 1 and k is
// held within 1..n.
PixelRect FrameOf(const Bitmap32& image, int frameCount, int frame, FrameLayout layout);

// Copies src rectangle (sx, sy, sw, sh) into dest rectangle (dx, dy, dw, dh), scaling by
// nearest neighbour (each destination pixel takes the source pixel under its centre). With
// transparent set, magenta source pixels leave the destination as it was.
void StretchCopy(Bitmap32& dest, int dx, int dy, int dw, int dh, const Bitmap32& src, int sx, int sy, int sw,
                 int sh, bool transparent = false);

// Copies src 1:1 to (x, y); magenta pixels keep the destination.
void CopyTransparent(Bitmap32& dest, int x, int y, const Bitmap32& src);

// A new width x height bitmap showing frame k of n of image in nine slices: the corners copied,
// the edges stretched, the centre stretched or (tile) repeated from its top-left corner. A
// destination narrower than left + right drops the side slices, one lower than top + bottom
// the top and bottom slices. Slices larger than the frame are cut to it.
Bitmap32 RenderNineSlice(int width, int height, const Bitmap32& image, int left, int top, int right, int bottom,
                         FrameLayout layout, bool tile, int frameCount, int frame);
// The same for a part, with its slices, image and frame count.
Bitmap32 RenderPart(int width, int height, const TDataSkinObject& part, FrameLayout layout, bool tile, int frame);

// Draws frame k of n side-by-side frames of image scaled into the destination rectangle.
void PaintFrame(Bitmap32& dest, int x, int y, int width, int height, const Bitmap32& image, int frameCount,
                int frame, bool transparent);

Bitmap32 MirrorImage(const Bitmap32& image);          // left to right
Bitmap32 FlipImage(const Bitmap32& image);            // top to bottom
Bitmap32 RotateClockwise(const Bitmap32& image);      // a quarter turn
Bitmap32 RotateCounterClockwise(const Bitmap32& image);
