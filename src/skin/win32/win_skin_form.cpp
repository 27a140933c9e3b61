#include "skin/win32/win_skin_form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_control.h"
#include "skin/win32/skin_menu_item.h"
#include "skin/win32/win_skin_menu.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_messages.h"
#include "ui/form.h"

namespace {

constexpr LONG_PTR kSystemButtonBits = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, size_t(std::max(length, 0)));
}

}  // namespace

TWinSkinForm::TWinSkinForm(TSkinManage& manager, HWND hwnd, TForm* form)
    : manager_(manager), hwnd_(hwnd), form_(form) {}

TWinSkinForm::~TWinSkinForm() {
    StopTimer();
    ReleaseControls();
    DestroySystemMenu();
}

void TWinSkinForm::Dispose() {
    if (busy_ > 0) {
        disposed_ = true;  // the window procedure deletes it on its way out
        return;
    }
    delete this;
}

bool TWinSkinForm::SkinsFrame() const {
    if (!skin_ || !skin_->SkinControls().Contains(xcMainMenu)) return false;
    return !(style_ & WS_CHILD) || windowKind_ == wkMdiChild;
}

bool TWinSkinForm::FrameSkinned() const {
    return SkinsFrame() && lifeState_ != lsNew && windowState_ != wsMinimized &&
           !(windowKind_ == wkMdiChild && windowState_ == wsMaximized);
}

// ---- skinning

void TWinSkinForm::Init(TSkinData& skin, TForm& form) {
    skin_ = &skin;
    // The toolkit tells a form of a new menu bar through its WindowProc only.
    if (skin.SkinControls().Contains(xcMainMenu))
        formHook_ = form.HookWindowProc([this](TMessage& m, const TWndNext& next) { OnFormMessage(m, next); });
    InitWindow(skin);
    colourBefore_ = form.Color;
    form.Color = TColor(skin.Content().Colours.ButtonFace);
    if (skin.SkinControls().Contains(xcMainMenu)) SkinPopupMenus();
}

void TWinSkinForm::InitWindow(TSkinData& skin) {
    if (initialized_) return;
    initialized_ = true;
    skin_ = &skin;

    // 1. What the window is now.
    style_ = styleBefore_ = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    exStyle_ = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    ReadIcon();
    ReadText();
    className_ = ClassOf(hwnd_);
    GetClientRect(hwnd_, &clientBefore_);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    ncBefore_ = SIZE{(window.right - window.left) - clientBefore_.right, (window.bottom - window.top) - clientBefore_.bottom};
    active_ = GetActiveWindow() == hwnd_;

    // 2. Its buttons, kind, frame and state.
    systemButtons_ = ((style_ & WS_SYSMENU) ? kHasSystemMenu : 0) | ((style_ & WS_MINIMIZEBOX) ? kHasMinimizeBox : 0) |
                     ((style_ & WS_MAXIMIZEBOX) ? kHasMaximizeBox : 0);
    if (HWND client = FindWindowExW(hwnd_, nullptr, L"MDIClient", nullptr)) {
        windowKind_ = wkMdiParent;
        manager_.SetMdiClient(client);
    } else if (exStyle_ & WS_EX_MDICHILD) {
        windowKind_ = wkMdiChild;
    }
    frameKind_ = fkPlain;
    if ((style_ & WS_POPUP) && (style_ & WS_CAPTION) != WS_CAPTION) frameKind_ = fkNoFrame;
    if ((exStyle_ & WS_EX_WINDOWEDGE) || (style_ & WS_THICKFRAME)) frameKind_ = fkEdge;
    rightToLeft_ = (exStyle_ & 0x4000) != 0;  // the left scroll bar of a right-to-left form
    ReadWindowState();

    // 3. The owner-drawn menu that stands in for the system menu. (4: no window of the
    // program is an MDI parent, so the MDI client keeps its own procedure.)
    BuildSystemMenu();

    // 5. The frame: the system draws no caption buttons of its own any more.
    if (SkinsFrame()) {
        metrics_.menuBar = 0;
        if (windowKind_ != wkMdiChild) BuildMenuBar();
        if (!(windowKind_ == wkMdiChild && manager_.MdiMaximized()) && windowState_ != wsMinimized)
            StripSystemButtons();
        RebuildButtons();
    }

    // 6. The window procedure, the controls, and a fresh look.
    subclass_ = TWindowSubclass(hwnd_, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Subclass(msg, wParam, lParam);
    });
    SkinWindowControls(*this);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::RebuildButtons() {
    if (!skin_ || skin_->SkinPending()) return;
    const TSkinContent& c = skin_->Content();
    if (frameKind_ == fkNoFrame) {
        metrics_ = TFrameMetrics{};
    } else {
        metrics_.caption = c.Top.Image.height / std::max(c.Top.FrameCount, 1);
        metrics_.left = c.Left.Image.width / std::max(c.Left.FrameCount, 1);
        metrics_.right = c.Right.Image.width / std::max(c.Right.FrameCount, 1);
        metrics_.bottom = c.Bottom.Image.height / std::max(c.Bottom.FrameCount, 1);
    }
    current_ = nullptr;
    pressed_ = nullptr;
    buttons_.clear();
    for (const TDataSkinSysButton& data : c.TitleButtons) {
        auto button = std::make_unique<TWinSysButton>(*this, data);
        // The window icon stands in for an icon button's image (it is drawn from the icon).
        if (button->IsIconButton() && button->Data.Image.Empty()) button->Data.FrameCount = 1;
        buttons_.push_back(std::move(button));
    }
}

