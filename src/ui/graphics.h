#pragma once
// Colours, fonts and bitmaps of the toolkit.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/bitmap32.h"
#include "ui/gdi.h"
#include "ui/property.h"

// A colour as the program's windows name it: an RGB value laid out as a COLORREF
// (0x00BBGGRR), or a system colour 0x80000000 | COLOR_xxx that is resolved when painted.
enum TColor : uint32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clWhite = 0xFFFFFF,

    clSystemColor = 0x80000000,
    clScrollBar = clSystemColor | COLOR_SCROLLBAR,
    clBackground = clSystemColor | COLOR_BACKGROUND,
    clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
    clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION,
    clMenu = clSystemColor | COLOR_MENU,
    clWindow = clSystemColor | COLOR_WINDOW,
    clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
    clMenuText = clSystemColor | COLOR_MENUTEXT,
    clWindowText = clSystemColor | COLOR_WINDOWTEXT,
    clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
    clHighlight = clSystemColor | COLOR_HIGHLIGHT,
    clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT,
    clBtnFace = clSystemColor | COLOR_BTNFACE,
    clBtnShadow = clSystemColor | COLOR_BTNSHADOW,
    clGrayText = clSystemColor | COLOR_GRAYTEXT,
    clBtnText = clSystemColor | COLOR_BTNTEXT,
    clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT,
};

// The RGB value a colour stands for now (system colours looked up).
COLORREF ColorToRGB(TColor color);
// "#RRGGBB" of a colour, system colours resolved.
std::wstring ColorToHtml(TColor color);
// Makes a TColor from red, green and blue.
constexpr TColor RgbColor(uint8_t r, uint8_t g, uint8_t b) {
    return TColor(uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16));
}

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font description with a cached HFONT. Height is the character height in pixels (the em
// height; a negative value is taken by its size, as Windows writes character heights).
// Whenever the description changes, the new HFONT is made before the old one is deleted and
// OnChange runs in between, so that a window handed the old font can be given the new one
// before the old one goes.
class TFont {
public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::wstring GetName() const { return name_; }
    void SetName(const std::wstring& name);
    int GetHeight() const { return height_; }
    void SetHeight(int height);
    TFontStyles GetStyle() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor GetColor() const { return color_; }
    void SetColor(TColor color);
    BYTE GetCharset() const { return charset_; }
    void SetCharset(BYTE charset);

    Property<&TFont::GetName, &TFont::SetName> Name{this};
    Property<&TFont::GetHeight, &TFont::SetHeight> Height{this};
    Property<&TFont::GetStyle, &TFont::SetStyle> Style{this};
    Property<&TFont::GetColor, &TFont::SetColor> Color{this};
    Property<&TFont::GetCharset, &TFont::SetCharset> Charset{this};

    // Copies another font's description (one change notification).
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    // The font as a GDI object, made on first use; owned by this TFont.
    HFONT Handle() const;

    std::function<void()> OnChange;

private:
    void Changed(bool shapeChanged);

    std::wstring name_;
    int height_;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    BYTE charset_ = GB2312_CHARSET;
    mutable Gdi<HFONT> handle_;
};

// A 32-bit top-down picture held in a DIB section.
class TBitmap {
public:
    TBitmap() = default;
    explicit TBitmap(const Bitmap32& image);
    TBitmap(TBitmap&&) noexcept = default;
    TBitmap& operator=(TBitmap&&) noexcept = default;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Replaces the picture by a copy of the given one (an empty one clears it). A picture the
    // system cannot hold throws Exception.
    void Assign(const Bitmap32& image);
    void Assign(const TBitmap& other);
    void Clear();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_.Get(); }

    Bitmap32 ToBitmap32() const;
    // Copies the picture to dc at (x, y), unscaled; the dc's clip region cuts it.
    void Draw(HDC dc, int x, int y) const;
    // The same, leaving what dc holds wherever the picture has its transparent colour: the
    // colour of its bottom-left pixel, as a transparent image takes it.
    void DrawTransparent(HDC dc, int x, int y) const;
    uint32_t TransparentColour() const;

private:
    Gdi<HBITMAP> bitmap_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
