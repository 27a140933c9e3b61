// The skinned window's procedure: the messages every skinned window answers, the frame's
// messages (with xcMainMenu), and those that only count once the frame is skinned.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "skin/win32/skin_control.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_messages.h"
#include "skin/win32/win_skin_form.h"
#include "skin/win32/win_skin_menu.h"

LRESULT TWinSkinForm::Subclass(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Dropped meanwhile (a nested modal loop may unskin the window), the object goes when
    // the outermost call on it returns.
    ++busy_;
    struct Leave {
        TWinSkinForm* self;
        ~Leave() {
            if (--self->busy_ == 0 && self->disposed_) delete self;
        }
    } leave{this};
    return WindowProc(msg, wParam, lParam);
}

LRESULT TWinSkinForm::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
}

LRESULT TWinSkinForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return OnEraseBackground(wParam, lParam);
        case WM_STYLECHANGED: {
            const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
            if (change && LONG_PTR(wParam) == LONG_PTR(GWL_STYLE)) style_ = LONG_PTR(change->styleNew);
            if (change && LONG_PTR(wParam) == LONG_PTR(GWL_EXSTYLE)) exStyle_ = LONG_PTR(change->styleNew);
            return Default(msg, wParam, lParam);
        }
        case WM_NCDESTROY: return OnNcDestroy(wParam, lParam);
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: return OnCtlColor(msg, wParam, lParam);
        case kSkinQuery: return 1;
        case kSkinRefresh: Refresh(); return 0;
        case WM_TIMER:
            if (wParam == kFormTimerId) {
                OnTimer();
                return 0;
            }
            break;
    }
    if (!SkinsFrame()) return Default(msg, wParam, lParam);

    switch (msg) {
        case WM_SIZE: return OnSize(wParam, lParam);
        case WM_ACTIVATE:
            active_ = LOWORD(wParam) != WA_INACTIVE;
            // A window finished before it was shown starts its timer when it first comes up.
            if (active_ && lifeState_ == lsSkinned) StartTimer();
            break;
        case WM_NCACTIVATE:
            active_ = wParam != FALSE;
            if (FrameSkinned()) return OnNcActivate(wParam, lParam);
            break;
        case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wParam, lParam);
        case WM_WINDOWPOSCHANGED: ReadWindowState(); break;
        case WM_COMMAND: return OnCommand(wParam, lParam);
        case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
        case kSkinFinish: Finish(); return 0;
    }
    if (!FrameSkinned()) return Default(msg, wParam, lParam);

    switch (msg) {
        case WM_NCCALCSIZE: return OnNcCalcSize(wParam, lParam);
        case WM_NCHITTEST: return OnNcHitTest(wParam, lParam);
        case WM_NCPAINT: return OnNcPaint(reinterpret_cast<HRGN>(wParam));
        case WM_NCMOUSEMOVE: return OnNcMouseMove(wParam, lParam);
        case WM_NCLBUTTONDOWN: return OnNcLButtonDown(wParam, lParam);
        case WM_NCLBUTTONUP: return OnNcLButtonUp(wParam, lParam);
        case WM_NCLBUTTONDBLCLK: return OnNcLButtonDblClk(wParam, lParam);
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK: return OnNcRButtonDown(msg, wParam, lParam);
        case WM_SETTEXT:
        case WM_SETICON: return OnSetTextOrIcon(msg, wParam, lParam);
        case kSkinRepaintFrame: RepaintFrame(); return 0;
        case WM_MENUSELECT: {
            TMenuTracking& t = manager_.MenuTracking();
            if (t.form == this && lParam) {
                t.selectedMenu = reinterpret_cast<HMENU>(lParam);
                t.selectedHasSubMenu = (HIWORD(wParam) & MF_POPUP) != 0;
            }
            break;
        }
        case WM_MEASUREITEM:
            if (wParam == 0 && lParam && MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (wParam == 0 && lParam && DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
    }
    return Default(msg, wParam, lParam);
}

// ---- every skinned window

LRESULT TWinSkinForm::OnEraseBackground(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_ERASEBKGND, wParam, lParam);
    if (!Plain() || !skin_) return result;
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, manager_.BackgroundBrush(*skin_));
    return 1;
}

LRESULT TWinSkinForm::OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(msg, wParam, lParam);
    if (!Plain() || !skin_) return result;
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(manager_.BackgroundBrush(*skin_));
    return result;
}

LRESULT TWinSkinForm::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    lifeState_ = lsClosing;
    Release();
    const LRESULT result = Default(WM_NCDESTROY, wParam, lParam);
    lifeState_ = lsDestroyed;
    manager_.FormDestroyed(*this);
    return result;
}

