#include "ui/form.h"

#include <algorithm>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/menus.h"

namespace {

std::vector<HWND> DisableThreadWindows(HWND except) {
    struct Collect {
        HWND except;
        std::vector<HWND> windows;
    } collect{except, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(lParam);
            if (hwnd != c->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) c->windows.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND hwnd : collect.windows) EnableWindow(hwnd, FALSE);
    return collect.windows;
}

void EnableWindows(const std::vector<HWND>& windows) {
    for (HWND hwnd : windows) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
}

void CollectTabStops(const TWinControl& parent, std::vector<TWinControl*>& out) {
    for (TWinControl* c : parent.TabList()) {
        if (c->TabStop && c->CanFocus()) out.push_back(c);
        if (c->Visible && c->Enabled) CollectTabStops(*c, out);
    }
}

bool BroadcastDialogKey(TWinControl& parent, WORD key, TWinControl* skip) {
    const auto children = parent.Controls();
    for (TControl* c : children) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) continue;
        if (w != skip && w->Perform(CM_DIALOGKEY, key, 0)) return true;
        if (BroadcastDialogKey(*w, key, skip)) return true;
    }
    return false;
}

// The primary screen (the monitor at the origin) and the virtual screen (all monitors), from one
// enumeration: each GetSystemMetrics of the screen's size looks the display settings up anew,
// three window-server round trips under Wine.
struct ScreenAreas {
    RECT primary{};
    RECT all{};
};

ScreenAreas FindScreenAreas() {
    struct Found {
        ScreenAreas areas;
        bool any = false;
        bool primary = false;
    } found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT monitor, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Found*>(data);
            if (f->any)
                UnionRect(&f->areas.all, &f->areas.all, monitor);
            else
                f->areas.all = *monitor;
            f->any = true;
            if (monitor->left == 0 && monitor->top == 0) {
                f->areas.primary = *monitor;
                f->primary = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found.primary) found.areas.primary = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!found.any) found.areas.all = found.areas.primary;
    return found.areas;
}

bool Contains(const TControl* outer, const TControl* inner) {
    for (const TControl* c = inner; c; c = c->Parent) {
        if (c == outer) return true;
    }
    return false;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    parentFont_ = false;
    color_ = clBtnFace;
    width_ = 640;
    height_ = 480;
    Application->AddForm(this);
}

TForm::~TForm() {
    MarkDestroying();
    releasePending_ = false;
    OnCreate = nullptr;
    OnClose = nullptr;
    DestroyComponents();
    Application->RemoveForm(this);
}

void TForm::BeforeDestruction() {
    // A form released earlier and now freed by its owner goes this once: a message its
    // windows get while they go must not let the dispatch guard free it a second time.
    releasePending_ = false;
    OnCreate = nullptr;
    OnClose = nullptr;
    TWinControl::BeforeDestruction();
}

// ---- creation and showing

void TForm::Create() {
    if (created_) {
        HandleNeeded();
        return;
    }
    created_ = true;
    HandleNeeded();
    if (OnCreate) OnCreate();
}

DWORD TForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (borderStyle_) {
        case bsNone: style |= WS_POPUP; break;
        case bsSingle: style |= WS_CAPTION; break;
        case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
    if (!enabled_) style |= WS_DISABLED;
    return style;
}

DWORD TForm::WindowExStyle() const { return borderStyle_ == bsDialog ? WS_EX_DLGMODALFRAME : 0; }

void TForm::CreateParams(TCreateParams& params) {
    params.style = WindowStyle();
    params.exStyle = WindowExStyle();
    // Every form belongs to the application window, which alone stands for the program on
    // the task bar.
    params.parent = Application->Handle();
    // A form that places itself is made in its place (moving it afterwards is another round of
    // window-server requests); a shown form made again stays where it is.
    if (position_ != poDesigned && !visible_) {
        const POINT at = PlacedPosition();
        left_ = params.x = at.x;
        top_ = params.y = at.y;
    }
    placedBounds_ = BoundsRect();
}

