#include "ui/win_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/errors.h"
#include "base/utf.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/guarded_call.h"
#include "ui/helper_window.h"
#include "ui/paint_buffer.h"

namespace {

// Names the object of a subclassed system control (whose GWLP_USERDATA is its class's).
constexpr wchar_t kControlProp[] = L"MuheControl";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

bool IsToolkitMessage(UINT msg) { return msg >= CM_BASE && msg < CN_BASE + 0x400; }

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    MarkDestroying();
    OnKeyPress = nullptr;
    OnKeyDown = nullptr;
    // A container takes the controls it holds with it.
    while (!controls_.empty()) FreeComponent(controls_.back());
    if (TForm* form = ParentForm(); form && form != this) form->ControlRemoved(this);
    DestroyHandle();
}

// ---- the window

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (!IsTopLevel()) {
        if (!parent_) throw Exception("Control '" + WideToUtf8(Name) + "' has no parent window");
        parent_->HandleNeeded();
        if (handle_) return;  // made together with the parent's
    }
    CreateWnd();
    // A system control is given its state before the toolkit's subclass goes in: nothing of
    // the toolkit or of a skin answers those messages, and each would pass the subclass chain
    // and the toolkit's dispatch for nothing.
    try {
        InitWnd();
    } catch (...) {
        FinishWnd();
        throw;
    }
    FinishWnd();
    // Topmost first: a child window is made below the siblings made before it, so making the
    // controls from the last to the first gives their order without moving any window.
    const auto children = controls_;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto* w = dynamic_cast<TWinControl*>(*it); w && !w->handle_) w->CreateHandle();
    }
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    p.x = left_;
    p.y = top_;
    p.width = width_;
    p.height = WindowHeightFor(height_);
    p.style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    p.parent = parent_ ? parent_->handle_ : nullptr;
    CreateParams(p);
    const bool child = (p.style & WS_CHILD) != 0;
    HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)) : nullptr;
    HWND hwnd = nullptr;
    if (p.systemClass.empty()) {
        const std::wstring className = ClassName();
        RegisterWindowClass(className.c_str(), ClassWndProc, p.classStyle, child ? TClassIcon::Arrow : TClassIcon::Program);
        ownClass_ = true;
        defWndProc_ = DefWindowProcW;
        hwnd = CreateWindowExW(p.exStyle, className.c_str(), caption_.c_str(), p.style, p.x, p.y, p.width,
                               p.height, p.parent, id, Instance(), this);
        if (!hwnd) handle_ = nullptr;
    } else {
        ownClass_ = false;
        hwnd = CreateWindowExW(p.exStyle, p.systemClass.c_str(), caption_.c_str(), p.style, p.x, p.y, p.width,
                               p.height, p.parent, id, Instance(), nullptr);
        if (hwnd) {
            defWndProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
            SetPropW(hwnd, kControlProp, this);
            handle_ = hwnd;
        }
    }
    if (!hwnd) throw Exception("Error creating window of " + WideToUtf8(ClassName()) + " " + WideToUtf8(Name));
    if (child) PlaceAmongSiblings(hwnd, p.parent);
}

void TWinControl::PlaceAmongSiblings(HWND hwnd, HWND parentWindow) {
    // The new window lies below its siblings' windows. That is its place unless a control
    // below it in the controls' order has its window already (a control added to a shown form,
    // a window made again): then it goes right under the nearest control above it that has one.
    if (!parent_ || parent_->handle_ != parentWindow) return;
    const auto& siblings = parent_->controls_;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    const auto windowOf = [this](TControl* c) -> HWND {
        auto* w = dynamic_cast<TWinControl*>(c);
        return w && w != this ? w->handle_ : nullptr;
    };
    if (std::none_of(siblings.begin(), self, windowOf)) return;
    HWND above = HWND_TOP;
    for (auto it = self + 1; it != siblings.end(); ++it) {
        if (HWND h = windowOf(*it)) {
            above = h;
            break;
        }
    }
    SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::FinishWnd() {
    HWND hwnd = handle_;
    if (!hwnd) return;
    if (!ownClass_ && !subclass_.Attached()) {
        try {
            subclass_ = TWindowSubclass(hwnd, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
                return SubclassDispatch(msg, wParam, lParam);
            });
        } catch (...) {
            RemovePropW(hwnd, kControlProp);
            handle_ = nullptr;
            DestroyWindow(hwnd);
            throw;
        }
    }
    // Some controls size themselves while being created or given their state (a status bar
    // docks at the bottom, a combo box takes its font's height) before our procedure sees
    // their messages.
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    StoreBounds(r);
}

void TWinControl::CreateParams(TCreateParams&) {}

