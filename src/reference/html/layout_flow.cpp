// Block layout: blocks stacked down the page with their margins collapsed between siblings,
// inline content in between cut into lines, list markers, and the same walk in a measuring
// mode that finds how narrow and how wide a block can be (for table columns).
#include <algorithm>

#include "reference/html/layout_engine.h"

namespace html {

namespace {

bool IsBlockLevel(Display d) { return d != Display::Inline && d != Display::None; }

// Two adjacent vertical margins become the larger one.
int Collapse(int a, int b) { return std::max(a, b); }

int FirstNumber(const Node& list) {
    if (list.Is(Tag::Ol))
        if (const std::wstring* start = list.Attr("start"))
            if (auto n = ParseHtmlInteger(*start)) return std::min(*n, 1000000000);
    return 1;
}

// Walks the children of a container once, either laying them out or measuring them.
class Flow {
public:
    enum class Mode { Layout, Measure };

    Flow(LayoutEngine& engine, Mode flowMode, int node, int left, int y, int contentWidth, bool trimEdgeMargins)
        : e(engine), mode(flowMode), container(node), x(left), top(y), cursor(y), width(contentWidth), trim(trimEdgeMargins) {
        listNumber = FirstNumber(e.NodeAt(container)) - 1;
    }

    void Run() {
        for (int child : e.NodeAt(container).children) Child(child);
        FlushInline();
        if (!trim) cursor = LayoutEngine::ClampY(cursor + pendingMargin);
    }

    BlockResult Result() const { return {LayoutEngine::ClampY(cursor - top), firstBaseline}; }
    MinMax Measured() const { return measured; }

private:
    void Child(int node) {
        const Node& n = e.NodeAt(node);
        if (n.isText) {
            e.AddText(inline_, node);
            return;
        }
        const Style& s = e.StyleOf(node);
        if (s.display == Display::None) return;
        if (IsBlockLevel(s.display)) {
            FlushInline();
            PlaceBlock(node, s);
            return;
        }
        e.AnchorsOf(node, names);
        for (std::wstring& name : names) inline_.anchors.push_back({std::move(name), inline_.atoms.size()});
        if (n.tag == Tag::Img) {
            e.AddPicture(inline_, node, mode == Mode::Layout ? width : 0);
            return;
        }
        if (n.tag == Tag::Br) {
            e.AddBreak(inline_, node);
            return;
        }
        if (n.tag == Tag::Wbr || n.tag == Tag::Hr) return;
        // An inline element: its children join the same content. The depth of the tree is
        // bounded by the parser, so this recursion is too.
        for (int child : n.children) Child(child);
    }

    void FlushInline() {
        if (inline_.atoms.empty()) {
            // Anchors without content still mark a place.
            if (mode == Mode::Layout)
                for (InlineAnchor& a : inline_.anchors) e.AddAnchor(std::move(a.name), cursor + pendingMargin);
            inline_.Clear();
            return;
        }
        e.FinishAtoms(inline_);
        const int indent = firstInline ? e.StyleOf(container).textIndent : 0;
        if (mode == Mode::Measure) {
            const MinMax m = e.InlineMinMax(inline_, indent);
            measured.min = std::max(measured.min, m.min);
            measured.max = std::max(measured.max, m.max);
        } else {
            cursor = LayoutEngine::ClampY(cursor + pendingMargin);
            pendingMargin = 0;
            const BlockResult lines = e.LayoutLines(inline_, container, x, cursor, width, firstInline);
            if (firstBaseline < 0) firstBaseline = lines.firstBaseline;
            cursor = LayoutEngine::ClampY(cursor + lines.height);
        }
        firstInline = false;
        placedAny = true;
        inline_.Clear();
    }

