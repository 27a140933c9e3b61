#include "reference/html/style.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "reference/html/values.h"

namespace html {

const wchar_t* const kDefaultFace = L"宋体";

namespace {

// The selector work a whole page may cost (compound tests, class look-ups, candidate rules):
// a few hundred milliseconds at most, however the page combines its rules and elements.
constexpr long kSelectorBudget = 8'000'000;
constexpr int kDefaultFontSize = 16;

int ClampLength(double px) { return int(std::lround(std::clamp(px, double(-kMaxLength), double(kMaxLength)))); }
int ClampSize(double px) { return int(std::lround(std::clamp(px, 1.0, double(kMaxFontSize)))); }

class Cascade {
public:
    explicit Cascade(const Document& document) : doc(document), sheet(ReadSheets(document)), matcher(doc, sheet, kSelectorBudget) {
        out.doc = &doc;
        out.styles.resize(doc.nodes.size());
        out.faces.push_back(kDefaultFace);
        out.faces.push_back(L"monospace");
    }

    StyledDocument Run() {
        // Pre-order without recursion; a parent's style is always computed before its children.
        Style root;
        root.display = Display::Block;
        std::vector<int> pending{doc.html};
        ComputeElement(doc.html, root);
        while (!pending.empty()) {
            const int node = pending.back();
            pending.pop_back();
            const Node& n = doc.At(node);
            for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) {
                const Node& child = doc.At(*it);
                if (child.isText) {
                    out.styles[size_t(*it)] = out.styles[size_t(node)];
                } else {
                    ComputeElement(*it, out.styles[size_t(node)]);
                    pending.push_back(*it);
                }
            }
        }
        // The canvas takes the background of <html>, or else of <body>.
        Style& html = out.styles[size_t(doc.html)];
        Style& body = out.styles[size_t(doc.body)];
        if (html.background != kNoColor) {
            out.canvas = html.background;
            html.background = kNoColor;
        } else if (body.background != kNoColor) {
            out.canvas = body.background;
            body.background = kNoColor;
        }
        return std::move(out);
    }

private:
    static StyleSheet ReadSheets(const Document& doc) {
        StyleSheet sheet;
        for (const std::wstring& text : doc.styleSheets) ParseStyleSheet(text, sheet);
        return sheet;
    }

    int InternFace(std::wstring_view family) {
        family = TrimSpaces(family);
        if (family.empty()) return 0;
        for (size_t i = 0; i < out.faces.size(); ++i)
            if (out.faces[i] == family) return int(i);
        constexpr size_t kMaxFaces = 64;
        if (out.faces.size() >= kMaxFaces) return 0;
        out.faces.emplace_back(family);
        return int(out.faces.size() - 1);
    }

    static Style Inherit(const Style& parent) {
        Style s;
        s.face = parent.face;
        s.fontSize = parent.fontSize;
        s.bold = parent.bold;
        s.italic = parent.italic;
        s.underline = parent.underline;
        s.strike = parent.strike;
        s.color = parent.color;
        s.linkColor = parent.linkColor;
        s.textAlign = parent.textAlign;
        s.blockAlign = parent.blockAlign;
        s.whiteSpace = parent.whiteSpace;
        s.listType = parent.listType;
        s.lineHeightFactor = parent.lineHeightFactor;
        s.lineHeight = parent.lineHeight;
        s.textIndent = parent.textIndent;
        s.listDepth = parent.listDepth;
        s.link = parent.link;
        s.borderCollapse = parent.borderCollapse;
        return s;
    }

    // The nearest <table> a cell or row belongs to.
    int TableOf(int node) const {
        for (int step = 0; step < 4 && node != kNoNode; ++step) {
            node = doc.At(node).parent;
            if (node != kNoNode && doc.At(node).Is(Tag::Table)) return node;
        }
        return kNoNode;
    }

    void ComputeElement(int node, const Style& parent) {
        const Node& n = doc.At(node);
        Style s = Inherit(parent);
        TagDefaults(s, parent, n);
        Attributes(s, node, n);
        Sheets(s, parent, node, n);
        out.styles[size_t(node)] = s;
    }

