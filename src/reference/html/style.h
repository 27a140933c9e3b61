#pragma once
// The computed look of every element: what the element's tag implies, its presentational
// attributes (bgcolor, <font size>, align, cellpadding ...), the page's style sheets and its
// style attribute, in that order of strength; inherited properties flow from the parent.
#include <cstdint>
#include <string>
#include <vector>

#include "reference/html/css.h"
#include "reference/html/dom.h"
#include "reference/html/values.h"

namespace html {

enum class Display : uint8_t { Inline, Block, ListItem, Table, RowGroup, Row, Cell, Caption, None };
enum class TextAlign : uint8_t { Left, Center, Right, Justify };
enum class VerticalAlign : uint8_t { Baseline, Top, Middle, Bottom, Sub, Super, TextTop, TextBottom };
enum class WhiteSpace : uint8_t { Normal, Pre, NoWrap, PreWrap };
enum class ListType : uint8_t { Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, None };
enum class BorderStyle : uint8_t { None, Solid, Dashed, Dotted, Double, Inset, Outset, Groove, Ridge };
enum class Float : uint8_t { None, Left, Right };

// A length that waits for the layout to know what a percentage is of.
struct Length {
    enum Kind : uint8_t { Auto, Px, Percent };
    Kind kind = Auto;
    float value = 0;

    static Length Pixels(int px) { return {Px, float(px)}; }
    bool IsAuto() const { return kind == Auto; }
    // Pixels of this length within `base`; `fallback` for auto.
    int Resolve(int base, int fallback) const;
};

struct BorderSide {
    int width = 0;
    BorderStyle style = BorderStyle::None;
    uint32_t color = kNoColor;  // kNoColor: the element's text colour

    int Used() const { return style == BorderStyle::None ? 0 : width; }
};

// The largest length, font size and spacing a page may ask for; anything bigger is cut down.
constexpr int kMaxLength = 10000;
constexpr int kMaxFontSize = 300;

struct Style {
    Display display = Display::Inline;
    // Text; inherited.
    int face = 0;  // index into StyledDocument::faces
    int fontSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    uint32_t color = 0x000000;
    uint32_t linkColor = 0x0000FF;  // the colour <body link=...> gives links
    TextAlign textAlign = TextAlign::Left;
    TextAlign blockAlign = TextAlign::Left;  // align="center", <center>: also places tables and blocks
    WhiteSpace whiteSpace = WhiteSpace::Normal;
    ListType listType = ListType::Disc;
    float lineHeightFactor = 0;  // line-height as a multiple of the font size; 0 with lineHeight 0: normal
    int lineHeight = 0;          // line-height in pixels
    int textIndent = 0;
    int listDepth = 0;           // lists this element is inside
    int link = kNoNode;          // the <a href> this element is inside
    bool borderCollapse = false;
    int baselineShift = 0;       // <sub>, <sup>: pixels the baseline moves up (negative: down)
    // Box; not inherited.
    uint32_t background = kNoColor;
    VerticalAlign verticalAlign = VerticalAlign::Baseline;
    Float floating = Float::None;
    Length width;
    Length height;
    Length margin[4] = {Length::Pixels(0), Length::Pixels(0), Length::Pixels(0), Length::Pixels(0)};  // top, right, bottom, left
    Length padding[4] = {Length::Pixels(0), Length::Pixels(0), Length::Pixels(0), Length::Pixels(0)};
    BorderSide border[4];
    int borderSpacing = 2;  // tables: the space between cells
    bool hasBorderSpacing = false;
};

enum Side { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

struct StyledDocument {
    const Document* doc = nullptr;
    std::vector<Style> styles;        // per node; a text node carries its parent's style
    std::vector<std::wstring> faces;  // font family lists as written; faces[0] is the default
    uint32_t canvas = 0xFFFFFF;       // the page's background

    const Style& Of(int node) const { return styles[size_t(node)]; }
};

// Computes the style of every node. Never recurses; bounded work per node.
StyledDocument ComputeStyles(const Document& doc);

// The family list of the default font ("宋体").
extern const wchar_t* const kDefaultFace;

}  // namespace html
