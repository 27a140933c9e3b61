#include "skin/win32/skin_combo_box.h"

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "ui/win_control.h"

namespace {

// The width of the control's sunken edge, inside which the text and the button lie.
constexpr int kEdge = 2;

void FrameRect(Bitmap32& image, const RECT& r, uint32_t colour) {
    for (int x = r.left; x < r.right; ++x) {
        if (x < 0 || x >= image.width) continue;
        if (r.top >= 0 && r.top < image.height) image.At(x, r.top) = colour;
        if (r.bottom - 1 >= 0 && r.bottom - 1 < image.height) image.At(x, r.bottom - 1) = colour;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        if (y < 0 || y >= image.height) continue;
        if (r.left >= 0 && r.left < image.width) image.At(r.left, y) = colour;
        if (r.right - 1 >= 0 && r.right - 1 < image.width) image.At(r.right - 1, y) = colour;
    }
}

void FillRect32(Bitmap32& image, const RECT& r, uint32_t colour) {
    for (int y = std::max(0, int(r.top)); y < std::min(image.height, int(r.bottom)); ++y)
        for (int x = std::max(0, int(r.left)); x < std::min(image.width, int(r.right)); ++x) image.At(x, y) = colour;
}

}  // namespace

bool TSkinComBox::DroppedDown() const { return IsWindow(Handle()) && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool TSkinComBox::LeftScrollBar() const { return (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0; }

bool TSkinComBox::StyleOne() const { return Content().ComboButton && Content().ComboButton->Style == 1; }

ColourRef TSkinComBox::Background() const {
    if (Control()) return ColorToRGB(Control()->Color);
    return GetSysColor(COLOR_WINDOW);
}

int TSkinComBox::State() {
    const bool dropped = DroppedDown();
    // The press ends with the list: the button's release went to the list.
    if (wasDropped_ && !dropped) pressed_ = false;
    wasDropped_ = dropped;
    ReadState();
    if (!Enabled()) return 3;
    if (pressed_ || dropped) return 2;
    if (Focused() || hot_) return 4;
    return 1;
}

RECT TSkinComBox::ButtonRect(const RECT& bounds) const {
    const int width = StyleOne() ? GetSystemMetrics(SM_CYVTHUMB) : GetSystemMetrics(SM_CXVSCROLL);
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (LeftScrollBar()) return RECT{kEdge, kEdge, kEdge + width, h - kEdge};
    return RECT{w - kEdge - width, kEdge, w - kEdge, h - kEdge};
}

void TSkinComBox::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed_ = true;
            PaintWindow(nullptr);
            break;
        case WM_LBUTTONUP:
            pressed_ = false;
            PaintWindow(nullptr);
            break;
        case WM_MOUSEMOVE:
            if (!hot_ && !IsControl()) {
                hot_ = true;
                BecomeHot();
                PaintWindow(nullptr);
            }
            break;
        case CM_MOUSEENTER:
            hot_ = true;
            BecomeHot();
            PaintWindow(nullptr);
            break;
        case CM_MOUSELEAVE:
        case WM_MOUSELEAVE:
            if (m.Msg == CM_MOUSELEAVE || !IsControl()) {
                hot_ = false;
                StopBeingHot();
                PaintWindow(nullptr);
            }
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinComBox::Paint(HDC dc, const RECT& bounds) {
    const TSkinContent& c = Content();
    if (!c.ComboButton || c.ComboButton->Image.Empty()) return;
    const bool one = StyleOne();
    if (!one && (!c.SunkEdge || c.SunkEdge->Image.Empty())) return;
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 2 * kEdge || h <= 2 * kEdge) return;
    const int state = State();
    const bool left = LeftScrollBar();
    const RECT button = ButtonRect(bounds);
    const RECT text = left ? RECT{button.right, kEdge, w - kEdge, h - kEdge} : RECT{kEdge, kEdge, button.left, h - kEdge};

    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    if (!one) {
        DrawPart(image, 0, 0, w, h, *c.SunkEdge, state);
        // The mirrored button for a control whose scroll bar is on the left.
        TDataSkinBorder mirrored;
        const TDataSkinObject* part = c.ComboButton.get();
        if (left && !c.ComboButton->Image2.Empty()) {
            static_cast<TDataSkinObject&>(mirrored) = *c.ComboButton;
            mirrored.Image = c.ComboButton->Image2;
            std::swap(mirrored.LeftWidth, mirrored.RightWidth);
            part = &mirrored;
        }
        DrawPart(image, button.left, button.top, button.right - button.left, button.bottom - button.top, *part, state);
        if (c.ExtraImages && !c.ExtraImages->Image.Empty()) {
            const PixelRect f = FrameOf(c.ExtraImages->Image, c.ExtraImages->FrameCount, state, FrameLayout::SideBySide);
            const int x = button.left + (button.right - button.left - f.width) / 2;
            const int y = button.top + (button.bottom - button.top - f.height) / 2;
            StretchCopy(image, x, y, f.width, f.height, c.ExtraImages->Image, f.x, f.y, f.width, f.height,
                        c.ExtraImages->Trans != 0);
        }
    } else {
        const uint32_t back = ColourRefToPixel(Background());
        FrameRect(image, RECT{1, 1, w - 1, h - 1}, back);
        FillRect32(image, button, back);
        ::PaintFrame(image, button.left, button.top, button.right - button.left, button.bottom - button.top,
                     c.ComboButton->Image, c.ComboButton->FrameCount, state, c.ComboButton->Trans != 0);
        FrameRect(image, RECT{0, 0, w, h}, ColourRefToPixel(c.Colours.ButtonShadow));
    }

    SkinDib dib;
    if (!dib.Resize(w, h)) return;
    dib.Put(image, 0, 0);
    SavedDC saved(dc);
    // The text the control painted stays.
    ExcludeClipRect(dc, bounds.left + text.left, bounds.top + text.top, bounds.left + text.right, bounds.top + text.bottom);
    BitBlt(dc, bounds.left, bounds.top, w, h, dib.Dc(), 0, 0, SRCCOPY);
}
