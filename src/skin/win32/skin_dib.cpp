#include "skin/win32/skin_dib.h"

#include <algorithm>

bool SkinDib::Resize(int width, int height) {
    if (bits_ && width == width_ && height == height_) return true;
    Clear();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO bi = TopDown32(width, height);
    void* bits = nullptr;
    Gdi<HBITMAP> bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    if (!dc_) dc_.emplace(nullptr);
    if (!dc_->Get()) {
        dc_.reset();
        return false;
    }
    original_ = SelectObject(dc_->Get(), bitmap.Get());
    bitmap_ = std::move(bitmap);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void SkinDib::Clear() {
    if (bitmap_ && dc_) SelectObject(dc_->Get(), original_);
    bitmap_.Reset();
    original_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

void SkinDib::Put(const Bitmap32& src, int x, int y) { Put(src, 0, 0, src.width, src.height, x, y); }

void SkinDib::Put(const Bitmap32& src, int sx, int sy, int w, int h, int x, int y) {
    if (!bits_ || src.Empty()) return;
    GdiFlush();  // GDI may still be drawing into the pixels
    for (int j = 0; j < h; ++j) {
        const int srcY = sy + j;
        const int destY = y + j;
        if (srcY < 0 || srcY >= src.height || destY < 0 || destY >= height_) continue;
        const int from = std::max({0, -x, -sx});
        const int to = std::min({w, width_ - x, src.width - sx});
        if (from >= to) continue;
        std::copy_n(&src.pixels[size_t(srcY) * size_t(src.width) + size_t(sx + from)], to - from, Row(destY) + x + from);
    }
}

void SkinDib::Get(Bitmap32& dest, int sx, int sy, int w, int h, int x, int y) const {
    if (!bits_ || dest.Empty()) return;
    GdiFlush();
    for (int j = 0; j < h; ++j) {
        const int srcY = sy + j;
        const int destY = y + j;
        if (srcY < 0 || srcY >= height_ || destY < 0 || destY >= dest.height) continue;
        const int from = std::max({0, -x, -sx});
        const int to = std::min({w, dest.width - x, width_ - sx});
        if (from >= to) continue;
        const uint32_t* row = bits_ + size_t(srcY) * size_t(width_);
        std::copy_n(row + sx + from, to - from, &dest.pixels[size_t(destY) * size_t(dest.width) + size_t(x + from)]);
    }
}

void DrawBitmap32(HDC dc, const Bitmap32& image, int x, int y) {
    if (image.Empty()) return;
    BITMAPINFO bi = TopDown32(image.width, image.height);
    SetDIBitsToDevice(dc, x, y, DWORD(image.width), DWORD(image.height), 0, 0, 0, UINT(image.height),
                      image.pixels.data(), &bi, DIB_RGB_COLORS);
}
