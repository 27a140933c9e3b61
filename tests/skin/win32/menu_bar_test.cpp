// The skinned menu bar on a form with the toolkit's main menu: built from the window's menu
// and painted in the frame, opened by mouse and by Alt with an accelerator, Left and Right
// going round the bar, rebuilt when the menu changes; and the form's pop-up menus drawn by the
// skin.
#include "skin/win32/win_skin_menu.h"
#include "skin/win32/win_skin_pop_menu.h"
#include "skin_window_support.h"
#include "ui/menus.h"

namespace {

constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU

HMENU OpenMenu() {
    HWND w = OpenMenuWindow();
    return w ? reinterpret_cast<HMENU>(SendMessageW(w, kGetMenu, 0, 0)) : nullptr;
}

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const wchar_t* caption, const wchar_t* shortcut = L"") {
    auto* item = new TMenuItem(owner);
    item->Caption = caption;
    item->ShortCut = shortcut;
    parent->Add(item);
    return item;
}

// Records the system commands that reach the window's own procedure.
LRESULT CALLBACK Observer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_SYSCOMMAND) reinterpret_cast<std::vector<LPARAM>*>(data)->push_back(lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

class MenuBarTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        MakeSkin({xcMainMenu, xcPopupMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu});
        form = new TestForm(L"菜单栏", 60, 60, 360, 220);
        menu = new TMainMenu(form);
        file = Item(form, menu->Items, L"&File");
        open = Item(form, file, L"&Open", L"Ctrl+O");
        open->OnClick = [this] { ++opened; };
        Item(form, file, L"-");
        Item(form, file, L"E&xit");
        edit = Item(form, menu->Items, L"&Edit");
        Item(form, edit, L"&Copy");
        help = Item(form, menu->Items, L"&Help");
        Item(form, help, L"&About");
        form->Menu = menu;
        form->Create();
        clientBefore = form->ClientRect();
        SetWindowSubclass(form->Handle(), Observer, 1, reinterpret_cast<DWORD_PTR>(&sysCommands));
        ShowSkinned(*form);
        h = form->Handle();
        skinned = Skinned(h);
        bar = skinned->MenuBar();
    }
    void TearDown() override {
        if (IsWindow(h)) RemoveWindowSubclass(h, Observer, 1);
        SkinTest::TearDown();
    }
    LPARAM ItemPoint(int index) const {
        const RECT& r = bar->Item(index)->Bounds;
        return ScreenPoint(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    HMENU SubMenu(int index) const { return GetSubMenu(menu->Handle(), index); }

    TestForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* open = nullptr;
    TMenuItem* edit = nullptr;
    TMenuItem* help = nullptr;
    HWND h = nullptr;
    TWinSkinForm* skinned = nullptr;
    TWinSkinMenu* bar = nullptr;
    std::vector<LPARAM> sysCommands;
    RECT clientBefore{};
    int opened = 0;
};

TEST_F(MenuBarTest, TheBarIsBuiltFromTheMenuAndPaintedBelowTheCaption) {
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Count(), 3);
    EXPECT_EQ(bar->Item(0)->Caption, L"&File");
    EXPECT_EQ(bar->Item(2)->Caption, L"&Help");
    EXPECT_EQ(GetMenu(h), nullptr) << "the system draws no bar of its own";
    const TFrameMetrics m = skinned->Metrics();
    EXPECT_EQ(m.menuBar, GetSystemMetrics(SM_CYMENU));
    RECT window{};
    GetWindowRect(h, &window);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.y - window.top, m.caption + m.menuBar);
    EXPECT_EQ(RectText(form->ClientRect()), RectText(clientBefore));
    // Items follow each other from the part's left slice; the captions are in MenuBarText.
    const TSkinContent& c = Content();
    EXPECT_EQ(bar->Item(0)->Bounds.left, m.left + c.MenuBar->LeftWidth + 4);
    EXPECT_EQ(bar->Item(1)->Bounds.left, bar->Item(0)->Bounds.right);
    const Bitmap32 shot = ScreenWindow(h);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(CountColour(shot, bar->Item(i)->Bounds, ColourRefToPixel(c.Colours.MenuBarText)), 10) << i;
    // Beyond the items the bar is the MenuBar part.
    const int w = shot.width - m.left - m.right;
    const Bitmap32 part = RenderNineSlice(w, m.menuBar, c.MenuBar->Image, c.MenuBar->LeftWidth, 0, c.MenuBar->RightWidth,
                                          0, FrameLayout::Stacked, c.MenuBar->Tile == 1, c.MenuBar->FrameCount, 1);
    const RECT tail{w - 40, 0, w - 2, m.menuBar};
    EXPECT_EQ(Differences(Crop(shot, RECT{m.left + tail.left, m.caption, m.left + tail.right, m.caption + m.menuBar}),
                          Crop(part, tail)),
              0);
    // Unskinning puts the menu back on the window.
    skinned->Unskin();
    EXPECT_EQ(GetMenu(h), menu->Handle());
    Manager()->FormDestroyed(*skinned);
}