void TWinSkinForm::OnTimer() {
    DropFinishedControls();
    if (manager_.MenuTracking().form) return;  // a skinned menu is open
    // A plain window's controls know no mouse-leave of the toolkit's: the timer tells them.
    if (Plain() && hotControl_ && IsWindow(hotControl_->Handle())) {
        POINT cursor{};
        GetCursorPos(&cursor);
        RECT r{};
        GetWindowRect(hotControl_->Handle(), &r);
        if (!PtInRect(&r, cursor)) {
            TSkinControl* hot = std::exchange(hotControl_, nullptr);
            hot->MouseLeave();
        }
    }
    if (!current_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT p = ScreenToWindow(cursor);
    if (!PtInRect(&current_->Bounds, p)) current_->MouseLeave();
}

// ---- the frame's messages

LRESULT TWinSkinForm::OnSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_SIZE, wParam, lParam);
    windowState_ = wParam == SIZE_MINIMIZED ? wsMinimized : wParam == SIZE_MAXIMIZED ? wsMaximized : wsNormal;
    if (windowKind_ != wkMdiChild && lifeState_ != lsNew) {
        // Minimized, the system draws the window with its own buttons; otherwise they stay
        // the skin's.
        if (windowState_ == wsMinimized)
            RestoreSystemButtons();
        else
            StripSystemButtons();
    }
    const bool mdiHeld = windowKind_ == wkMdiChild && (manager_.MdiMaximized() || windowState_ != wsNormal);
    if (windowState_ != wsMinimized && !mdiHeld && (lifeState_ == lsSkinned || lifeState_ == lsReskinning))
        BuildRegion(false);
    return result;
}

LRESULT TWinSkinForm::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_GETMINMAXINFO, wParam, lParam);
    ReadWindowState();
    if (lifeState_ != lsNew) {
        if (windowState_ == wsMinimized) {
            RestoreSystemButtons();
        } else if (windowKind_ == wkMdiChild) {
            if (windowState_ == wsNormal) {
                manager_.SetMdiMaximized(false);
                StripSystemButtons();
            } else {
                RestoreSystemButtons();
            }
        } else {
            StripSystemButtons();
        }
    }
    if (auto* info = reinterpret_cast<MINMAXINFO*>(lParam))
        info->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    return result;
}

LRESULT TWinSkinForm::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The skinned system menu's items arrive as commands.
    switch (LOWORD(wParam)) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
            if (lParam == 0) {
                PostMessageW(hwnd_, WM_SYSCOMMAND, LOWORD(wParam), 0);
                return 0;
            }
            break;
    }
    return Default(WM_COMMAND, wParam, lParam);
}

LRESULT TWinSkinForm::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    const UINT command = UINT(wParam & 0xFFF0);
    if (command == SC_KEYMENU && !GetCapture() && !manager_.MenuTracking().form) {
        // Alt alone would start the system's menu loop on a frame it no longer draws; Alt with
        // a bar item's accelerator opens that item as a click would.
        const wchar_t key = wchar_t(lParam);
        if (key == 0) return 0;
        if (key != L' ' && key != L'-' && menuBar_) {
            if (TMenuBtn* item = menuBar_->AcceleratorItem(key)) {
                RECT window{};
                GetWindowRect(hwnd_, &window);
                const POINT at{window.left + (item->Bounds.left + item->Bounds.right) / 2,
                               window.top + (item->Bounds.top + item->Bounds.bottom) / 2};
                PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
                return 0;
            }
        }
    }
    const LRESULT result = Default(WM_SYSCOMMAND, wParam, lParam);
    if (command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE) {
        if (!IsWindow(hwnd_)) return result;
        ReadWindowState();
        if (windowKind_ == wkMdiChild) {
            if (windowState_ == wsMinimized) RestoreSystemButtons();
            if (windowState_ == wsNormal) StripSystemButtons();
        }
    }
    return result;
}

// ---- once the frame is skinned

LRESULT TWinSkinForm::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    RECT proposed{};
    if (wParam)
        proposed = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    else
        proposed = *reinterpret_cast<RECT*>(lParam);
    const LRESULT result = Default(WM_NCCALCSIZE, wParam, lParam);
    if (frameKind_ == fkNoFrame || (windowKind_ == wkMdiChild && windowState_ == wsMaximized)) return result;
    RECT client{proposed.left + metrics_.left, proposed.top + metrics_.caption + metrics_.menuBar,
                proposed.right - metrics_.right, proposed.bottom - metrics_.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    if (!wParam) {
        *reinterpret_cast<RECT*>(lParam) = client;
        return 0;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    params->rgrc[0] = params->rgrc[1] = params->rgrc[2] = client;
    return WVR_REDRAW;
}

LRESULT TWinSkinForm::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
    LRESULT hit = Default(WM_NCHITTEST, wParam, lParam);
    if (hit != HTNOWHERE) return hit;
    // The skin's caption is taller than the system's: what the system leaves over is caption,
    // and below the caption the menu bar.
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int y = GET_Y_LPARAM(lParam) - window.top;
    if (y > 3) hit = HTCAPTION;
    if (y >= metrics_.caption) hit = HTMENU;
    return hit;
}

