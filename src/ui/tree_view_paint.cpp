// The tree view draws its own rows. The system's tree drew each row straight on the window:
// under Wine that asked the window server for the focus and looked the display settings up
// twice per row (its image list's scratch bitmap made compatible with the window's device
// context), and it set its scroll bars again at the end of every paint, which redrew them
// (twenty look-ups each). Here every row goes into the toolkit's paint buffer from the
// window's own answers (visible items, rectangles, states: all within the thread), drawn as
// the system's classic tree draws it, and the buffer goes to the screen in one copy.
#include "ui/tree_view.h"

#include <algorithm>

#include <vssym32.h>

#include "ui/application.h"
#include "ui/gdi.h"
#include "ui/paint_buffer.h"

namespace {

// The tree's colours: -1 (CLR_NONE) and CLR_DEFAULT follow the system.
COLORREF Resolved(LRESULT colour, int systemColour) {
    const auto c = COLORREF(colour);
    return c == CLR_NONE || c == CLR_DEFAULT ? GetSysColor(systemColour) : c;
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

}  // namespace

// What every row of one paint shares.
struct TTreeView::RowPaint {
    HDC dc;
    LONG_PTR style;
    int indent;
    COLORREF back;
    LRESULT backSetting;  // CLR_NONE: pictures drawn transparently
    COLORREF text;
    COLORREF line;
    HIMAGELIST images;
    int imageWidth;
    int imageHeight;
};

void TTreeView::PaintMessage(TMessage& message) {
    HWND hwnd = WindowHandle();
    if (message.WParam) {
        // A paint into a given device context, as WM_PRINTCLIENT asks.
        RECT client{};
        GetClientRect(hwnd, &client);
        PaintTo(reinterpret_cast<HDC>(message.WParam), client);
    } else {
        PaintDC dc(hwnd);
        PaintTo(dc.Get(), dc.PaintRect());
    }
    message.Result = 0;
}

void TTreeView::PaintTo(HDC target, const RECT& area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    const TPaintBuffer::Lease buffer = Application->PaintBuffer().Borrow(w, h);
    if (!buffer.Get()) {
        PaintRows(target, area);
        return;
    }
    SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
    PaintRows(buffer.Get(), area);
    SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
    BitBlt(target, area.left, area.top, w, h, buffer.Get(), 0, 0, SRCCOPY);
}

void TTreeView::PaintRows(HDC dc, const RECT& area) {
    RowPaint p{};
    p.dc = dc;
    p.style = GetWindowLongPtrW(WindowHandle(), GWL_STYLE);
    p.indent = int(Ask(TVM_GETINDENT));
    p.backSetting = Ask(TVM_GETBKCOLOR);
    p.back = Resolved(p.backSetting, COLOR_WINDOW);
    p.text = Resolved(Ask(TVM_GETTEXTCOLOR), COLOR_WINDOWTEXT);
    p.line = Resolved(Ask(TVM_GETLINECOLOR), COLOR_GRAYTEXT);
    p.images = reinterpret_cast<HIMAGELIST>(Ask(TVM_GETIMAGELIST, TVSIL_NORMAL));
    if (!p.images || !ImageList_GetIconSize(p.images, &p.imageWidth, &p.imageHeight)) p.images = nullptr;

    Gdi<HBRUSH> back(CreateSolidBrush(p.back));
    FillRect(dc, &area, back.Get());
    // While drawing is off the window shows its background only, as the system's tree does.
    if (redrawOff_) return;
    const SelectGuard font(dc, reinterpret_cast<HFONT>(Ask(WM_GETFONT)));
    // The button's box is filled with the background.
    const SelectGuard brush(dc, back.Get());
    for (auto item = reinterpret_cast<HTREEITEM>(Ask(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE)); item;
         item = reinterpret_cast<HTREEITEM>(Ask(TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)))) {
        RECT row{};
        if (!ItemRect(item, false, row) || row.top >= area.bottom) break;
        if (row.bottom <= area.top) continue;
        PaintRow(p, item, row);
    }
}

