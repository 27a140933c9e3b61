// The skinned window's menus: the owner-drawn pop-up that stands in for the system menu, and
// the measuring and painting of the skin's owner-drawn menu items.
#include "skin/win32/skin_component.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_menu_item.h"
#include "skin/win32/win_skin_form.h"
#include "skin/win32/win_skin_pop_menu.h"

namespace {

constexpr LONG_PTR kSystemButtonBits = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The tags of the replacement's items, which are also their glyphs' indexes.
constexpr int kTagRestore = 0;
constexpr int kTagMaximize = 1;
constexpr int kTagMinimize = 2;
constexpr int kTagClose = 3;
constexpr int kTagSeparator = 100;

HIMAGELIST MenuGlyphs(const TSkinData& skin) {
    auto* component = dynamic_cast<TSkinDataComponent*>(skin.Owner());
    return component && component->MenuGlyphs->Count() > 0 ? component->MenuGlyphs->Handle() : nullptr;
}

}  // namespace

void TWinSkinForm::BuildSystemMenu() {
    DestroySystemMenu();
    if (!skin_) return;
    systemMenu_ = CreatePopupMenu();
    if (!systemMenu_) return;
    systemMenuItems_ = std::make_unique<TSkinMenuItems>(manager_);
    HIMAGELIST glyphs = MenuGlyphs(*skin_);
    auto add = [&](UINT command, const wchar_t* caption, int tag, const wchar_t* shortcut = L"") {
        TSkinMenuItem item;
        item.caption = caption;
        item.shortcut = shortcut;
        item.separator = tag == kTagSeparator;
        item.imageIndex = item.separator ? -1 : tag;
        item.images = glyphs;
        TSkinMenuItem& added = systemMenuItems_->Add(std::move(item));
        AppendMenuW(systemMenu_, MF_OWNERDRAW | (added.separator ? MF_SEPARATOR : 0), command,
                    reinterpret_cast<LPCWSTR>(&added));
    };
    add(SC_RESTORE, L" Restore ", kTagRestore);
    if (systemButtons_ & kHasMaximizeBox) add(SC_MAXIMIZE, L" Maximize ", kTagMaximize);
    if (systemButtons_ & kHasMinimizeBox) add(SC_MINIMIZE, L" Minimize ", kTagMinimize);
    add(0, L"-", kTagSeparator);
    add(SC_CLOSE, L" Close ", kTagClose, L"Shift+F4");
}

void TWinSkinForm::DestroySystemMenu() {
    if (systemMenu_) DestroyMenu(systemMenu_);
    systemMenu_ = nullptr;
    systemMenuItems_.reset();
}

void TWinSkinForm::EnableSystemMenuItems(HMENU menu, bool replacement) {
    const bool normal = windowState_ == wsNormal;
    auto enable = [menu](UINT command, bool on) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, !normal);
    enable(SC_MAXIMIZE, windowState_ != wsMaximized && (systemButtons_ & kHasMaximizeBox));
    enable(SC_MINIMIZE, windowState_ != wsMinimized && (systemButtons_ & kHasMinimizeBox));
    if (!replacement) {
        enable(SC_SIZE, normal && (style_ & WS_THICKFRAME));
        enable(SC_MOVE, windowState_ != wsMaximized);
    }
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
    const bool replacement = systemMenu_ && skin_ && skin_->SkinControls().Contains(xcSystemMenu) &&
                             windowKind_ != wkMdiChild;
    HMENU menu = replacement ? systemMenu_ : GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    EnableSystemMenuItems(menu, replacement);
    // A second showing within the double-click time is a double click on the icon: close.
    const ULONGLONG now = GetTickCount64();
    if (systemMenuShown_ && now - systemMenuShown_ < GetDoubleClickTime()) {
        systemMenuShown_ = 0;
        StopTimer();
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        return;
    }
    systemMenuShown_ = now;
    UINT command = 0;
    if (replacement) {
        command = UINT(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, hwnd_, nullptr));
    } else {
        // The system's own menu: the system buttons are given back while it is open so that
        // the system does not grey its items out.
        const bool stripped =
            (GetWindowLongPtrW(hwnd_, GWL_STYLE) & kSystemButtonBits) != (styleBefore_ & kSystemButtonBits);
        if (stripped) RestoreSystemButtons();
        command = UINT(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, hwnd_, nullptr));
        if (stripped && IsWindow(hwnd_) && subclass_.Attached() && windowState_ != wsMinimized) StripSystemButtons();
    }
    if (!IsWindow(hwnd_)) return;
    if (command == SC_CLOSE) {
        StopTimer();
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    } else if (command) {
        PostMessageW(hwnd_, WM_SYSCOMMAND, command, 0);
    }
}

bool TWinSkinForm::MeasureMenuItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU || !skin_ || !manager_.IsSkinMenuItem(measure.itemData)) return false;
    MeasureSkinMenuItem(*skin_, *reinterpret_cast<const TSkinMenuItem*>(measure.itemData), measure);
    return true;
}

bool TWinSkinForm::DrawMenuItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !skin_ || !manager_.IsSkinMenuItem(draw.itemData)) return false;
    // The item stands on the background of the menu window it is drawn in.
    Bitmap32 none;
    const Bitmap32* background = &none;
    POINT origin{0, 0};
    HWND menuWindow = WindowFromDC(draw.hDC);
    if (TWinSkinPopMenu* popup = manager_.FindPopupMenu(menuWindow)) {
        background = &popup->Background();
        POINT org{0, 0};
        GetDCOrgEx(draw.hDC, &org);
        POINT logical{0, 0};
        LPtoDP(draw.hDC, &logical, 1);
        RECT window{};
        GetWindowRect(menuWindow, &window);
        origin = POINT{org.x + logical.x - window.left, org.y + logical.y - window.top};
    }
    DrawSkinMenuItem(*skin_, *reinterpret_cast<const TSkinMenuItem*>(draw.itemData), draw, *background, origin);
    return true;
}