    void TagDefaults(Style& s, const Style& parent, const Node& n) {
        const auto verticalMargins = [&](double em) {
            const int px = ClampLength(em * s.fontSize);
            s.margin[kTop] = Length::Pixels(px);
            s.margin[kBottom] = Length::Pixels(px);
        };
        const auto heading = [&](double size, double margin) {
            s.display = Display::Block;
            s.fontSize = ClampSize(parent.fontSize * size);
            s.bold = true;
            verticalMargins(margin);
        };
        switch (n.tag) {
            case Tag::Head: case Tag::Title: case Tag::Meta: case Tag::Link: case Tag::Base: case Tag::Style:
            case Tag::Script: case Tag::Select: case Tag::Input: case Tag::Textarea: case Tag::Button:
            case Tag::Option: case Tag::Optgroup: case Tag::Iframe: case Tag::Object: case Tag::Embed:
            case Tag::Applet: case Tag::Param: case Tag::Map: case Tag::Area: case Tag::Noembed: case Tag::Frameset:
            case Tag::Frame: case Tag::Bgsound: case Tag::Basefont:
                s.display = Display::None;
                break;
            case Tag::Html:
                s.display = Display::Block;
                break;
            case Tag::Body:
                s.display = Display::Block;
                for (Length& m : s.margin) m = Length::Pixels(8);
                break;
            case Tag::Address:
                s.display = Display::Block;
                s.italic = true;
                break;
            case Tag::Article: case Tag::Aside: case Tag::Div: case Tag::Fieldset: case Tag::Figcaption:
            case Tag::Footer: case Tag::Form: case Tag::Header: case Tag::Legend: case Tag::Main: case Tag::Nav:
            case Tag::Section: case Tag::Marquee: case Tag::Noframes: case Tag::Dt:
                s.display = Display::Block;
                break;
            case Tag::Figure:
                s.display = Display::Block;
                verticalMargins(1);
                s.margin[kLeft] = s.margin[kRight] = Length::Pixels(40);
                break;
            case Tag::Center:
                s.display = Display::Block;
                s.textAlign = TextAlign::Center;
                s.blockAlign = TextAlign::Center;
                break;
            case Tag::P: case Tag::Dl:
                s.display = Display::Block;
                verticalMargins(1);
                break;
            case Tag::Blockquote:
                s.display = Display::Block;
                verticalMargins(1);
                s.margin[kLeft] = s.margin[kRight] = Length::Pixels(40);
                break;
            case Tag::Dd:
                s.display = Display::Block;
                s.margin[kLeft] = Length::Pixels(40);
                break;
            case Tag::Ul: case Tag::Ol: case Tag::Dir: case Tag::Menu:
                s.display = Display::Block;
                if (parent.listDepth == 0) verticalMargins(1);
                s.padding[kLeft] = Length::Pixels(40);
                s.listDepth = parent.listDepth + 1;
                if (n.tag == Tag::Ol) s.listType = ListType::Decimal;
                else s.listType = s.listDepth == 1 ? ListType::Disc : s.listDepth == 2 ? ListType::Circle : ListType::Square;
                break;
            case Tag::Li:
                s.display = Display::ListItem;
                break;
            case Tag::H1: heading(2.0, 0.67); break;
            case Tag::H2: heading(1.5, 0.83); break;
            case Tag::H3: heading(1.17, 1.0); break;
            case Tag::H4: heading(1.0, 1.33); break;
            case Tag::H5: heading(0.83, 1.67); break;
            case Tag::H6: heading(0.67, 2.33); break;
            case Tag::Hr:
                s.display = Display::Block;
                verticalMargins(0.5);
                s.margin[kLeft] = s.margin[kRight] = Length{};
                for (BorderSide& b : s.border) b = {1, BorderStyle::Inset, 0x808080};
                break;
            case Tag::Pre: case Tag::Xmp: case Tag::Listing: case Tag::Plaintext:
                s.display = Display::Block;
                s.face = 1;
                s.whiteSpace = WhiteSpace::Pre;
                verticalMargins(1);
                break;
            case Tag::Table:
                s.display = Display::Table;
                if (doc.quirks) {
                    // Old browsers started fonts afresh inside a table; pages rely on it.
                    s.fontSize = kDefaultFontSize;
                    s.bold = false;
                    s.italic = false;
                    s.textAlign = TextAlign::Left;
                    s.blockAlign = TextAlign::Left;
                    s.whiteSpace = WhiteSpace::Normal;
                    s.lineHeight = 0;
                    s.lineHeightFactor = 0;
                }
                s.textIndent = 0;
                break;
            case Tag::Caption:
                s.display = Display::Caption;
                s.textAlign = TextAlign::Center;
                break;
            case Tag::Thead: case Tag::Tbody: case Tag::Tfoot:
                s.display = Display::RowGroup;
                break;
            case Tag::Tr:
                s.display = Display::Row;
                break;
            case Tag::Td: case Tag::Th:
                s.display = Display::Cell;
                s.verticalAlign = VerticalAlign::Middle;
                if (n.tag == Tag::Th) {
                    s.bold = true;
                    s.textAlign = TextAlign::Center;
                }
                for (Length& p : s.padding) p = Length::Pixels(1);
                break;
            case Tag::B: case Tag::Strong:
                s.bold = true;
                break;
            case Tag::I: case Tag::Em: case Tag::Cite: case Tag::Var: case Tag::Dfn:
                s.italic = true;
                break;
            case Tag::U: case Tag::Ins:
                s.underline = true;
                break;
            case Tag::S: case Tag::Strike: case Tag::Del:
                s.strike = true;
                break;
            case Tag::Tt: case Tag::Code: case Tag::Kbd: case Tag::Samp:
                s.face = 1;
                break;
            case Tag::Big:
                s.fontSize = ClampSize(parent.fontSize * 1.2);
                break;
            case Tag::Small:
                s.fontSize = ClampSize(parent.fontSize / 1.2);
                break;
            case Tag::Sub: case Tag::Sup:
                s.fontSize = ClampSize(parent.fontSize * 0.83);
                s.baselineShift = n.tag == Tag::Sup ? parent.fontSize / 3 : -parent.fontSize / 5;
                break;
            case Tag::Nobr:
                s.whiteSpace = WhiteSpace::NoWrap;
                break;
            case Tag::A:
                if (n.Attr("href")) {
                    s.color = parent.linkColor;
                    s.underline = true;
                }
                break;
            default:
                break;
        }
        if (n.tag == Tag::A && n.Attr("href")) s.link = int(&n - doc.nodes.data());
        if (n.tag != Tag::Sub && n.tag != Tag::Sup) s.baselineShift = 0;
    }

