// The skinned window's menus: the owner-drawn pop-up that stands in for the system menu, and
// the measuring and painting of the skin's owner-drawn menu items.
#include <algorithm>
#include <functional>

#include "skin/win32/skin_component.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_menu_item.h"
#include "skin/win32/win_skin_form.h"
#include "skin/win32/win_skin_menu.h"
#include "skin/win32/win_skin_pop_menu.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menus.h"

namespace {

constexpr LONG_PTR kSystemButtonBits = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The tags of the replacement's items, which are also their glyphs' indexes.
constexpr int kTagRestore = 0;
constexpr int kTagMaximize = 1;
constexpr int kTagMinimize = 2;
constexpr int kTagClose = 3;
constexpr int kTagSeparator = 100;

// What the skin's painter needs of a toolkit menu item.
TSkinMenuItem RecordOf(const TMenuItem& item, const TPopupMenu* menu) {
    TSkinMenuItem record;
    record.kind = TMenuItemKind::Object;
    record.caption = item.Caption;
    record.shortcut = item.ShortCut;
    record.separator = item.IsLine();
    record.imageIndex = item.ImageIndex;
    record.images = menu && menu->Images ? menu->Images->Handle() : nullptr;
    return record;
}

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
    DrawPopupItem(draw, *reinterpret_cast<const TSkinMenuItem*>(draw.itemData));
    return true;
}

// ---- the menu bar

void TWinSkinForm::BuildMenuBar() {
    HMENU menu = GetMenu(hwnd_);
    if (!menu || !IsMenu(menu) || !skin_) return;
    if (!menuBar_) menuBar_ = std::make_unique<TWinSkinMenu>(*this, manager_, *skin_);
    menuBar_->Build(menu, form_ ? form_->Menu.Get() : nullptr);
    metrics_.menuBar = GetSystemMetrics(SM_CYMENU);
}

void TWinSkinForm::GiveMenuBarBack() {
    if (!menuBar_) return;
    if (current_ && dynamic_cast<TMenuBtn*>(current_)) current_ = nullptr;
    menuBar_->GiveBack();
    menuBar_.reset();
    metrics_.menuBar = 0;
}

// The form-level hook: a new menu bar from the toolkit. The window's own handling (which
// puts the new menu on the window) runs without the skin painting, then the bar follows it.
void TWinSkinForm::OnFormMessage(TMessage& message, const TWndNext& next) {
    if (message.Msg != CM_MENUCHANGED || !skin_) {
        next(message);
        return;
    }
    skin_->SetPaintFlag(false);
    try {
        next(message);
    } catch (...) {
        skin_->SetPaintFlag(true);
        throw;
    }
    skin_->SetPaintFlag(true);
    if (!skin_->MenuUpdate() || !GetMenu(hwnd_) || !SkinsFrame()) return;
    const bool had = menuBar_ != nullptr;
    if (current_ && dynamic_cast<TMenuBtn*>(current_)) current_ = nullptr;
    if (menuBar_)
        menuBar_->Rebuild(GetMenu(hwnd_));
    else
        BuildMenuBar();
    if (!had && lifeState_ != lsNew) ResizeToFrame();  // the frame grew by the bar
    RepaintFrame();
}

