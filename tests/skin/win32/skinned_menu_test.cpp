// The skinned menus on real windows: the owner-drawn system menu (its items by the window's
// state, a double right click, its commands), pop-up menu windows with the skin's background,
// selected items and separators, and menus left alone while no skin has loaded.
#include "skin/win32/skin_control.h"
#include "skin/win32/win_skin_pop_menu.h"
#include "skin_window_support.h"

namespace {

bool Grayed(HMENU menu, UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class SkinnedMenuTest : public SkinTest {
protected:
    // Right-clicks the caption; while the menu is up, `inside` runs (after a few keys, if
    // given) and the menu is closed unless `inside` chose an item.
    void WithSystemMenu(HWND h, std::vector<WORD> keys, std::function<void(HWND menuWindow)> inside) {
        RunAfter(120, [=] {
            HWND menuWindow = OpenMenuWindow();
            for (WORD key : keys) PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
            RunAfter(120, [=] {
                HWND w = OpenMenuWindow();
                if (inside) inside(w);
                if (OpenMenuWindow()) EndMenu();
            });
        });
        SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(h, 150, 10));
        PumpFor(60);
    }
};

TEST_F(SkinnedMenuTest, TheSystemMenuIsTheSkinsOwnerDrawnMenuWithItemsByState) {
    MakeSkin();
    auto* form = new TestForm(L"系统菜单");
    ShowSkinned(*form);
    HWND h = form->Handle();
    TWinSkinForm* s = Skinned(h);
    HMENU menu = s->SystemMenuReplacement();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuItemID(menu, 0), UINT(SC_RESTORE));
    EXPECT_EQ(GetMenuItemID(menu, 1), UINT(SC_MAXIMIZE));
    EXPECT_EQ(GetMenuItemID(menu, 2), UINT(SC_MINIMIZE));
    EXPECT_EQ(GetMenuItemID(menu, 4), UINT(SC_CLOSE));

    bool shown = false, skinnedWindow = false, restoreGrayed = false, maximizeGrayed = true;
    WithSystemMenu(h, {}, [&](HWND w) {
        shown = w != nullptr;
        skinnedWindow = w && SendMessageW(w, 0x3504, 0, 0) == 1 && Manager()->FindPopupMenu(w);
        restoreGrayed = Grayed(menu, SC_RESTORE);
        maximizeGrayed = Grayed(menu, SC_MAXIMIZE);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(skinnedWindow) << "the menu window answers the skinned query";
    EXPECT_TRUE(restoreGrayed) << "a normal window cannot be restored";
    EXPECT_FALSE(maximizeGrayed);

    ShowWindow(h, SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return s->WindowState() == wsMaximized && form->Active(); }));
    PumpFor(GetDoubleClickTime() + 50);
    WithSystemMenu(h, {}, [&](HWND) {
        restoreGrayed = Grayed(menu, SC_RESTORE);
        maximizeGrayed = Grayed(menu, SC_MAXIMIZE);
    });
    EXPECT_FALSE(restoreGrayed) << "a maximized window can be restored";
    EXPECT_TRUE(maximizeGrayed);
    // A box without maximize and minimize buttons has neither item.
    auto* box = new TestForm(L"对话框", 500, 300);
    box->BorderStyle = bsDialog;
    ShowSkinned(*box);
    HMENU boxMenu = Skinned(box->Handle())->SystemMenuReplacement();
    EXPECT_EQ(GetMenuItemCount(boxMenu), 3);
    EXPECT_EQ(GetMenuItemID(boxMenu, 2), UINT(SC_CLOSE));
}

