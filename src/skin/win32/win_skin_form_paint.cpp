// The frame painter and the window region of a skinned window. The borders are drawn with the
// part renderer; the caption is composed in a DIB section (Top part, TextBack, text in the
// system's caption font, buttons) and copied to the window in one piece.
#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/win_skin_form.h"
#include "skin/win32/win_skin_menu.h"

namespace {

// The frame borders keep the description's Stretch value in Tile: 1 stretches the middle,
// anything else tiles it.
bool TilesMiddle(const TDataSkinObject& border) { return border.Tile != 1; }

int BorderFrame(const TDataSkinObject& part, bool active) { return active || part.FrameCount <= 1 ? 1 : 2; }

// The runs of non-magenta pixels of image, placed at (x, y), as a region; rows with the same
// runs share one band.
HRGN ShapeRegion(const Bitmap32& image, int x, int y) {
    std::vector<RECT> rects;
    std::vector<std::pair<int, int>> previous;
    size_t band = 0;  // first rect of the previous row's band
    for (int row = 0; row < image.height; ++row) {
        std::vector<std::pair<int, int>> runs;
        for (int col = 0; col < image.width;) {
            while (col < image.width && (image.At(col, row) & 0xFFFFFF) == kTransparentPixel) ++col;
            const int start = col;
            while (col < image.width && (image.At(col, row) & 0xFFFFFF) != kTransparentPixel) ++col;
            if (col > start) runs.emplace_back(start, col);
        }
        if (row > 0 && runs == previous) {
            for (size_t i = band; i < rects.size(); ++i) ++rects[i].bottom;
            continue;
        }
        band = rects.size();
        for (const auto& [from, to] : runs) rects.push_back(RECT{x + from, y + row, x + to, y + row + 1});
        previous = std::move(runs);
    }
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(rects.size());
    header->nRgnSize = DWORD(rects.size() * sizeof(RECT));
    header->rcBound = RECT{x, y, x + image.width, y + image.height};
    if (!rects.empty()) std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

void TWinSkinForm::RepaintFrame() {
    if (!FrameSkinned()) return;
    WindowDC dc(hwnd_);
    if (dc.Get()) PaintFrame(dc.Get());
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((lifeState_ != lsSkinned && lifeState_ != lsReskinning) || frameKind_ == fkNoFrame ||
        (windowKind_ == wkMdiChild && windowState_ == wsMaximized) || !skin_)
        return;
    // A skin being loaded (or that failed to load) keeps the parts it had until a new skin
    // has been read completely: the frame goes on being painted from them.
    try {
        const TSkinContent& c = skin_->Content();
        RECT window{};
        GetWindowRect(hwnd_, &window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const TFrameMetrics& m = metrics_;
        const Bitmap32 left = RenderPart(m.left, height, c.Left, FrameLayout::SideBySide, TilesMiddle(c.Left),
                                         BorderFrame(c.Left, active_));
        const Bitmap32 right = RenderPart(m.right, height, c.Right, FrameLayout::SideBySide, TilesMiddle(c.Right),
                                          BorderFrame(c.Right, active_));
        const Bitmap32 bottom = RenderPart(width - m.left - m.right, m.bottom, c.Bottom, FrameLayout::Stacked,
                                           TilesMiddle(c.Bottom), BorderFrame(c.Bottom, active_));
        DrawBitmap32(dc, left, 0, 0);
        DrawBitmap32(dc, right, width - m.right, 0);
        DrawBitmap32(dc, bottom, m.left, height - m.bottom);
        ComposeCaption(width, left, right);
        if (!caption_.Empty()) BitBlt(dc, 0, 0, caption_.Width(), caption_.Height(), caption_.Dc(), 0, 0, SRCCOPY);
        if (menuBar_ && m.menuBar > 0)
            menuBar_->Paint(dc, RECT{m.left, m.caption, width - m.right, m.caption + m.menuBar}, active_);
    } catch (...) {
        // A frame that cannot be painted this time is simply not painted.
    }
}

// The caption strip: the side borders' upper ends (from their parts drawn at the window's
// height), the Top part, the text and the buttons.
void TWinSkinForm::ComposeCaption(int width, const Bitmap32& left, const Bitmap32& right) {
    const TSkinContent& c = skin_->Content();
    const TFrameMetrics& m = metrics_;
    if (!caption_.Resize(width, m.caption)) return;
    Bitmap32 strip(width, m.caption);
    const Bitmap32 top = RenderPart(width - m.left - m.right, m.caption, c.Top, FrameLayout::Stacked,
                                    TilesMiddle(c.Top), BorderFrame(c.Top, active_));
    const int rows = std::min(m.caption, left.height);
    StretchCopy(strip, 0, 0, left.width, rows, left, 0, 0, left.width, rows);
    StretchCopy(strip, width - m.right, 0, right.width, rows, right, 0, 0, right.width, rows);
    StretchCopy(strip, m.left, 0, top.width, top.height, top, 0, 0, top.width, top.height);
    caption_.Put(strip, 0, 0);
    DrawCaptionText(width);
    captionBack_ = Bitmap32(width, m.caption);
    caption_.Get(captionBack_, 0, 0, width, m.caption, 0, 0);
    LayOutButtons(width);
    for (const auto& button : buttons_) DrawButton(*button);
}

// The caption text box: measured on the text and three blanks, widened by the TextBack's
// fixed ends, placed by TextAlignment, then cut at TextRightClip (a pop-up window's box instead
// reaches to just before its right-hand buttons).
void TWinSkinForm::DrawCaptionText(int width) {
    const TSkinContent& c = skin_->Content();
    const TDataSkinTitle& t = c.Title;
    const TFrameMetrics& m = metrics_;
    HDC dc = caption_.Dc();
    SelectGuard font(dc, captionFont_.Get());
    const std::wstring measured = text_ + L"   ";
    RECT size{0, 0, 0, 0};
    DrawTextW(dc, measured.c_str(), int(measured.size()), &size, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int boxWidth = int(size.right) + t.TXTBackleft + t.TXTBackRight;
    const int boxHeight = int(size.bottom);
    const int areaLeft = m.left;
    const int areaRight = width - m.right;
    const int spare = areaRight - areaLeft - boxWidth;
    int x = t.TextShift;
    if (rightToLeft_ || t.TextAlignment == 2)
        x = spare - t.TextRightClip;
    else if (t.TextAlignment == 1)
        x = spare / 2;
    const int y = (m.caption - boxHeight) / 2 + t.TextShiftVert / 2;
    RECT box{areaLeft + x, y, areaLeft + x + boxWidth, y + boxHeight};
    if (style_ & WS_POPUP) {
        if (rightButtonsLeft_ >= 0 && box.right < rightButtonsLeft_ - 5) box.right = rightButtonsLeft_ - 5;
    } else {
        box.right = std::min<LONG>(box.right, areaRight - t.TextRightClip);
    }
    textBox_ = box;
    const int w = box.right - box.left;
    if (w <= 0 || boxHeight <= 0) return;
    if (!t.Image.Empty()) {
        const Bitmap32 back = RenderNineSlice(w, boxHeight, t.Image, t.TXTBackleft, 0, t.TXTBackRight, 0,
                                              FrameLayout::SideBySide, false, t.FrameCount, active_ ? 1 : 2);
        Bitmap32 under(w, boxHeight);
        caption_.Get(under, box.left, box.top, w, boxHeight, 0, 0);
        StretchCopy(under, 0, 0, w, boxHeight, back, 0, 0, w, boxHeight, t.Trans != 0);
        caption_.Put(under, box.left, box.top);
    }
    RECT inner{box.left + t.TXTBackleft, box.top, box.right - t.TXTBackRight, box.bottom};
    const std::wstring shown = L"  " + text_;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, active_ ? c.Colours.TitleTextActive : c.Colours.TitleTextNoActive);
    DrawTextW(dc, shown.c_str(), int(shown.size()), &inner,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | (rightToLeft_ ? DT_RIGHT : DT_LEFT));
    GdiFlush();
}

void TWinSkinForm::LayOutButtons(int width) {
    const TCaptionState state = CaptionState();
    int rightmost = -1;
    for (const auto& button : buttons_) {
        const TDataSkinSysButton& d = button->Data;
        const bool icon = button->IsIconButton() && d.Image.Empty();
        const int w = icon ? iconSize_.cx : d.Image.width / std::max(d.FrameCount, 1);
        const int h = icon ? iconSize_.cy : d.Image.height;
        button->Visible = w > 0 && h > 0 && CaptionButtonVisible(d, state);
        if (!button->Visible) {
            button->Bounds = RECT{};
            continue;
        }
        int x = d.Xcoord;
        switch (d.Align) {
            case 1: x = width - d.Xcoord; break;
            case 2:
            case 8: x = textBox_.left - w - d.Xcoord; break;
            case 3:
            case 9: x = textBox_.right + d.Xcoord; break;
            case 100:
                // The MDI buttons sit on the menu bar, which draws them.
                x = rightToLeft_ ? d.Xcoord + metrics_.left : width - d.Xcoord - metrics_.right;
                break;
        }
        button->Bounds = RECT{x, d.Ycoord, x + w, d.Ycoord + h};
        if (d.Align == 1 && (rightmost < 0 || x < rightmost)) rightmost = x;
    }
    rightButtonsLeft_ = rightmost;
}

void TWinSkinForm::DrawButton(const TWinSysButton& button) {
    if (!button.Visible || button.Data.Align == 100 || caption_.Empty()) return;
    const RECT& r = button.Bounds;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (button.IsIconButton() && button.Data.Image.Empty()) {
        if (icon_) DrawIconEx(caption_.Dc(), r.left, r.top, icon_, w, h, 0, nullptr, DI_NORMAL);
        GdiFlush();
        return;
    }
    const TDataSkinSysButton& d = button.Data;
    const int frames = std::max(d.FrameCount, 1);
    // Frames 1-3 are normal, pressed and hot; an image of four or more frames has the
    // inactive looks from frame 4 on.
    int frame = button.State;
    if (!active_ && frames >= 4) frame += 3;
    if (d.Visibility == 100 && button.State == kItemHot) frame = 4;
    Bitmap32 under(w, h);
    caption_.Get(under, r.left, r.top, w, h, 0, 0);
    ::PaintFrame(under, 0, 0, w, h, d.Image, frames, std::min(frame, frames), true);
    caption_.Put(under, r.left, r.top);
}

void TWinSkinForm::PaintCaptionButton(TWinSysButton& button) {
    if (!FrameSkinned() || caption_.Empty() || captionBack_.width != caption_.Width()) return;
    const RECT& r = button.Bounds;
    caption_.Put(captionBack_, r.left, r.top, r.right - r.left, r.bottom - r.top, r.left, r.top);
    DrawButton(button);
    WindowDC dc(hwnd_);
    if (dc.Get()) BitBlt(dc.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, caption_.Dc(), r.left, r.top, SRCCOPY);
}

// The window's shape: the client area with the borders around it, each border cut to its
// painted pixels when its part is transparent (magenta corners fall outside the window).
HRGN TWinSkinForm::MakeRegion(int width, int height) const {
    const TSkinContent& c = skin_->Content();
    const TFrameMetrics& m = metrics_;
    Gdi<HRGN> region(CreateRectRgn(0, 0, width, height));
    if (!region || !(c.Left.Trans || c.Right.Trans || c.Top.Trans || c.Bottom.Trans)) return region.Release();
    SetRectRgn(region.Get(), m.left, m.caption, width - m.right, height - m.bottom);
    auto add = [&](const TDataSkinBorder& part, FrameLayout layout, int x, int y, int w, int h) {
        if (w <= 0 || h <= 0) return;
        Gdi<HRGN> piece;
        if (part.Trans == 1 && h > 1)  // a border 1 pixel high is a rectangle
            piece.Reset(ShapeRegion(RenderPart(w, h, part, layout, TilesMiddle(part), BorderFrame(part, active_)), x, y));
        else
            piece.Reset(CreateRectRgn(x, y, x + w, y + h));
        if (piece) CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
    };
    add(c.Left, FrameLayout::SideBySide, 0, 0, m.left, height);
    add(c.Right, FrameLayout::SideBySide, width - m.right, 0, m.right, height);
    add(c.Top, FrameLayout::Stacked, m.left, 0, width - m.left - m.right, m.caption);
    add(c.Bottom, FrameLayout::Stacked, m.left, height - m.bottom, width - m.left - m.right, m.bottom);
    return region.Release();
}

// Gives the window the region for its size (or for the size it is about to get). Without
// redraw the caller repaints: setting a region with redraw is a frame change of its own.
void TWinSkinForm::BuildRegion(bool force, SIZE size, bool redraw) {
    if (frameKind_ == fkNoFrame || !skin_) return;
    if (size.cx < 0) {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        size = SIZE{window.right - window.left, window.bottom - window.top};
    }
    if (!force && windowKind_ != wkMdiChild && lifeState_ != lsReskinning && regionSize_.cx == size.cx &&
        regionSize_.cy == size.cy)
        return;
    regionSize_ = size;
    Gdi<HRGN> region(MakeRegion(size.cx, size.cy));
    // The system owns the region from here on.
    if (region && SetWindowRgn(hwnd_, region.Get(), redraw)) region.Release();
}
