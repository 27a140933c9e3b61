#include "skin/win32/skin_check_box.h"

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "ui/check_box.h"

namespace {

// The system's box is this wide; a narrower skin box is centred in a column of it.
constexpr int kColumn = 14;

}  // namespace

const Bitmap32& TSkinCheckBox::Image() const { return Content().Buttons.CheckImage; }

int TSkinCheckBox::FrameCount() const { return Content().Buttons.CheckFrameCount; }

int TSkinCheckBox::CheckState() const {
    if (const auto* box = dynamic_cast<const TCheckBox*>(Control())) {
        const TCheckBoxState state = box->State;
        return state == cbChecked ? BST_CHECKED : state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
    }
    return int(SendMessageW(Handle(), BM_GETCHECK, 0, 0));
}

const Bitmap32& TSkinRadioButton::Image() const { return Content().Buttons.RadioImage; }

int TSkinRadioButton::FrameCount() const { return Content().Buttons.RadioFrameCount; }

int TSkinRadioButton::CheckState() const {
    if (const auto* button = dynamic_cast<const TRadioButton*>(Control()))
        return button->Checked ? BST_CHECKED : BST_UNCHECKED;
    return int(SendMessageW(Handle(), BM_GETCHECK, 0, 0));
}

int TSkinCheckBox::Frame() const {
    if (Image().Empty()) return 0;
    const int state = CheckState();
    if (state == BST_INDETERMINATE) return 4;
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    return (state == BST_CHECKED ? 2 : 1) + (enabled ? 0 : 2);
}

RECT TSkinCheckBox::BoxRect(const RECT& bounds) const {
    const int count = std::max(1, FrameCount());
    const int w = Image().width / count, h = Image().height;
    const bool right = (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
    const int column = std::max(w, kColumn);
    const int columnLeft = right ? bounds.right - column : bounds.left;
    const int x = w < kColumn + 1 ? columnLeft + (kColumn - w) / 2 : columnLeft;
    const int y = bounds.top + (bounds.bottom - bounds.top - h) / 2;
    return RECT{x, y, x + w, y + h};
}

void TSkinCheckBox::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            // The button painted itself: the box goes over it.
            PaintWindow(reinterpret_cast<HDC>(m.WParam));
            return;
        case BM_SETCHECK:
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            // The system button draws these changes at once, without a WM_PAINT.
            ReadState();
            PaintWindow(nullptr);
            return;
        case WM_NCDESTROY: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinCheckBox::Paint(HDC dc, const RECT& bounds) {
    const int frame = Frame();
    if (frame == 0) return;
    const RECT box = BoxRect(bounds);
    const int count = std::max(1, FrameCount());
    const int column = std::max(int(box.right - box.left), kColumn);
    const bool right = (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
    // ButtonFace under the whole column hides the system's box, whatever its size.
    const int coverTop = std::min<int>(box.top, bounds.top + (bounds.bottom - bounds.top - kColumn) / 2);
    const int coverBottom = std::max<int>(box.bottom, coverTop + kColumn);
    const RECT cover{right ? bounds.right - column : bounds.left, std::max<int>(bounds.top, coverTop),
                     right ? bounds.right : bounds.left + column, std::min<int>(bounds.bottom, coverBottom)};
    const int w = cover.right - cover.left, h = cover.bottom - cover.top;
    if (w <= 0 || h <= 0) return;
    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    const PixelRect f = FrameOf(Image(), count, frame, FrameLayout::SideBySide);
    StretchCopy(image, box.left - cover.left, box.top - cover.top, f.width, f.height, Image(), f.x, f.y, f.width, f.height,
                true);
    DrawBitmap32(dc, image, cover.left, cover.top);
}