TEST_F(SkinnedMenuTest, TheMenuWindowShowsTheSkinsBackgroundSelectedItemAndSeparator) {
    MakeSkin();
    auto* form = new TestForm(L"菜单外观");
    ShowSkinned(*form);
    HWND h = form->Handle();
    HMENU menu = Skinned(h)->SystemMenuReplacement();
    const TSkinContent& c = Content();
    int borderDifferences = -1, selectedDifferences = -1, separatorInk = -1, width = 0;
    // Down selects the first item (Restore, greyed on a normal window but selectable).
    WithSystemMenu(h, {VK_DOWN}, [&](HWND w) {
        ASSERT_NE(w, nullptr);
        const Bitmap32 shot = ScreenWindow(w);
        width = shot.width;

        const Bitmap32 back = RenderPart(shot.width, shot.height, *c.MenuBackground, FrameLayout::SideBySide,
                                         c.MenuBackground->Tile == 1, 1);
        borderDifferences = Differences(Crop(shot, RECT{0, 0, shot.width, 3}), Crop(back, RECT{0, 0, back.width, 3})) +
                            Differences(Crop(shot, RECT{0, 0, 3, shot.height}), Crop(back, RECT{0, 0, 3, back.height}));
        RECT window{}, item{}, separator{};
        GetWindowRect(w, &window);
        GetMenuItemRect(nullptr, menu, 0, &item);
        GetMenuItemRect(nullptr, menu, 3, &separator);
        OffsetRect(&item, -window.left, -window.top);
        OffsetRect(&separator, -window.left, -window.top);
        // The selected item is the MenuItem part's fourth frame over the background.
        Bitmap32 expected = Crop(back, item);
        const Bitmap32 face = RenderPart(expected.width, expected.height, *c.MenuItem, FrameLayout::SideBySide,
                                         c.MenuItem->Tile == 1, 4);
        StretchCopy(expected, 0, 0, face.width, face.height, face, 0, 0, face.width, face.height, true);
        const Bitmap32 shown = Crop(shot, item);
        selectedDifferences = Differences(Crop(shown, RECT{0, 0, shown.width, 2}), Crop(expected, RECT{0, 0, shown.width, 2}));
        // The separator line is the second frame's bottom rows.
        separatorInk = CountColour(shot, separator, Rgb(200, 210, 226));
    });
    EXPECT_EQ(borderDifferences, 0);
    EXPECT_EQ(selectedDifferences, 0);
    EXPECT_GT(separatorInk, width / 2);
}

TEST_F(SkinnedMenuTest, ItemsRunTheirCommandsAndADoubleRightClickCloses) {
    MakeSkin();
    auto* form = new TestForm(L"命令");
    ShowSkinned(*form);
    HWND h = form->Handle();
    // Up from nothing selects the last item, Close.
    WithSystemMenu(h, {VK_UP, VK_RETURN}, nullptr);
    PumpFor(60);
    EXPECT_EQ(form->Closes, 1);
    PumpFor(GetDoubleClickTime() + 50);
    // Maximize (Restore, greyed, is passed over), then from the maximized window Restore.
    WithSystemMenu(h, {VK_DOWN, VK_DOWN, VK_RETURN}, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    PumpFor(GetDoubleClickTime() + 50);
    WithSystemMenu(h, {VK_DOWN, VK_RETURN}, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));
    PumpFor(GetDoubleClickTime() + 50);
    // Two right clicks within the double-click time close instead of showing the menu twice.
    RunAfter(100, [] { EndMenu(); });
    SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(h, 150, 10));
    SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(h, 150, 10));
    PumpFor(60);
    EXPECT_EQ(form->Closes, 2);
}

TEST_F(SkinnedMenuTest, APopupMenuStaysUnskinnedWhileTheSkinIsPending) {
    // A component whose package never loaded: the manager exists, the skin is pending.
    skin_ = new TSkinDataComponent(nullptr);
    skin_->BeginLoading();
    skin_->Loaded();
    ASSERT_TRUE(skin_->SkinPending());
    ASSERT_NE(Manager(), nullptr);
    auto* form = new TestForm(L"未换肤");
    ShowSkinned(*form, false);
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"复制");
    LRESULT answer = -1;
    RunAfter(120, [&] {
        HWND w = OpenMenuWindow();
        answer = w ? SendMessageW(w, 0x3504, 0, 0) : -1;
        EndMenu();
    });
    TrackPopupMenu(popup, TPM_RETURNCMD, 200, 200, 0, form->Handle(), nullptr);
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(Manager()->PopupMenus().empty());
    DestroyMenu(popup);
}

// A double right click on the caption as the system delivers it: the first click opens the
// menu, the second arrives (as WM_NCRBUTTONDBLCLK) while the menu is up; the window closes
// and no menu is left open. A single click only opens the menu.
TEST_F(SkinnedMenuTest, ARealDoubleRightClickOnTheCaptionCloses) {
    MakeSkin();
    auto* form = new TestForm(L"右键双击");
    ShowSkinned(*form);
    HWND h = form->Handle();
    PumpFor(GetDoubleClickTime() + 50);
    const LPARAM at = ScreenPoint(h, 150, 10);
    const POINT caption{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    // A menu left open would hold the test: it is ended, and the test fails on the count.
    bool guarding = true;
    RunAfter(1500, [&guarding] {
        if (guarding && OpenMenuWindow()) EndMenu();
    });
    ASSERT_TRUE(MouseAt(caption, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_RIGHTDOWN,
                                  MOUSEEVENTF_RIGHTUP}));
    EXPECT_TRUE(PumpUntil([&] { return form->Closes == 1; }, 1000));
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    PumpFor(1600);
    guarding = false;

    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    bool opened = false;
    RunAfter(200, [&opened] {
        opened = OpenMenuWindow() != nullptr;
        EndMenu();
    });
    ASSERT_TRUE(MouseAt(caption, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}));
    PumpFor(300);
    EXPECT_TRUE(opened);
    EXPECT_EQ(form->Closes, 1);
}

}  // namespace