    static std::optional<TextAlign> AlignValue(const std::wstring* value) {
        if (!value) return std::nullopt;
        const std::wstring_view v = TrimSpaces(*value);
        if (EqualsNoCase(v, "left")) return TextAlign::Left;
        if (EqualsNoCase(v, "center") || EqualsNoCase(v, "middle")) return TextAlign::Center;
        if (EqualsNoCase(v, "right")) return TextAlign::Right;
        if (EqualsNoCase(v, "justify")) return TextAlign::Justify;
        return std::nullopt;
    }

    static std::optional<VerticalAlign> VAlignValue(const std::wstring* value) {
        if (!value) return std::nullopt;
        const std::wstring_view v = TrimSpaces(*value);
        if (EqualsNoCase(v, "top")) return VerticalAlign::Top;
        if (EqualsNoCase(v, "middle") || EqualsNoCase(v, "center")) return VerticalAlign::Middle;
        if (EqualsNoCase(v, "bottom")) return VerticalAlign::Bottom;
        if (EqualsNoCase(v, "baseline")) return VerticalAlign::Baseline;
        return std::nullopt;
    }

    static Length HtmlLength(const std::wstring* value) {
        if (!value) return {};
        const std::optional<CssLength> l = ParseHtmlLength(*value);
        if (!l) return {};
        if (l->unit == Unit::Percent) return {Length::Percent, float(std::clamp(l->value, 0.0, 1000.0))};
        return Length::Pixels(ClampLength(l->value));
    }

