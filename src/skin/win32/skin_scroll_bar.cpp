#include "skin/win32/skin_scroll_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "ui/gdi.h"
#include "ui/win_control.h"

namespace {

// Frames of the Scrollbar part: four arrows in four states each (normal, hot, pressed,
// disabled), the grip on the thumb in the same states, the corner box, then a piece of
// horizontal and of vertical track.
constexpr int kArrowUp = 1;
constexpr int kArrowDown = 5;
constexpr int kArrowLeft = 9;
constexpr int kArrowRight = 13;
constexpr int kGrip = 17;
constexpr int kTrackHorz = 22;
constexpr int kTrackVert = 23;
constexpr int kScrollbarFrames = 23;
// The system's shortest proportional thumb.
constexpr int kMinThumb = 8;

bool HasImage(const TDataSkinObject* part) { return part && !part->Image.Empty(); }

bool Vertical(int bar) { return bar == SB_VERT; }

// Along the bar from its start, for a window-coordinate point.
int Along(int bar, const RECT& r, POINT p) { return Vertical(bar) ? p.y - r.top : p.x - r.left; }

// Window coordinates of a screen point.
POINT ToWindow(HWND hwnd, POINT screen) {
    RECT w{};
    GetWindowRect(hwnd, &w);
    return POINT{screen.x - w.left, screen.y - w.top};
}

void FillPixels(Bitmap32& image, const RECT& r, uint32_t colour) {
    for (int y = std::max(0, int(r.top)); y < std::min(image.height, int(r.bottom)); ++y)
        for (int x = std::max(0, int(r.left)); x < std::min(image.width, int(r.right)); ++x) image.At(x, y) = colour;
}

// The system keeps dragging while the pointer stays this near the bar; beyond it the thumb
// goes back to where it started.
bool NearBar(int bar, const RECT& r, POINT p) {
    RECT reach = r;
    const int thickness = Vertical(bar) ? r.right - r.left : r.bottom - r.top;
    if (Vertical(bar))
        InflateRect(&reach, thickness * 8, thickness * 2);
    else
        InflateRect(&reach, thickness * 2, thickness * 8);
    return PtInRect(&reach, p) != FALSE;
}

}  // namespace

// ---- geometry