void TForm::InitWnd() {
    TWinControl::InitWnd();
    if (menu_) ::SetMenu(WindowHandle(), menu_->Handle());
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    menu_ = menu;
    if (HandleAllocated()) MenuChanged();
}

void TForm::MenuChanged() {
    if (!HandleAllocated()) return;
    ::SetMenu(WindowHandle(), menu_ ? menu_->Handle() : nullptr);
    if (!Destroying()) Perform(CM_MENUCHANGED);
}

void TForm::UpdateStyle() {
    if (!HandleAllocated()) return;
    HWND hwnd = WindowHandle();
    const LONG_PTR kept = GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(WindowStyle()) | kept);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, LONG_PTR(WindowExStyle()));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    UpdateStyle();
}

void TForm::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    UpdateStyle();
}

POINT TForm::PlacedPosition() const {
    const ScreenAreas screens = FindScreenAreas();
    RECT area = screens.primary;
    switch (position_) {
        case poDesigned: return POINT{left_, top_};
        case poScreenCenter: break;
        case poDesktopCenter: area = screens.all; break;
        case poMainFormCenter: {
            TForm* main = Application->MainForm();
            if (main && main != this && main->HandleAllocated() && IsWindowVisible(main->WindowHandle()))
                GetWindowRect(main->WindowHandle(), &area);
            break;
        }
    }
    int left = area.left + (area.right - area.left - width_) / 2;
    int top = area.top + (area.bottom - area.top - height_) / 2;
    // The window stays on the screen, its caption first: a window larger than its owner is
    // still centred on it, unless that would push it past the screen's edge.
    const RECT& screen = screens.all;
    left = std::max(std::min(left, int(screen.right) - width_), int(screen.left));
    top = std::max(std::min(top, int(screen.bottom) - height_), int(screen.top));
    return POINT{left, top};
}

void TForm::ApplyPosition() {
    if (position_ == poDesigned) return;
    const POINT at = PlacedPosition();
    SetBounds(at.x, at.y, width_, height_);
}

void TForm::Show() {
    const bool madeNow = !HandleAllocated();
    Create();
    ShowMade(madeNow);
}

void TForm::ShowMade(bool madeNow) {
    visible_ = true;
    // A window made for this showing was made in its place, unless FormCreate moved or resized it.
    const RECT bounds = BoundsRect();
    if (!madeNow || !EqualRect(&bounds, &placedBounds_)) ApplyPosition();
    HWND hwnd = WindowHandle();
    if (Application->OnFormShowing && !IsWindowVisible(hwnd)) Application->OnFormShowing(*this);
    ShowWindow(hwnd, SW_SHOW);
    if (GetActiveWindow() != hwnd && IsWindowEnabled(hwnd)) SetActiveWindow(hwnd);
}

void TForm::Hide() {
    visible_ = false;
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
}

void TForm::SetVisible(bool visible) {
    if (visible)
        Show();
    else
        Hide();
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == WindowHandle(); }

int TForm::ClientWidth() const { return ClientRect().right; }
int TForm::ClientHeight() const { return ClientRect().bottom; }

RECT TForm::ClientRect() const {
    RECT client{};
    if (HandleAllocated()) {
        GetClientRect(WindowHandle(), &client);
        return client;
    }
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
    return RECT{0, 0, std::max(0, width_ - int(frame.right - frame.left)),
                std::max(0, height_ - int(frame.bottom - frame.top))};
}

void TForm::SetClientSize(int width, int height) {
    int frameWidth = 0;
    int frameHeight = 0;
    if (HandleAllocated()) {
        RECT window{};
        RECT client{};
        GetWindowRect(WindowHandle(), &window);
        GetClientRect(WindowHandle(), &client);
        frameWidth = (window.right - window.left) - client.right;
        frameHeight = (window.bottom - window.top) - client.bottom;
    } else {
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
        frameWidth = frame.right - frame.left;
        frameHeight = frame.bottom - frame.top;
    }
    SetBounds(left_, top_, width + frameWidth, height + frameHeight);
}

// ---- closing

