// The toolkit's menus: a form's menu bar and its commands, rebuilding, owner-drawn items, and
// a menu bar that goes before its form.
#include "ui/menus.h"
#include "ui_test_support.h"

namespace {

class MenusTest : public UiTest {};

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const wchar_t* caption) {
    auto* item = new TMenuItem(owner);
    item->Caption = caption;
    parent->Add(item);
    return item;
}

TEST_F(MenusTest, TheMenuBarRunsItsItemsAndFollowsChanges) {
    Owned<TForm> form(new TForm(nullptr));
    auto* menu = new TMainMenu(form.get());
    TMenuItem* file = Item(form.get(), menu->Items, L"&File");
    TMenuItem* open = Item(form.get(), file, L"&Open");
    TMenuItem* closed = Item(form.get(), file, L"&Close");
    int opens = 0, closes = 0, changes = 0;
    open->OnClick = [&] { ++opens; };
    closed->OnClick = [&] { ++closes; };
    closed->Enabled = false;
    form->Menu = menu;
    form->Create();
    const TWndHookToken hook = form->HookWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == CM_MENUCHANGED) ++changes;
        next(m);
    });
    HWND h = form->Handle();
    EXPECT_EQ(GetMenu(h), menu->Handle());
    // Every entry has a command of its own, below the system commands.
    EXPECT_NE(open->Command(), closed->Command());
    EXPECT_LT(open->Command(), 0xF000u);
    SendMessageW(h, WM_COMMAND, open->Command(), 0);
    SendMessageW(h, WM_COMMAND, closed->Command(), 0);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 0) << "a disabled item is not run";
    // A change builds the menu anew: the window gets it and the form hears of it.
    open->Visible = false;
    Item(form.get(), menu->Items, L"&Help");
    menu->Changed();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(GetMenu(h), menu->Handle());
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu->Handle(), 0)), 1);
    closed->Enabled = true;
    menu->Changed();
    SendMessageW(h, WM_COMMAND, closed->Command(), 0);
    EXPECT_EQ(closes, 1);
    form->UnhookWindowProc(hook);
    // The menu bar going first leaves the window without it.
    FreeComponent(menu);
    EXPECT_EQ(form->Menu.Get(), nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
}

TEST_F(MenusTest, OwnerDrawnItemsGoToTheirPainters) {
    Owned<TForm> form(new TForm(nullptr));
    auto* popup = new TPopupMenu(form.get());
    TMenuItem* first = Item(form.get(), popup->Items, L"复制");
    TMenuItem* second = Item(form.get(), popup->Items, L"粘贴");
    int measured = 0, own = 0, outside = 0;
    first->OnAdvancedDrawItem = [&](const DRAWITEMSTRUCT&) { ++own; };
    first->OnDrawItem = [&](const DRAWITEMSTRUCT&) { ++outside; };
    second->OnDrawItem = [&](const DRAWITEMSTRUCT&) { ++outside; };
    second->OnMeasureItem = [&](MEASUREITEMSTRUCT& m) {
        ++measured;
        m.itemHeight = 30;
    };
    popup->SetOwnerDraw(true);
    form->Create();
    HWND h = form->Handle();
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoW(popup->Handle(), 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(second));
    MEASUREITEMSTRUCT m{ODT_MENU, 0, second->Command(), 0, 0, info.dwItemData};
    EXPECT_EQ(SendMessageW(h, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)), TRUE);
    EXPECT_EQ(m.itemHeight, 30u);
    EXPECT_EQ(measured, 1);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemData = reinterpret_cast<ULONG_PTR>(first);
    SendMessageW(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(own, 1) << "an item's own painter comes first";
    EXPECT_EQ(outside, 0);
    // Data that is no item of the form's menus is left alone.
    int stranger = 7;
    d.itemData = reinterpret_cast<ULONG_PTR>(&stranger);
    SendMessageW(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(own + outside, 1);
}

}  // namespace