void TWinSkinForm::DropCachedParts() {
    current_ = nullptr;
    pressed_ = nullptr;
    buttons_.clear();
    captionBack_ = Bitmap32();
    caption_.Clear();
    regionSize_ = SIZE{-1, -1};
}

// Finishing, on 0x3503: the window takes the skin's frame around the client area it had.
void TWinSkinForm::Finish() {
    if (lifeState_ == lsNew) {
        if (windowKind_ == wkMdiChild && manager_.MdiMaximized()) {
            RestoreSystemButtons();
            SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (windowState_ != wsMinimized && frameKind_ != fkNoFrame) {
            lifeState_ = lsResizing;
            int width = clientBefore_.right + metrics_.left + metrics_.right;
            const int height = clientBefore_.bottom + metrics_.caption + metrics_.menuBar + metrics_.bottom;
            // A box's caption must fit: widen it, and keep its content centred.
            if (_wcsicmp(className_.c_str(), L"TMessageForm") == 0 || className_ == L"#32770") {
                SIZE space{};
                {
                    ClientDC screen(nullptr);
                    SelectGuard font(screen.Get(), captionFont_.Get());
                    GetTextExtentPoint32W(screen.Get(), L" ", 1, &space);
                }
                const TDataSkinTitle& t = skin_->Content().Title;
                const int least = (int(text_.size()) + 7) * int(space.cx) + metrics_.left + metrics_.right +
                                  t.TextShift + t.TextRightClip + t.TXTBackleft + t.TXTBackRight;
                if (least > width) {
                    const int shift = (least - width) / 2;
                    width = least;
                    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                        RECT r{};
                        GetWindowRect(child, &r);
                        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
                        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                    }
                    // A form's controls without a window of their own move with the others.
                    if (form_) {
                        for (TControl* control : form_->Controls()) {
                            if (!control->IsWindowed()) control->Left = control->Left + shift;
                        }
                    }
                }
            }
            // The region for the new size first, so that the resize repaints once. The frame
            // grows around an unchanged client: no limits to ask for (the system's asking
            // looks the monitors up, a dozen round trips to the window server under Wine).
            BuildRegion(true, SIZE{width, height}, false);
            SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
            lifeState_ = lsSkinned;
            RepaintFrame();  // the resize painted the frame while it was still resizing
        }
    }
    lifeState_ = lsSkinned;
    if (active_) StartTimer();
}