RECT TSkinScrollBar::BarRect(int bar) const {
    HWND h = Handle();
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    if (!(style & (Vertical(bar) ? WS_VSCROLL : WS_HSCROLL))) return RECT{};
    RECT window{};
    GetWindowRect(h, &window);
    // The system's own rectangle, so that lengths (and so positions) agree with its bar.
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (GetScrollBarInfo(h, Vertical(bar) ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) {
        if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return RECT{};
        RECT r = info.rcScrollBar;
        OffsetRect(&r, -window.left, -window.top);
        return r;
    }
    RECT client{};
    GetClientRect(h, &client);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const int left = origin.x - window.left, top = origin.y - window.top;
    if (Vertical(bar)) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const bool leftSide = (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
        const int x = leftSide ? left - width : left + client.right;
        return RECT{x, top, x + width, top + client.bottom};
    }
    const int height = GetSystemMetrics(SM_CYHSCROLL);
    return RECT{left, top + client.bottom, left + client.right, top + client.bottom + height};
}

RECT TSkinScrollBar::CornerRect() const {
    const RECT v = BarRect(SB_VERT), h = BarRect(SB_HORZ);
    if (IsRectEmpty(&v) || IsRectEmpty(&h)) return RECT{};
    // Below the client area and beside it (the bars may reach a pixel into it).
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    const int bottom = std::max<int>(origin.y - window.top + client.bottom, v.bottom);
    return RECT{std::max(v.left, h.right), bottom, v.right, h.bottom};
}

TScrollState TSkinScrollBar::State(int bar) const {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    TScrollState s;
    if (!GetScrollInfo(Handle(), bar, &info)) return s;
    s.min = info.nMin;
    s.max = info.nMax;
    s.page = int(info.nPage);
    s.pos = info.nPos;
    return s;
}

TScrollLayout TSkinScrollBar::Layout(int bar) const {
    const RECT r = BarRect(bar);
    const bool v = Vertical(bar);
    const int length = v ? r.bottom - r.top : r.right - r.left;
    const int arrow = GetSystemMetrics(v ? SM_CYVSCROLL : SM_CXHSCROLL);
    const int square = GetSystemMetrics(v ? SM_CYVTHUMB : SM_CXHTHUMB);
    return LayoutScrollBar(length, arrow, State(bar), square, kMinThumb);
}

TScrollHit TSkinScrollBar::HitAt(int bar, POINT screen) const {
    const RECT r = BarRect(bar);
    const POINT p = ToWindow(Handle(), screen);
    if (!PtInRect(&r, p)) return TScrollHit::None;
    return HitScrollBar(Layout(bar), Along(bar, r, p));
}

// ---- painting

void TSkinScrollBar::PaintTrack(Bitmap32& image, const RECT& track, bool vertical, bool enabled) {
    const TDataSkinObject* part = vertical ? Content().VertScroll.get() : Content().HorzScroll.get();
    if (HasImage(part))
        DrawPart(image, track.left, track.top, track.right - track.left, track.bottom - track.top, *part, enabled ? 1 : 4);
    else
        FillPixels(image, track, ColourRefToPixel(Content().Colours.Scrollbar));
}

void TSkinScControl::PaintTrack(Bitmap32& image, const RECT& track, bool vertical, bool) {
    const TDataSkinObject* part = Content().Scrollbar.get();
    const int w = track.right - track.left, h = track.bottom - track.top;
    if (HasImage(part) && w > 0 && h > 0)
        PaintFrame(image, track.left, track.top, w, h, part->Image, kScrollbarFrames, vertical ? kTrackVert : kTrackHorz,
                   false);
    else
        FillPixels(image, track, ColourRefToPixel(Content().Colours.Scrollbar));
}

void TSkinScrollBar::PaintBar(Bitmap32& image, int bar) {
    const TSkinContent& c = Content();
    const bool v = Vertical(bar);
    TScrollState s = State(bar);
    if (dragBar_ == bar) s.pos = dragPos_;  // the thumb follows the drag
    const RECT r = BarRect(bar);
    const int length = v ? r.bottom - r.top : r.right - r.left;
    const TScrollLayout l = LayoutScrollBar(length, GetSystemMetrics(v ? SM_CYVSCROLL : SM_CXHSCROLL), s,
                                            GetSystemMetrics(v ? SM_CYVTHUMB : SM_CXHTHUMB), kMinThumb);
    const bool enabled = IsWindowEnabled(Handle()) && l.HasThumb();
    auto along = [&](int from, int to) {
        return v ? RECT{0, from, image.width, to} : RECT{from, 0, to, image.height};
    };
    auto state = [&](TScrollHit hit) {
        if (!enabled) return 3;
        if (pressedBar_ == bar && pressedHit_ == hit) return 2;
        if (hotBar_ == bar && hotHit_ == hit) return 1;
        return 0;
    };
    FillBackground(image, RECT{0, 0, image.width, image.height});
    PaintTrack(image, along(l.TrackStart(), l.TrackEnd()), v, enabled);
    const TDataSkinObject& arrows = *c.Scrollbar;
    const RECT first = along(0, l.arrow), second = along(l.length - l.arrow, l.length);
    PaintFrame(image, first.left, first.top, first.right - first.left, first.bottom - first.top, arrows.Image,
               kScrollbarFrames, (v ? kArrowUp : kArrowLeft) + state(TScrollHit::LineUp), true);
    PaintFrame(image, second.left, second.top, second.right - second.left, second.bottom - second.top, arrows.Image,
               kScrollbarFrames, (v ? kArrowDown : kArrowRight) + state(TScrollHit::LineDown), true);
    if (!l.HasThumb()) return;
    const RECT thumb = along(l.thumbStart, l.thumbStart + l.thumbLength);
    const TDataSkinObject* thumbPart = v ? c.VertScrollThumb.get() : c.HorzScrollThumb.get();
    const int thumbState = state(TScrollHit::Thumb);
    if (HasImage(thumbPart)) {
        const int frame = std::min(thumbState + 1, std::max(1, int(thumbPart->FrameCount)));
        DrawPart(image, thumb.left, thumb.top, thumb.right - thumb.left, thumb.bottom - thumb.top, *thumbPart, frame);
    } else {
        FillPixels(image, thumb, ColourRefToPixel(c.Colours.ButtonShadow));
    }
    // The grip, centred, when the thumb has room for it.
    const PixelRect grip = FrameOf(arrows.Image, kScrollbarFrames, kGrip + thumbState, FrameLayout::SideBySide);
    const int room = v ? thumb.bottom - thumb.top : thumb.right - thumb.left;
    if (!grip.Empty() && room >= (v ? grip.height : grip.width) + 4) {
        const int x = (thumb.left + thumb.right - grip.width) / 2, y = (thumb.top + thumb.bottom - grip.height) / 2;
        StretchCopy(image, x, y, grip.width, grip.height, arrows.Image, grip.x, grip.y, grip.width, grip.height, true);
    }
}

Bitmap32 TSkinScrollBar::PaintedBar(int bar) {
    const RECT r = BarRect(bar);
    if (IsRectEmpty(&r) || !HasImage(Content().Scrollbar.get())) return Bitmap32();
    Bitmap32 image(r.right - r.left, r.bottom - r.top);
    PaintBar(image, bar);
    return image;
}

Bitmap32 TSkinScrollBar::RenderBar(int bar) {
    Bitmap32 image = PaintedBar(bar);
    if (bar != SB_HORZ || image.Empty()) return image;
    // The system's bars each reach one pixel into the corner and so share one pixel; the
    // vertical bar, painted after the horizontal one, shows there.
    const RECT h = BarRect(SB_HORZ), v = BarRect(SB_VERT);
    RECT shared{};
    if (!IntersectRect(&shared, &h, &v)) return image;
    const Bitmap32 vertical = PaintedBar(SB_VERT);
    if (vertical.Empty()) return image;
    for (int y = shared.top; y < shared.bottom; ++y)
        for (int x = shared.left; x < shared.right; ++x) image.At(x - h.left, y - h.top) = vertical.At(x - v.left, y - v.top);
    return image;
}

void TSkinScrollBar::PaintBars(HDC dc) {
    if (!HasImage(Content().Scrollbar.get())) return;  // the system's bars stay
    for (int bar : {SB_HORZ, SB_VERT}) {  // in this order: see RenderBar
        const RECT r = BarRect(bar);
        if (IsRectEmpty(&r)) continue;
        DrawBitmap32(dc, PaintedBar(bar), r.left, r.top);
        painted_[bar] = State(bar);
    }
    const RECT corner = CornerRect();
    if (!IsRectEmpty(&corner)) {
        Gdi<HBRUSH> brush(CreateSolidBrush(Content().Colours.Scrollbar));
        FillRect(dc, &corner, brush.Get());
    }
    paintedStyle_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
    paintedValid_ = true;
}

void TSkinScrollBar::RepaintBars() {
    if (!IsWindow(Handle()) || !IsWindowVisible(Handle())) return;
    WindowDC dc(Handle());
    if (dc.Get()) PaintBars(dc.Get());
}

void TSkinScrollBar::RepaintIfChanged() {
    if (!paintedValid_ || !IsWindow(Handle())) return;
    const DWORD style = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
    bool changed = (style & (WS_HSCROLL | WS_VSCROLL)) != (paintedStyle_ & (WS_HSCROLL | WS_VSCROLL));
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (changed || !(style & (Vertical(bar) ? WS_VSCROLL : WS_HSCROLL))) continue;
        const TScrollState s = State(bar), &p = painted_[bar];
        changed = s.min != p.min || s.max != p.max || s.page != p.page || s.pos != p.pos;
    }
    if (changed) RepaintBars();
}

