#include "skin/part_renderer.h"

#include <algorithm>
#include <vector>

namespace {

// Source coordinate under the centre of destination pixel d of a span of dn pixels mapped
// from a span of sn pixels: the colour-on-colour stretch keeps whole pixels, never blends.
int SourceIndex(int d, int dn, int sn) {
    return int((int64_t(2 * int64_t(d) + 1) * sn) / (2 * int64_t(dn)));
}

}  // namespace

PixelRect FrameOf(const Bitmap32& image, int frameCount, int frame, FrameLayout layout) {
    const int n = std::max(frameCount, 1);
    const int k = std::clamp(frame, 1, n);
    if (image.Empty()) return {};
    if (layout == FrameLayout::SideBySide) {
        const int w = image.width / n;
        return {(k - 1) * w, 0, w, image.height};
    }
    const int h = image.height / n;
    return {0, (k - 1) * h, image.width, h};
}

void StretchCopy(Bitmap32& dest, int dx, int dy, int dw, int dh, const Bitmap32& src, int sx, int sy, int sw,
                 int sh, bool transparent) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dest.Empty() || src.Empty()) return;
    const int x0 = std::max(dx, 0);
    const int x1 = int(std::min<int64_t>(int64_t(dx) + dw, dest.width));
    const int y0 = std::max(dy, 0);
    const int y1 = int(std::min<int64_t>(int64_t(dy) + dh, dest.height));
    if (x0 >= x1 || y0 >= y1) return;
    std::vector<int> columns(size_t(x1 - x0));
    for (int x = x0; x < x1; ++x) columns[size_t(x - x0)] = sx + SourceIndex(x - dx, dw, sw);
    for (int y = y0; y < y1; ++y) {
        const int srcY = sy + SourceIndex(y - dy, dh, sh);
        if (srcY < 0 || srcY >= src.height) continue;
        const uint32_t* srcRow = &src.pixels[size_t(srcY) * size_t(src.width)];
        uint32_t* destRow = &dest.pixels[size_t(y) * size_t(dest.width)];
        for (int x = x0; x < x1; ++x) {
            const int srcX = columns[size_t(x - x0)];
            if (srcX < 0 || srcX >= src.width) continue;
            const uint32_t p = srcRow[srcX];
            if (transparent && (p & 0xFFFFFF) == kTransparentPixel) continue;
            destRow[x] = p;
        }
    }
}

void CopyTransparent(Bitmap32& dest, int x, int y, const Bitmap32& src) {
    StretchCopy(dest, x, y, src.width, src.height, src, 0, 0, src.width, src.height, true);
}

namespace {

// Repeats the source rectangle across the destination rectangle from its top-left corner.
void TileCopy(Bitmap32& dest, int dx, int dy, int dw, int dh, const Bitmap32& src, int sx, int sy, int sw, int sh) {
    if (sw <= 0 || sh <= 0) return;
    for (int y = 0; y < dh; y += sh)
        for (int x = 0; x < dw; x += sw) {
            const int w = std::min(sw, dw - x);
            const int h = std::min(sh, dh - y);
            StretchCopy(dest, dx + x, dy + y, w, h, src, sx, sy, w, h);
        }
}

}  // namespace

Bitmap32 RenderNineSlice(int width, int height, const Bitmap32& image, int left, int top, int right, int bottom,
                         FrameLayout layout, bool tile, int frameCount, int frame) {
    Bitmap32 out(std::max(width, 0), std::max(height, 0));
    if (out.Empty()) return out;
    const PixelRect f = FrameOf(image, frameCount, frame, layout);
    if (f.Empty()) return out;

    int l = std::clamp(left, 0, f.width);
    int r = std::clamp(right, 0, f.width - l);
    int t = std::clamp(top, 0, f.height);
    int b = std::clamp(bottom, 0, f.height - t);
    if (width < l + r) l = r = 0;
    if (height < t + b) t = b = 0;

    const int cw = f.width - l - r;  // centre of the frame
    const int ch = f.height - t - b;
    const int dw = width - l - r;    // centre of the destination
    const int dh = height - t - b;
    const int fr = f.x + f.width - r;
    const int fb = f.y + f.height - b;

    StretchCopy(out, 0, 0, l, t, image, f.x, f.y, l, t);
    StretchCopy(out, width - r, 0, r, t, image, fr, f.y, r, t);
    StretchCopy(out, 0, height - b, l, b, image, f.x, fb, l, b);
    StretchCopy(out, width - r, height - b, r, b, image, fr, fb, r, b);

    StretchCopy(out, l, 0, dw, t, image, f.x + l, f.y, cw, t);
    StretchCopy(out, l, height - b, dw, b, image, f.x + l, fb, cw, b);
    StretchCopy(out, 0, t, l, dh, image, f.x, f.y + t, l, ch);
    StretchCopy(out, width - r, t, r, dh, image, fr, f.y + t, r, ch);

    if (tile)
        TileCopy(out, l, t, dw, dh, image, f.x + l, f.y + t, cw, ch);
    else
        StretchCopy(out, l, t, dw, dh, image, f.x + l, f.y + t, cw, ch);
    return out;
}

Bitmap32 RenderPart(int width, int height, const TDataSkinObject& part, FrameLayout layout, bool tile, int frame) {
    return RenderNineSlice(width, height, part.Image, part.LeftWidth, part.TopHeight, part.RightWidth,
                           part.BottomHeight, layout, tile, part.FrameCount, frame);
}

void PaintFrame(Bitmap32& dest, int x, int y, int width, int height, const Bitmap32& image, int frameCount,
                int frame, bool transparent) {
    const PixelRect f = FrameOf(image, frameCount, frame, FrameLayout::SideBySide);
    StretchCopy(dest, x, y, width, height, image, f.x, f.y, f.width, f.height, transparent);
}

Bitmap32 MirrorImage(const Bitmap32& image) {
    Bitmap32 out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.At(image.width - 1 - x, y) = image.At(x, y);
    return out;
}

Bitmap32 FlipImage(const Bitmap32& image) {
    Bitmap32 out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.At(x, image.height - 1 - y) = image.At(x, y);
    return out;
}

Bitmap32 RotateClockwise(const Bitmap32& image) {
    Bitmap32 out(image.height, image.width);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.At(image.height - 1 - y, x) = image.At(x, y);
    return out;
}

Bitmap32 RotateCounterClockwise(const Bitmap32& image) {
    Bitmap32 out(image.height, image.width);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.At(y, image.width - 1 - x) = image.At(x, y);
    return out;
}