void TWinControl::InitWnd() {
    if (!ownClass_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font->Handle()), FALSE);
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (auto* w = dynamic_cast<TWinControl*>(*it)) w->DestroyHandle();
    }
    // What the learner typed into a system control survives a re-created window.
    if (!ownClass_ && !Destroying()) caption_ = GetCaption();
    HWND hwnd = handle_;
    Detach();
    DestroyWindow(hwnd);
}

void TWinControl::Detach() {
    if (!handle_) return;
    if (ownClass_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    } else {
        RemovePropW(handle_, kControlProp);
        subclass_.Detach();
    }
    handle_ = nullptr;
    mouseInside_ = false;
    selfPressed_ = false;
    pressed_ = nullptr;
}

void TWinControl::WindowDestroyed() {
    if (!handle_) return;
    if (ownClass_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    } else {
        RemovePropW(handle_, kControlProp);
        subclass_.Detach();
    }
    handle_ = nullptr;
    mouseInside_ = false;
    selfPressed_ = false;
    pressed_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    const bool hadFocus = Focused();
    DestroyHandle();
    CreateHandle();
    if (hadFocus && handle_) ::SetFocus(handle_);
}

LRESULT CALLBACK TWinControl::ClassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* control = static_cast<TWinControl*>(cs->lpCreateParams)) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
            control->handle_ = hwnd;
        }
    }
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return control->Dispatch(msg, wParam, lParam);
}

LRESULT TWinControl::SubclassDispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    // While this runs, what the toolkit leaves goes on down the window's subclass chain.
    ++subclassCalls_;
    struct Leave {
        int& calls;
        ~Leave() { --calls; }
    } leave{subclassCalls_};
    return Dispatch(msg, wParam, lParam);
}

LRESULT TWinControl::CallDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ownClass_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (subclassCalls_ > 0) return TWindowSubclass::CallNext(hwnd, msg, wParam, lParam);
    // A message performed outside any call of the window's (no chain position to go on from).
    return CallWindowProcW(defWndProc_, hwnd, msg, wParam, lParam);
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Destroying()) {
        // The object is going away (its window last): no events, no toolkit handling.
        const LRESULT result = CallDefault(handle_, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) WindowDestroyed();
        return result;
    }
    TMessage message{msg, wParam, lParam, 0};
    // While this runs, the form may be released but is not deleted; if it was released,
    // the guard deletes it once the outermost message on it has returned.
    FormDispatchGuard guard(ParentForm());
    GuardedCall([&] { WindowProc(message); });
    if (msg == WM_NCDESTROY) WindowDestroyed();
    return message.Result;
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!handle_ || IsToolkitMessage(message.Msg)) return;
    message.Result = CallDefault(handle_, message.Msg, message.WParam, message.LParam);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    // The toolkit's own classes first: their look-up stays in the process, a property's does not.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) == ClassWndProc)
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return static_cast<TWinControl*>(GetPropW(hwnd, kControlProp));
}

TWinControl* TWinControl::ChildWindowControl(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (TControl* c : controls_) {
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_ == hwnd) return w;
    }
    return nullptr;
}

TWinControl* TWinControl::ComboBoxOfList(HWND list) const {
    if (!list) return nullptr;
    for (TControl* c : controls_) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w || !w->handle_ || w->ClassName() != L"TComboBox") continue;
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(w->handle_, &info) && info.hwndList == list) return w;
    }
    return nullptr;
}

TWinControl* FindControl(HWND hwnd) {
    for (HWND h = hwnd; h; h = (GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr) {
        if (TWinControl* control = TWinControl::FromHandle(h)) return control;
    }
    return nullptr;
}

// ---- messages

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_KEYDOWN:
            if (DoKeyDown(message)) return;
            break;
        case WM_CHAR:
            if (DoKeyPress(message)) return;
            break;
        case WM_SETFOCUS:
            WmSetFocus(message);
            break;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (!ownClass_ && handle_ && !ClassUsesSystemKey(WORD(message.WParam))) {
                message.Result = DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
                return;
            }
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            if (ReflectNotification(message)) return;
            break;
        case WM_WINDOWPOSCHANGED:
            WmWindowPosChanged(message);
            break;
        case WM_SIZE:
            WmSize(message);
            break;
        case WM_MOUSEMOVE:
            WmMouseMove(message);
            break;
        case WM_MOUSELEAVE:
            WmMouseLeave(message);
            break;
        case WM_SETCURSOR:
            if (WmSetCursor(message)) return;
            break;
    }
    if (ownClass_) {
        switch (message.Msg) {
            case WM_ERASEBKGND:
                message.Result = 1;  // the paint routine covers every pixel
                return;
            case WM_PAINT:
                WmPaint(message);
                return;
            case WM_PRINTCLIENT:
                WmPrintClient(message);
                return;
            case WM_LBUTTONDOWN:
                WmLButtonDown(message);
                return;
            case WM_LBUTTONUP:
                WmLButtonUp(message);
                return;
            case WM_LBUTTONDBLCLK:
                WmLButtonDblClk(message);
                return;
            case WM_CAPTURECHANGED:
                pressed_ = nullptr;
                selfPressed_ = false;
                break;
        }
    }
    DefaultHandler(message);
}

