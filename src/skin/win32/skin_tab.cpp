#include "skin/win32/skin_tab.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "skin/win32/skin_range_controls.h"
#include "ui/tab_control.h"

namespace {

const TDataSkinBorder* TabsPart(const TSkinContent& c) {
    return c.Tabs && !c.Tabs->Image.Empty() ? c.Tabs.get() : nullptr;
}

// The control's font turned to run along a tab on the left (up) or right (down).
Gdi<HFONT> TurnedFont(HFONT font, TTabSide side) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    lf.lfEscapement = lf.lfOrientation = side == TTabSide::Left ? 900 : side == TTabSide::Right ? 2700 : 0;
    return Gdi<HFONT>(CreateFontIndirectW(&lf));
}

// Draws a tab's caption centred in r; on the sides it runs along the tab.
void TabText(HDC dc, const std::wstring& text, const RECT& r, TTabSide side) {
    if (side == TTabSide::Top || side == TTabSide::Bottom) {
        RECT box = r;
        DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    // The text's top-left corner, turned with it.
    if (side == TTabSide::Left)
        TextOutW(dc, cx - size.cy / 2, cy + size.cx / 2, text.c_str(), int(text.size()));
    else
        TextOutW(dc, cx + size.cy / 2, cy - size.cx / 2, text.c_str(), int(text.size()));
}

}  // namespace

// ---- TSkinTab

void TSkinTab::AttachHandle(HWND hwnd) {
    TSkinControl::AttachHandle(hwnd);
    AttachUpDown();
}

void TSkinTab::Attach(TWinControl& control, bool recolour) {
    TSkinControl::Attach(control, recolour);
    AttachUpDown();
}

void TSkinTab::Detach() {
    if (upDown_) upDown_->Detach();
    upDown_.reset();
    TSkinControl::Detach();
}

void TSkinTab::Refresh() {
    TSkinControl::Refresh();
    if (upDown_) upDown_->Refresh();
}

void TSkinTab::AttachUpDown() {
    if (!Attached()) return;
    HWND child = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    if (upDown_ && (upDown_->Finished() || upDown_->Handle() != child)) {
        upDown_->Detach();
        upDown_.reset();
    }
    if (!child || upDown_) return;
    upDown_ = std::make_unique<TSkinUpDown>(form_, skin_);
    upDown_->AttachHandle(child);
}

TTabSide TSkinTab::Side() const {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? TTabSide::Right : TTabSide::Left;
    return (style & TCS_BOTTOM) ? TTabSide::Bottom : TTabSide::Top;
}

RECT TSkinTab::TabRect(int index) const {
    RECT r{};
    if (!SendMessageW(Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r))) return RECT{};
    if (index != int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0))) return r;
    // The selected tab stands out by two pixels and reaches over the page's border.
    switch (Side()) {
        case TTabSide::Top: return RECT{r.left - 2, r.top - 2, r.right + 2, r.bottom + 1};
        case TTabSide::Bottom: return RECT{r.left - 2, r.top - 1, r.right + 2, r.bottom + 2};
        case TTabSide::Left: return RECT{r.left - 2, r.top - 2, r.right + 1, r.bottom + 2};
        case TTabSide::Right: return RECT{r.left - 1, r.top - 2, r.right + 2, r.bottom + 2};
    }
    return r;
}

bool TSkinTab::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!TabsPart(Content())) return true;
    return PaintItself(m);
}