void TWinSkinForm::Refresh() {
    if (lifeState_ == lsClosing || lifeState_ == lsDestroyed) return;
    if (form_ && skin_) form_->Color = TColor(skin_->Content().Colours.ButtonFace);
    DropFinishedControls();
    for (const auto& skinner : controls_) skinner->Refresh();
    lifeState_ = lsReskinning;
    if (SkinsFrame()) {
        SkinPopupMenus();
        if (buttons_.empty()) RebuildButtons();
        ResizeToFrame();
        lifeState_ = lsSkinned;
        BuildRegion(true);
    }
    lifeState_ = lsSkinned;
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The client area keeps its size inside the (new) skinned frame.
void TWinSkinForm::ResizeToFrame() {
    if (windowState_ != wsNormal || frameKind_ == fkNoFrame) {
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right + metrics_.left + metrics_.right,
                 client.bottom + metrics_.caption + metrics_.menuBar + metrics_.bottom,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- letting go

void TWinSkinForm::Release() {
    if (lifeState_ != lsDestroyed) lifeState_ = lsClosing;
    StopTimer();
    ReleaseControls();
    DestroySystemMenu();
    // The window is going: its menus go with the form object, and nothing is given back.
    if (formHook_ && form_) form_->UnhookWindowProc(formHook_);
    formHook_ = 0;
    menuBar_.reset();
    popupMenus_.clear();
    subclass_.Detach();
    current_ = nullptr;
    pressed_ = nullptr;
    caption_.Clear();
    captionBack_ = Bitmap32();
}

void TWinSkinForm::Unskin() {
    if (lifeState_ == lsClosing || lifeState_ == lsDestroyed || !IsWindow(hwnd_) || (form_ && form_->Destroying())) {
        Release();
        return;
    }
    const bool frame = SkinsFrame();
    StopTimer();
    subclass_.Detach();
    ReleaseControls();
    DestroySystemMenu();
    if (formHook_ && form_) form_->UnhookWindowProc(formHook_);
    formHook_ = 0;
    UnskinPopupMenus();
    if (form_) form_->Color = colourBefore_;
    if (!frame) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    RestoreSystemButtons();
    current_ = nullptr;
    pressed_ = nullptr;
    caption_.Clear();
    captionBack_ = Bitmap32();
    GiveMenuBarBack();
    // The frame goes back to the system's size around the same client area.
    const int dx = ncBefore_.cx - (metrics_.left + metrics_.right);
    const int dy = ncBefore_.cy - (metrics_.caption + metrics_.menuBar + metrics_.bottom);
    if (windowKind_ == wkMdiChild || !(style_ & WS_CHILD)) {
        if (lifeState_ == lsNew) {
            SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (windowState_ == wsNormal) {
            RECT r{};
            GetWindowRect(hwnd_, &r);
            SetWindowPos(hwnd_, nullptr, 0, 0, (r.right - r.left) + dx, (r.bottom - r.top) + dy,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            // A maximized or minimized window: its restored size changes, its frame follows.
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            if (GetWindowPlacement(hwnd_, &placement)) {
                placement.rcNormalPosition.right += dx;
                placement.rcNormalPosition.bottom += dy;
                placement.showCmd = windowState_ == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWMINNOACTIVE;
                if (!IsWindowVisible(hwnd_)) placement.showCmd = SW_HIDE;
                SetWindowPlacement(hwnd_, &placement);
            }
            SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SetWindowRgn(hwnd_, nullptr, TRUE);
    lifeState_ = lsNew;
}

// ---- window state and style

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd_, &placement)) return;
    switch (placement.showCmd) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE: windowState_ = wsMinimized; break;
        case SW_SHOWMAXIMIZED: windowState_ = wsMaximized; break;
        default: windowState_ = IsIconic(hwnd_) ? wsMinimized : IsZoomed(hwnd_) ? wsMaximized : wsNormal; break;
    }
}

void TWinSkinForm::SetStyle(LONG_PTR style) {
    if (style == GetWindowLongPtrW(hwnd_, GWL_STYLE)) return;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    style_ = style;
}

void TWinSkinForm::StripSystemButtons() { SetStyle(GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~kSystemButtonBits); }

void TWinSkinForm::RestoreSystemButtons() {
    SetStyle((GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~kSystemButtonBits) | (styleBefore_ & kSystemButtonBits));
}

void TWinSkinForm::ReadText() {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(size_t(std::max(length, 0)) + 1, L'\0');
    text.resize(size_t(std::max(GetWindowTextW(hwnd_, text.data(), length + 1), 0)));
    text_ = std::move(text);
    ChooseCaptionFont();
}

namespace {

bool FontCovers(HFONT font, const std::wstring& text) {
    if (text.empty()) return true;
    ClientDC screen(nullptr);
    SelectGuard select(screen.Get(), font);
    std::vector<WORD> glyphs(text.size());
    if (GetGlyphIndicesW(screen.Get(), text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR)
        return true;
    return std::none_of(glyphs.begin(), glyphs.end(), [](WORD g) { return g == 0xFFFF; });
}

}  // namespace

// The caption is drawn in the system's caption font. That font may lack the glyphs of a
// Chinese caption (Tahoma has none, and without a Chinese locale nothing links another font
// in), so such a caption is drawn in 宋体 with the GB2312 character set, as the forms' texts
// are, at the caption font's size and weight.
void TWinSkinForm::ChooseCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    LOGFONTW font = metrics.lfCaptionFont;
    Gdi<HFONT> system(CreateFontIndirectW(&font));
    if (!system) return;
    if (!FontCovers(system.Get(), text_)) {
        lstrcpynW(font.lfFaceName, L"宋体", LF_FACESIZE);
        font.lfCharSet = GB2312_CHARSET;
        Gdi<HFONT> chinese(CreateFontIndirectW(&font));
        if (chinese) {
            captionFont_ = std::move(chinese);
            return;
        }
    }
    captionFont_ = std::move(system);
}

void TWinSkinForm::ReadIcon() {
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd_, GCLP_HICON));
    icon_ = icon;
    iconSize_ = icon ? SIZE{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)} : SIZE{0, 0};
}

