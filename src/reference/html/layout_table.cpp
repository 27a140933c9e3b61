// Table layout in the manner of the browsers of the HTML 4 era: a grid of cells with column
// and row spans, column widths from what the cells need (narrowest and widest), fixed and
// percentage widths, the cell spacing of separated borders or the shared lines of collapsed
// ones, rows as tall as their tallest cell, and cell content aligned top, middle or bottom.
#include <algorithm>
#include <numeric>

#include "reference/html/layout_engine.h"

namespace html {

namespace {

constexpr int kMaxColumns = 1000;
constexpr int kMaxRowSpan = 65534;

struct Cell {
    int node = kNoNode;
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
};

struct Grid {
    std::vector<int> rows;  // <tr> nodes
    std::vector<Cell> cells;
    std::vector<int> captions;
    int columns = 0;
};

int SpanOf(const Node& cell, const char* name, int limit) {
    const std::wstring* value = cell.Attr(name);
    if (!value) return 1;
    const std::optional<int> n = ParseHtmlInteger(*value);
    if (!n) return 1;
    if (*n == 0) return std::string_view(name) == "rowspan" ? limit : 1;  // rowspan="0": to the end of the table
    return std::clamp(*n, 1, limit);
}

Grid BuildGrid(LayoutEngine& e, int table) {
    Grid grid;
    std::vector<int> spanUntil;  // per column: the first row no longer covered by a cell above
    const auto addRow = [&](int tr) {
        if (e.StyleOf(tr).display == Display::None) return;
        const int row = int(grid.rows.size());
        grid.rows.push_back(tr);
        int col = 0;
        for (int child : e.NodeAt(tr).children) {
            const Node& n = e.NodeAt(child);
            if (!(n.Is(Tag::Td) || n.Is(Tag::Th)) || e.StyleOf(child).display == Display::None) continue;
            while (col < int(spanUntil.size()) && spanUntil[size_t(col)] > row) ++col;
            if (col >= kMaxColumns) break;
            Cell cell;
            cell.node = child;
            cell.row = row;
            cell.col = col;
            cell.colSpan = std::min(SpanOf(n, "colspan", kMaxColumns), kMaxColumns - col);
            cell.rowSpan = SpanOf(n, "rowspan", kMaxRowSpan);
            if (spanUntil.size() < size_t(col + cell.colSpan)) spanUntil.resize(size_t(col + cell.colSpan), 0);
            for (int k = col; k < col + cell.colSpan; ++k)
                spanUntil[size_t(k)] = std::max(spanUntil[size_t(k)], int(std::min<long long>((long long)row + cell.rowSpan, kMaxRowSpan * 2LL)));
            grid.cells.push_back(cell);
            col += cell.colSpan;
            grid.columns = std::max(grid.columns, col);
        }
    };
    for (int child : e.NodeAt(table).children) {
        const Node& n = e.NodeAt(child);
        if (n.isText || e.StyleOf(child).display == Display::None) continue;
        if (n.Is(Tag::Caption)) {
            grid.captions.push_back(child);
        } else if (n.Is(Tag::Tbody) || n.Is(Tag::Thead) || n.Is(Tag::Tfoot)) {
            if (e.StyleOf(child).display == Display::None) continue;
            for (int row : n.children)
                if (e.NodeAt(row).Is(Tag::Tr)) addRow(row);
        } else if (n.Is(Tag::Tr)) {
            addRow(child);
        }
    }
    grid.columns = std::max(grid.columns, int(std::min<size_t>(spanUntil.size(), kMaxColumns)));
    const int rowCount = int(grid.rows.size());
    for (Cell& cell : grid.cells) cell.rowSpan = std::clamp(cell.rowSpan, 1, rowCount - cell.row);
    return grid;
}

// How one table is measured and placed: separated borders with spacing between cells, or
// collapsed borders where neighbours share one line.
struct TableFrame {
    bool collapse = false;
    int spacing = 0;
    int border[4] = {0, 0, 0, 0};   // the table's own border
    int padding[4] = {0, 0, 0, 0};  // the table's padding (none when borders collapse)
    std::vector<int> vStrip;        // collapsed: the line width at each column boundary
    std::vector<int> hStrip;        // collapsed: the line width at each row boundary
};

struct Columns {
    std::vector<int> min, max, fixed;
    std::vector<float> percent;
};

}  // namespace

namespace {

TableFrame MakeFrame(LayoutEngine& e, int table, const Grid& grid) {
    const Style& s = e.StyleOf(table);
    TableFrame f;
    f.collapse = s.borderCollapse;
    for (int side = 0; side < 4; ++side) f.border[side] = s.border[side].Used();
    if (!f.collapse) {
        f.spacing = s.hasBorderSpacing ? s.borderSpacing : 2;
        for (int side = 0; side < 4; ++side) f.padding[side] = std::clamp(s.padding[side].Resolve(0, 0), 0, kMaxLength);
        return f;
    }
    f.vStrip.assign(size_t(grid.columns) + 1, 0);
    f.hStrip.assign(grid.rows.size() + 1, 0);
    f.vStrip.front() = f.border[kLeft];
    f.vStrip.back() = std::max(f.vStrip.back(), f.border[kRight]);
    f.hStrip.front() = f.border[kTop];
    f.hStrip.back() = std::max(f.hStrip.back(), f.border[kBottom]);
    for (const Cell& c : grid.cells) {
        const Style& cs = e.StyleOf(c.node);
        int& left = f.vStrip[size_t(c.col)];
        int& right = f.vStrip[size_t(c.col + c.colSpan)];
        int& top = f.hStrip[size_t(c.row)];
        int& bottom = f.hStrip[size_t(c.row + c.rowSpan)];
        left = std::max(left, cs.border[kLeft].Used());
        right = std::max(right, cs.border[kRight].Used());
        top = std::max(top, cs.border[kTop].Used());
        bottom = std::max(bottom, cs.border[kBottom].Used());
    }
    return f;
}

// Horizontal room a cell's box needs besides its content.
int CellExtras(const Style& s, bool collapse) {
    int extras = 0;
    for (int side : {kLeft, kRight}) {
        if (s.padding[side].kind == Length::Px) extras += int(s.padding[side].value);
        if (!collapse) extras += s.border[side].Used();
    }
    return extras;
}

// The width between the first column's start and the last column's end of a span, besides
// the columns themselves.
long long InnerGaps(const TableFrame& f, int col, int span) {
    if (!f.collapse) return (long long)f.spacing * (span - 1);
    long long gaps = 0;
    for (int k = col + 1; k < col + span; ++k) gaps += f.vStrip[size_t(k)];
    return gaps;
}

// Room the table needs besides its columns.
long long TableExtras(const TableFrame& f, int columns) {
    if (f.collapse) return std::accumulate(f.vStrip.begin(), f.vStrip.end(), 0LL);
    return (long long)f.border[kLeft] + f.border[kRight] + f.padding[kLeft] + f.padding[kRight] +
           (long long)f.spacing * (columns + 1);
}

void Spread(std::vector<int>& values, int first, int span, long long excess, const std::vector<int>& weights) {
    long long total = 0;
    for (int k = first; k < first + span; ++k) total += weights[size_t(k)];
    long long given = 0;
    for (int k = first; k < first + span; ++k) {
        long long share = total > 0 ? excess * weights[size_t(k)] / total : excess / span;
        if (k == first + span - 1) share = excess - given;
        values[size_t(k)] = LayoutEngine::ClampW(values[size_t(k)] + share);
        given += share;
    }
}

Columns MeasureColumns(LayoutEngine& e, const Grid& grid, const TableFrame& f) {
    Columns c;
    const size_t n = size_t(grid.columns);
    c.min.assign(n, 0);
    c.max.assign(n, 0);
    c.fixed.assign(n, -1);
    c.percent.assign(n, 0);
    std::vector<const Cell*> spanning;
    for (const Cell& cell : grid.cells) {
        if (cell.colSpan > 1) {
            spanning.push_back(&cell);
            continue;
        }
        const Style& s = e.StyleOf(cell.node);
        const MinMax m = e.CellContentMinMax(cell.node);
        const int extras = CellExtras(s, f.collapse);
        const size_t k = size_t(cell.col);
        c.min[k] = std::max(c.min[k], LayoutEngine::ClampW((long long)m.min + extras));
        c.max[k] = std::max(c.max[k], LayoutEngine::ClampW((long long)m.max + extras));
        if (s.width.kind == Length::Px) c.fixed[k] = std::max(c.fixed[k], LayoutEngine::ClampW((long long)s.width.value + extras));
        if (s.width.kind == Length::Percent) c.percent[k] = std::max(c.percent[k], std::clamp(s.width.value, 0.0f, 100.0f));
    }
    for (size_t k = 0; k < n; ++k) {
        if (c.fixed[k] >= 0) c.max[k] = std::max(c.min[k], c.fixed[k]);
        c.max[k] = std::max(c.max[k], c.min[k]);
    }
    std::stable_sort(spanning.begin(), spanning.end(), [](const Cell* a, const Cell* b) { return a->colSpan < b->colSpan; });
    for (const Cell* cell : spanning) {
        const Style& s = e.StyleOf(cell->node);
        const MinMax m = e.CellContentMinMax(cell->node);
        const long long extras = CellExtras(s, f.collapse);
        const long long gaps = InnerGaps(f, cell->col, cell->colSpan);
        long long spanMin = gaps, spanMax = gaps;
        for (int k = cell->col; k < cell->col + cell->colSpan; ++k) {
            spanMin += c.min[size_t(k)];
            spanMax += c.max[size_t(k)];
        }
        long long wantMax = m.max + extras;
        if (s.width.kind == Length::Px) wantMax = std::max<long long>(wantMax, (long long)s.width.value + extras);
        if (m.min + extras > spanMin) Spread(c.min, cell->col, cell->colSpan, m.min + extras - spanMin, c.max);
        if (wantMax > spanMax) Spread(c.max, cell->col, cell->colSpan, wantMax - spanMax, c.max);
        for (int k = cell->col; k < cell->col + cell->colSpan; ++k)
            c.max[size_t(k)] = std::max(c.max[size_t(k)], c.min[size_t(k)]);
    }
    return c;
}

// Column widths that fill `room` (the table's width less borders and spacing).
std::vector<int> DistributeColumns(const Columns& c, long long room) {
    const size_t n = c.min.size();
    std::vector<int> w(c.min);
    long long remaining = room - std::accumulate(w.begin(), w.end(), 0LL);
    if (remaining <= 0 || n == 0) return w;
    const auto give = [&](size_t k, long long amount) {
        amount = std::min(amount, remaining);
        if (amount <= 0) return;
        w[k] = LayoutEngine::ClampW(w[k] + amount);
        remaining -= amount;
    };
    // Percentage columns first, then fixed ones, up to what they ask for.
    for (size_t k = 0; k < n; ++k)
        if (c.percent[k] > 0) give(k, (long long)(room * c.percent[k] / 100) - w[k]);
    for (size_t k = 0; k < n; ++k)
        if (c.percent[k] <= 0 && c.fixed[k] >= 0) give(k, c.fixed[k] - w[k]);
    // Auto columns grow toward their widest, in proportion to what they still lack.
    long long lacking = 0;
    for (size_t k = 0; k < n; ++k)
        if (c.percent[k] <= 0 && c.fixed[k] < 0) lacking += std::max<long long>(c.max[k] - w[k], 0);
    if (lacking > 0) {
        const long long pool = std::min(remaining, lacking);
        long long given = 0;
        for (size_t k = 0; k < n; ++k) {
            if (c.percent[k] > 0 || c.fixed[k] >= 0) continue;
            const long long share = pool * std::max<long long>(c.max[k] - w[k], 0) / lacking;
            w[k] = LayoutEngine::ClampW(w[k] + share);
            given += share;
        }
        remaining -= given;
    }
    if (remaining <= 0) return w;
    // Room left over (a table wider than its content): to auto columns by their width, or
    // else to all columns.
    std::vector<size_t> takers;
    for (size_t k = 0; k < n; ++k)
        if (c.percent[k] <= 0 && c.fixed[k] < 0) takers.push_back(k);
    if (takers.empty())
        for (size_t k = 0; k < n; ++k) takers.push_back(k);
    long long weight = 0;
    for (size_t k : takers) weight += c.max[k];
    long long given = 0;
    for (size_t i = 0; i < takers.size(); ++i) {
        const size_t k = takers[i];
        long long share = weight > 0 ? remaining * c.max[k] / weight : remaining / (long long)takers.size();
        if (i + 1 == takers.size()) share = remaining - given;
        w[k] = LayoutEngine::ClampW(w[k] + share);
        given += share;
    }
    return w;
}

}  // namespace

MinMax LayoutEngine::CellContentMinMax(int cell) {
    if (contentMinMaxKnown[size_t(cell)]) return contentMinMax[size_t(cell)];
    MinMax m = FlowMinMax(cell);
    const Style& s = StyleOf(cell);
    if (s.whiteSpace == WhiteSpace::NoWrap && s.width.kind != Length::Px) m.min = m.max;
    contentMinMax[size_t(cell)] = m;
    contentMinMaxKnown[size_t(cell)] = true;
    return m;
}

MinMax LayoutEngine::TableMinMax(int node) {
    const Grid grid = BuildGrid(*this, node);
    const TableFrame frame = MakeFrame(*this, node, grid);
    const Columns columns = MeasureColumns(*this, grid, frame);
    const long long extras = TableExtras(frame, grid.columns);
    MinMax m{ClampW(std::accumulate(columns.min.begin(), columns.min.end(), extras)),
             ClampW(std::accumulate(columns.max.begin(), columns.max.end(), extras))};
    for (int caption : grid.captions) m.min = std::max(m.min, BlockMinMax(caption).min);
    const Style& s = StyleOf(node);
    if (s.width.kind == Length::Px) m.min = m.max = std::max(m.min, ClampW((long long)s.width.value));
    m.max = std::max(m.max, m.min);
    return m;
}

BlockResult LayoutEngine::LayoutTable(int node, int x, int y, int containerWidth, TextAlign align) {
    const Style& s = StyleOf(node);
    const Grid grid = BuildGrid(*this, node);
    const TableFrame f = MakeFrame(*this, node, grid);
    const Columns columns = MeasureColumns(*this, grid, f);
    const long long extras = TableExtras(f, grid.columns);
    const long long sumMin = std::accumulate(columns.min.begin(), columns.min.end(), 0LL);
    const long long sumMax = std::accumulate(columns.max.begin(), columns.max.end(), 0LL);
    const int marginLeft = ResolveEdge(s.margin[kLeft], containerWidth);
    const int marginRight = ResolveEdge(s.margin[kRight], containerWidth);
    const int room = std::max(containerWidth - marginLeft - marginRight, 0);
    long long tableWidth = 0;
    if (!s.width.IsAuto()) tableWidth = std::max<long long>(s.width.Resolve(containerWidth, 0), sumMin + extras);
    else tableWidth = std::max<long long>(std::min<long long>(room, sumMax + extras), sumMin + extras);
    for (int caption : grid.captions) tableWidth = std::max<long long>(tableWidth, BlockMinMax(caption).min);
    tableWidth = ClampW(tableWidth);
    const std::vector<int> widths = DistributeColumns(columns, tableWidth - extras);

    int offset = 0;
    const int free = room - int(tableWidth);
    if (free > 0) {
        if (s.margin[kLeft].IsAuto() && s.margin[kRight].IsAuto()) offset = free / 2;
        else if (s.floating == Float::Right) offset = free;
        else if (s.floating == Float::None && align == TextAlign::Center) offset = free / 2;
        else if (s.floating == Float::None && align == TextAlign::Right) offset = free;
    }
    const int tableX = x + marginLeft + offset;
    int top = y;
    for (int caption : grid.captions) {
        const BlockResult r = LayoutBlock(caption, tableX, top, int(tableWidth), TextAlign::Left, 0);
        top = ClampY((long long)top + r.height);
    }
    const size_t tableBackground = s.background != kNoColor ? AddFill({}, s.background) : size_t(-1);

    // Column positions.
    std::vector<long long> colX(size_t(grid.columns) + 1);
    if (f.collapse) {
        colX[0] = tableX + (f.vStrip.empty() ? 0 : f.vStrip[0]);
        for (size_t k = 0; k < size_t(grid.columns); ++k) colX[k + 1] = colX[k] + widths[k] + f.vStrip[k + 1];
    } else {
        colX[0] = (long long)tableX + f.border[kLeft] + f.padding[kLeft] + f.spacing;
        for (size_t k = 0; k < size_t(grid.columns); ++k) colX[k + 1] = colX[k] + widths[k] + f.spacing;
    }
    const auto gapBelow = [&](size_t row) -> int { return f.collapse ? f.hStrip[row + 1] : f.spacing; };

    struct Placed {
        size_t background = size_t(-1);
        size_t itemsFrom = 0, itemsTo = 0, anchorsFrom = 0, anchorsTo = 0;
        int contentHeight = 0;  // content alone
        int needed = 0;         // the box height the cell asks for
        int padTop = 0, padBottom = 0, borderTop = 0, borderBottom = 0;
    };
    std::vector<Placed> placed(grid.cells.size());
    const size_t rowCount = grid.rows.size();
    std::vector<int> rowTop(rowCount + 1, 0);
    std::vector<int> rowHeight(rowCount, 0);
    std::vector<std::vector<size_t>> startingAt(rowCount), endingAt(rowCount);
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        startingAt[size_t(grid.cells[i].row)].push_back(i);
        endingAt[size_t(grid.cells[i].row + grid.cells[i].rowSpan - 1)].push_back(i);
    }
    const int firstRowTop = f.collapse ? ClampY((long long)top + (f.hStrip.empty() ? 0 : f.hStrip[0]))
                                       : ClampY((long long)top + f.border[kTop] + f.padding[kTop] + f.spacing);
    int firstBaseline = -1;
    for (size_t r = 0; r < rowCount; ++r) {
        rowTop[r] = r == 0 ? firstRowTop : ClampY((long long)rowTop[r - 1] + rowHeight[r - 1] + gapBelow(r - 1));
        const Style& rowStyle = StyleOf(grid.rows[r]);
        const Style& groupStyle = StyleOf(NodeAt(grid.rows[r]).parent);
        for (size_t i : startingAt[r]) {
            const Cell& cell = grid.cells[i];
            const Style& cs = StyleOf(cell.node);
            Placed& p = placed[i];
            const long long left = colX[size_t(cell.col)];
            const long long right = colX[size_t(cell.col + cell.colSpan - 1)] + widths[size_t(cell.col + cell.colSpan - 1)];
            int pad[4];
            for (int side = 0; side < 4; ++side) pad[side] = ResolveEdge(cs.padding[side], int(tableWidth));
            const int bl = f.collapse ? 0 : cs.border[kLeft].Used();
            const int br = f.collapse ? 0 : cs.border[kRight].Used();
            p.borderTop = f.collapse ? 0 : cs.border[kTop].Used();
            p.borderBottom = f.collapse ? 0 : cs.border[kBottom].Used();
            p.padTop = pad[kTop];
            p.padBottom = pad[kBottom];
            uint32_t background = cs.background;
            if (background == kNoColor) background = rowStyle.background;
            if (background == kNoColor && groupStyle.display == Display::RowGroup) background = groupStyle.background;
            if (background != kNoColor) p.background = AddFill({}, background);
            p.itemsFrom = ItemCount();
            p.anchorsFrom = AnchorCount();
            const int contentX = int(std::min<long long>(left + bl + pad[kLeft], kMaxX));
            const int contentWidth = int(std::max<long long>(right - left - bl - br - pad[kLeft] - pad[kRight], 0));
            const int contentY = ClampY((long long)rowTop[r] + p.borderTop + p.padTop);
            const BlockResult content = LayoutFlow(cell.node, contentX, contentY, contentWidth, Quirks());
            if (r == 0 && firstBaseline < 0) firstBaseline = content.firstBaseline;
            p.itemsTo = ItemCount();
            p.anchorsTo = AnchorCount();
            p.contentHeight = content.height;
            long long needed = (long long)content.height + p.borderTop + p.borderBottom + p.padTop + p.padBottom;
            if (cs.height.kind == Length::Px) needed = std::max<long long>(needed, (long long)cs.height.value);
            p.needed = ClampY(needed);
        }
        int height = 0;
        if (rowStyle.height.kind == Length::Px) height = int(rowStyle.height.value);
        for (size_t i : endingAt[r]) {
            const Cell& cell = grid.cells[i];
            const long long above = (long long)rowTop[r] - rowTop[size_t(cell.row)];
            height = std::max<long long>(height, placed[i].needed - above);
        }
        rowHeight[r] = ClampY(height);
    }
    long long bottom = rowCount == 0 ? (long long)firstRowTop : (long long)rowTop[rowCount - 1] + rowHeight[rowCount - 1] + gapBelow(rowCount - 1);
    if (!f.collapse) bottom += f.border[kBottom] + f.padding[kBottom];
    if (rowCount == 0 && f.collapse) bottom += f.hStrip.empty() ? 0 : f.hStrip.back();
    if (s.height.kind == Length::Px && bottom - top < s.height.value && rowCount > 0) {
        const int extra = int(s.height.value - (bottom - top));
        rowHeight[rowCount - 1] = ClampY((long long)rowHeight[rowCount - 1] + extra);
        bottom += extra;
    }
    const int tableBottom = ClampY(bottom);