    void PlaceBlock(int node, const Style& s) {
        const Node& n = e.NodeAt(node);
        int number = 0;
        if (s.display == Display::ListItem) {
            listNumber = listNumber < 1000000000 ? listNumber + 1 : listNumber;
            if (const std::wstring* value = n.Attr("value"))
                if (auto v = ParseHtmlInteger(*value)) listNumber = std::min(*v, 1000000000);
            number = listNumber;
        }
        if (mode == Mode::Measure) {
            const MinMax m = e.BlockMinMax(node);
            int margins = 0;
            for (int side : {kLeft, kRight})
                if (s.margin[side].kind == Length::Px) margins += int(s.margin[side].value);
            measured.min = LayoutEngine::ClampW(std::max<long long>(measured.min, (long long)m.min + margins));
            measured.max = LayoutEngine::ClampW(std::max<long long>(measured.max, (long long)m.max + margins));
            placedAny = true;
            return;
        }
        const int marginTop = e.ResolveEdge(s.margin[kTop], width);
        const int marginBottom = e.ResolveEdge(s.margin[kBottom], width);
        int gap = Collapse(pendingMargin, marginTop);
        if (trim && !placedAny) gap = 0;
        const int y = LayoutEngine::ClampY(cursor + gap);
        e.AnchorsOf(node, names);
        for (std::wstring& name : names) e.AddAnchor(std::move(name), y);
        const BlockResult r = e.LayoutBlock(node, x, y, width, e.StyleOf(container).blockAlign, number);
        if (r.height == 0) {
            // An empty block lets its margins collapse through it.
            pendingMargin = trim && !placedAny ? 0 : Collapse(gap, marginBottom);
            return;
        }
        if (firstBaseline < 0 && r.firstBaseline >= 0) firstBaseline = r.firstBaseline;
        cursor = LayoutEngine::ClampY(y + r.height);
        pendingMargin = marginBottom;
        placedAny = true;
    }