void TForm::Close() {
    if (modalLoop_) {
        // The modal loop asks OnClose.
        ModalResult = mrCancel;
        return;
    }
    TCloseAction action = caHide;
    if (OnClose) OnClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide: Hide(); break;
        case caMinimize:
            if (HandleAllocated()) ShowWindow(WindowHandle(), SW_MINIMIZE);
            break;
        case caFree: Release(); break;
        case caNone: break;
    }
}

// OnClose's verdict on a modal result: true when the form may close. A refusal or an
// error clears the result first, so that a close asked for meanwhile (from a timer, or while
// the error box is up) is put to OnClose again rather than slipping past it.
bool TForm::CloseModal() {
    try {
        TCloseAction action = caHide;
        if (OnClose) OnClose(action);
        if (action == caNone) {
            ModalResult = mrNone;
            return false;
        }
        if (action == caFree) Release();
        return true;
    } catch (const std::exception& e) {
        ModalResult = mrNone;
        Application->ShowException(e);
        return false;
    }
}

void TForm::Release() {
    // Once asked, the form goes exactly once: a second request (a window that released itself
    // on closing, then its opener releasing it too) must not post a second deletion.
    if (releasePending_) return;
    releasePending_ = true;
    if (busy_ == 0) PostRelease();
}

void TForm::PostRelease() {
    // The dispatch of this message is the outermost one; its guard deletes the form.
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

int TForm::ShowModal() {
    if (modalLoop_ || (HandleAllocated() && IsWindowVisible(WindowHandle())))
        throw Exception("Cannot make a visible window modal");
    const bool madeNow = !HandleAllocated();
    Create();
    if (HWND capture = GetCapture()) {
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    HWND previous = GetActiveWindow();
    ++busy_;
    modalLoop_ = true;
    ModalResult = mrNone;
    const std::vector<HWND> disabled = DisableThreadWindows(WindowHandle());
    ShowMade(madeNow);
    while (HandleAllocated()) {
        if (Application->Terminated()) {
            ModalResult = mrCancel;
            break;
        }
        if (ModalResult != mrNone && CloseModal()) break;
        Application->HandleMessage();
    }
    if (ModalResult == mrNone) ModalResult = mrCancel;  // the window went away under us
    modalLoop_ = false;
    EnableWindows(disabled);
    Hide();
    if (previous && previous != WindowHandle() && IsWindow(previous)) SetActiveWindow(previous);
    const int result = ModalResult;
    if (--busy_ == 0 && releasePending_) PostRelease();
    return result;
}

// ---- messages

void TForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE:
            WmClose(message);
            return;
        case WM_ACTIVATE:
            DefaultHandler(message);
            WmActivate(message);
            return;
        case CM_RELEASE:
            message.Result = 0;
            return;
        case WM_COMMAND:
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (WmMenuMessage(message)) return;
            break;
        case WM_SYSCOMMAND:
            if ((message.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this &&
                Application->MinimizeProgram()) {
                message.Result = 0;
                return;
            }
            break;
        case WM_SIZE:
            TWinControl::WndProc(message);
            // A minimized window keeps its layout for the restore.
            if (message.WParam != SIZE_MINIMIZED && OnResize) OnResize();
            return;
    }
    TWinControl::WndProc(message);
}

// Commands and owner-drawn items of the form's menus.
bool TForm::WmMenuMessage(TMessage& message) {
    const auto components = Components();
    for (TComponent* c : components) {
        auto* menu = dynamic_cast<TMenu*>(c);
        if (!menu) continue;
        switch (message.Msg) {
            case WM_COMMAND:
                if (message.LParam != 0 || HIWORD(message.WParam) != 0) return false;
                if (menu->DispatchCommand(LOWORD(message.WParam))) {
                    message.Result = 0;
                    return true;
                }
                break;
            case WM_MEASUREITEM:
                if (message.WParam == 0 && menu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
                    message.Result = TRUE;
                    return true;
                }
                break;
            case WM_DRAWITEM:
                if (message.WParam == 0 && menu->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))) {
                    message.Result = TRUE;
                    return true;
                }
                break;
        }
    }
    return false;
}