void TWinSkinForm::OpenBarItem(TMenuBtn& first) {
    TMenuTracking& t = manager_.MenuTracking();
    if (t.form || !menuBar_) return;  // one skinned menu at a time
    int index = first.Index;
    for (;;) {
        if (!menuBar_ || index < 0 || index >= menuBar_->Count()) break;
        TMenuBtn& item = *menuBar_->Item(index);
        if (current_ && current_ != &item) current_->MouseLeave();
        current_ = &item;
        item.State = kItemPressed;
        item.Paint();
        if (item.Command) PostMessageW(hwnd_, WM_COMMAND, item.Command, 0);
        if (!item.SubMenu || !item.Enabled) break;
        menuBar_->MakeOwnerDrawn(item.SubMenu);
        t = TMenuTracking{};
        t.form = this;
        t.index = index;
        t.topMenu = t.selectedMenu = item.SubMenu;
        t.switching = true;
        t.hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
        // The first entry is selected, as when a bar of the system's is opened.
        PostMessageW(hwnd_, WM_KEYDOWN, VK_DOWN, 0);
        RECT window{};
        GetWindowRect(hwnd_, &window);
        const POINT at{window.left + item.Bounds.left, window.top + item.Bounds.bottom};
        TrackPopupMenu(item.SubMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
        if (t.hook) UnhookWindowsHookEx(t.hook);
        const int next = t.next;
        t = TMenuTracking{};
        if (!IsWindow(hwnd_) || !menuBar_ || lifeState_ == lsClosing || lifeState_ == lsDestroyed) return;
        if (index < menuBar_->Count() && menuBar_->Item(index) == &item) {
            item.State = kItemNormal;
            item.Paint();
        }
        if (current_ == &item) current_ = nullptr;
        if (next < 0) return;
        index = next;
    }
    if (current_ == &first || (menuBar_ && current_ && dynamic_cast<TMenuBtn*>(current_))) {
        current_->State = kItemNormal;
        current_->Paint();
        current_ = nullptr;
    }
}

// While a bar item's menu is open: Left on the top menu goes to the previous bar item, Right
// on an entry without a sub-menu to the next (swapped for right-to-left bars), and the mouse
// moving onto another bar item opens that one.
LRESULT CALLBACK TWinSkinForm::MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = TSkinManage::Instance(false);
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (!manager || code != MSGF_MENU || !msg) return CallNextHookEx(nullptr, code, wParam, lParam);
    TMenuTracking& t = manager->MenuTracking();
    TWinSkinForm* form = t.form;
    if (!form || !form->menuBar_) return CallNextHookEx(nullptr, code, wParam, lParam);
    TWinSkinMenu& bar = *form->menuBar_;
    bool take = false;
    if (msg->message == WM_KEYDOWN) {
        WPARAM key = msg->wParam;
        if (bar.RightToLeft() && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
        if (key == VK_LEFT && t.selectedMenu == t.topMenu) {
            t.next = bar.Neighbour(t.index, -1);
            take = true;
        } else if (key == VK_RIGHT && !t.selectedHasSubMenu) {
            t.next = bar.Neighbour(t.index, +1);
            take = true;
        } else if (key == VK_RETURN || key == VK_ESCAPE) {
            t.switching = false;
        }
    } else if (msg->message == WM_MOUSEMOVE && (msg->pt.x != t.lastPoint.x || msg->pt.y != t.lastPoint.y)) {
        t.lastPoint = msg->pt;
        TMenuBtn* over = bar.ItemAt(form->ScreenToWindow(msg->pt));
        if (over && over->Index != t.index && over->Enabled) {
            t.next = over->Index;
            take = true;
        }
    }
    if (take && t.next != t.index) {
        EndMenu();
        return 1;
    }
    if (take) t.next = -1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- the form's pop-up menus

void TWinSkinForm::SkinPopupMenus() {
    if (!form_ || !skin_ || !skin_->SkinControls().Contains(xcMainMenu) || !skin_->SkinControls().Contains(xcPopupMenu))
        return;
    for (TComponent* c : form_->Components()) {
        auto* menu = dynamic_cast<TPopupMenu*>(c);
        if (!menu || menu->Tag % 100 == skin_->DisableTag()) continue;
        const bool known = std::any_of(popupMenus_.begin(), popupMenus_.end(), [menu](const auto& p) { return p.first == menu; });
        if (!known) popupMenus_.emplace_back(menu, menu->GetOwnerDraw());
        // Every item without a painter of its own gets the skin's.
        std::function<void(TMenuItem&)> paint = [&](TMenuItem& item) {
            for (int i = 0; i < item.Count(); ++i) {
                TMenuItem& sub = *item.Items(i);
                if (!sub.OnAdvancedDrawItem) {
                    sub.OnMeasureItem = [this, &sub, menu](MEASUREITEMSTRUCT& m) {
                        if (!skin_) return;
                        const TSkinMenuItem record = RecordOf(sub, menu);
                        MeasureSkinMenuItem(*skin_, record, m);
                    };
                    sub.OnDrawItem = [this, &sub, menu](const DRAWITEMSTRUCT& d) { DrawPopupItem(d, RecordOf(sub, menu)); };
                }
                paint(sub);
            }
        };
        paint(*menu->Items);
        menu->SetOwnerDraw(true);
    }
}

void TWinSkinForm::UnskinPopupMenus() {
    if (!form_) return;
    const auto& components = form_->Components();
    for (auto& [menu, ownerDraw] : popupMenus_) {
        if (std::find(components.begin(), components.end(), menu) == components.end()) continue;  // gone
        std::function<void(TMenuItem&)> clear = [&](TMenuItem& item) {
            for (int i = 0; i < item.Count(); ++i) {
                item.Items(i)->OnMeasureItem = nullptr;
                item.Items(i)->OnDrawItem = nullptr;
                clear(*item.Items(i));
            }
        };
        clear(*menu->Items);
        menu->SetOwnerDraw(ownerDraw);
    }
    popupMenus_.clear();
}

void TWinSkinForm::DrawPopupItem(const DRAWITEMSTRUCT& draw, const TSkinMenuItem& item) {
    if (!skin_) return;
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
    DrawSkinMenuItem(*skin_, item, draw, *background, origin);
}
