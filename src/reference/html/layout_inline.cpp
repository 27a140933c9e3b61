// Inline layout: white space handling, atoms and break opportunities, and filling lines with
// their heights, alignment and the display items of their text and pictures.
#include <algorithm>

#include "reference/html/break_rules.h"
#include "reference/html/layout_engine.h"
#include "reference/html/text_append.h"

namespace html {

namespace {

// The side of a picture box when neither the page nor the picture gives one.
constexpr int kMissingPictureSide = 24;

bool IsCollapsible(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

struct LineMetrics {
    int ascent = 0;
    int descent = 0;
};

LineMetrics WithLineHeight(FontMetrics m, const Style& s) {
    LineMetrics out{m.ascent, m.descent};
    int lineHeight = s.lineHeight;
    if (lineHeight == 0 && s.lineHeightFactor > 0) lineHeight = int(s.lineHeightFactor * float(s.fontSize) + 0.5f);
    if (lineHeight > 0) {
        const int leading = lineHeight - (m.ascent + m.descent);
        out.ascent += leading / 2;
        out.descent += leading - leading / 2;
    }
    return out;
}

int WidthOf(const TextRun& run, uint32_t start, uint32_t end) {
    if (end <= start) return 0;
    const int before = start == 0 ? 0 : run.ends[start - 1];
    return std::clamp(run.ends[end - 1] - before, 0, kMaxWidth);
}

}  // namespace

void LayoutEngine::AddText(InlineContent& content, int textNode) {
    const Style& s = StyleOf(textNode);
    const std::wstring& raw = NodeAt(textNode).text;
    TextRun run;
    run.styleNode = textNode;
    run.font = FontOf(s);
    const bool pre = s.whiteSpace == WhiteSpace::Pre || s.whiteSpace == WhiteSpace::PreWrap;
    run.text.reserve(raw.size());
    if (!pre) {
        for (wchar_t c : raw) {
            if (IsCollapsible(c)) {
                if (!content.lastWasSpace) run.text += L' ';
                content.lastWasSpace = true;
            } else {
                run.text += c;
                content.lastWasSpace = false;
            }
        }
    } else {
        for (wchar_t c : raw) {
            if (c == '\t') {
                const int spaces = 8 - content.column % 8;
                run.text.append(size_t(spaces), L' ');
                content.column += spaces;
            } else if (c == '\n') {
                run.text += c;
                content.column = 0;
            } else {
                run.text += c;
                content.column = content.column < 1000000 ? content.column + 1 : 0;
            }
        }
        content.lastWasSpace = false;
    }
    if (run.text.empty()) return;
    measurer.Extents(out.fonts[size_t(run.font)], run.text, run.ends);
    // Whatever the measurer returned, the ends are one per character and never go back.
    run.ends.resize(run.text.size(), run.ends.empty() ? 0 : run.ends.back());
    for (size_t i = 0; i < run.ends.size(); ++i)
        run.ends[i] = std::clamp(run.ends[i], i ? run.ends[i - 1] : 0, kMaxWidth * 100);

    const int runIndex = int(content.runs.size());
    const bool noWrap = s.whiteSpace == WhiteSpace::NoWrap || s.whiteSpace == WhiteSpace::Pre;
    const bool spacesAreAtoms = s.whiteSpace != WhiteSpace::Pre;
    const std::wstring& text = run.text;
    const uint32_t n = uint32_t(text.size());
    const size_t firstAtom = content.atoms.size();
    uint32_t i = 0;
    while (i < n) {
        Atom atom;
        atom.run = runIndex;
        atom.start = i;
        atom.noWrap = noWrap;
        if (text[i] == ' ' && spacesAreAtoms) {
            atom.kind = AtomKind::Space;
            atom.end = i + 1;
        } else if (text[i] == '\n') {
            atom.kind = AtomKind::Break;
            atom.font = run.font;
            atom.end = i + 1;
            content.atoms.push_back(atom);
            i = atom.end;
            continue;
        } else {
            atom.kind = AtomKind::Text;
            uint32_t j = i + uint32_t(CharLength(text, i));
            uint32_t previous = i;
            while (j < n) {
                if ((text[j] == ' ' && spacesAreAtoms) || text[j] == '\n') break;
                if (!noWrap && MayBreakBetween(CodePointAt(text, previous), CodePointAt(text, j))) {
                    atom.breakAfter = true;
                    break;
                }
                previous = j;
                j += uint32_t(CharLength(text, j));
            }
            atom.end = std::min(j, n);
        }
        content.atoms.push_back(atom);
        i = atom.end;
    }
    content.runs.push_back(std::move(run));
    // Only this run's atoms: a block may hold tens of thousands of runs.
    for (size_t k = firstAtom; k < content.atoms.size(); ++k) {
        Atom& atom = content.atoms[k];
        if (atom.kind != AtomKind::Break) atom.width = WidthOf(content.runs.back(), atom.start, atom.end);
    }
}

void LayoutEngine::AddPicture(InlineContent& content, int imgNode, int containerWidth) {
    const Style& s = StyleOf(imgNode);
    const std::wstring* srcAttr = NodeAt(imgNode).Attr("src");
    const std::wstring src = srcAttr ? std::wstring(TrimSpaces(*srcAttr)) : std::wstring();
    const PictureInfo info = PictureOf(src);
    const std::optional<PictureSize>& natural = info.natural;
    const auto given = [&](const Length& l) -> std::optional<int> {
        if (l.kind == Length::Px) return std::clamp(int(l.value), 0, kMaxLength);
        if (l.kind == Length::Percent && containerWidth > 0) return std::clamp(l.Resolve(containerWidth, 0), 0, kMaxLength);
        return std::nullopt;
    };
    std::optional<int> width = given(s.width);
    std::optional<int> height = given(s.height);
    if (natural && natural->width > 0 && natural->height > 0) {
        if (width && !height) height = int((long long)*width * natural->height / natural->width);
        if (height && !width) width = int((long long)*height * natural->width / natural->height);
    }
    if (natural) {
        if (!width) width = natural->width;
        if (!height) height = natural->height;
    }
    InlinePicture picture;
    picture.node = imgNode;
    picture.width = std::clamp(width.value_or(kMissingPictureSide), 0, kMaxLength);
    picture.height = std::clamp(height.value_or(kMissingPictureSide), 0, kMaxLength);
    picture.readable = info.shown;
    for (int side = 0; side < 4; ++side) {
        picture.margin[side] = ResolveEdge(s.margin[side], containerWidth);
        picture.border[side] = std::min(s.border[side].Used(), 1000);
    }
    const uint32_t borderColour = s.border[kTop].color;
    picture.borderColor = borderColour != kNoColor ? borderColour : s.link != kNoNode ? s.linkColor : s.color;
    Atom atom;
    atom.kind = AtomKind::Picture;
    atom.picture = int(content.pictures.size());
    atom.noWrap = s.whiteSpace == WhiteSpace::NoWrap || s.whiteSpace == WhiteSpace::Pre;
    atom.width = ClampW((long long)picture.width + picture.margin[kLeft] + picture.margin[kRight] + picture.border[kLeft] +
                        picture.border[kRight]);
    content.pictures.push_back(picture);
    content.atoms.push_back(atom);
    content.lastWasSpace = false;
}

void LayoutEngine::AddBreak(InlineContent& content, int brNode) {
    Atom atom;
    atom.kind = AtomKind::Break;
    atom.font = FontOf(StyleOf(brNode));
    content.atoms.push_back(atom);
    content.lastWasSpace = true;
    content.column = 0;
}

void LayoutEngine::FinishAtoms(InlineContent& content) {
    std::vector<Atom>& atoms = content.atoms;
    for (size_t k = 0; k < atoms.size(); ++k) {
        Atom& a = atoms[k];
        if (a.kind == AtomKind::Break || k + 1 == atoms.size()) {
            a.breakAfter = true;
            continue;
        }
        const Atom& next = atoms[k + 1];
        if (a.kind == AtomKind::Space) {
            a.breakAfter = !a.noWrap;
        } else if (next.kind == AtomKind::Space || next.kind == AtomKind::Break) {
            a.breakAfter = false;
        } else if (a.kind == AtomKind::Picture || next.kind == AtomKind::Picture) {
            a.breakAfter = !a.noWrap && !next.noWrap;
        } else if (a.run != next.run) {
            const TextRun& ra = content.runs[size_t(a.run)];
            const TextRun& rb = content.runs[size_t(next.run)];
            size_t lastStart = a.end - 1;
            if constexpr (sizeof(wchar_t) == 2) {
                if (lastStart > a.start && CharLength(ra.text, lastStart - 1) == 2) --lastStart;
            }
            a.breakAfter = !a.noWrap && !next.noWrap &&
                           MayBreakBetween(CodePointAt(ra.text, lastStart), CodePointAt(rb.text, next.start));
        }
    }
}

MinMax LayoutEngine::InlineMinMax(const InlineContent& content, int indent) const {
    long long min = 0, max = 0, line = std::max(indent, 0), unit = 0, trailing = 0;
    for (const Atom& a : content.atoms) {
        if (a.kind == AtomKind::Break) {
            max = std::max(max, line - trailing);
            min = std::max(min, unit);
            line = unit = trailing = 0;
            continue;
        }
        line += a.width;
        if (a.kind == AtomKind::Space) {
            trailing += a.width;
        } else {
            trailing = 0;
            unit += a.width;
        }
        if (a.breakAfter) {
            min = std::max(min, unit);
            unit = 0;
        }
    }
    min = std::max(min, unit);
    max = std::max(max, line - trailing);
    return {ClampW(min), ClampW(std::max(min, max))};
}

BlockResult LayoutEngine::LayoutLines(InlineContent& content, int blockNode, int x, int y, int width, bool firstInBlock) {
    const Style& block = StyleOf(blockNode);
    const LineMetrics strut = WithLineHeight(MetricsOf(FontOf(block)), block);
    const std::vector<Atom>& atoms = content.atoms;
    const size_t n = atoms.size();
    BlockResult result;
    int lineTop = y;
    size_t nextAnchor = 0;
    bool first = true;
    size_t i = 0;
    while (i < n) {
        if (atoms[i].kind == AtomKind::Space && !atoms[i].noWrap) {
            ++i;  // spaces at the start of a line are dropped
            continue;
        }
        const int indent = first && firstInBlock ? block.textIndent : 0;
        const int available = std::max(width - indent, 0);
        const size_t lineStart = i;
        long long lineWidth = 0;
        while (i < n) {
            if (atoms[i].kind == AtomKind::Break) {
                ++i;
                break;
            }
            size_t j = i;
            long long unitWidth = 0;
            while (true) {
                unitWidth += atoms[j].width;
                if (atoms[j].breakAfter || j + 1 >= n || atoms[j + 1].kind == AtomKind::Break) break;
                ++j;
            }
            const long long trailing = atoms[j].kind == AtomKind::Space ? atoms[j].width : 0;
            if (i > lineStart && lineWidth + unitWidth - trailing > available) break;
            lineWidth += unitWidth;
            i = j + 1;
        }
        // The atoms shown: without the break and without spaces at the end.
        size_t end = i;
        while (end > lineStart && atoms[end - 1].kind == AtomKind::Break) --end;
        size_t shownEnd = end;
        while (shownEnd > lineStart && atoms[shownEnd - 1].kind == AtomKind::Space) --shownEnd;

        int ascent = strut.ascent;
        int descent = strut.descent;
        long long shownWidth = 0;
        for (size_t k = lineStart; k < shownEnd; ++k) {
            const Atom& a = atoms[k];
            shownWidth += a.width;
            if (a.kind == AtomKind::Picture) {
                const InlinePicture& p = content.pictures[size_t(a.picture)];
                const int h = int(std::min<long long>((long long)p.height + p.margin[kTop] + p.margin[kBottom] + p.border[kTop] + p.border[kBottom], kMaxLength * 3));
                const VerticalAlign v = StyleOf(p.node).verticalAlign;
                if (v == VerticalAlign::Middle) {
                    const int above = h / 2 + strut.ascent / 4;
                    ascent = std::max(ascent, above);
                    descent = std::max(descent, h - above);
                } else if (v == VerticalAlign::Top || v == VerticalAlign::TextTop) {
                    descent = std::max(descent, h - strut.ascent);
                } else {
                    ascent = std::max(ascent, h);
                }
            } else {
                const TextRun& run = content.runs[size_t(a.run)];
                const Style& s = StyleOf(run.styleNode);
                LineMetrics m = WithLineHeight(MetricsOf(run.font), s);
                ascent = std::max(ascent, m.ascent + s.baselineShift);
                descent = std::max(descent, m.descent - s.baselineShift);
            }
        }
        if (lineStart == shownEnd && end < i) {
            // An empty line ended by <br>: as tall as the break's font.
            const Atom& br = atoms[end];
            if (br.font >= 0) {
                const LineMetrics m = WithLineHeight(MetricsOf(br.font), block);
                ascent = std::max(ascent, m.ascent);
                descent = std::max(descent, m.descent);
            }
        }
        const int lineHeight = std::max(ascent + descent, 0);
        const int baseline = ClampY((long long)lineTop + ascent);
        if (first) result.firstBaseline = baseline;
        while (nextAnchor < content.anchors.size() && content.anchors[nextAnchor].atom < i) {
            AddAnchor(std::move(content.anchors[nextAnchor].name), lineTop);
            ++nextAnchor;
        }

        long long penX = x + indent;
        const long long free = available - shownWidth;
        if (free > 0 && block.textAlign == TextAlign::Center) penX += free / 2;
        if (free > 0 && block.textAlign == TextAlign::Right) penX += free;
        size_t k = lineStart;
        while (k < shownEnd) {
            const Atom& a = atoms[k];
            if (a.kind == AtomKind::Picture) {
                const InlinePicture& p = content.pictures[size_t(a.picture)];
                const VerticalAlign v = StyleOf(p.node).verticalAlign;
                const int h = p.height + p.border[kTop] + p.border[kBottom];
                int boxTop = baseline - p.margin[kBottom] - h;  // bottom on the baseline
                if (v == VerticalAlign::Middle) boxTop = baseline + strut.ascent / 4 - (h + p.margin[kTop] + p.margin[kBottom]) / 2 + p.margin[kTop];
                if (v == VerticalAlign::Top || v == VerticalAlign::TextTop) boxTop = baseline - strut.ascent + p.margin[kTop];
                const int left = int(std::min<long long>(penX + p.margin[kLeft], kMaxWidth * 10LL));
                const Rect outer{left, ClampY(boxTop), left + p.width + p.border[kLeft] + p.border[kRight], ClampY((long long)boxTop + h)};
                const Style& ps = StyleOf(p.node);
                DisplayItem item;
                item.kind = ItemKind::Picture;
                item.box = {outer.left + p.border[kLeft], outer.top + p.border[kTop], outer.right - p.border[kRight], outer.bottom - p.border[kBottom]};
                const std::wstring* src = NodeAt(p.node).Attr("src");
                item.text = src ? std::wstring(TrimSpaces(*src)) : std::wstring();
                item.readable = p.readable;
                if (const std::wstring* alt = NodeAt(p.node).Attr("alt")) item.alt = *alt;
                item.link = LinkIndex(ps.link);
                out.items.push_back(std::move(item));
                if (p.border[kTop] || p.border[kLeft] || p.border[kBottom] || p.border[kRight]) {
                    Style borders = ps;
                    for (BorderSide& b : borders.border) b.color = p.borderColor;
                    PaintBorders(outer, borders);
                }
                penX += a.width;
                ++k;
                continue;
            }
            // A stretch of text and spaces of one run becomes one item.
            size_t last = k;
            long long stretch = a.width;
            while (last + 1 < shownEnd && atoms[last + 1].kind != AtomKind::Picture && atoms[last + 1].run == a.run) {
                ++last;
                stretch += atoms[last].width;
            }
            const TextRun& run = content.runs[size_t(a.run)];
            const Style& s = StyleOf(run.styleNode);
            const FontMetrics& m = MetricsOf(run.font);
            DisplayItem item;
            item.kind = ItemKind::Text;
            item.font = run.font;
            item.color = s.color;
            item.baseline = ClampY((long long)baseline - s.baselineShift);
            const int left = int(std::min<long long>(penX, kMaxWidth * 10LL));
            item.box = {left, ClampY((long long)item.baseline - m.ascent), int(std::min<long long>(penX + stretch, kMaxWidth * 10LL)),
                        ClampY((long long)item.baseline + m.descent)};
            item.text = run.text.substr(a.start, atoms[last].end - a.start);
            item.underline = s.underline;
            item.strike = s.strike;
            item.link = LinkIndex(s.link);
            if (s.display == Display::Inline) item.background = s.background;
            out.items.push_back(std::move(item));
            penX += stretch;
            k = last + 1;
        }
        lineTop = ClampY((long long)lineTop + lineHeight);
        first = false;
    }
    while (nextAnchor < content.anchors.size()) {
        AddAnchor(std::move(content.anchors[nextAnchor].name), lineTop);
        ++nextAnchor;
    }
    result.height = ClampY((long long)lineTop - y);
    return result;
}

}  // namespace html
