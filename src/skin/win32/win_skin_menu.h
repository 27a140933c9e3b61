#pragma once
// The skinned menu bar: TWinSkinMenu takes the window's menu off the window (so that the
// system draws none), keeps one TMenuBtn per top-level item, and paints the bar in the frame
// below the caption; the form skinner hit-tests its items with the caption buttons and opens
// their sub-menus.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/skin_data.h"
#include "skin/win32/nc_object.h"
#include "skin/win32/skin_dib.h"

class TMainMenu;
class TSkinManage;
class TSkinMenuItems;
class TWinSkinMenu;

// One item of the skinned bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm& owner, TWinSkinMenu& bar, int index) : TNCObject(owner), bar_(bar), Index(index) {}
    void Paint() override;

    TWinSkinMenu& bar_;
    int Index;
    std::wstring Caption;  // up to 80 characters, with its "&" accelerator
    bool Enabled = true;
    UINT Command = 0;
    HMENU SubMenu = nullptr;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm& form, TSkinManage& manager, TSkinData& skin);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Builds the bar from the window's menu (blank captions from the main-menu object's item
    // at the same place) and takes the menu off the window.
    void Build(HMENU menu, TMainMenu* mainMenu);
    // The window has a new menu: the bar follows it.
    void Rebuild(HMENU menu);
    // Puts the menu back on the window as it was.
    void GiveBack();

    // Paints the bar into dc at bar (window coordinates) and lays the items out.
    void Paint(HDC dc, const RECT& bar, bool active);
    // Repaints one item from the last painted bar.
    void PaintItem(TMenuBtn& item);
    // The first visible item with a caption under the point (window coordinates).
    TMenuBtn* ItemAt(POINT window) const;
    // The first enabled item whose caption has that accelerator.
    TMenuBtn* AcceleratorItem(wchar_t key) const;
    // Gives every item of a sub-menu (and of its sub-menus) the skin's painter.
    void MakeOwnerDrawn(HMENU subMenu);

    HMENU Menu() const { return menu_; }
    int Count() const { return int(items_.size()); }
    TMenuBtn* Item(int index) const { return items_[size_t(index)].get(); }
    // The next item with a caption after (or before) index, going round the bar.
    int Neighbour(int index, int step) const;
    bool RightToLeft() const { return rightToLeft_; }

private:
    TWinSkinForm& form_;
    TSkinManage& manager_;
    TSkinData& skin_;
    HMENU menu_ = nullptr;
    TMainMenu* mainMenu_ = nullptr;
    bool rightToLeft_ = false;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    std::unique_ptr<TSkinMenuItems> ownerDrawn_;
    std::vector<HMENU> converted_;
    SkinDib lastBar_;
    RECT barRect_{};
    bool active_ = true;
    bool painting_ = false;
};

// The accelerator of a caption ("&File" → 'F'), or 0.
wchar_t AcceleratorOf(const std::wstring& caption);
