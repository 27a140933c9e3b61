#pragma once
// Menus of a form: TMenuItem (a caption, a shortcut text, a picture of the menu's image
// list, sub-items), TMainMenu (the form's menu bar) and TPopupMenu (shown at a point). A menu
// builds its system menu from its items; Changed() builds it anew and tells the form
// (CM_MENUCHANGED). An owner-drawn menu's items carry their TMenuItem as item data and are
// measured and drawn by their own handler (OnAdvancedDrawItem) or by the painter someone put
// on them (OnMeasureItem / OnDrawItem, as the skin does).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/ui_types.h"

class TForm;
class TImageList;
class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    std::wstring ClassName() const override { return L"TMenuItem"; }

    std::wstring Caption;   // "-" is a separator; "&" marks the accelerator
    std::wstring ShortCut;  // the shortcut's text, shown at the right
    bool Enabled = true;
    bool Checked = false;
    bool Default = false;
    bool Visible = true;
    int ImageIndex = -1;

    TNotifyEvent OnClick;
    // The item's own painter; an item that has one keeps it when a skin paints the others.
    std::function<void(const DRAWITEMSTRUCT&)> OnAdvancedDrawItem;
    // A painter put on the item from outside (the skin's).
    std::function<void(MEASUREITEMSTRUCT&)> OnMeasureItem;
    std::function<void(const DRAWITEMSTRUCT&)> OnDrawItem;

    // Adds a sub-item (the item takes it over).
    void Add(TMenuItem* item);
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    bool IsLine() const { return Caption == L"-"; }

    // The command id the item's menu entry carries (0 until its menu has been built).
    UINT Command() const { return command_; }
    // The item with that command, this one or below it; nullptr when none.
    TMenuItem* Find(UINT command);
    // Whether the item is this one or lies below it.
    bool Contains(const TMenuItem* item) const;
    void Click();

private:
    friend class TMenu;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    UINT command_ = 0;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* const Items;   // the root; its sub-items are the menu's entries
    TImageList* Images = nullptr;

    bool GetOwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw);

    // The system menu, built on first need.
    HMENU Handle();
    // Builds the system menu anew from the items and tells the form.
    void Changed();
    // Runs the item of a command; false when no item of this menu has it.
    bool DispatchCommand(UINT command);
    // Measures or draws an owner-drawn item of this menu; false when it is none of ours.
    bool MeasureItem(MEASUREITEMSTRUCT& measure);
    bool DrawItem(const DRAWITEMSTRUCT& draw);

protected:
    virtual HMENU CreateHandle() const = 0;
    virtual void HandleChanged() {}
    void DestroyHandle();

private:
    void Fill(HMENU menu, TMenuItem& parent);
    static void ClearCommands(TMenuItem& item);
    HMENU handle_ = nullptr;
    std::vector<HMENU> subMenus_;
    UINT nextCommand_ = 1;
    bool ownerDraw_ = false;
};

// The menu bar of the form that owns it (TForm::Menu).
class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    ~TMainMenu() override;
    std::wstring ClassName() const override { return L"TMainMenu"; }

protected:
    HMENU CreateHandle() const override { return CreateMenu(); }
    void HandleChanged() override;
};

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    std::wstring ClassName() const override { return L"TPopupMenu"; }

    // Shows the menu at a screen point; the chosen item is clicked. The owning form's window
    // receives the menu's messages.
    void Popup(int x, int y);

protected:
    HMENU CreateHandle() const override { return CreatePopupMenu(); }
};