bool TWinControl::DoKeyDown(TMessage& message) {
    if (!OnKeyDown) return false;
    WORD key = WORD(message.WParam);
    OnKeyDown(key, KeyboardShiftState());
    if (key == 0) {
        message.Result = 0;
        return true;
    }
    message.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    if (!OnKeyPress) return false;
    wchar_t key = wchar_t(message.WParam);
    OnKeyPress(key);
    if (key == 0) {
        message.Result = 0;
        return true;
    }
    message.WParam = key;
    return false;
}

void TWinControl::WmSetFocus(TMessage&) {
    if (TForm* form = ParentForm(); form && form != this) form->ControlFocused(this);
}

bool TWinControl::ReflectNotification(TMessage& message) {
    HWND from = nullptr;
    switch (message.Msg) {
        case WM_COMMAND:
            from = reinterpret_cast<HWND>(message.LParam);
            break;
        case WM_NOTIFY:
            if (message.LParam) from = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (message.WParam && message.LParam) from = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
            break;
        default:
            from = reinterpret_cast<HWND>(message.LParam);
            break;
    }
    // The sender is nearly always one of this window's own controls: finding it among them
    // spares a window-property look-up (a round trip to the window server under Wine) for
    // every notification, such as a tree's request for each row's picture.
    TWinControl* target = ChildWindowControl(from);
    if (!target) target = FromHandle(from);
    // A combo box's dropped list is a window of its own, outside the form's controls; its
    // colours are the combo box's.
    if (!target && message.Msg == WM_CTLCOLORLISTBOX) target = ComboBoxOfList(from);
    if (!target || target == this || target->parent_ != this) return false;
    message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    // A control that picks no colours leaves them to the system.
    const bool colour = message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC;
    return !colour || message.Result != 0;
}

void TWinControl::WmWindowPosChanged(TMessage& message) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    if (!handle_ || !pos || ((pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE)) || IsIconic(handle_)) return;
    RECT r{};
    GetWindowRect(handle_, &r);
    if (!IsTopLevel()) MapWindowPoints(nullptr, ::GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    StoreBounds(r);
}

void TWinControl::WmSize(TMessage&) {
    if (!ownClass_) return;
    const auto children = controls_;
    for (TControl* c : children) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->ParentResized();
    }
}

void TWinControl::WmMouseMove(TMessage&) {
    if (mouseInside_) return;
    mouseInside_ = true;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = handle_;
    TrackMouseEvent(&track);
    Perform(CM_MOUSEENTER);
}

void TWinControl::WmMouseLeave(TMessage&) {
    mouseInside_ = false;
    Perform(CM_MOUSELEAVE);
}

bool TWinControl::WmSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) != handle_ || LOWORD(message.LParam) != HTCLIENT) return false;
    TCursor cursor = cursor_;
    if (ownClass_) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        if (TGraphicControl* c = GraphicControlAt(p, false); c && c->cursor_ != crDefault) cursor = c->cursor_;
    }
    HCURSOR shape = CursorHandle(cursor);
    if (!shape) return false;
    ::SetCursor(shape);
    message.Result = TRUE;
    return true;
}

void TWinControl::WmLButtonDown(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    pressed_ = GraphicControlAt(p, true);
    selfPressed_ = pressed_ == nullptr;
    SetCapture(handle_);
}

void TWinControl::WmLButtonUp(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = pressed_ ? static_cast<TControl*>(pressed_) : (selfPressed_ ? this : nullptr);
    pressed_ = nullptr;
    selfPressed_ = false;
    if (GetCapture() == handle_) ReleaseCapture();
    if (!target) return;
    // A click counts only where the button went down and came up over the same control.
    RECT area = target == this ? ClientRect() : target->BoundsRect();
    if (target != this && (!target->visible_ || !target->enabled_)) return;
    if (PtInRect(&area, p)) target->Click();
}

void TWinControl::WmLButtonDblClk(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    // The first click of the pair has clicked already; this one is only the double click.
    if (TGraphicControl* c = GraphicControlAt(p, true))
        c->DblClick();
    else
        DblClick();
}

TGraphicControl* TWinControl::GraphicControlAt(POINT point, bool enabledOnly) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* c = dynamic_cast<TGraphicControl*>(*it);
        if (!c || !c->visible_ || (enabledOnly && !c->enabled_)) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, point)) return c;
    }
    return nullptr;
}

// ---- painting of the toolkit's own windows

void TWinControl::WmPaint(TMessage& message) {
    PaintDC dc(handle_);
    const RECT area = dc.PaintRect();
    if (!IsRectEmpty(&area)) PaintWindow(dc.Get(), area);
    message.Result = 0;
}