LRESULT TWinSkinForm::OnNcPaint(HRGN update) {
    if (!skin_ || !skin_->PaintFlag()) return 0;
    WindowDC dc(hwnd_);
    if (!dc.Get()) return 0;
    // The update region arrives in screen coordinates (1: the whole frame).
    if (reinterpret_cast<UINT_PTR>(update) > 1) {
        Gdi<HRGN> clip(CreateRectRgn(0, 0, 0, 0));
        if (clip && CombineRgn(clip.Get(), update, nullptr, RGN_COPY) != ERROR) {
            RECT window{};
            GetWindowRect(hwnd_, &window);
            OffsetRgn(clip.Get(), -window.left, -window.top);
            SelectClipRgn(dc.Get(), clip.Get());
        }
    }
    PaintFrame(dc.Get());
    return 0;
}

LRESULT TWinSkinForm::OnNcActivate(WPARAM wParam, LPARAM) {
    active_ = wParam != FALSE;
    if (active_) {
        StartTimer();
    } else {
        StopTimer();
        if (current_) current_->MouseLeave();
        if (TSkinControl* hot = std::exchange(hotControl_, nullptr)) hot->MouseLeave();
    }
    RepaintFrame();
    return TRUE;
}

LRESULT TWinSkinForm::OnNcMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!active_) return Default(WM_NCMOUSEMOVE, wParam, lParam);
    if (TNCObject* item = ItemAt(ScreenToWindow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        item->MouseEnter();
        return 0;
    }
    if (current_) current_->MouseLeave();
    return Default(WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT TWinSkinForm::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
    if (TNCObject* item = ItemAt(ScreenToWindow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        if (!active_) SetForegroundWindow(hwnd_);
        item->MouseDown();
        pressed_ = item;
        if (auto* barItem = dynamic_cast<TMenuBtn*>(item)) OpenBarItem(*barItem);
        return 0;
    }
    // A maximized window stays where it is: its caption is no handle to drag.
    if (windowState_ == wsMaximized && active_ && wParam == HTCAPTION) wParam = HTMENU;
    return Default(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::OnNcLButtonUp(WPARAM wParam, LPARAM lParam) {
    const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TNCObject* item = ItemAt(ScreenToWindow(screen));
    TNCObject* pressed = std::exchange(pressed_, nullptr);
    if (item && item == current_) {
        item->MouseUp();
        // A press on one button released over another does nothing.
        if (auto* button = dynamic_cast<TWinSysButton*>(item); button && item == pressed) RunAction(*button, screen);
        return 0;
    }
    return Default(WM_NCLBUTTONUP, wParam, lParam);
}

LRESULT TWinSkinForm::OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    // The second click of a double click on a caption button is a click of that button (on
    // the icon it closes the window); on the menu bar it opens the item again.
    if (ItemAt(ScreenToWindow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})))
        return OnNcLButtonDown(wParam, lParam);
    if (windowState_ != wsNormal)
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
    else if (systemButtons_ & kHasMaximizeBox)
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    return 0;
}

LRESULT TWinSkinForm::OnNcRButtonDown(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The second click of a real double click arrives as WM_NCRBUTTONDBLCLK: it is a second
    // showing within the double-click time, which closes the window.
    // The menu opens just below and right of the pointer (as from the icon buttons), so that
    // the second click lands on the caption, not on the menu.
    if (wParam == HTCAPTION && windowKind_ != wkMdiChild) {
        ShowSystemMenu(POINT{GET_X_LPARAM(lParam) + 1, GET_Y_LPARAM(lParam) + 1});
        return 0;
    }
    return Default(msg, wParam, lParam);
}

// The system paints its own caption straight away when the text or the icon changes (without
// a WM_NCPAINT): it is kept from seeing the window as visible meanwhile, then the skinned
// caption is painted with the new text or icon.
LRESULT TWinSkinForm::OnSetTextOrIcon(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible) SetWindowLongPtrW(hwnd_, GWL_STYLE, style & ~WS_VISIBLE);
    const LRESULT result = Default(msg, wParam, lParam);
    if (visible && IsWindow(hwnd_))
        SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_VISIBLE);
    if (msg == WM_SETTEXT)
        ReadText();
    else
        ReadIcon();
    RepaintFrame();
    return result;
}
