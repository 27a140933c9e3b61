// The manager: which windows it skins and which it refuses, message boxes, giving a window
// back, and what a window costs over many openings.
#include "skin_window_support.h"

#include "skin/win32/skin_messages.h"

namespace {

class SkinManageTest : public SkinTest {};

SIZE FrameOf(HWND h) {
    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    return SIZE{origin.x - window.left, origin.y - window.top};
}

TEST_F(SkinManageTest, NothingIsSkinnedBeforeAWindowIsActivatedThenTheActivatedOneIs) {
    MakeSkin();
    EXPECT_TRUE(Manager()->HookInstalled());
    EXPECT_TRUE(Manager()->Active());
    auto* hidden = new TestForm(L"隐藏");
    hidden->Create();
    PumpFor(300);
    EXPECT_EQ(Skinned(hidden->Handle()), nullptr);
    auto* shown = new TestForm(L"显示");
    ShowSkinned(*shown);
    EXPECT_NE(Skinned(shown->Handle()), nullptr);
    EXPECT_EQ(Skinned(hidden->Handle()), nullptr);
}

TEST_F(SkinManageTest, TagNinetyNineTheApplicationWindowAndSizeGripsAreRefused) {
    MakeSkin();
    skin_->SetDisableTag(5);  // Tag 99 is refused whatever DisableTag says
    auto* tagged = new TestForm(L"标签");
    tagged->Tag = 99;
    ShowSkinned(*tagged, false);
    EXPECT_EQ(Skinned(tagged->Handle()), nullptr);
    EXPECT_EQ(SendMessageW(tagged->Handle(), kSkinQuery, 0, 0), 0);
    EXPECT_EQ(FrameOf(tagged->Handle()).cy, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));