TCaptionState TWinSkinForm::CaptionState() const {
    TCaptionState s;
    s.frameKind = frameKind_;
    s.systemMenu = (systemButtons_ & kHasSystemMenu) != 0;
    s.minimizeBox = (systemButtons_ & kHasMinimizeBox) != 0;
    s.maximizeBox = (systemButtons_ & kHasMaximizeBox) != 0;
    s.maximized = windowState_ == wsMaximized;
    s.active = active_;
    s.mdiMaximizedWithMenuBar = windowKind_ == wkMdiParent && manager_.MdiMaximized() && menuBar_ != nullptr;
    return s;
}

// ---- the per-form timer

void TWinSkinForm::StartTimer() {
    if (timerRunning_ || !IsWindow(hwnd_)) return;
    timerRunning_ = SetTimer(hwnd_, kFormTimerId, 250, nullptr) != 0;
}

void TWinSkinForm::StopTimer() {
    if (!timerRunning_) return;
    KillTimer(hwnd_, kFormTimerId);
    timerRunning_ = false;
}

// ---- the caption buttons

POINT TWinSkinForm::ScreenToWindow(POINT screen) const {
    POINT p = screen;
    ScreenToClient(hwnd_, &p);
    if (windowState_ != wsMinimized) {
        p.x += metrics_.left;
        p.y += metrics_.caption + metrics_.menuBar;
    }
    return p;
}

