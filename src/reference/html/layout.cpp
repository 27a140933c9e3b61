#include "reference/html/layout.h"

#include "reference/html/layout_engine.h"

namespace html {

int PageLayout::LinkAt(int x, int y) const {
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (it->link >= 0 && it->box.Contains(x, y)) return it->link;
    return -1;
}

std::optional<int> PageLayout::AnchorTop(std::wstring_view name) const {
    for (const PageAnchor& a : anchors)
        if (a.name == name) return a.y;
    return std::nullopt;
}

std::wstring PageLayout::PlainText() const {
    std::wstring out;
    int lastBaseline = -1;
    for (const DisplayItem& item : items) {
        if (item.kind != ItemKind::Text) continue;
        if (lastBaseline >= 0 && item.baseline != lastBaseline) out += L'\n';
        out += item.text;
        lastBaseline = item.baseline;
    }
    return out;
}

LayoutEngine::LayoutEngine(const StyledDocument& s, PageMeasurer& m, PageLayout& o) : styled(s), measurer(m), out(o) {
    blockMinMax.resize(s.styles.size());
    blockMinMaxKnown.resize(s.styles.size());
    contentMinMax.resize(s.styles.size());
    contentMinMaxKnown.resize(s.styles.size());
}

void LayoutEngine::Run(int width) {
    out.width = std::clamp(width, 1, kMaxWidth);
    out.canvas = styled.canvas;
    out.title = styled.doc->title;
    const BlockResult root = LayoutBlock(styled.doc->html, 0, 0, out.width, TextAlign::Left, 0);
    out.height = ClampY(root.height);
    // Whatever stood past the tallest page (a marker, a descender) is cut at its end.
    out.contentWidth = out.width;
    for (DisplayItem& item : out.items) {
        item.box.top = ClampY(item.box.top);
        item.box.bottom = ClampY(item.box.bottom);
        item.baseline = ClampY(item.baseline);
        if (item.box.Width() > 0 && item.box.Height() > 0) out.contentWidth = std::max(out.contentWidth, item.box.right);
    }
    out.contentWidth = std::min(out.contentWidth, kMaxX);
}

int LayoutEngine::FontOf(const Style& style) {
    const auto key = std::make_tuple(style.face, style.fontSize, style.bold, style.italic);
    const auto found = fontIndex.find(key);
    if (found != fontIndex.end()) return found->second;
    FontKey font;
    font.face = styled.faces[size_t(std::clamp<int>(style.face, 0, int(styled.faces.size()) - 1))];
    font.size = style.fontSize;
    font.bold = style.bold;
    font.italic = style.italic;
    FontMetrics metrics = measurer.Metrics(font);
    metrics.ascent = std::clamp(metrics.ascent, 0, kMaxFontSize * 2);
    metrics.descent = std::clamp(metrics.descent, 0, kMaxFontSize * 2);
    out.fonts.push_back(std::move(font));
    out.metrics.push_back(metrics);
    const int index = int(out.fonts.size() - 1);
    fontIndex.emplace(key, index);
    return index;
}

size_t LayoutEngine::AddFill(const Rect& box, uint32_t color) {
    DisplayItem item;
    item.kind = ItemKind::Fill;
    item.box = {box.left, ClampY(box.top), box.right, ClampY(box.bottom)};
    item.color = color;
    out.items.push_back(std::move(item));
    return out.items.size() - 1;
}

void LayoutEngine::ShiftItems(size_t fromItem, size_t toItem, size_t fromAnchor, size_t toAnchor, int dy) {
    if (dy == 0) return;
    for (size_t i = fromItem; i < toItem && i < out.items.size(); ++i) {
        DisplayItem& item = out.items[i];
        item.box.top = ClampY(item.box.top + dy);
        item.box.bottom = ClampY(item.box.bottom + dy);
        item.baseline = ClampY(item.baseline + dy);
    }
    for (size_t i = fromAnchor; i < toAnchor && i < out.anchors.size(); ++i) out.anchors[i].y = ClampY(out.anchors[i].y + dy);
}

namespace {

uint32_t Shade(uint32_t color, int numerator, int denominator) {
    const auto channel = [&](int shift) {
        const int v = int((color >> shift) & 0xFF) * numerator / denominator;
        return uint32_t(std::clamp(v, 0, 255)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

uint32_t Lighten(uint32_t color) {
    const auto channel = [&](int shift) {
        const int v = int((color >> shift) & 0xFF);
        return uint32_t(v + (255 - v) / 2) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace

void LayoutEngine::PaintBorders(const Rect& box, const Style& style) {
    for (int side = 0; side < 4; ++side) {
        const BorderSide& b = style.border[side];
        const int w = b.Used();
        if (w <= 0) continue;
        uint32_t color = b.color == kNoColor ? style.color : b.color;
        // Sunken and raised borders: light on one pair of sides, dark on the other.
        const bool topLeft = side == kTop || side == kLeft;
        if (b.style == BorderStyle::Inset || b.style == BorderStyle::Groove) color = topLeft ? Shade(color, 2, 3) : Lighten(color);
        if (b.style == BorderStyle::Outset || b.style == BorderStyle::Ridge) color = topLeft ? Lighten(color) : Shade(color, 2, 3);
        Rect edge = box;
        switch (side) {
            case kTop: edge.bottom = std::min(box.bottom, box.top + w); break;
            case kBottom: edge.top = std::max(box.top, box.bottom - w); break;
            case kLeft: edge.right = std::min(box.right, box.left + w); break;
            case kRight: edge.left = std::max(box.left, box.right - w); break;
        }
        AddFill(edge, color);
    }
}

int LayoutEngine::LinkIndex(int anchorNode) {
    if (anchorNode == kNoNode) return -1;
    const auto found = linkIndex.find(anchorNode);
    if (found != linkIndex.end()) return found->second;
    const std::wstring* href = NodeAt(anchorNode).Attr("href");
    out.links.push_back(href ? *href : std::wstring());
    const int index = int(out.links.size() - 1);
    linkIndex.emplace(anchorNode, index);
    return index;
}

void LayoutEngine::AddAnchor(std::wstring name, int y) {
    constexpr size_t kMaxAnchors = 10000;
    if (name.empty() || out.anchors.size() >= kMaxAnchors) return;
    out.anchors.push_back({std::move(name), ClampY(y)});
}

void LayoutEngine::AnchorsOf(int node, std::vector<std::wstring>& names) const {
    names.clear();
    const Node& n = NodeAt(node);
    if (const std::wstring* id = n.Attr("id")) names.push_back(*id);
    if (n.tag == Tag::A)
        if (const std::wstring* name = n.Attr("name")) names.push_back(*name);
}

LayoutEngine::PictureInfo LayoutEngine::PictureOf(const std::wstring& src) {
    const auto found = pictures.find(src);
    if (found != pictures.end()) return found->second;
    PictureInfo info;
    // Past this many different pictures a page shows the rest as broken, without reading them.
    constexpr size_t kMaxPictures = 4096;
    if (pictures.size() >= kMaxPictures) return info;
    info.natural = src.empty() ? std::nullopt : measurer.Picture(src);
    if (info.natural) {
        // Decoding costs the picture's whole size, whatever size it is shown at.
        const long long pixels = std::max(0LL, (long long)info.natural->width) * std::max(0, info.natural->height);
        info.shown = pixels <= kPagePicturePixels - out.picturePixels;
        if (info.shown) out.picturePixels += pixels;
        info.natural->width = std::clamp(info.natural->width, 0, kMaxLength);
        info.natural->height = std::clamp(info.natural->height, 0, kMaxLength);
    }
    pictures.emplace(src, info);
    return info;
}

bool InlineContent::HasContent() const { return !atoms.empty(); }

void InlineContent::Clear() {
    runs.clear();
    atoms.clear();
    pictures.clear();
    anchors.clear();
    lastWasSpace = true;
    column = 0;
}

PageLayout LayoutPage(const StyledDocument& styled, int width, PageMeasurer& measurer) {
    PageLayout layout;
    LayoutEngine engine(styled, measurer, layout);
    engine.Run(width);
    return layout;
}

}  // namespace html