    // A window of the application class is never skinned, even with a size of its own.
    HWND app = CreateWindowExW(0, L"TApplication", L"应用", WS_POPUP | WS_CAPTION, 10, 10, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(Manager()->SkinWindow(app));
    DestroyWindow(app);
    auto* plain = new TestForm(L"普通");
    plain->Create();
    EXPECT_TRUE(Manager()->SkinWindow(plain->Handle())) << "the same call skins an ordinary window";

    // A size grip inside a skinned window fails to be made; elsewhere it is made.
    HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16,
                                plain->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(grip, nullptr);
    HWND bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 60, 16,
                               plain->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(bar, nullptr);
    grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16,
                           tagged->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(grip, nullptr);
}

TEST_F(SkinManageTest, WithoutTheMainMenuMemberWindowsKeepTheSystemFrame) {
    MakeSkin({xcCombo, xcBitBtn});
    auto* form = new TestForm(L"系统边框");
    form->Create();
    const SIZE before = FrameOf(form->Handle());
    ShowSkinned(*form, false);
    PumpFor(100);
    TWinSkinForm* s = Skinned(form->Handle());
    ASSERT_NE(s, nullptr) << "its controls are skinned";
    EXPECT_EQ(SendMessageW(form->Handle(), kSkinQuery, 0, 0), 1);
    EXPECT_EQ(FrameOf(form->Handle()).cy, before.cy);
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
}

TEST_F(SkinManageTest, AMessageBoxIsSkinnedAndWidenedToItsCaption) {
    MakeSkin();
    auto* owner = new TestForm(L"主窗口");
    ShowSkinned(*owner);
    struct Seen {
        LRESULT answer = 0;
        int width = 0;
        int clientWidth = 0;
        int buttonCentre = 0;
        SIZE frame{};
    };
    auto measure = [&](const std::wstring& caption, const std::wstring& text) {
        Seen seen;
        Application->SetBoxResponder([&](const TOpenBox& box) {
            TWinSkinForm* s = box.Window ? Skinned(box.Window) : nullptr;
            if (!s || s->LifeState() != lsSkinned) return kBoxNotYet;
            seen.answer = SendMessageW(box.Window, kSkinQuery, 0, 0);
            RECT r{}, c{};
            GetWindowRect(box.Window, &r);
            GetClientRect(box.Window, &c);
            seen.width = r.right - r.left;
            seen.clientWidth = c.right;
            seen.frame = FrameOf(box.Window);
            HWND ok = GetDlgItem(box.Window, IDOK);
            RECT b{};
            GetWindowRect(ok, &b);
            MapWindowPoints(nullptr, box.Window, reinterpret_cast<POINT*>(&b), 2);
            seen.buttonCentre = (b.left + b.right) / 2;
            return IDOK;
        });
        Application->MessageBox(text, caption, MB_OK);
        Application->SetBoxResponder({});
        return seen;
    };
    const TFrameMetrics m = SkinMetrics();
    const Seen shortCaption = measure(L"提示", L"这是一段比标题长得多的提示文字，框按它的宽度排版。");
    EXPECT_EQ(shortCaption.answer, 1);
    EXPECT_EQ(shortCaption.frame.cx, m.left);
    EXPECT_EQ(shortCaption.frame.cy, m.caption);

    const std::wstring longCaption(60, L'题');
    const Seen widened = measure(longCaption, L"短");
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    Gdi<HFONT> font(CreateFontIndirectW(&ncm.lfCaptionFont));
    SIZE space{};
    {
        ClientDC screen(nullptr);
        SelectGuard select(screen.Get(), font.Get());
        GetTextExtentPoint32W(screen.Get(), L" ", 1, &space);
    }
    const TDataSkinTitle& t = Content().Title;
    const int least = (60 + 7) * int(space.cx) + m.left + m.right + t.TextShift + t.TextRightClip + t.TXTBackleft +
                      t.TXTBackRight;
    EXPECT_EQ(widened.answer, 1);
    EXPECT_EQ(widened.width, least);
    // Its content moved right by half the growth: the OK button is still in the middle (left
    // where it was, it would be far off it).
    EXPECT_NEAR(widened.buttonCentre, widened.clientWidth / 2, 4);
}

TEST_F(SkinManageTest, UnskinGivesBackStyleProcedureSizeAndRegion) {
    MakeSkin();
    auto* form = new TestForm(L"还原");
    form->Create();
    HWND h = form->Handle();
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE) | WS_VISIBLE;
    const LONG_PTR procedure = GetWindowLongPtrW(h, GWLP_WNDPROC);
    const TColor colour = form->Color;
    ShowSkinned(*form);
    RECT before{};
    GetWindowRect(h, &before);
    Gdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(h, region.Get()), ERROR);
    EXPECT_NE(GetWindowLongPtrW(h, GWLP_WNDPROC), procedure);
    RECT skinnedClient{};
    GetClientRect(h, &skinnedClient);

    // A window closing meanwhile does not keep the skin from going.
    auto* closing = new TestForm(L"关闭", 500, 300);
    ShowSkinned(*closing);
    skin_->SetActive(false);
    FreeComponent(closing);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(h) == nullptr; }));
    EXPECT_TRUE(Manager()->Forms().empty());
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE), style);
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), procedure);
    EXPECT_EQ(GetWindowRgn(h, region.Get()), ERROR);
    EXPECT_EQ(form->Color.Get(), colour);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(RectText(client), RectText(skinnedClient));
    EXPECT_EQ(FrameOf(h).cy, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    EXPECT_EQ(SendMessageW(h, kSkinQuery, 0, 0), 0);
    // Switched off, newly activated windows stay as they are; on again, everything is skinned.
    auto* later = new TestForm(L"之后", 500, 300);
    ShowSkinned(*later, false);
    EXPECT_EQ(Skinned(later->Handle()), nullptr);
    skin_->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(h) && Skinned(later->Handle()); }));
}

TEST_F(SkinManageTest, TwoHundredSkinnedOpeningsLeaveNoObjectsBehind) {
    MakeSkin();
    auto* main = new TestForm(L"主窗口");
    ShowSkinned(*main);
    auto round = [&](int i) {
        auto* form = new TestForm(L"窗口 " + std::to_wstring(i), 100 + i % 50, 100);
        form->Show();
        ASSERT_TRUE(PumpUntil([&] {
            TWinSkinForm* s = Skinned(form->WindowHandle());
            return s && s->LifeState() == lsSkinned;
        }));
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
        FreeComponent(form);
        SetForegroundWindow(main->Handle());
    };
    round(-1);  // the system's caches fill once
    PumpFor(400);
    const int gdi = GdiObjectCount();
    const int windows = ThreadWindowCount();
    for (int i = 0; i < 200; ++i) round(i);
    // The closed forms are dropped by the manager's timer.
    ASSERT_TRUE(PumpUntil([&] { return Manager()->Forms().size() == 1; }, 2000));
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_NEAR(GdiObjectCount(), gdi, 4);
}

}  // namespace