void TForm::WmClose(TMessage& message) {
    Close();
    message.Result = 0;
}

void TForm::WmActivate(TMessage& message) {
    if (LOWORD(message.WParam) == WA_INACTIVE || HIWORD(message.WParam)) return;
    FocusFirst();
}

// ---- focus

void TForm::FocusFirst() {
    TWinControl* target = nullptr;
    if (activeControl_ && activeControl_->CanFocus()) target = activeControl_;
    if (!target) {
        const auto order = FocusOrder();
        if (!order.empty()) target = order.front();
    }
    if (target)
        ::SetFocus(target->Handle());
    else if (HandleAllocated() && GetFocus() != WindowHandle())
        ::SetFocus(WindowHandle());
}

std::vector<TWinControl*> TForm::FocusOrder() const {
    std::vector<TWinControl*> order;
    CollectTabStops(*this, order);
    return order;
}

TWinControl* TForm::FocusedControl() const {
    TWinControl* c = FindControl(GetFocus());
    return c && c != this && c->ParentForm() == this ? c : nullptr;
}

bool TForm::SelectNext(TWinControl* from, bool forward, bool sameParent) {
    std::vector<TWinControl*> order = FocusOrder();
    if (sameParent) {
        if (!from) return false;
        std::erase_if(order, [from](TWinControl* c) { return c->Parent != from->Parent; });
    }
    if (order.empty()) return false;
    const auto it = std::find(order.begin(), order.end(), from);
    TWinControl* next = nullptr;
    if (it == order.end()) {
        next = forward ? order.front() : order.back();
    } else {
        const size_t n = order.size();
        const size_t i = size_t(it - order.begin());
        next = order[forward ? (i + 1) % n : (i + n - 1) % n];
    }
    next->SetFocus();
    return true;
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
    TWinControl* focused = FocusedControl();
    switch (key) {
        case VK_TAB:
            if (shift & (ssCtrl | ssAlt)) return false;
            return SelectNext(focused, !(shift & ssShift), false);
        case VK_LEFT:
        case VK_UP:
            return focused && SelectNext(focused, false, true);
        case VK_RIGHT:
        case VK_DOWN:
            return focused && SelectNext(focused, true, true);
        case VK_RETURN:
        case VK_ESCAPE:
            if (focused && focused->Perform(CM_DIALOGKEY, key, 0)) return true;
            return BroadcastDialogKey(*this, key, focused);
    }
    return false;
}

void TForm::ControlFocused(TWinControl* control) { activeControl_ = control; }

void TForm::FocusControl(TWinControl* control) {
    activeControl_ = control;
    if (Active() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TForm::SetActiveControl(TWinControl* control) {
    if (!control) {
        activeControl_ = nullptr;
        if (Active()) ::SetFocus(WindowHandle());
        return;
    }
    if (control->ParentForm() != this) throw Exception("The active control must be on its form");
    FocusControl(control);
}

void TForm::ControlRemoved(TControl* control) {
    if (activeControl_ && Contains(control, activeControl_)) activeControl_ = nullptr;
}

void TForm::ControlHidden(TWinControl* control) {
    HWND focus = GetFocus();
    const bool hadFocus = focus && (focus == control->WindowHandle() || IsChild(control->WindowHandle(), focus));
    if (activeControl_ && Contains(control, activeControl_)) activeControl_ = nullptr;
    if (hadFocus && Active()) FocusFirst();
}

// ---- lifetime

FormDispatchGuard::FormDispatchGuard(TForm* form) : form_(form) {
    if (form_) ++form_->busy_;
}

FormDispatchGuard::~FormDispatchGuard() {
    if (form_ && --form_->busy_ == 0 && form_->releasePending_ && !form_->Destroying()) {
        form_->releasePending_ = false;
        FreeComponent(form_);
    }
}

TForm* OwnerForm(TComponent* component) {
    for (TComponent* c = component; c; c = c->Owner()) {
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    }
    return nullptr;
}