void TSkinTab::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            TCHITTESTINFO hit{POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, 0};
            const int hot = int(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (hot != hotTab_) {
                hotTab_ = hot;
                Redraw();
            }
            return;
        }
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            if (hotTab_ >= 0) {
                hotTab_ = -1;
                Redraw();
            }
            return;
        case WM_SIZE:
        case TCM_INSERTITEMW:
        case TCM_DELETEITEM:
        case TCM_DELETEALLITEMS:
        case WM_PARENTNOTIFY:
            AttachUpDown();
            return;
        case WM_PAINT: return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinTab::Paint(HDC dc, const RECT& bounds) {
    const TDataSkinBorder* part = TabsPart(Content());
    HWND h = Handle();
    RECT client{};
    GetClientRect(h, &client);
    const int w = client.right, ht = client.bottom;
    if (!part || w <= 0 || ht <= 0) return;
    (void)bounds;
    AttachUpDown();
    const TTabSide side = Side();
    const int count = int(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0));
    const int selected = int(SendMessageW(h, TCM_GETCURSEL, 0, 0));
    const bool enabled = IsWindowEnabled(h) != FALSE;

    Bitmap32 image(w, ht);
    FillBackground(image, RECT{0, 0, w, ht});
    // The page: its border from the part's second image, inside the strip of tabs.
    RECT page = client;
    SendMessageW(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 4, 4);  // the control keeps a margin between border and display area
    IntersectRect(&page, &page, &client);
    if (!part->Image2.Empty()) {
        TDataSkinObject border = *part;
        border.Image = part->Image2;
        border.FrameCount = 1;
        DrawPart(image, page.left, page.top, page.right - page.left, page.bottom - page.top, border, 1);
    }
    auto drawTab = [&](int i) {
        const RECT r = TabRect(i);
        const Bitmap32 tab = RenderTab(r.right - r.left, r.bottom - r.top, *part,
                                       TabFrame(i == selected, i == hotTab_, enabled), side);
        StretchCopy(image, r.left, r.top, tab.width, tab.height, tab, 0, 0, tab.width, tab.height, part->Trans != 0);
    };
    for (int i = 0; i < count; ++i)
        if (i != selected) drawTab(i);
    if (selected >= 0 && selected < count) drawTab(selected);

    SkinDib dib;
    if (!dib.Resize(w, ht)) return;
    dib.Put(image, 0, 0);
    HDC mem = dib.Dc();
    Gdi<HFONT> turned = TurnedFont(Font(), side);
    SelectGuard font(mem, turned ? static_cast<HGDIOBJ>(turned.Get()) : static_cast<HGDIOBJ>(Font()));
    SetBkMode(mem, TRANSPARENT);
    for (int i = 0; i < count; ++i) {
        wchar_t text[260] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(h, TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        SetTextColor(mem, !enabled           ? Content().Colours.ButtonShadow
                          : i == selected    ? part->PressedColour2
                          : i == hotTab_     ? part->MouseOverColour2
                                             : part->NormalColour2);
        TabText(mem, text, TabRect(i), side);
    }
    GdiFlush();
    // Child windows (the pages' controls, the up-down) paint themselves.
    SavedDC saved(dc);
    for (HWND child = GetWindow(h, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    BitBlt(dc, 0, 0, w, ht, mem, 0, 0, SRCCOPY);
}

// ---- TSkinTab31

bool TSkinTab31::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!TabsPart(Content()) || !dynamic_cast<TTabSet*>(Control())) return true;
    return PaintItself(m);
}

void TSkinTab31::AfterMessage(TMessage& m) {
    if (m.Msg == WM_PAINT) return;
    if (m.Msg == WM_LBUTTONDOWN) Redraw();
    TSkinControl::AfterMessage(m);
}

void TSkinTab31::Paint(HDC dc, const RECT& bounds) {
    const TDataSkinBorder* part = TabsPart(Content());
    const auto* set = dynamic_cast<const TTabSet*>(Control());
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (!part || !set || w <= 0 || h <= 0) return;
    const int count = int(set->Tabs().size());
    const int selected = set->TabIndex;
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    // The line the tabs hang from is the page's border.
    const uint32_t edge = ColourRefToPixel(Content().Colours.ButtonShadow);
    for (int x = 0; x < w; ++x) image.At(x, 0) = edge;
    auto drawTab = [&](int i) {
        RECT r = set->TabRect(i);
        if (i == selected) r.top -= 1;  // the selected tab opens the line
        const Bitmap32 tab = RenderTab(r.right - r.left, r.bottom - r.top, *part, TabFrame(i == selected, false, enabled),
                                       TTabSide::Bottom);
        StretchCopy(image, r.left, r.top, tab.width, tab.height, tab, 0, 0, tab.width, tab.height, part->Trans != 0);
    };
    for (int i = count - 1; i >= 0; --i)
        if (i != selected) drawTab(i);
    if (selected >= 0 && selected < count) drawTab(selected);
    ShowImage(dc, bounds, image, [&](HDC mem) {
        for (int i = 0; i < count; ++i) {
            SetTextColor(mem, !enabled ? Content().Colours.ButtonShadow : i == selected ? part->PressedColour2 : part->NormalColour2);
            RECT r = set->TabRect(i);
            const std::wstring& text = set->Tabs()[size_t(i)];
            DrawTextW(mem, text.c_str(), int(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    });
}