void TTreeView::PaintRow(const RowPaint& p, HTREEITEM item, const RECT& row) {
    TVITEMW query{};
    query.mask = TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
    query.stateMask = TVIS_SELECTED | TVIS_EXPANDED | TVIS_EXPANDPARTIAL;
    query.hItem = item;
    if (!Ask(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return;
    auto* node = reinterpret_cast<TTreeNode*>(query.lParam);
    if (!node) return;
    // The program picks the pictures as each row is drawn (chapter practice hands the focus
    // on from there, so the focus is read after).
    if (!quiet_ && OnGetImageIndex) OnGetImageIndex(node);
    if (!quiet_ && OnGetSelectedIndex) OnGetSelectedIndex(node);
    const bool selected = (query.state & TVIS_SELECTED) != 0;

    RECT text{};
    if (!ItemRect(item, true, text)) return;
    // Offsets as the system's tree lays a row out: the level's indent (lines and button),
    // the picture, then the text.
    const int stateOffset = text.left - (p.images ? p.imageWidth : 0);
    const int linesOffset = stateOffset - p.indent;
    const int centerX = (linesOffset + stateOffset) / 2;
    const int centerY = (row.top + row.bottom) / 2;
    const int level = node->Level();
    const bool linesAtRoot = (p.style & (TVS_LINESATROOT | TVS_HASLINES | TVS_HASBUTTONS)) > TVS_LINESATROOT;
    if (linesAtRoot || level > 0) PaintLinesAndButton(p, item, query, row, linesOffset, centerX, centerY, level, linesAtRoot);

    if (p.images) {
        const int index = selected && node->selectedIndex_ >= 0 ? node->selectedIndex_ : node->imageIndex_;
        if (index >= 0)
            ImageList_DrawEx(p.images, index, p.dc, stateOffset, centerY - p.imageHeight / 2, 0, 0,
                             COLORREF(p.backSetting), CLR_DEFAULT, ILD_NORMAL);
    }

    // A tree without the focus marks its selected node in the button-face colour, which hardly
    // shows on white; the windows that hand the focus on (chapter practice keeps it in its
    // chapter line) must still show the learner which node is chosen.
    const bool marked = selected && (focused_ || !hideSelection_);
    const RECT box{text.left, row.top, text.right, row.bottom};
    SetTextColor(p.dc, marked ? GetSysColor(COLOR_HIGHLIGHTTEXT) : p.text);
    SetBkColor(p.dc, marked ? GetSysColor(COLOR_HIGHLIGHT) : p.back);
    SIZE size{};
    GetTextExtentPoint32W(p.dc, node->text_.c_str(), int(node->text_.size()), &size);
    ExtTextOutW(p.dc, box.left + 2, (box.top + box.bottom - size.cy) / 2, ETO_CLIPPED | ETO_OPAQUE, &box,
                node->text_.c_str(), UINT(node->text_.size()), nullptr);
    if (selected && focused_) DrawFocusRect(p.dc, &box);
}

void TTreeView::PaintLinesAndButton(const RowPaint& p, HTREEITEM item, const TVITEMW& state, const RECT& row,
                                    int linesOffset, int centerX, int centerY, int level, bool linesAtRoot) {
    const int stateOffset = linesOffset + p.indent;
    auto next = [this](HTREEITEM of, WPARAM relation) {
        return reinterpret_cast<HTREEITEM>(Ask(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(of)));
    };
    if (p.style & TVS_HASLINES) {
        LOGBRUSH dots{BS_SOLID, p.line, 0};
        Gdi<HPEN> pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &dots, 0, nullptr));
        const SelectGuard usePen(p.dc, pen.Get());
        // The horizontal line starts on a dot.
        const int dotY = (centerY + 2) & ~1;
        Line(p.dc, stateOffset, dotY, centerX - 1, dotY);
        HTREEITEM parent = next(item, TVGN_PARENT);
        if (next(item, TVGN_PREVIOUS) || parent) Line(p.dc, centerX, row.top, centerX, dotY);
        if (next(item, TVGN_NEXT)) Line(p.dc, centerX, dotY, centerX, row.bottom + 1);
        // The lines of the levels above that go on below this row.
        for (int parentLevel = level - 1; parent; parent = next(parent, TVGN_PARENT), --parentLevel) {
            if (!next(parent, TVGN_NEXT) || (!linesAtRoot && parentLevel == 0)) continue;
            const int parentLines = linesOffset - p.indent * (level - parentLevel);
            const int x = (parentLines + parentLines + p.indent) / 2;
            Line(p.dc, x, row.top, x, row.bottom + 1);
        }
    }
    if (!(p.style & TVS_HASBUTTONS) || !state.cChildren) return;
    if (!theme_) theme_ = GetWindowTheme(WindowHandle());
    if (*theme_) {
        // A themed tree draws its buttons from the theme, at one size whatever the rows' height.
        const RECT glyph{centerX - 4, centerY - 4, centerX + 5, centerY + 5};
        DrawThemeBackground(*theme_, p.dc, TVP_GLYPH, (state.state & TVIS_EXPANDED) ? GLPS_OPENED : GLPS_CLOSED, &glyph,
                            nullptr);
        return;
    }
    const int height = row.bottom - row.top;
    const int width = p.indent;
    const int box = std::min(height, width) / 4;
    const int arm = (box + 1) * 3 / 4;
    {
        Gdi<HPEN> pen(CreatePen(PS_SOLID, 0, p.line));
        const SelectGuard usePen(p.dc, pen.Get());
        Rectangle(p.dc, centerX - box - 1, centerY - box - 1, centerX + box + 2, centerY + box + 2);
    }
    Gdi<HPEN> pen(CreatePen(PS_SOLID, 0, p.text));
    const SelectGuard usePen(p.dc, pen.Get());
    const bool plus = !(state.state & TVIS_EXPANDED) || (state.state & TVIS_EXPANDPARTIAL);
    if (height < 18 || width < 18) {
        Line(p.dc, centerX - arm + 1, centerY, centerX + arm, centerY);
        if (plus) Line(p.dc, centerX, centerY - arm + 1, centerX, centerY + arm);
        return;
    }
    Rectangle(p.dc, centerX - arm + 1, centerY - 1, centerX + arm, centerY + 2);
    if (plus) {
        Rectangle(p.dc, centerX - 1, centerY - arm + 1, centerX + 2, centerY + arm);
        SetPixel(p.dc, centerX - 1, centerY, p.back);
        SetPixel(p.dc, centerX + 1, centerY, p.back);
    }
}
