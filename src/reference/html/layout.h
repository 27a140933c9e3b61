#pragma once
// Lays out a styled document into a display list: positioned text runs, filled rectangles
// (backgrounds, borders, rules) and picture boxes, with the links and named anchors of the
// page. Text is measured through an interface, so that the same layout runs with the
// system's fonts on Windows and with a fixed-width stand-in in the host tests.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/html/style.h"

namespace html {

struct FontKey {
    std::wstring face;  // a family list as the page wrote it ("宋体,SimSun,sans-serif"), or "monospace"
    int size = 16;      // pixel height of the em
    bool bold = false;
    bool italic = false;

    bool operator==(const FontKey&) const = default;
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// What the layout asks of the platform.
class PageMeasurer {
public:
    virtual ~PageMeasurer() = default;
    virtual FontMetrics Metrics(const FontKey& font) = 0;
    // Fills ends[i] with the width of text[0..i] (one entry per wchar_t; both halves of a
    // surrogate pair get the width up to the end of the pair).
    virtual void Extents(const FontKey& font, std::wstring_view text, std::vector<int>& ends) = 0;
    // The natural size of the picture a page names (src as written), or nothing when it cannot
    // be read.
    virtual std::optional<PictureSize> Picture(const std::wstring& src) = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const Rect& r) const { return left < r.right && r.left < right && top < r.bottom && r.top < bottom; }
};

enum class ItemKind : uint8_t { Fill, Text, Picture, Disc, Circle, Square };

struct DisplayItem {
    ItemKind kind = ItemKind::Fill;
    Rect box;                      // the area the item covers
    uint32_t color = 0;            // fill, text or marker colour (0x00RRGGBB)
    int font = -1;                 // Text: index into PageLayout::fonts
    int baseline = 0;              // Text: the y of the baseline
    std::wstring text;             // Text: the characters; Picture: the src as written
    std::wstring alt;              // Picture: the alt text, shown in place of a broken picture
    uint32_t background = kNoColor;// Text: a background behind the run
    bool underline = false;
    bool strike = false;
    bool readable = true;          // Picture: false when the picture cannot be read or is over the
                                   // page's pixel budget (a broken picture)
    int link = -1;                 // index into PageLayout::links, or -1
};

struct PageAnchor {
    std::wstring name;
    int y = 0;
};

struct PageLayout {
    int width = 0;         // the width laid out for
    int contentWidth = 0;  // the right edge of the widest content, at least `width`
    int height = 0;        // the height of the content
    uint32_t canvas = 0xFFFFFF;
    std::wstring title;
    std::vector<FontKey> fonts;
    std::vector<FontMetrics> metrics;  // per font
    std::vector<DisplayItem> items;    // in painting order
    std::vector<std::wstring> links;   // the href of each link, as written
    std::vector<PageAnchor> anchors;
    long long picturePixels = 0;       // the pixels of the pictures shown, at their natural sizes

    // The link under a point, or -1.
    int LinkAt(int x, int y) const;
    // The top of a named anchor (<a name>, id), or nothing.
    std::optional<int> AnchorTop(std::wstring_view name) const;
    // The text of the page as laid out, line by line (for tests and the automation dump).
    std::wstring PlainText() const;
};

// The tallest page laid out; content beyond it is stacked at the limit.
constexpr int kMaxPageHeight = 2'000'000;

// The pixels all pictures of a page may hold decoded together (64 MB at 4 bytes a pixel):
// a small bitmap file can declare a huge picture, and every picture of the page on show is
// kept decoded. A picture that would go past it is shown broken.
constexpr long long kPagePicturePixels = 16LL << 20;

PageLayout LayoutPage(const StyledDocument& styled, int width, PageMeasurer& measurer);

}  // namespace html