// ---- messages

void TSkinScrollBar::NcMouseMove(WPARAM hit, POINT screen) {
    int bar = -1;
    if (hit == HTVSCROLL) bar = SB_VERT;
    if (hit == HTHSCROLL) bar = SB_HORZ;
    const TScrollHit part = bar >= 0 ? HitAt(bar, screen) : TScrollHit::None;
    if (bar >= 0 && !trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    hotBar_ = part == TScrollHit::None ? -1 : bar;
    hotHit_ = part;
}

bool TSkinScrollBar::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!HasImage(Content().Scrollbar.get())) return true;
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            NcMouseMove(m.WParam, POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            if (SwallowsNcMouseMove() && (m.WParam == HTVSCROLL || m.WParam == HTHSCROLL)) {
                RepaintBars();
                m.Result = 0;
                return false;
            }
            return true;
        case WM_NCMOUSELEAVE:
            trackingLeave_ = false;
            hotBar_ = -1;
            hotHit_ = TScrollHit::None;
            return true;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: {
            if (m.WParam != HTVSCROLL && m.WParam != HTHSCROLL) return true;
            const int bar = m.WParam == HTVSCROLL ? SB_VERT : SB_HORZ;
            const POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            const TScrollHit hit = HitAt(bar, screen);
            if (hit == TScrollHit::Thumb && IsWindowEnabled(Handle()) && OwnThumbDrag()) {
                TrackThumb(bar, screen);
                m.Result = 0;
                return false;
            }
            if (hit == TScrollHit::Thumb) {
                // The system tracks this control's thumb; the skin follows its reports.
                dragBar_ = bar;
                dragPos_ = State(bar).pos;
            }
            // Arrows and track: the system's own loop runs; the part shows pressed meanwhile.
            pressedBar_ = bar;
            pressedHit_ = hit;
            RepaintBars();
            return true;
        }
    }
    return true;
}

