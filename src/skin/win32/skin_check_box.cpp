#include "skin/win32/skin_check_box.h"

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"

namespace {

// The column a small box is centred in.
constexpr int kColumn = 14;

}  // namespace

int TSkinCheckBox::Frame() const {
    const LRESULT check = SendMessageW(Handle(), BM_GETCHECK, 0, 0);
    if (check == BST_INDETERMINATE) return 4;
    int frame = check == BST_CHECKED ? 2 : 1;
    if (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED) frame += 2;
    return frame;
}

RECT TSkinCheckBox::BoxRect(const RECT& bounds) const {
    const Bitmap32& image = Image();
    const int frames = std::max(FrameCount(), 1);
    const int fw = image.width / frames, fh = image.height;
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    const bool leftText = (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
    int x = 0;
    if (fw < 15) x = (kColumn - fw) / 2;
    if (leftText) x = fw < 15 ? w - kColumn + (kColumn - fw) / 2 : w - fw;
    const int y = (h - fh) / 2;
    return RECT{bounds.left + x, bounds.top + y, bounds.left + x + fw, bounds.top + y + fh};
}

void TSkinCheckBox::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case BM_SETCHECK:
        case BM_SETSTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYUP:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_UPDATEUISTATE:
        case CM_ENABLEDCHANGED:
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            // The system box has just drawn itself: the skinned box goes over it.
            PaintWindow(nullptr);
            return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinCheckBox::Paint(HDC dc, const RECT& bounds) {
    const Bitmap32& image = Image();
    if (image.Empty()) return;
    const RECT box = BoxRect(bounds);
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return;
    Bitmap32 face(w, h);
    FillBackground(face, RECT{0, 0, w, h});
    ::PaintFrame(face, 0, 0, w, h, image, std::max(FrameCount(), 1), Frame(), true);
    DrawBitmap32(dc, face, box.left, box.top);
}
