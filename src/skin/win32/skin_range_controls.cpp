#include "skin/win32/skin_range_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"

namespace {

bool HasImage(const TDataSkinObject* part) { return part && !part->Image.Empty(); }

void FillPixels(Bitmap32& image, const RECT& r, uint32_t colour) {
    for (int y = std::max(0, int(r.top)); y < std::min(image.height, int(r.bottom)); ++y)
        for (int x = std::max(0, int(r.left)); x < std::min(image.width, int(r.right)); ++x) image.At(x, y) = colour;
}

}  // namespace

// ---- TSkinTrackBar

const TDataSkinObject* TSkinTrackBar::ThumbPart() const {
    const TSkinContent& c = Content();
    const bool vertical = (GetWindowLongPtrW(Handle(), GWL_STYLE) & TBS_VERT) != 0;
    if (vertical && HasImage(c.ThumbVert.get())) return c.ThumbVert.get();
    if (HasImage(c.ThumbHorz.get())) return c.ThumbHorz.get();
    return nullptr;
}

bool TSkinTrackBar::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return false;
    }
    if (m.Msg == CN_NOTIFY || (m.Msg == WM_NOTIFY && !IsControl())) return !CustomDraw(m);
    return true;
}

bool TSkinTrackBar::CustomDraw(TMessage& m) {
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
    if (!draw || draw->hdr.code != UINT(NM_CUSTOMDRAW) || draw->hdr.hwndFrom != Handle()) return false;
    switch (draw->dwDrawStage) {
        case CDDS_PREPAINT:
            m.Result = CDRF_NOTIFYITEMDRAW;
            return true;
        case CDDS_ITEMPREPAINT:
            if (draw->dwItemSpec != TBCD_THUMB) {
                m.Result = CDRF_DODEFAULT;  // the tics and the channel are the control's
                return true;
            }
            break;
        default:
            m.Result = CDRF_DODEFAULT;
            return true;
    }
    const RECT r = draw->rc;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0) {
        Bitmap32 thumb(w, h);
        FillBackground(thumb, RECT{0, 0, w, h});
        if (const TDataSkinObject* part = ThumbPart())
            DrawPart(thumb, 0, 0, w, h, *part, kThumbFrame);
        else
            FillPixels(thumb, RECT{0, 0, w, h}, ColourRefToPixel(Content().Colours.ButtonShadow));
        DrawBitmap32(draw->hdc, thumb, r.left, r.top);
    }
    m.Result = CDRF_SKIPDEFAULT;
    return true;
}

// ---- TSkinUpDown

bool TSkinUpDown::Horizontal() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & UDS_HORZ) != 0; }

const TDataSkinBorder* TSkinUpDown::Part() const {
    const TDataSkinBorder* part = Horizontal() ? Content().UpDownHorz.get() : Content().UpDownVert.get();
    return HasImage(part) ? part : nullptr;
}

int TSkinUpDown::ButtonAt(POINT p) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (Horizontal()) return p.x < client.right / 2 ? 0 : 1;
    return p.y < client.bottom / 2 ? 0 : 1;
}

int TSkinUpDown::ButtonFrame(int button) const {
    int state = 1;
    if (!IsWindowEnabled(Handle()))
        state = 4;
    else if (pressedButton_ == button)
        state = 3;
    else if (hotButton_ == button)
        state = 2;
    return button * 4 + state;
}

void TSkinUpDown::Track(POINT p) {
    const int hot = ButtonAt(p);
    if (hot == hotButton_) return;
    hotButton_ = hot;
    PaintWindow(nullptr);
}

bool TSkinUpDown::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (m.Msg == WM_LBUTTONUP) pressedButton_ = -1;  // released before the control hears it
    return PaintItself(m);
}

void TSkinUpDown::AfterMessage(TMessage& m) {
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The control has stepped already; the button shows pressed while it is held.
            pressedButton_ = ButtonAt(p);
            PaintWindow(nullptr);
            return;
        case WM_LBUTTONUP: PaintWindow(nullptr); return;
        case WM_CAPTURECHANGED:
            if (pressedButton_ >= 0) {
                pressedButton_ = -1;
                PaintWindow(nullptr);
            }
            return;
        case WM_MOUSEMOVE: Track(p); return;
        case CM_MOUSELEAVE:
        case WM_MOUSELEAVE:
            hotButton_ = -1;
            PaintWindow(nullptr);
            return;
        case UDM_SETPOS32:
        case UDM_SETPOS:
        case WM_ENABLE:
        case CM_ENABLEDCHANGED: PaintWindow(nullptr); return;
        case WM_PAINT: return;  // painted before the control, which never saw it
    }
    TSkinControl::AfterMessage(m);
}

