#pragma once
// A 32-bit top-down DIB section selected into a memory device context: the skin's pictures
// (Bitmap32) are written straight into its pixels, GDI draws text on it, and it is copied to
// a window with BitBlt.
#include <windows.h>

#include <optional>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "ui/gdi.h"

class SkinDib {
public:
    SkinDib() = default;
    ~SkinDib() { Clear(); }
    SkinDib(const SkinDib&) = delete;
    SkinDib& operator=(const SkinDib&) = delete;

    // Makes the bitmap width x height (kept when it has that size already). False when the
    // system cannot give one.
    bool Resize(int width, int height);
    void Clear();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bits_; }
    HDC Dc() const { return dc_ ? dc_->Get() : nullptr; }
    uint32_t* Row(int y) { return bits_ + size_t(y) * size_t(width_); }

    // Copies src (or its rectangle sx, sy, w, h) to (x, y); clipped to the bitmap.
    void Put(const Bitmap32& src, int x, int y);
    void Put(const Bitmap32& src, int sx, int sy, int w, int h, int x, int y);
    // Copies the bitmap's rectangle (sx, sy, w, h) to (x, y) of dest.
    void Get(Bitmap32& dest, int sx, int sy, int w, int h, int x, int y) const;

private:
    std::optional<MemDC> dc_;
    Gdi<HBITMAP> bitmap_;
    HGDIOBJ original_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Copies a picture to a device context at (x, y), 1:1.
void DrawBitmap32(HDC dc, const Bitmap32& image, int x, int y);