void TSkinScrollBar::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_NCPAINT:
            RepaintBars();
            return;
        case WM_PRINT:
            if (m.LParam & PRF_NONCLIENT) PaintBars(reinterpret_cast<HDC>(m.WParam));
            return;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            // The system's loop has ended with the button.
            if (pressedBar_ >= 0) {
                pressedBar_ = -1;
                pressedHit_ = TScrollHit::None;
                dragBar_ = -1;
                RepaintBars();
            }
            return;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (dragBar_ == (m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ) && pressedBar_ == dragBar_) {
                // The system's own drag: its tracking position is where the thumb is.
                SCROLLINFO info{sizeof(info), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
                GetScrollInfo(Handle(), dragBar_, &info);
                const WORD code = LOWORD(m.WParam);
                dragPos_ = code == SB_THUMBTRACK || code == SB_THUMBPOSITION ? info.nTrackPos : info.nPos;
            }
            RepaintBars();
            return;
        case WM_NCMOUSEMOVE:
        case WM_NCMOUSELEAVE:
            // The system may have lit its own bar.
            RepaintBars();
            return;
        case WM_PAINT:
            // Controls set their bars again while they paint (a tree view does), and the
            // system redraws them then even when nothing changed.
            TSkinControl::AfterMessage(m);
            RepaintBars();
            return;
        case WM_MOUSEWHEEL:
        case WM_SIZE:
        case WM_STYLECHANGED:
            RepaintBars();
            return;
        case WM_NCDESTROY: TSkinControl::AfterMessage(m); return;
    }
    TSkinControl::AfterMessage(m);
    // The control may have moved its bars inside any message (typing, keys, new text); the
    // system then redrew them its own way.
    if (Attached() && !Dragging()) RepaintIfChanged();
}

void TSkinScrollBar::TrackThumb(int bar, POINT screen) {
    HWND h = Handle();
    const UINT msg = Vertical(bar) ? WM_VSCROLL : WM_HSCROLL;
    const RECT r = BarRect(bar);
    const TScrollState start = State(bar);
    const TScrollLayout l = Layout(bar);
    const int grab = Along(bar, r, ToWindow(h, screen)) - l.thumbStart;
    dragBar_ = bar;
    dragPos_ = start.pos;
    pressedBar_ = bar;
    pressedHit_ = TScrollHit::Thumb;
    RepaintBars();
    SetCapture(h);
    // As the system's bar does, the press itself reports the thumb where it is.
    SendMessageW(h, msg, MAKEWPARAM(SB_THUMBTRACK, start.pos), 0);
    // Client to window coordinates, for the captured mouse messages.
    RECT window{};
    GetWindowRect(h, &window);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const POINT clientOffset{origin.x - window.left, origin.y - window.top};
    int value = start.pos;
    MSG message{};
    while (GetCapture() == h) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(int(message.wParam));  // the loop above ends too
            break;
        }
        if (message.hwnd == h && (message.message == WM_MOUSEMOVE || message.message == WM_LBUTTONUP)) {
            const POINT p{GET_X_LPARAM(message.lParam) + clientOffset.x, GET_Y_LPARAM(message.lParam) + clientOffset.y};
            const int now = NearBar(bar, r, p) ? ThumbValue(l, start, Along(bar, r, p) - grab) : start.pos;
            if (message.message == WM_MOUSEMOVE) {
                // Every move is reported, changed or not, as the system's bar reports it.
                if (now != value) {
                    value = now;
                    dragPos_ = value;
                    RepaintBars();
                }
                SendMessageW(h, msg, MAKEWPARAM(SB_THUMBTRACK, value), 0);
                continue;
            }
            value = now;
            ReleaseCapture();
            break;
        }
        if (message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (GetCapture() == h) ReleaseCapture();
    if (IsWindow(h)) {
        SendMessageW(h, msg, MAKEWPARAM(SB_THUMBPOSITION, value), 0);
        SendMessageW(h, msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    }
    dragBar_ = -1;
    pressedBar_ = -1;
    pressedHit_ = TScrollHit::None;
    if (Attached()) RepaintBars();
}

// ---- TSkinHeader

int TSkinHeader::SectionFrame(int index) const {
    if (!IsWindowEnabled(Handle())) return 4;
    if (index == pressedSection_) return 3;
    if (index == hotSection_) return 2;
    return 1;
}

bool TSkinHeader::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!HasImage(Content().Headerbar.get())) return true;
    return PaintItself(m);
}