TEST_F(MenuBarTest, LeftAndRightGoRoundTheBar) {
    std::vector<HMENU> seen;
    bool fromBar = false;
    // Opened on File; Left goes round to Help, Right from About (no sub-menu) back to File.
    RunAfter(150, [&] {
        seen.push_back(OpenMenu());
        fromBar = Manager()->FindPopupMenu(OpenMenuWindow()) && Manager()->FindPopupMenu(OpenMenuWindow())->FromMenuBar;
        PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_LEFT, 0);
        RunAfter(150, [&] {
            seen.push_back(OpenMenu());
            PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_RIGHT, 0);
            RunAfter(150, [&] {
                seen.push_back(OpenMenu());
                PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
            });
        });
    });
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, ItemPoint(0));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], SubMenu(0));
    EXPECT_EQ(seen[1], SubMenu(2));
    EXPECT_EQ(seen[2], SubMenu(0));
    EXPECT_TRUE(fromBar);
    EXPECT_EQ(Manager()->MenuTracking().form, nullptr);
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bar->Item(i)->State, kItemNormal);
    // The sub-menus' entries are the skin's owner-drawn items now.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(SubMenu(0), 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
}

TEST_F(MenuBarTest, TheMouseMovingOntoAnotherItemSwitchesAndEnterChooses) {
    HMENU second = nullptr;
    RunAfter(150, [&] {
        const LPARAM at = ItemPoint(1);
        SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
        PostMessageW(OpenMenuWindow(), WM_MOUSEMOVE, 0, 0);
        RunAfter(200, [&] {
            second = OpenMenu();
            PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
    });
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, ItemPoint(0));
    EXPECT_EQ(second, SubMenu(1));
    const LPARAM away = ScreenPoint(h, 200, 150);
    SetCursorPos(GET_X_LPARAM(away), GET_Y_LPARAM(away));
    // The first entry is selected on opening: Enter chooses Open.
    RunAfter(150, [&] { PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_RETURN, 0); });
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, ItemPoint(0));
    PumpFor(60);
    EXPECT_EQ(opened, 1);
}

TEST_F(MenuBarTest, AltIsSwallowedAndAltWithAnAcceleratorOpensTheItem) {
    sysCommands.clear();
    EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
    EXPECT_TRUE(sysCommands.empty()) << "Alt alone never reaches the system's menu loop";
    HMENU shown = nullptr;
    RunAfter(150, [&] {
        shown = OpenMenu();
        EndMenu();
    });
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 'h');
    PumpFor(400);
    EXPECT_TRUE(sysCommands.empty());
    EXPECT_EQ(shown, SubMenu(2));
    EXPECT_EQ(bar->AcceleratorItem(L'e'), bar->Item(1));
    EXPECT_EQ(bar->AcceleratorItem(L'q'), nullptr);
}

TEST_F(MenuBarTest, AChangedMenuRebuildsTheBar) {
    help->Caption = L"&Info";
    Item(form, menu->Items, L"&Window");
    menu->Changed();
    PumpFor(40);
    ASSERT_EQ(bar->Count(), 4);
    EXPECT_EQ(bar->Item(2)->Caption, L"&Info");
    EXPECT_EQ(GetMenu(h), nullptr);
    EXPECT_EQ(RectText(form->ClientRect()), RectText(clientBefore)) << "the bar keeps its height";
    // Without MenuUpdate the bar stays as it was.
    skin_->SetMenuUpdate(false);
    help->Caption = L"&Help";
    menu->Changed();
    PumpFor(40);
    EXPECT_EQ(bar->Item(2)->Caption, L"&Info");
}

TEST_F(MenuBarTest, TheFormsPopupMenusAreDrawnByTheSkinUntilUnskinned) {
    auto* popup = new TPopupMenu(form);
    Item(form, popup->Items, L"复制");
    Item(form, popup->Items, L"-");
    auto* own = Item(form, popup->Items, L"自绘");
    int ownDraws = 0;
    own->OnAdvancedDrawItem = [&](const DRAWITEMSTRUCT&) { ++ownDraws; };
    // Pop-up menus are made owner-drawn when the form is skinned (or refreshed).
    SendMessageW(h, 0x3401, 0, 0);
    PumpFor(40);
    EXPECT_TRUE(popup->GetOwnerDraw());
    EXPECT_TRUE(bool(popup->Items->Items(0)->OnDrawItem));
    EXPECT_FALSE(bool(own->OnDrawItem)) << "an item with a painter of its own keeps it";
    bool skinnedWindow = false;
    RunAfter(150, [&] {
        HWND w = OpenMenuWindow();
        skinnedWindow = w && SendMessageW(w, 0x3504, 0, 0) == 1;
        EndMenu();
    });
    popup->Popup(300, 300);
    EXPECT_TRUE(skinnedWindow);
    EXPECT_GT(ownDraws, 0);
    skinned->Unskin();
    EXPECT_FALSE(popup->GetOwnerDraw());
    EXPECT_FALSE(bool(popup->Items->Items(0)->OnDrawItem));
    Manager()->FormDestroyed(*skinned);
}

}  // namespace