    LayoutEngine& e;
    Mode mode;
    int container;
    int x;
    int top;
    int cursor;
    int width;
    bool trim;
    int pendingMargin = 0;
    bool placedAny = false;
    bool firstInline = true;
    int firstBaseline = -1;
    int listNumber = 0;
    InlineContent inline_;
    MinMax measured;
    std::vector<std::wstring> names;
};

}  // namespace

int LayoutEngine::ResolveEdge(const Length& length, int containerWidth) const {
    return std::clamp(length.Resolve(containerWidth, 0), 0, kMaxLength);
}

BlockResult LayoutEngine::LayoutFlow(int container, int x, int y, int width, bool trimEdgeMargins) {
    Flow flow(*this, Flow::Mode::Layout, container, x, y, std::max(width, 0), trimEdgeMargins);
    flow.Run();
    return flow.Result();
}

MinMax LayoutEngine::FlowMinMax(int container) {
    Flow flow(*this, Flow::Mode::Measure, container, 0, 0, 0, false);
    flow.Run();
    return flow.Measured();
}

MinMax LayoutEngine::BlockMinMax(int node) {
    if (blockMinMaxKnown[size_t(node)]) return blockMinMax[size_t(node)];
    const Style& s = StyleOf(node);
    MinMax m;
    if (s.display == Display::Table) {
        m = TableMinMax(node);
    } else {
        long long extras = 0;
        for (int side : {kLeft, kRight}) {
            extras += s.border[side].Used();
            if (s.padding[side].kind == Length::Px) extras += int(s.padding[side].value);
        }
        if (s.width.kind == Length::Px) {
            m.min = m.max = ClampW(extras + int(s.width.value));
        } else {
            const MinMax content = FlowMinMax(node);
            m.min = ClampW(content.min + extras);
            m.max = ClampW(content.max + extras);
        }
    }
    blockMinMax[size_t(node)] = m;
    blockMinMaxKnown[size_t(node)] = true;
    return m;
}

BlockResult LayoutEngine::LayoutBlock(int node, int x, int y, int containerWidth, TextAlign align, int listNumber) {
    const Style& s = StyleOf(node);
    if (s.display == Display::Table) return LayoutTable(node, x, y, containerWidth, align);
    int border[4];
    int padding[4];
    for (int side = 0; side < 4; ++side) {
        border[side] = s.border[side].Used();
        padding[side] = ResolveEdge(s.padding[side], containerWidth);
    }
    const int extrasH = border[kLeft] + border[kRight] + padding[kLeft] + padding[kRight];
    const int extrasV = border[kTop] + border[kBottom] + padding[kTop] + padding[kBottom];
    int marginLeft = ResolveEdge(s.margin[kLeft], containerWidth);
    int marginRight = ResolveEdge(s.margin[kRight], containerWidth);
    int boxWidth = 0;
    int offset = 0;
    if (!s.width.IsAuto()) {
        boxWidth = ClampW((long long)std::clamp(s.width.Resolve(containerWidth, 0), 0, kMaxWidth) + extrasH);
        const int free = containerWidth - marginLeft - marginRight - boxWidth;
        if (free > 0) {
            const bool autoLeft = s.margin[kLeft].IsAuto();
            const bool autoRight = s.margin[kRight].IsAuto();
            if (autoLeft && autoRight) offset = free / 2;
            else if (autoLeft) offset = free;
            else if (align == TextAlign::Center) offset = free / 2;
            else if (align == TextAlign::Right) offset = free;
        }
    } else {
        boxWidth = std::max(containerWidth - marginLeft - marginRight, extrasH);
    }
    const int contentWidth = std::max(boxWidth - extrasH, 0);
    const int boxX = x + marginLeft + offset;
    const size_t background = s.background != kNoColor ? AddFill({}, s.background) : size_t(-1);
    const bool trim = Quirks() && (NodeAt(node).Is(Tag::Body) || s.display == Display::Cell);
    const BlockResult flow = LayoutFlow(node, boxX + border[kLeft] + padding[kLeft], y + border[kTop] + padding[kTop],
                                        contentWidth, trim);
    int contentHeight = flow.height;
    if (s.height.kind == Length::Px) contentHeight = std::max(contentHeight, int(s.height.value));
    const int boxHeight = ClampY((long long)contentHeight + extrasV);
    const Rect box{boxX, y, boxX + boxWidth, ClampY((long long)y + boxHeight)};
    if (background != size_t(-1)) out.items[background].box = box;
    PaintBorders(box, s);
    if (s.display == Display::ListItem && s.listType != ListType::None) {
        const int contentX = boxX + border[kLeft] + padding[kLeft];
        int baseline = flow.firstBaseline;
        if (baseline < 0) baseline = y + border[kTop] + padding[kTop] + MetricsOf(FontOf(s)).ascent;
        DrawMarker(s, contentX, baseline, listNumber);
    }
    return {boxHeight, flow.firstBaseline};
}

namespace {

std::wstring Roman(int n, bool upper) {
    if (n <= 0 || n >= 4000) return std::to_wstring(n);
    static constexpr std::pair<int, const wchar_t*> kParts[] = {{1000, L"m"}, {900, L"cm"}, {500, L"d"}, {400, L"cd"},
                                                                {100, L"c"},  {90, L"xc"},  {50, L"l"},  {40, L"xl"},
                                                                {10, L"x"},   {9, L"ix"},   {5, L"v"},   {4, L"iv"},
                                                                {1, L"i"}};
    std::wstring out;
    for (const auto& [value, text] : kParts)
        while (n >= value) {
            out += text;
            n -= value;
        }
    if (upper)
        for (wchar_t& c : out) c = wchar_t(c - 'a' + 'A');
    return out;
}

std::wstring Alphabetic(int n, bool upper) {
    if (n <= 0) return std::to_wstring(n);
    std::wstring out;
    while (n > 0) {
        --n;
        out.insert(out.begin(), wchar_t((upper ? 'A' : 'a') + n % 26));
        n /= 26;
    }
    return out;
}

}  // namespace

void LayoutEngine::DrawMarker(const Style& s, int contentX, int baseline, int number) {
    const int font = FontOf(s);
    const FontMetrics& m = MetricsOf(font);
    const int gap = std::max(s.fontSize / 2, 2);
    if (s.listType == ListType::Disc || s.listType == ListType::Circle || s.listType == ListType::Square) {
        const int size = std::max(s.fontSize * 3 / 8, 3);
        DisplayItem item;
        item.kind = s.listType == ListType::Disc ? ItemKind::Disc : s.listType == ListType::Circle ? ItemKind::Circle : ItemKind::Square;
        const int centreY = baseline - m.ascent * 3 / 8;
        item.box = {contentX - gap - size, centreY - size / 2, contentX - gap, centreY - size / 2 + size};
        item.color = s.color;
        out.items.push_back(std::move(item));
        return;
    }
    std::wstring label;
    switch (s.listType) {
        case ListType::LowerAlpha: label = Alphabetic(number, false); break;
        case ListType::UpperAlpha: label = Alphabetic(number, true); break;
        case ListType::LowerRoman: label = Roman(number, false); break;
        case ListType::UpperRoman: label = Roman(number, true); break;
        default: label = std::to_wstring(number); break;
    }
    label += L'.';
    std::vector<int> ends;
    measurer.Extents(out.fonts[size_t(font)], label, ends);
    const int width = ends.empty() ? 0 : std::clamp(ends.back(), 0, kMaxWidth);
    DisplayItem item;
    item.kind = ItemKind::Text;
    item.font = font;
    item.color = s.color;
    item.baseline = baseline;
    item.box = {contentX - gap / 2 - width, baseline - m.ascent, contentX - gap / 2, baseline + m.descent};
    item.text = std::move(label);
    out.items.push_back(std::move(item));
}

}  // namespace html