void TSkinHeader::AfterMessage(TMessage& m) {
    auto sectionAt = [&](LPARAM at) {
        HDHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        const int index = int(SendMessageW(Handle(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        return (hit.flags & HHT_ONHEADER) ? index : -1;
    };
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            const int hot = sectionAt(m.LParam);
            if (hot != hotSection_) {
                hotSection_ = hot;
                Redraw();
            }
            return;
        }
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            hotSection_ = -1;
            Redraw();
            return;
        case WM_LBUTTONDOWN:
            pressedSection_ = sectionAt(m.LParam);
            Redraw();
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (pressedSection_ >= 0) {
                pressedSection_ = -1;
                Redraw();
            }
            return;
        case WM_PAINT: return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinHeader::Paint(HDC dc, const RECT& bounds) {
    const TDataSkinObject* part = Content().Headerbar.get();
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (!HasImage(part) || w <= 0 || h <= 0) return;
    HWND header = Handle();
    Bitmap32 image(w, h);
    FillBackground(image, RECT{0, 0, w, h});
    const int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    int end = 0;
    struct Section {
        RECT rect;
        std::wstring text;
        int format;
    };
    std::vector<Section> sections;
    for (int i = 0; i < count; ++i) {
        Section s{};
        SendMessageW(header, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&s.rect));
        wchar_t text[260] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(header, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        s.text = text;
        s.format = item.fmt;
        DrawPart(image, s.rect.left, 0, s.rect.right - s.rect.left, h, *part, SectionFrame(i));
        end = std::max(end, int(s.rect.right));
        sections.push_back(std::move(s));
    }
    // The rest of the strip, past the last section.
    if (end < w) DrawPart(image, end, 0, w - end, h, *part, 1);
    ShowImage(dc, bounds, image, [&](HDC mem) {
        SetTextColor(mem, part->NormalColour2);
        for (const Section& s : sections) {
            RECT r{s.rect.left + 6, 0, s.rect.right - 6, h};
            const int align = (s.format & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                              : (s.format & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                            : DT_LEFT;
            DrawTextW(mem, s.text.c_str(), int(s.text.size()), &r,
                      UINT(align) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    });
}

// ---- TSkinListView

void TSkinListView::Attach(TWinControl& control, bool recolour) {
    TSkinScrollBar::Attach(control, recolour);
    AttachHeader();
}

void TSkinListView::AttachHandle(HWND hwnd) {
    TSkinScrollBar::AttachHandle(hwnd);
    AttachHeader();
}

void TSkinListView::AttachHeader() {
    if (!Attached() || header_) return;
    HWND header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
    if (!header) return;
    header_ = std::make_unique<TSkinHeader>(form_, skin_);
    header_->AttachHandle(header);
}

void TSkinListView::Detach() {
    if (header_) header_->Detach();
    header_.reset();
    TSkinScrollBar::Detach();
}

void TSkinListView::Refresh() {
    TSkinScrollBar::Refresh();
    if (header_) header_->Refresh();
}