    // Cell boxes, their content moved down inside them, backgrounds and borders.
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const Cell& cell = grid.cells[i];
        const Style& cs = StyleOf(cell.node);
        const Placed& p = placed[i];
        const size_t lastRow = size_t(cell.row + cell.rowSpan - 1);
        const int boxTop = rowTop[size_t(cell.row)];
        const int boxBottom = ClampY((long long)rowTop[lastRow] + rowHeight[lastRow]);
        const int left = int(std::min<long long>(colX[size_t(cell.col)], kMaxX));
        const int right = int(std::min<long long>(colX[size_t(cell.col + cell.colSpan - 1)] + widths[size_t(cell.col + cell.colSpan - 1)], kMaxX));
        const int inner = boxBottom - boxTop - p.borderTop - p.borderBottom - p.padTop - p.padBottom;
        const int slack = inner - p.contentHeight;
        int dy = 0;
        if (slack > 0 && cs.verticalAlign == VerticalAlign::Middle) dy = slack / 2;
        if (slack > 0 && cs.verticalAlign == VerticalAlign::Bottom) dy = slack;
        ShiftItems(p.itemsFrom, p.itemsTo, p.anchorsFrom, p.anchorsTo, dy);
        const Rect box{left, boxTop, right, boxBottom};
        if (p.background != size_t(-1)) Item(p.background).box = box;
        if (f.collapse) {
            // Borders sit in the shared lines around the box, each as wide as the cell asks.
            const Rect around{left - cs.border[kLeft].Used(), boxTop - cs.border[kTop].Used(),
                              right + cs.border[kRight].Used(), boxBottom + cs.border[kBottom].Used()};
            PaintBorders(around, cs);
        } else {
            PaintBorders(box, cs);
        }
    }
    const Rect tableBox{ClampX(tableX), top, ClampX((long long)tableX + tableWidth), tableBottom};
    if (tableBackground != size_t(-1)) Item(tableBackground).box = tableBox;
    PaintBorders(tableBox, s);
    return {ClampY((long long)tableBottom - y), firstBaseline};
}

}  // namespace html
