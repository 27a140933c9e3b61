#include "ui/graphics.h"

#include <cstdio>
#include <cstring>

#include "base/errors.h"

COLORREF ColorToRGB(TColor color) {
    const uint32_t value = color;
    if (value & clSystemColor) return GetSysColor(int(value & 0xFF));
    return COLORREF(value & 0xFFFFFF);
}

std::wstring ColorToHtml(TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    wchar_t text[8];
    swprintf(text, 8, L"#%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    return text;
}

// ---- TFont

TFont::TFont() : name_(L"宋体"), height_(12) {}

void TFont::SetName(const std::wstring& name) {
    if (name == name_) return;
    name_ = name;
    Changed(true);
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed(true);
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed(true);
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed(false);
}

void TFont::SetCharset(BYTE charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed(true);
}

void TFont::Assign(const TFont& other) {
    if (&other == this || SameAs(other)) return;
    const bool shape = name_ != other.name_ || height_ != other.height_ || style_ != other.style_ ||
                       charset_ != other.charset_;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    Changed(shape);
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           color_ == other.color_ && charset_ == other.charset_;
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = -(height_ < 0 ? -height_ : height_);
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectW(&lf));
        // A face the system cannot make still must give text: fall back to the GUI font.
        if (!handle_) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return handle_.Get();
}

void TFont::Changed(bool shapeChanged) {
    // The old handle lives until the listeners have switched to the new one.
    Gdi<HFONT> old;
    if (shapeChanged && handle_) {
        old = std::move(handle_);
        Handle();
    }
    if (OnChange) OnChange();
}

// ---- TBitmap

TBitmap::TBitmap(const Bitmap32& image) { Assign(image); }

void TBitmap::Assign(const Bitmap32& image) {
    if (image.Empty()) {
        Clear();
        return;
    }
    if (image.pixels.size() != size_t(image.width) * size_t(image.height))
        throw EInvalidGraphic();
    BITMAPINFO bi = TopDown32(image.width, image.height);
    void* bits = nullptr;
    Gdi<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) throw Exception("Out of system resources");
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    GdiFlush();
    bitmap_ = std::move(dib);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = image.width;
    height_ = image.height;
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    if (other.Empty()) {
        Clear();
        return;
    }
    Assign(other.ToBitmap32());
}

void TBitmap::Clear() {
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

Bitmap32 TBitmap::ToBitmap32() const {
    Bitmap32 image;
    if (Empty()) return image;
    GdiFlush();
    image.width = width_;
    image.height = height_;
    image.pixels.assign(bits_, bits_ + size_t(width_) * size_t(height_));
    for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

void TBitmap::Draw(HDC dc, int x, int y) const {
    if (Empty()) return;
    MemDC source(dc);
    SelectGuard select(source.Get(), bitmap_.Get());
    BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCCOPY);
}

void TBitmap::DrawTransparent(HDC dc, int x, int y) const {
    if (Empty()) return;
    // What dc already holds under the picture takes every pixel of the picture except those
    // of its transparent colour, and goes back as one copy.
    BITMAPINFO bi = TopDown32(width_, height_);
    void* bits = nullptr;
    Gdi<HBITMAP> under(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!under || !bits) return Draw(dc, x, y);
    MemDC work(dc);
    SelectGuard select(work.Get(), under.Get());
    BitBlt(work.Get(), 0, 0, width_, height_, dc, x, y, SRCCOPY);
    GdiFlush();
    auto* out = static_cast<uint32_t*>(bits);
    const uint32_t key = TransparentColour();
    const size_t count = size_t(width_) * size_t(height_);
    for (size_t i = 0; i < count; ++i) {
        if ((bits_[i] & 0xFFFFFF) != key) out[i] = bits_[i];
    }
    BitBlt(dc, x, y, width_, height_, work.Get(), 0, 0, SRCCOPY);
}

uint32_t TBitmap::TransparentColour() const {
    return Empty() ? 0 : bits_[size_t(height_ - 1) * size_t(width_)] & 0xFFFFFF;
}
