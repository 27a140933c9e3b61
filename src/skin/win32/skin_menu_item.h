#pragma once
// Owner-drawn menu items of the skinned menus: what an item shows (caption, shortcut, glyph)
// kept beside the menu, and the measure and paint rules. The system-menu replacement, the
// form's pop-up menus and the sub-menus opened from the skinned menu bar all draw their items
// this way. An item's record is its menu item's item data; the manager knows every record,
// so that other owner-drawn items are left to their owners.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/skin_data.h"

class TSkinManage;

// Which measuring rule an item follows.
enum class TMenuItemKind {
    Object,       // an item of a menu object of the program (a pop-up menu, the system menu)
    MainMenu,     // an item of the form's main-menu object
    Plain,        // any other item of a window's menu
};

struct TSkinMenuItem {
    TMenuItemKind kind = TMenuItemKind::Object;
    std::wstring caption;   // with its "&" accelerator
    std::wstring shortcut;  // drawn right-aligned
    int imageIndex = -1;
    bool separator = false;
    HIMAGELIST images = nullptr;  // the menu's pictures, or none

    // What the item was before it was made owner-drawn, to give it back.
    HMENU menu = nullptr;
    UINT id = 0;            // position in menu
    UINT typeBefore = 0;
    ULONG_PTR dataBefore = 0;
};

// The records of one set of owner-drawn items (a menu made owner-drawn together), registered
// with the manager while they live.
class TSkinMenuItems {
public:
    explicit TSkinMenuItems(TSkinManage& manager) : manager_(manager) {}
    ~TSkinMenuItems();
    TSkinMenuItems(const TSkinMenuItems&) = delete;
    TSkinMenuItems& operator=(const TSkinMenuItems&) = delete;

    TSkinMenuItem& Add(TSkinMenuItem item);
    // Makes every item of the menu (and its sub-menus) owner-drawn with a record of its own
    // text; items that are owner-drawn already keep their painter.
    void MakeOwnerDrawn(HMENU menu, TMenuItemKind kind, HIMAGELIST images);
    // Gives every converted item its type and data back.
    void Restore();
    bool Empty() const { return items_.empty(); }

private:
    TSkinManage& manager_;
    std::vector<std::unique_ptr<TSkinMenuItem>> items_;
};

// WM_MEASUREITEM of a menu item of ours: the size the item asks for.
void MeasureSkinMenuItem(const TSkinData& skin, const TSkinMenuItem& item, MEASUREITEMSTRUCT& measure);
// WM_DRAWITEM of a menu item of ours. background: the menu window's painted background (or
// an empty picture), origin: where the item's device context origin lies in that window.
void DrawSkinMenuItem(const TSkinData& skin, const TSkinMenuItem& item, const DRAWITEMSTRUCT& draw,
                      const Bitmap32& background, POINT origin);

// The font the system draws menus with (owned by the caller).
HFONT CreateMenuFont(bool bold = false);
