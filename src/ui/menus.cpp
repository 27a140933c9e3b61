#include "ui/menus.h"

#include <algorithm>

#include "base/errors.h"
#include "ui/form.h"

namespace {

// Whether item is the root or lies below it, by address alone (item may be anything).
bool Holds(const TMenuItem& root, const void* item) {
    if (&root == item) return true;
    for (int i = 0; i < root.Count(); ++i) {
        if (Holds(*root.Items(i), item)) return true;
    }
    return false;
}

}  // namespace

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    if (parent_) std::erase(parent_->items_, this);
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item || item == this || item->Contains(this)) throw Exception("A menu item cannot hold itself");
    if (item->parent_) std::erase(item->parent_->items_, item);
    item->parent_ = this;
    items_.push_back(item);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw Exception("Menu index out of bounds (" + std::to_string(index) + ")");
    return items_[size_t(index)];
}

TMenuItem* TMenuItem::Find(UINT command) {
    if (command_ == command) return this;
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->Find(command)) return found;
    }
    return nullptr;
}

bool TMenuItem::Contains(const TMenuItem* item) const {
    for (const TMenuItem* i = item; i; i = i->parent_) {
        if (i == this) return true;
    }
    return false;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick();
}

// ---- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), Items(new TMenuItem(this)) {}

TMenu::~TMenu() { DestroyHandle(); }

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == ownerDraw_) return;
    ownerDraw_ = ownerDraw;
    if (handle_) Changed();
}

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_ = CreateHandle();
        if (!handle_) throw Exception("Cannot create a menu");
        nextCommand_ = 1;
        ClearCommands(*Items);
        Fill(handle_, *Items);
    }
    return handle_;
}

void TMenu::DestroyHandle() {
    // Sub-menus go with the menu that holds them.
    if (handle_) DestroyMenu(handle_);
    handle_ = nullptr;
    subMenus_.clear();
}

void TMenu::ClearCommands(TMenuItem& item) {
    item.command_ = 0;
    for (TMenuItem* sub : item.items_) ClearCommands(*sub);
}

void TMenu::Fill(HMENU menu, TMenuItem& parent) {
    for (TMenuItem* item : parent.items_) {
        if (!item->Visible) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_STRING;
        std::wstring text = item->Caption;
        if (!item->ShortCut.empty()) text += L"\t" + item->ShortCut;
        info.dwTypeData = text.data();
        info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
        if (ownerDraw_) info.fType |= MFT_OWNERDRAW;
        info.fState = (item->Enabled ? MFS_ENABLED : MFS_GRAYED) | (item->Checked ? MFS_CHECKED : 0) |
                      (item->Default ? MFS_DEFAULT : 0);
        // Numbered afresh with every build, below the system commands (0xF000 and up).
        item->command_ = nextCommand_;
        nextCommand_ = nextCommand_ % 0xEFFF + 1;
        info.wID = item->command_;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            Fill(sub, *item);
            subMenus_.push_back(sub);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub;
        }
        InsertMenuItemW(menu, UINT(GetMenuItemCount(menu)), TRUE, &info);
    }
}

void TMenu::Changed() {
    if (!handle_) return;
    HMENU old = handle_;
    handle_ = nullptr;
    subMenus_.clear();
    Handle();
    HandleChanged();
    DestroyMenu(old);
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = Items->Find(command);
    if (!item || item == Items) return false;
    item->Click();
    return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU || !measure.itemData || !Holds(*Items, reinterpret_cast<void*>(measure.itemData)))
        return false;
    auto* item = reinterpret_cast<TMenuItem*>(measure.itemData);
    if (item->OnMeasureItem) {
        item->OnMeasureItem(measure);
    } else {
        measure.itemWidth = UINT(item->Caption.size() * 8 + 24);
        measure.itemHeight = item->IsLine() ? 8 : 20;
    }
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !draw.itemData || !Holds(*Items, reinterpret_cast<void*>(draw.itemData)))
        return false;
    auto* item = reinterpret_cast<TMenuItem*>(draw.itemData);
    if (item->OnAdvancedDrawItem) {
        item->OnAdvancedDrawItem(draw);
    } else if (item->OnDrawItem) {
        item->OnDrawItem(draw);
    } else {
        RECT r = draw.rcItem;
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        r.left += 20;
        DrawTextW(draw.hDC, item->Caption.c_str(), int(item->Caption.size()), &r, DT_SINGLELINE | DT_VCENTER);
    }
    return true;
}

// ---- TMainMenu and TPopupMenu

TMainMenu::~TMainMenu() {
    // The form's window must not keep a menu that is going.
    TForm* form = OwnerForm(Owner());
    if (form && form->Menu == this) form->Menu = nullptr;
}

void TMainMenu::HandleChanged() {
    TForm* form = OwnerForm(Owner());
    if (form && form->Menu == this) form->MenuChanged();
}

void TPopupMenu::Popup(int x, int y) {
    TForm* form = OwnerForm(Owner());
    HWND owner = form ? form->Handle() : nullptr;
    const UINT command = UINT(TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    if (command) DispatchCommand(command);
}