    void Attributes(Style& s, int node, const Node& n) {
        const auto colour = [&](const char* name) -> std::optional<uint32_t> {
            const std::wstring* v = n.Attr(name);
            return v ? ParseLegacyColor(*v) : std::nullopt;
        };
        if (auto bg = colour("bgcolor")) {
            if (n.tag == Tag::Body || n.tag == Tag::Table || n.tag == Tag::Td || n.tag == Tag::Th || n.tag == Tag::Tr ||
                n.tag == Tag::Thead || n.tag == Tag::Tbody || n.tag == Tag::Tfoot || n.tag == Tag::Html)
                s.background = *bg;
        }
        switch (n.tag) {
            case Tag::Body: {
                if (auto text = colour("text")) s.color = *text;
                if (auto link = colour("link")) s.linkColor = *link;
                const std::wstring* left = n.Attr("leftmargin");
                const std::wstring* top = n.Attr("topmargin");
                const std::wstring* width = n.Attr("marginwidth");
                const std::wstring* height = n.Attr("marginheight");
                if (auto v = left ? ParseHtmlInteger(*left) : width ? ParseHtmlInteger(*width) : std::nullopt)
                    s.margin[kLeft] = s.margin[kRight] = Length::Pixels(ClampLength(*v));
                if (auto v = top ? ParseHtmlInteger(*top) : height ? ParseHtmlInteger(*height) : std::nullopt)
                    s.margin[kTop] = s.margin[kBottom] = Length::Pixels(ClampLength(*v));
                break;
            }
            case Tag::Font: {
                if (auto c = colour("color")) s.color = *c;
                if (const std::wstring* face = n.Attr("face")) s.face = InternFace(*face);
                if (const std::wstring* size = n.Attr("size")) {
                    const std::wstring_view v = TrimSpaces(*size);
                    const wchar_t sign = v.empty() ? 0 : v[0];
                    if (auto number = ParseHtmlInteger(sign == '+' || sign == '-' ? v.substr(1) : v)) {
                        int level = *number;
                        if (sign == '+') level = 3 + level;
                        else if (sign == '-') level = 3 - level;
                        static constexpr int kSizes[] = {10, 13, 16, 18, 24, 32, 48};
                        s.fontSize = kSizes[std::clamp(level, 1, 7) - 1];
                    }
                }
                break;
            }
            case Tag::P: case Tag::Div: case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5:
            case Tag::H6: case Tag::Caption: case Tag::Thead: case Tag::Tbody: case Tag::Tfoot: case Tag::Tr:
            case Tag::Td: case Tag::Th:
                if (auto a = AlignValue(n.Attr("align"))) {
                    s.textAlign = *a;
                    s.blockAlign = *a;
                }
                break;
            default:
                break;
        }
        switch (n.tag) {
            case Tag::Table: {
                if (auto a = AlignValue(n.Attr("align"))) {
                    if (*a == TextAlign::Center) s.margin[kLeft] = s.margin[kRight] = Length{};
                    else if (*a == TextAlign::Left) s.floating = Float::Left;
                    else if (*a == TextAlign::Right) s.floating = Float::Right;
                }
                s.width = HtmlLength(n.Attr("width"));
                s.height = HtmlLength(n.Attr("height"));
                const std::optional<uint32_t> frameColour = colour("bordercolor");
                if (const std::wstring* border = n.Attr("border")) {
                    const int width = std::min(ParseHtmlInteger(*border).value_or(1), 100);
                    for (BorderSide& b : s.border)
                        b = {width, frameColour ? BorderStyle::Solid : BorderStyle::Outset, frameColour.value_or(0xA0A0A0)};
                }
                if (const std::wstring* spacing = n.Attr("cellspacing")) {
                    s.borderSpacing = std::min(ParseHtmlInteger(*spacing).value_or(2), 1000);
                    s.hasBorderSpacing = true;
                }
                break;
            }
            case Tag::Td: case Tag::Th: {
                if (auto v = VAlignValue(n.Attr("valign"))) {
                    s.verticalAlign = *v;
                } else {
                    // The row's (or row group's) valign applies to its cells.
                    for (int up = n.parent, step = 0; up != kNoNode && step < 2; up = doc.At(up).parent, ++step)
                        if (auto rowV = VAlignValue(doc.At(up).Attr("valign"))) {
                            s.verticalAlign = *rowV;
                            break;
                        }
                }
                s.width = HtmlLength(n.Attr("width"));
                s.height = HtmlLength(n.Attr("height"));
                if (n.Attr("nowrap")) s.whiteSpace = WhiteSpace::NoWrap;
                const int table = TableOf(node);
                if (table != kNoNode) {
                    const Node& t = doc.At(table);
                    if (const std::wstring* padding = t.Attr("cellpadding")) {
                        const int px = std::min(ParseHtmlInteger(*padding).value_or(1), 1000);
                        for (Length& p : s.padding) p = Length::Pixels(px);
                    }
                    if (const std::wstring* border = t.Attr("border")) {
                        if (ParseHtmlInteger(*border).value_or(1) > 0) {
                            std::optional<uint32_t> c = colour("bordercolor");
                            if (!c) {
                                const std::wstring* tc = t.Attr("bordercolor");
                                if (tc) c = ParseLegacyColor(*tc);
                            }
                            for (BorderSide& b : s.border) b = {1, c ? BorderStyle::Solid : BorderStyle::Inset, c.value_or(0xA0A0A0)};
                        }
                    }
                }
                break;
            }
            case Tag::Img: {
                s.width = HtmlLength(n.Attr("width"));
                s.height = HtmlLength(n.Attr("height"));
                if (const std::wstring* border = n.Attr("border")) {
                    const int width = std::min(ParseHtmlInteger(*border).value_or(0), 100);
                    for (BorderSide& b : s.border) b = {width, BorderStyle::Solid, kNoColor};
                }
                if (auto h = n.Attr("hspace")) s.margin[kLeft] = s.margin[kRight] = Length::Pixels(std::min(ParseHtmlInteger(*h).value_or(0), 1000));
                if (auto v = n.Attr("vspace")) s.margin[kTop] = s.margin[kBottom] = Length::Pixels(std::min(ParseHtmlInteger(*v).value_or(0), 1000));
                if (const std::wstring* align = n.Attr("align")) {
                    const std::wstring_view a = TrimSpaces(*align);
                    if (EqualsNoCase(a, "left")) s.floating = Float::Left;
                    else if (EqualsNoCase(a, "right")) s.floating = Float::Right;
                    else if (EqualsNoCase(a, "top") || EqualsNoCase(a, "texttop")) s.verticalAlign = VerticalAlign::Top;
                    else if (EqualsNoCase(a, "middle") || EqualsNoCase(a, "absmiddle") || EqualsNoCase(a, "center")) s.verticalAlign = VerticalAlign::Middle;
                    else if (EqualsNoCase(a, "bottom") || EqualsNoCase(a, "absbottom") || EqualsNoCase(a, "baseline")) s.verticalAlign = VerticalAlign::Baseline;
                }
                break;
            }
            case Tag::Hr: {
                s.width = HtmlLength(n.Attr("width"));
                if (auto a = AlignValue(n.Attr("align"))) {
                    if (*a == TextAlign::Left) s.margin[kLeft] = Length::Pixels(0);
                    if (*a == TextAlign::Right) s.margin[kRight] = Length::Pixels(0);
                }
                const int size = std::clamp(n.Attr("size") ? ParseHtmlInteger(*n.Attr("size")).value_or(2) : 2, 1, 1000);
                const std::optional<uint32_t> c = colour("color");
                const bool solid = c || n.Attr("noshade");
                if (solid) {
                    // A solid rule: a filled box of the given height.
                    for (BorderSide& b : s.border) b = {0, BorderStyle::None, kNoColor};
                    s.background = c.value_or(0x808080);
                    s.height = Length::Pixels(size);
                } else {
                    s.border[kTop] = {1, BorderStyle::Solid, 0x808080};
                    s.border[kLeft] = {1, BorderStyle::Solid, 0x808080};
                    s.border[kBottom] = {1, BorderStyle::Solid, 0xFFFFFF};
                    s.border[kRight] = {1, BorderStyle::Solid, 0xFFFFFF};
                    s.height = Length::Pixels(std::max(size - 2, 0));
                }
                break;
            }
            case Tag::Ul: case Tag::Ol: case Tag::Li: {
                if (const std::wstring* type = n.Attr("type")) {
                    const std::wstring_view t = TrimSpaces(*type);
                    if (t == L"1") s.listType = ListType::Decimal;
                    else if (t == L"a") s.listType = ListType::LowerAlpha;
                    else if (t == L"A") s.listType = ListType::UpperAlpha;
                    else if (t == L"i") s.listType = ListType::LowerRoman;
                    else if (t == L"I") s.listType = ListType::UpperRoman;
                    else if (EqualsNoCase(t, "disc")) s.listType = ListType::Disc;
                    else if (EqualsNoCase(t, "circle")) s.listType = ListType::Circle;
                    else if (EqualsNoCase(t, "square")) s.listType = ListType::Square;
                }
                break;
            }
            case Tag::Pre:
                if (n.Attr("wrap")) s.whiteSpace = WhiteSpace::PreWrap;
                break;
            default:
                break;
        }
    }