void TSkinUpDown::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0) return;
    const bool horizontal = Horizontal();
    const RECT halves[2] = {horizontal ? RECT{0, 0, w / 2, h} : RECT{0, 0, w, h / 2},
                            horizontal ? RECT{w / 2, 0, w, h} : RECT{0, h / 2, w, h}};
    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    const TDataSkinBorder* part = Part();
    for (int b = 0; b < 2; ++b) {
        const RECT& r = halves[b];
        if (part) {
            DrawPart(image, r.left, r.top, r.right - r.left, r.bottom - r.top, *part, ButtonFrame(b));
            continue;
        }
        // The classic look: a raised face, sunk while pressed, and an arrow.
        const uint32_t light = ColourRefToPixel(Content().Colours.ButtonHilight);
        const uint32_t shadow = ColourRefToPixel(Content().Colours.ButtonShadow);
        const uint32_t dark = ColourRefToPixel(Content().Colours.ButtonDkShadow);
        const bool pressed = pressedButton_ == b;
        FillPixels(image, RECT{r.left, r.top, r.right, r.top + 1}, pressed ? dark : light);
        FillPixels(image, RECT{r.left, r.top, r.left + 1, r.bottom}, pressed ? dark : light);
        FillPixels(image, RECT{r.left, r.bottom - 1, r.right, r.bottom}, pressed ? light : dark);
        FillPixels(image, RECT{r.right - 1, r.top, r.right, r.bottom}, pressed ? light : dark);
        FillPixels(image, RECT{r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, pressed ? light : shadow);
        FillPixels(image, RECT{r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, pressed ? light : shadow);
        const uint32_t ink = IsWindowEnabled(Handle()) ? ColourRefToPixel(Content().Colours.ButtonText) : shadow;
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 3; ++i) {
            // Rows (or columns) of 1, 3 and 5 pixels make the arrow.
            if (horizontal) {
                const int x = b == 0 ? cx - 1 + i : cx + 1 - i;
                FillPixels(image, RECT{x, cy - i, x + 1, cy + i + 1}, ink);
            } else {
                const int y = b == 0 ? cy - 1 + i : cy + 1 - i;
                FillPixels(image, RECT{cx - i, y, cx + i + 1, y + 1}, ink);
            }
        }
    }
    ShowImage(dc, bounds, image);
}

// ---- TSkinProgress

bool TSkinProgress::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!HasImage(Content().Progress.get())) return true;  // the control keeps its own look
    return PaintItself(m);
}

int TSkinProgress::FilledWidth(int width) const {
    PBRANGE range{};
    SendMessageW(Handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = int(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
    const long long span = (long long)range.iHigh - range.iLow;
    if (span <= 0 || position <= range.iLow) return 0;
    return int(std::min<long long>(width, (position - range.iLow) * (long long)width / span));
}

void TSkinProgress::Paint(HDC dc, const RECT& bounds) {
    const TDataSkinBorder* part = Content().Progress.get();
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (!HasImage(part) || w <= 0 || h <= 0) return;
    const int filled = FilledWidth(w);
    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    if (part->Style != 1) {
        DrawPart(image, 0, 0, w, h, *part, 1);
        if (filled > 0) DrawPart(image, 0, 0, filled, h, *part, 2);
    } else {
        // The trough in one piece; chunks side by side from its left slice on.
        StretchCopy(image, 0, 0, w, h, part->Image, 0, 0, part->Image.width, part->Image.height, true);
        const Bitmap32& chunk = part->Image2;
        if (!chunk.Empty()) {
            const int y = (h - chunk.height) / 2;
            const int end = std::min(filled, w);
            for (int x = std::max(0, int(part->LeftWidth)); x < end; x += chunk.width) {
                const int width = std::min(chunk.width, end - x);
                StretchCopy(image, x, y, width, chunk.height, chunk, 0, 0, width, chunk.height, true);
            }
        }
    }
    ShowImage(dc, bounds, image);
}