TNCObject* TWinSkinForm::ItemAt(POINT window) const {
    for (const auto& button : buttons_) {
        if (button->Visible && button->Data.Align != 100 && PtInRect(&button->Bounds, window)) return button.get();
    }
    return menuBar_ ? menuBar_->ItemAt(window) : nullptr;
}

void TWinSkinForm::RunAction(const TWinSysButton& button, POINT screen) {
    const int action = button.Data.Action;
    auto command = [this](WPARAM sc) { PostMessageW(hwnd_, WM_SYSCOMMAND, sc, 0); };
    auto mdiCommand = [this](WPARAM sc) {
        HWND client = manager_.MdiClient();
        HWND child = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
        if (child) PostMessageW(child, WM_SYSCOMMAND, sc, 0);
        return child;
    };
    switch (action) {
        case 0:
            StopTimer();
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            break;
        case 1:
        case 22: command(windowState_ == wsMaximized ? SC_RESTORE : SC_MAXIMIZE); break;
        case 2:
        case 23: command(windowState_ == wsMinimized ? SC_RESTORE : SC_MINIMIZE); break;
        case 3:
        case 11:
        case 12: ShowSystemMenu(POINT{screen.x + 1, screen.y + 1}); break;
        case 7:
        case 60: mdiCommand(SC_MINIMIZE); break;
        case 8:
        case 61: mdiCommand(SC_RESTORE); break;
        case 9:
        case 62:
            if (HWND child = mdiCommand(SC_CLOSE); !child || !IsZoomed(child)) manager_.SetMdiMaximized(false);
            break;
        default: PostMessageW(hwnd_, kSkinQuery, WPARAM(action), 0); break;
    }
}

// ---- the control skinners

void TWinSkinForm::AddControlSkinner(std::unique_ptr<TSkinControl> skinner) {
    if (!skinner || HasControlSkinner(skinner.get())) return;
    DropFinishedControls();
    controls_.push_back(std::move(skinner));
}

TSkinControl* TWinSkinForm::FindControlSkinner(const TWinControl* control) const {
    if (!control) return nullptr;
    // Edits (and tabs) are attached by their window; a speed button's skinner hooks its
    // parent and counts only for the speed button.
    const HWND window = control->WindowHandle();
    for (const auto& s : controls_) {
        if (s->Finished() || s->GraphicControl()) continue;
        if (s->Control() == control || (window && !s->Control() && s->Handle() == window)) return s.get();
    }
    return nullptr;
}

TSkinControl* TWinSkinForm::FindControlSkinner(HWND hwnd) const {
    for (const auto& s : controls_) {
        if (s->Handle() == hwnd && !s->Finished() && !s->GraphicControl()) return s.get();
    }
    return nullptr;
}

TSkinControl* TWinSkinForm::FindGraphicSkinner(const TControl* control) const {
    for (const auto& s : controls_) {
        if (s->GraphicControl() == control && control && !s->Finished()) return s.get();
    }
    return nullptr;
}

bool TWinSkinForm::HasControlSkinner(const TSkinControl* skinner) const {
    for (const auto& s : controls_) {
        if (s.get() == skinner) return true;
    }
    return false;
}

std::vector<TSkinControl*> TWinSkinForm::ControlSkinners() const {
    std::vector<TSkinControl*> list;
    for (const auto& s : controls_) {
        if (!s->Finished()) list.push_back(s.get());
    }
    return list;
}

void TWinSkinForm::ReleaseControls() {
    hotControl_ = nullptr;
    auto controls = std::move(controls_);
    controls_.clear();
    for (auto& s : controls) s->Detach();
    controls.clear();
    hotControl_ = nullptr;
}

void TWinSkinForm::DropFinishedControls() {
    std::erase_if(controls_, [this](const std::unique_ptr<TSkinControl>& s) {
        if (!s->Finished()) return false;
        if (hotControl_ == s.get()) hotControl_ = nullptr;
        return true;
    });
}