    void Sheets(Style& s, const Style& parent, int node, const Node& n) {
        matcher.MatchingRules(node, matched);
        std::stable_sort(matched.begin(), matched.end(), [](const Rule* a, const Rule* b) {
            return a->selector.specificity < b->selector.specificity;
        });
        std::vector<Declaration> inlineDeclarations;
        if (const std::wstring* inlineStyle = n.Attr("style")) inlineDeclarations = ParseDeclarations(*inlineStyle);
        // Normal declarations, then the inline ones, then !important ones in the same order.
        for (int important = 0; important < 2; ++important) {
            // Font sizes first, so that em lengths in the same block use the element's own size.
            for (int fontPass = 1; fontPass >= 0; --fontPass) {
                const auto apply = [&](const std::vector<Declaration>& list) {
                    for (const Declaration& d : list) {
                        if (d.important != bool(important)) continue;
                        const bool isFont = d.property == "font-size" || d.property == "font";
                        if (isFont != bool(fontPass)) continue;
                        Apply(s, parent, n, d);
                    }
                };
                for (const Rule* rule : matched) apply(sheet.blocks[rule->block]);
                apply(inlineDeclarations);
            }
        }
    }

    // A length of a box property: em and ex are of the element's own font.
    std::optional<Length> BoxLength(const Style& s, std::wstring_view value, bool allowAuto) const {
        if (allowAuto && EqualsNoCase(TrimSpaces(value), "auto")) return Length{};
        const std::optional<CssLength> l = ParseCssLength(value);
        if (!l) return std::nullopt;
        switch (l->unit) {
            case Unit::Percent: return Length{Length::Percent, float(std::clamp(l->value, -1000.0, 1000.0))};
            case Unit::Em: return Length::Pixels(ClampLength(l->value * s.fontSize));
            case Unit::Ex: return Length::Pixels(ClampLength(l->value * s.fontSize / 2));
            default: return Length::Pixels(ClampLength(l->value));
        }
    }

    static std::vector<std::wstring_view> Words(std::wstring_view value) {
        std::vector<std::wstring_view> words;
        size_t i = 0;
        while (i < value.size() && words.size() < 16) {
            while (i < value.size() && (value[i] == ' ' || value[i] == '\t' || value[i] == '\n')) ++i;
            if (i >= value.size()) break;
            size_t end = i;
            int parens = 0;
            while (end < value.size() && (parens > 0 || (value[end] != ' ' && value[end] != '\t' && value[end] != '\n'))) {
                if (value[end] == '(') ++parens;
                if (value[end] == ')' && parens > 0) --parens;
                ++end;
            }
            words.push_back(value.substr(i, end - i));
            i = end;
        }
        return words;
    }

