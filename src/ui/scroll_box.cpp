#include "ui/scroll_box.h"

#include <algorithm>

namespace {

constexpr int kLine = 16;  // pixels per arrow click and per wheel notch step

}  // namespace

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 41;
}

void TScrollBox::CreateParams(TCreateParams& params) {
    params.style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::InitWnd() {
    TWinControl::InitWnd();
    UpdateBars();
}

SIZE TScrollBox::ClientSize() const {
    RECT r{};
    if (HandleAllocated()) GetClientRect(WindowHandle(), &r);
    return SIZE{r.right, r.bottom};
}

void TScrollBox::SetRange(int width, int height) {
    rangeWidth_ = std::max(0, width);
    rangeHeight_ = std::max(0, height);
    UpdateBars();
    ScrollTo(x_, y_);
}

void TScrollBox::UpdateBars() {
    if (!HandleAllocated()) return;
    // Showing one bar narrows the client area for the other: settle in two rounds.
    for (int round = 0; round < 2; ++round) {
        const SIZE client = ClientSize();
        SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        info.nMax = std::max(0, rangeWidth_ - 1);
        info.nPage = UINT(std::max<LONG>(0, client.cx));
        info.nPos = x_;
        SetScrollInfo(WindowHandle(), SB_HORZ, &info, TRUE);
        info.nMax = std::max(0, rangeHeight_ - 1);
        info.nPage = UINT(std::max<LONG>(0, client.cy));
        info.nPos = y_;
        SetScrollInfo(WindowHandle(), SB_VERT, &info, TRUE);
    }
}

void TScrollBox::ScrollTo(int x, int y) {
    const SIZE client = ClientSize();
    x = std::clamp(x, 0, std::max(0, rangeWidth_ - int(client.cx)));
    y = std::clamp(y, 0, std::max(0, rangeHeight_ - int(client.cy)));
    const int dx = x - x_, dy = y - y_;
    x_ = x;
    y_ = y;
    if (!HandleAllocated()) return;
    SetScrollPos(WindowHandle(), SB_HORZ, x_, TRUE);
    SetScrollPos(WindowHandle(), SB_VERT, y_, TRUE);
    if (dx == 0 && dy == 0) return;
    const auto children = Controls();
    for (TControl* c : children) c->SetBounds(c->Left - dx, c->Top - dy, c->Width, c->Height);
    Invalidate();
}

int TScrollBox::ScrollPosition(int bar, WPARAM request) const {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(WindowHandle(), bar, &info);
    const int page = std::max(1, int(info.nPage));
    switch (LOWORD(request)) {
        case SB_LINEUP: return info.nPos - kLine;
        case SB_LINEDOWN: return info.nPos + kLine;
        case SB_PAGEUP: return info.nPos - page;
        case SB_PAGEDOWN: return info.nPos + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return HIWORD(request);  // the position the drag reports
        case SB_TOP: return info.nMin;
        case SB_BOTTOM: return info.nMax;
        default: return info.nPos;
    }
}

void TScrollBox::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_HSCROLL:
            ScrollTo(ScrollPosition(SB_HORZ, message.WParam), y_);
            message.Result = 0;
            return;
        case WM_VSCROLL:
            ScrollTo(x_, ScrollPosition(SB_VERT, message.WParam));
            message.Result = 0;
            return;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
            ScrollTo(x_, y_ - notches * 3 * kLine);
            message.Result = 0;
            return;
        }
        case WM_SIZE:
            TWinControl::WndProc(message);
            UpdateBars();
            ScrollTo(x_, y_);
            return;
    }
    TWinControl::WndProc(message);
}