void TWinControl::WmPrintClient(TMessage& message) {
    RECT client{};
    GetClientRect(handle_, &client);
    PaintWindow(reinterpret_cast<HDC>(message.WParam), client);
    message.Result = 0;
}

void TWinControl::PaintWindow(HDC target, const RECT& area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    // The thread's DIB section, kept between paints: a bitmap compatible with a window's device
    // context looks the display settings up first (three window-server round trips under Wine),
    // and a fresh picture of the window's size is mapped and touched anew in every paint.
    const TPaintBuffer::Lease buffer = Application->PaintBuffer().Borrow(w, h);
    if (!buffer.Get()) {
        // Out of GDI resources: drawing straight to the window still shows the content.
        PaintBackground(target, area);
        PaintControls(target, area, target);
        return;
    }
    SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
    PaintBackground(buffer.Get(), area);
    PaintControls(buffer.Get(), area, target);
    SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
    BitBlt(target, area.left, area.top, w, h, buffer.Get(), 0, 0, SRCCOPY);
}

void TWinControl::PaintBackground(HDC dc, const RECT& area) {
    Gdi<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &area, brush.Get());
}

void TWinControl::PaintControls(HDC dc, const RECT& area, HDC target) {
    const auto children = controls_;
    for (TControl* c : children) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->visible_ || g->width_ <= 0 || g->height_ <= 0) continue;
        const RECT bounds = g->BoundsRect();
        RECT common{};
        if (!IntersectRect(&common, &bounds, &area)) continue;
        // A key's changes invalidate a few labels spread over the window: the paint's rectangle
        // holds them all, but only what lies in the window's update region reaches the screen.
        if (!RectVisible(target, &bounds)) continue;
        SavedDC saved(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, g->width_, g->height_);
        g->Paint(dc);
    }
}

// A window that is not on the screen is painted whole when it comes on, so the changes made
// while a window is built (its FormCreate runs hidden) ask the window server nothing.
// IsWindowVisible is answered inside the process; an invalidation is a round trip.
void TWinControl::Invalidate() {
    if (handle_ && IsWindowVisible(handle_)) ::InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::InvalidateRect(const RECT& area) {
    if (handle_ && IsWindowVisible(handle_)) ::InvalidateRect(handle_, &area, FALSE);
}

// ---- properties

void TWinControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, WindowHeightFor(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TWinControl::GetCaption() const {
    if (!handle_) return caption_;
    const int length = GetWindowTextLengthW(handle_);
    std::wstring text(size_t(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(size_t(std::max(copied, 0)));
    return text;
}

void TWinControl::VisibleChanged() {
    if (!handle_) return;
    if (!visible_) {
        if (TForm* form = ParentForm(); form && form != this) form->ControlHidden(this);
    }
    ShowWindow(handle_, visible_ ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_) {
        EnableWindow(handle_, enabled_);
        if (ownClass_) Invalidate();
    }
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::TextChanged() {
    if (handle_) {
        SetWindowTextW(handle_, caption_.c_str());
        if (ownClass_) Invalidate();
    }
    Perform(CM_TEXTCHANGED);
}

void TWinControl::ColorChanged() {
    Invalidate();
    const auto children = controls_;
    for (TControl* c : children) c->SyncParentColor();
    Perform(CM_COLORCHANGED);
}

void TWinControl::FontChanged() {
    if (handle_ && !ownClass_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font->Handle()), TRUE);
    Invalidate();
    const auto children = controls_;
    for (TControl* c : children) c->SyncParentFont();
    Perform(CM_FONTCHANGED);
}

void TWinControl::ParentChanged(TWinControl*) {
    if (handle_) {
        if (parent_ && parent_->handle_) {
            ::SetParent(handle_, parent_->handle_);
            SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else if (!IsTopLevel()) {
            DestroyHandle();
        }
    } else if (parent_ && parent_->handle_ && !Destroying()) {
        CreateHandle();
    }
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        const int order = w->pendingTabOrder_;
        if (order >= 0 && order < int(tabList_.size()))
            tabList_.insert(tabList_.begin() + order, w);
        else
            tabList_.push_back(w);
        w->pendingTabOrder_ = -1;
    }
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    if (pressed_ == control) pressed_ = nullptr;
}

int TWinControl::GetTabOrder() const {
    if (!parent_) return pendingTabOrder_;
    const auto& list = parent_->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) {
        pendingTabOrder_ = order;
        return;
    }
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetControlId(int id) {
    controlId_ = id;
    if (handle_ && !IsTopLevel()) SetWindowLongPtrW(handle_, GWLP_ID, id);
}

// ---- focus

void TWinControl::SetFocus() {
    TForm* form = ParentForm();
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->visible_ || !c->enabled_) return false;
    }
    return true;
}