    bool FontSize(Style& s, const Style& parent, std::wstring_view value) {
        value = TrimSpaces(value);
        static constexpr std::pair<const char*, int> kKeywords[] = {
            {"xx-small", 9}, {"x-small", 10}, {"small", 13}, {"medium", 16}, {"large", 18}, {"x-large", 24}, {"xx-large", 32}};
        for (const auto& [name, px] : kKeywords)
            if (EqualsNoCase(value, name)) {
                s.fontSize = px;
                return true;
            }
        if (EqualsNoCase(value, "smaller")) {
            s.fontSize = ClampSize(parent.fontSize / 1.2);
            return true;
        }
        if (EqualsNoCase(value, "larger")) {
            s.fontSize = ClampSize(parent.fontSize * 1.2);
            return true;
        }
        const std::optional<CssLength> l = ParseCssLength(value);
        if (!l || l->value < 0) return false;
        switch (l->unit) {
            case Unit::Percent: s.fontSize = ClampSize(parent.fontSize * l->value / 100); break;
            case Unit::Em: s.fontSize = ClampSize(parent.fontSize * l->value); break;
            case Unit::Ex: s.fontSize = ClampSize(parent.fontSize * l->value / 2); break;
            default: s.fontSize = ClampSize(l->value); break;
        }
        return true;
    }

    void LineHeight(Style& s, std::wstring_view value) {
        if (EqualsNoCase(TrimSpaces(value), "normal")) {
            s.lineHeight = 0;
            s.lineHeightFactor = 0;
            return;
        }
        const std::optional<CssLength> l = ParseCssLength(value);
        if (!l || l->value < 0) return;
        s.lineHeightFactor = 0;
        switch (l->unit) {
            case Unit::Number: s.lineHeightFactor = float(std::min(l->value, 20.0)); s.lineHeight = 0; break;
            case Unit::Percent: s.lineHeight = ClampLength(s.fontSize * l->value / 100); break;
            case Unit::Em: s.lineHeight = ClampLength(s.fontSize * l->value); break;
            case Unit::Ex: s.lineHeight = ClampLength(s.fontSize * l->value / 2); break;
            default: s.lineHeight = ClampLength(l->value); break;
        }
    }

    bool FontWeight(Style& s, std::wstring_view value) {
        value = TrimSpaces(value);
        if (EqualsNoCase(value, "bold") || EqualsNoCase(value, "bolder")) s.bold = true;
        else if (EqualsNoCase(value, "normal") || EqualsNoCase(value, "lighter")) s.bold = false;
        else if (auto n = ParseHtmlInteger(value); n && value.size() == 3) s.bold = *n >= 600;
        else return false;
        return true;
    }

    // border: width style colour, in any order.
    void BorderShorthand(Style& s, std::wstring_view value, int firstSide, int lastSide) {
        BorderSide side{3, BorderStyle::None, kNoColor};
        for (std::wstring_view word : Words(value)) {
            if (auto style = BorderStyleValue(word)) side.style = *style;
            else if (auto width = BorderWidthValue(s, word)) side.width = *width;
            else if (auto c = ParseCssColor(word)) side.color = *c;
        }
        for (int i = firstSide; i <= lastSide; ++i) s.border[i] = side;
    }

    static std::optional<BorderStyle> BorderStyleValue(std::wstring_view word) {
        static constexpr std::pair<const char*, BorderStyle> kStyles[] = {
            {"none", BorderStyle::None}, {"hidden", BorderStyle::None}, {"solid", BorderStyle::Solid},
            {"dashed", BorderStyle::Dashed}, {"dotted", BorderStyle::Dotted}, {"double", BorderStyle::Double},
            {"inset", BorderStyle::Inset}, {"outset", BorderStyle::Outset}, {"groove", BorderStyle::Groove},
            {"ridge", BorderStyle::Ridge}};
        for (const auto& [name, style] : kStyles)
            if (EqualsNoCase(word, name)) return style;
        return std::nullopt;
    }

    std::optional<int> BorderWidthValue(const Style& s, std::wstring_view word) const {
        if (EqualsNoCase(word, "thin")) return 1;
        if (EqualsNoCase(word, "medium")) return 3;
        if (EqualsNoCase(word, "thick")) return 5;
        const std::optional<Length> l = BoxLength(s, word, false);
        if (!l || l->kind != Length::Px) return std::nullopt;
        return std::clamp(int(l->value), 0, 1000);
    }

