#include "skin/win32/skin_status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"

namespace {

struct Panel {
    RECT rect{};
    std::wstring text;
    int frame = 1;  // 1 lowered, 2 raised, 3 none
    int align = DT_LEFT;
};

// A panel's text and the bevel and alignment it was given: after one tab the bar centres
// the text, after two it right-aligns it.
Panel ReadPanel(HWND bar, int index) {
    Panel p;
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(index), 0);
    std::wstring text(size_t(LOWORD(info)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    const UINT type = HIWORD(info);
    p.frame = (type & SBT_NOBORDERS) ? 3 : (type & SBT_POPOUT) ? 2 : 1;
    size_t tabs = 0;
    while (tabs < 2 && tabs < text.size() && text[tabs] == L'\t') ++tabs;
    p.text = text.substr(tabs);
    const bool rtl = (type & SBT_RTLREADING) != 0;
    p.align = tabs == 1 ? DT_CENTER : tabs == 2 ? (rtl ? DT_LEFT : DT_RIGHT) : (rtl ? DT_RIGHT : DT_LEFT);
    return p;
}

void Line(Bitmap32& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = std::max(0, y0); y <= std::min(image.height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(image.width - 1, x1); ++x) image.At(x, y) = colour;
}

}  // namespace

bool TSkinStatusBar::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    return PaintItself(m);
}

void TSkinStatusBar::Paint(HDC dc, const RECT& bounds) {
    HWND bar = Handle();
    const TSkinContent& c = Content();
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0) return;

    std::vector<Panel> panels;
    const int parts = int(SendMessageW(bar, SB_GETPARTS, 0, 0));
    if (SendMessageW(bar, SB_ISSIMPLE, 0, 0) || parts <= 0) {
        Panel p = ReadPanel(bar, SB_SIMPLEID);
        p.rect = RECT{0, 0, w, h};
        p.frame = 1;
        p.align = DT_LEFT;
        panels.push_back(p);
    } else {
        for (int i = 0; i < parts; ++i) {
            Panel p = ReadPanel(bar, i);
            SendMessageW(bar, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&p.rect));
            panels.push_back(p);
        }
    }

    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    const bool edges = c.StatusBarEdges && !c.StatusBarEdges->Image.Empty();
    const uint32_t shadow = ColourRefToPixel(c.Colours.ButtonShadow);
    const uint32_t light = ColourRefToPixel(c.Colours.ButtonHilight);
    for (const Panel& p : panels) {
        const RECT& r = p.rect;
        if (edges) {
            DrawPart(image, r.left, r.top, r.right - r.left, r.bottom - r.top, *c.StatusBarEdges, p.frame);
        } else if (p.frame != 3) {
            const uint32_t topLeft = p.frame == 1 ? shadow : light;
            const uint32_t bottomRight = p.frame == 1 ? light : shadow;
            Line(image, r.left, r.top, r.right - 1, r.top, topLeft);
            Line(image, r.left, r.top, r.left, r.bottom - 1, topLeft);
            Line(image, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, bottomRight);
            Line(image, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
        }
    }
    // The grip shows only on bars the dispatch could not take it from (a plain window's).
    if ((GetWindowLongPtrW(bar, GWL_STYLE) & SBARS_SIZEGRIP) && c.ExtraImages && !c.ExtraImages->Image.Empty()) {
        const PixelRect f = FrameOf(c.ExtraImages->Image, c.ExtraImages->FrameCount, 5, FrameLayout::SideBySide);
        StretchCopy(image, w - f.width, h - f.height, f.width, f.height, c.ExtraImages->Image, f.x, f.y, f.width,
                    f.height, c.ExtraImages->Trans != 0);
    }

    ShowImage(dc, bounds, image, [&](HDC mem) {
        SetTextColor(mem, edges ? c.StatusBarEdges->NormalColour2 : c.Colours.ButtonText);
        for (const Panel& p : panels) {
            const std::wstring text = p.text.empty() ? std::wstring(L" ") : p.text;
            // Centred on the bar's height: a panel's own rectangle can be lower than the font.
            RECT r{p.rect.left + 2, 0, p.rect.right - 2, h};
            SavedDC saved(mem);
            IntersectClipRect(mem, p.rect.left + 1, 0, p.rect.right - 1, h);
            DrawTextW(mem, text.c_str(), int(text.size()), &r,
                      UINT(p.align) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    });
}
