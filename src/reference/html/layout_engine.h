#pragma once
// The layout engine shared by the block, inline and table layout files. Internal to the page
// view: the public interface is layout.h.
#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "reference/html/inline_content.h"
#include "reference/html/layout.h"

namespace html {

// The widest box the layout considers; anything wider is cut down to it.
constexpr int kMaxWidth = 100000;
constexpr int kMaxX = kMaxWidth * 10;

struct MinMax {
    int min = 0;  // the narrowest the content can be without overflowing
    int max = 0;  // the width it takes when nothing wraps
};

struct BlockResult {
    int height = 0;
    int firstBaseline = -1;  // the baseline of the first line inside, -1 when there is none
};

class LayoutEngine {
public:
    LayoutEngine(const StyledDocument& styled, PageMeasurer& measurer, PageLayout& out);

    void Run(int width);

    // --- fonts and items
    int FontOf(const Style& style);
    const FontMetrics& MetricsOf(int font) const { return out.metrics[size_t(font)]; }
    size_t AddFill(const Rect& box, uint32_t color);
    // Moves the items [fromItem, toItem) and anchors [fromAnchor, toAnchor) down by dy.
    void ShiftItems(size_t fromItem, size_t toItem, size_t fromAnchor, size_t toAnchor, int dy);
    size_t ItemCount() const { return out.items.size(); }
    size_t AnchorCount() const { return out.anchors.size(); }
    DisplayItem& Item(size_t index) { return out.items[index]; }
    void PaintBorders(const Rect& box, const Style& style);
    int LinkIndex(int anchorNode);
    void AddAnchor(std::wstring name, int y);
    void AnchorsOf(int node, std::vector<std::wstring>& names) const;
    struct PictureInfo {
        std::optional<PictureSize> natural;  // as the picture declares it, cut to the largest length
        bool shown = false;                  // readable and within the page's pixel budget
    };
    // A picture's size, and whether it is shown: the first pictures of a page to fill its pixel
    // budget are; any after them are broken pictures. Asked once per source.
    PictureInfo PictureOf(const std::wstring& src);

    const Style& StyleOf(int node) const { return styled.Of(node); }
    const Node& NodeAt(int node) const { return styled.doc->At(node); }
    bool Quirks() const { return styled.doc->quirks; }

    // --- blocks (layout_flow.cpp)
    // Lays out a block-level element whose border box starts at y, in a container whose content
    // box starts at x and is `containerWidth` wide; `align` places a narrower box.
    BlockResult LayoutBlock(int node, int x, int y, int containerWidth, TextAlign align, int listNumber);
    // The block's border-box widths.
    MinMax BlockMinMax(int node);
    // Lays out the children of a container into its content box.
    BlockResult LayoutFlow(int container, int x, int y, int width, bool trimEdgeMargins);
    MinMax FlowMinMax(int container);
    int ResolveEdge(const Length& length, int containerWidth) const;

    // --- inline content (layout_inline.cpp)
    void AddText(InlineContent& content, int textNode);
    void AddPicture(InlineContent& content, int imgNode, int containerWidth);
    void AddBreak(InlineContent& content, int brNode);
    void FinishAtoms(InlineContent& content);
    BlockResult LayoutLines(InlineContent& content, int blockNode, int x, int y, int width, bool firstInBlock);
    MinMax InlineMinMax(const InlineContent& content, int indent) const;

    // --- tables (layout_table.cpp)
    BlockResult LayoutTable(int node, int x, int y, int containerWidth, TextAlign align);
    MinMax TableMinMax(int node);

    // Clamping keeps every coordinate of any page far from integer overflow.
    static int ClampY(long long y) { return int(std::min<long long>(std::max<long long>(y, 0), kMaxPageHeight)); }
    static int ClampW(long long w) { return int(std::min<long long>(std::max<long long>(w, 0), kMaxWidth)); }
    // Horizontal positions: nesting can push content far right, never past this.
    static int ClampX(long long x) { return int(std::clamp<long long>(x, -kMaxX, kMaxX)); }

private:
    void DrawMarker(const Style& style, int contentX, int baseline, int number);

    const StyledDocument& styled;
    PageMeasurer& measurer;
    PageLayout& out;
    std::map<std::tuple<int, int, bool, bool>, int> fontIndex;
    std::unordered_map<int, int> linkIndex;
    std::map<std::wstring, PictureInfo> pictures;
    std::vector<MinMax> blockMinMax;  // memo per node
    std::vector<bool> blockMinMaxKnown;
    std::vector<MinMax> contentMinMax;  // memo per cell: its content alone
    std::vector<bool> contentMinMaxKnown;

public:
    MinMax CellContentMinMax(int cell);
};

}  // namespace html