    // Sets up to four sides from a list of one to four values (top, right, bottom, left).
    template <typename Setter>
    static void FourSides(const std::vector<std::wstring_view>& words, Setter set) {
        if (words.empty() || words.size() > 4) return;
        const size_t map[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
        for (int side = 0; side < 4; ++side) set(side, words[map[words.size() - 1][side]]);
    }

    static int SideOf(std::string_view suffix) {
        if (suffix == "top") return kTop;
        if (suffix == "right") return kRight;
        if (suffix == "bottom") return kBottom;
        if (suffix == "left") return kLeft;
        return -1;
    }

    void Apply(Style& s, const Style& parent, const Node& n, const Declaration& d) {
        const std::string& p = d.property;
        const std::wstring_view v = d.value;
        if (p == "color") {
            if (auto c = ParseCssColor(v); c && *c != kNoColor) s.color = *c;
        } else if (p == "background-color" || p == "background") {
            if (p == "background" && EqualsNoCase(TrimSpaces(v), "none")) {
                s.background = kNoColor;
                return;
            }
            for (std::wstring_view word : Words(v))
                if (auto c = ParseCssColor(word)) {
                    s.background = *c;
                    break;
                }
        } else if (p == "font-size") {
            FontSize(s, parent, v);
        } else if (p == "font-family") {
            s.face = InternFace(v);
        } else if (p == "font-weight") {
            FontWeight(s, v);
        } else if (p == "font-style") {
            s.italic = EqualsNoCase(TrimSpaces(v), "italic") || EqualsNoCase(TrimSpaces(v), "oblique");
        } else if (p == "font") {
            // [style] [weight] size[/line-height] family
            const std::vector<std::wstring_view> words = Words(v);
            size_t i = 0;
            for (; i < words.size(); ++i) {
                if (EqualsNoCase(words[i], "italic") || EqualsNoCase(words[i], "oblique")) s.italic = true;
                else if (EqualsNoCase(words[i], "normal") || EqualsNoCase(words[i], "small-caps")) continue;
                else if (!FontWeight(s, words[i])) break;
            }
            if (i >= words.size()) return;
            std::wstring_view size = words[i];
            std::wstring_view lineHeight;
            if (const size_t slash = size.find('/'); slash != std::wstring_view::npos) {
                lineHeight = size.substr(slash + 1);
                size = size.substr(0, slash);
            }
            if (!FontSize(s, parent, size)) return;
            if (!lineHeight.empty()) LineHeight(s, lineHeight);
            if (i + 1 < words.size()) {
                const size_t start = size_t(words[i + 1].data() - v.data());
                s.face = InternFace(v.substr(start));
            }
        } else if (p == "text-decoration") {
            s.underline = s.strike = false;
            for (std::wstring_view word : Words(v)) {
                if (EqualsNoCase(word, "underline")) s.underline = true;
                if (EqualsNoCase(word, "line-through")) s.strike = true;
            }
        } else if (p == "text-align") {
            if (auto a = AlignValue(&d.value)) s.textAlign = *a;
        } else if (p == "vertical-align") {
            const std::wstring_view w = TrimSpaces(v);
            if (auto a = VAlignValue(&d.value)) s.verticalAlign = *a;
            else if (EqualsNoCase(w, "sub")) s.verticalAlign = VerticalAlign::Sub;
            else if (EqualsNoCase(w, "super")) s.verticalAlign = VerticalAlign::Super;
            else if (EqualsNoCase(w, "text-top")) s.verticalAlign = VerticalAlign::TextTop;
            else if (EqualsNoCase(w, "text-bottom")) s.verticalAlign = VerticalAlign::TextBottom;
        } else if (p == "line-height") {
            LineHeight(s, v);
        } else if (p == "text-indent") {
            if (auto l = BoxLength(s, v, false); l && l->kind == Length::Px) s.textIndent = std::clamp(int(l->value), -1000, 1000);
        } else if (p == "white-space") {
            const std::wstring_view w = TrimSpaces(v);
            if (EqualsNoCase(w, "pre")) s.whiteSpace = WhiteSpace::Pre;
            else if (EqualsNoCase(w, "nowrap")) s.whiteSpace = WhiteSpace::NoWrap;
            else if (EqualsNoCase(w, "pre-wrap")) s.whiteSpace = WhiteSpace::PreWrap;
            else if (EqualsNoCase(w, "normal") || EqualsNoCase(w, "pre-line")) s.whiteSpace = WhiteSpace::Normal;
        } else if (p == "display") {
            SetDisplay(s, n, TrimSpaces(v));
        } else if (p == "float") {
            const std::wstring_view w = TrimSpaces(v);
            if (EqualsNoCase(w, "left")) s.floating = Float::Left;
            else if (EqualsNoCase(w, "right")) s.floating = Float::Right;
            else if (EqualsNoCase(w, "none")) s.floating = Float::None;
        } else if (p == "width" || p == "height") {
            if (auto l = BoxLength(s, v, true); l && l->value >= 0) (p == "width" ? s.width : s.height) = *l;
        } else if (p == "margin" || p == "padding") {
            Length* target = p == "margin" ? s.margin : s.padding;
            FourSides(Words(v), [&](int side, std::wstring_view word) {
                if (auto l = BoxLength(s, word, p == "margin")) target[side] = NonNegative(*l);
            });
        } else if (p.starts_with("margin-") || p.starts_with("padding-")) {
            const bool margin = p[0] == 'm';
            const int side = SideOf(std::string_view(p).substr(margin ? 7 : 8));
            if (side < 0) return;
            if (auto l = BoxLength(s, v, margin)) (margin ? s.margin : s.padding)[side] = NonNegative(*l);
        } else if (p == "border") {
            BorderShorthand(s, v, 0, 3);
        } else if (p == "border-width") {
            FourSides(Words(v), [&](int side, std::wstring_view word) {
                if (auto w = BorderWidthValue(s, word)) s.border[side].width = *w;
            });
        } else if (p == "border-style") {
            FourSides(Words(v), [&](int side, std::wstring_view word) {
                if (auto st = BorderStyleValue(word)) s.border[side].style = *st;
            });
        } else if (p == "border-color") {
            FourSides(Words(v), [&](int side, std::wstring_view word) {
                if (auto c = ParseCssColor(word)) s.border[side].color = *c;
            });
        } else if (p.starts_with("border-") && p != "border-collapse" && p != "border-spacing") {
            // border-top, border-top-width, border-top-style, border-top-color
            const std::string_view rest = std::string_view(p).substr(7);
            const size_t dash = rest.find('-');
            const int side = SideOf(rest.substr(0, dash));
            if (side < 0) return;
            if (dash == std::string_view::npos) {
                BorderShorthand(s, v, side, side);
            } else {
                const std::string_view part = rest.substr(dash + 1);
                if (part == "width") {
                    if (auto w = BorderWidthValue(s, v)) s.border[side].width = *w;
                } else if (part == "style") {
                    if (auto st = BorderStyleValue(TrimSpaces(v))) s.border[side].style = *st;
                } else if (part == "color") {
                    if (auto c = ParseCssColor(v)) s.border[side].color = *c;
                }
            }
        } else if (p == "border-collapse") {
            s.borderCollapse = EqualsNoCase(TrimSpaces(v), "collapse");
        } else if (p == "border-spacing") {
            if (auto l = BoxLength(s, v, false); l && l->kind == Length::Px) {
                s.borderSpacing = std::clamp(int(l->value), 0, 1000);
                s.hasBorderSpacing = true;
            }
        } else if (p == "list-style-type" || p == "list-style") {
            for (std::wstring_view word : Words(v)) {
                static constexpr std::pair<const char*, ListType> kTypes[] = {
                    {"disc", ListType::Disc}, {"circle", ListType::Circle}, {"square", ListType::Square},
                    {"decimal", ListType::Decimal}, {"lower-alpha", ListType::LowerAlpha},
                    {"lower-latin", ListType::LowerAlpha}, {"upper-alpha", ListType::UpperAlpha},
                    {"upper-latin", ListType::UpperAlpha}, {"lower-roman", ListType::LowerRoman},
                    {"upper-roman", ListType::UpperRoman}, {"none", ListType::None}};
                for (const auto& [name, type] : kTypes)
                    if (EqualsNoCase(word, name)) s.listType = type;
            }
        }
    }

    static Length NonNegative(Length l) {
        if (l.kind != Length::Auto && l.value < 0) l.value = 0;
        return l;
    }

    static void SetDisplay(Style& s, const Node& n, std::wstring_view value) {
        if (EqualsNoCase(value, "none")) s.display = Display::None;
        else if (EqualsNoCase(value, "block")) s.display = Display::Block;
        else if (EqualsNoCase(value, "inline") || EqualsNoCase(value, "inline-block")) s.display = Display::Inline;
        else if (EqualsNoCase(value, "list-item")) s.display = Display::ListItem;
        // Table display values keep their meaning only on the table elements themselves: the
        // table layout reads the tree of <table>, <tr>, <td>.
        else if (EqualsNoCase(value, "table") && n.tag == Tag::Table) s.display = Display::Table;
    }

    const Document& doc;
    StyledDocument out;
    const StyleSheet sheet;
    SelectorMatcher matcher;
    std::vector<const Rule*> matched;
};

}  // namespace

int Length::Resolve(int base, int fallback) const {
    switch (kind) {
        case Px: return int(value);
        case Percent: return int(std::clamp(double(base) * value / 100.0, -10.0 * kMaxLength, 10.0 * kMaxLength));
        default: return fallback;
    }
}

StyledDocument ComputeStyles(const Document& doc) { return Cascade(doc).Run(); }

}  // namespace html
