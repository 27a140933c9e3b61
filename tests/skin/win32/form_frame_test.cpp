// A skinned window's frame on screen: its metrics, borders by active state, caption text,
// caption buttons by state, region, and hit-test answers.
#include <algorithm>

#include "base/utf.h"
#include "skin_window_support.h"

namespace {

class FormFrameTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        MakeSkin();
    }
    // The border parts as the painter draws them for a window of this size.
    Bitmap32 Border(const TDataSkinBorder& part, int w, int h, bool active) const {
        const bool stacked = &part == &Content().Top || &part == &Content().Bottom;
        return RenderPart(w, h, part, stacked ? FrameLayout::Stacked : FrameLayout::SideBySide, part.Tile != 1,
                          active || part.FrameCount < 2 ? 1 : 2);
    }
    // Differences between the screen and the skin's borders (left, right, bottom, and the
    // Top part's rows above the caption's text and buttons).
    int BorderDifferences(HWND hwnd, bool active) const {
        const Bitmap32 shot = ScreenWindow(hwnd);
        const TFrameMetrics m = SkinMetrics();
        const int w = shot.width, h = shot.height;
        const Bitmap32 left = Border(Content().Left, m.left, h, active);
        const Bitmap32 right = Border(Content().Right, m.right, h, active);
        const Bitmap32 bottom = Border(Content().Bottom, w - m.left - m.right, m.bottom, active);
        const Bitmap32 top = Crop(Border(Content().Top, w - m.left - m.right, m.caption, active),
                                  RECT{0, 0, w - m.left - m.right, 4});
        return Differences(Crop(shot, RECT{0, 0, m.left, h}), left, &left) +
               Differences(Crop(shot, RECT{w - m.right, 0, w, h}), right, &right) +
               Differences(Crop(shot, RECT{m.left, h - m.bottom, w - m.right, h}), bottom, &bottom) +
               Differences(Crop(shot, RECT{m.left, 0, w - m.right, 4}), top, &top);
    }
    // Columns of the caption's text area holding pixels of the colour.
    std::vector<int> TextColumns(HWND hwnd, ColourRef colour) const {
        const Bitmap32 shot = ScreenWindow(hwnd);
        const TFrameMetrics m = SkinMetrics();
        const TDataSkinTitle& t = Content().Title;
        std::vector<int> columns;
        for (int x = m.left + t.TextShift; x < shot.width - m.right - t.TextRightClip - 2; ++x)
            for (int y = 0; y < m.caption; ++y)
                if (shot.At(x, y) == ColourRefToPixel(colour)) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }
    // The button of an Action as the screen shows it, against frame `frame` of its image.
    int ButtonDifferences(HWND hwnd, int action, int frame) {
        for (const auto& b : Skinned(hwnd)->Buttons()) {
            if (!b->Visible || b->Data.Action != action) continue;
            const RECT r = b->Bounds;
            Bitmap32 expected(r.right - r.left, r.bottom - r.top, kTransparentPixel);
            PaintFrame(expected, 0, 0, expected.width, expected.height, b->Data.Image, b->Data.FrameCount, frame, true);
            return Differences(Crop(ScreenWindow(hwnd), r), expected, &expected);
        }
        return -1;
    }
};

TEST_F(FormFrameTest, TheFrameHasTheSkinsWidthsAroundTheSameClientArea) {
    auto* form = new TestForm(L"木禾测试窗口");
    form->Create();
    RECT before{};
    GetClientRect(form->Handle(), &before);
    ShowSkinned(*form);
    HWND h = form->Handle();
    TWinSkinForm* s = Skinned(h);
    // Wine gives a captioned window the window-edge style, as Windows does.
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_WINDOWEDGE);
    EXPECT_EQ(s->FrameKind(), fkEdge);
    EXPECT_EQ(s->SystemButtons(), kHasSystemMenu | kHasMinimizeBox | kHasMaximizeBox);
    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const TFrameMetrics m = SkinMetrics();
    EXPECT_EQ(origin.x - window.left, m.left);
    EXPECT_EQ(origin.y - window.top, m.caption);
    EXPECT_EQ(window.right - (origin.x + client.right), m.right);
    EXPECT_EQ(window.bottom - (origin.y + client.bottom), m.bottom);
    EXPECT_EQ(RectText(client), RectText(before));
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(form->Width.Get(), 320 + m.left + m.right);
    // The system draws no caption buttons of its own; the skinned window says it is one.
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(SendMessageW(h, 0x3504, 0, 0), 1);
    EXPECT_EQ(form->Color.Get(), TColor(Content().Colours.ButtonFace));
}

TEST_F(FormFrameTest, BordersShowFrameOneWhenActiveAndFrameTwoWhenNot) {
    auto* first = new TestForm(L"甲", 40, 40);
    auto* second = new TestForm(L"乙", 600, 400);
    ShowSkinned(*first);
    EXPECT_EQ(BorderDifferences(first->Handle(), true), 0);
    EXPECT_GT(BorderDifferences(first->Handle(), false), 100);  // the two looks differ
    ShowSkinned(*second);
    ASSERT_TRUE(PumpUntil([&] { return !Skinned(first->Handle())->IsActive(); }));
    PumpFor(60);
    EXPECT_EQ(BorderDifferences(first->Handle(), false), 0);
    EXPECT_EQ(BorderDifferences(second->Handle(), true), 0);
}

TEST_F(FormFrameTest, CaptionTextStandsAfterTheIconInTheTitleColours) {
    auto* form = new TestForm(L"木禾驾驶员考试系统 ");
    auto* other = new TestForm(L"其他", 600, 400);
    ShowSkinned(*form);
    HWND h = form->Handle();
    const TSkinContent& c = Content();
    const TFrameMetrics m = SkinMetrics();
    // The caption's font has every glyph of the Chinese caption, whatever the system's
    // caption font and locale are; a caption the system's font covers keeps that font.
    const auto covers = [](HFONT font, const std::wstring& text) {
        ClientDC screen(nullptr);
        SelectGuard select(screen.Get(), font);
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(screen.Get(), text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        return std::count(glyphs.begin(), glyphs.end(), WORD(0xFFFF)) == 0;
    };
    const auto faceOf = [](HFONT font) {
        LOGFONTW lf{};
        GetObjectW(font, sizeof(lf), &lf);
        return std::wstring(lf.lfFaceName);
    };
    HFONT font = Skinned(h)->CaptionFont();
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(covers(font, L"木禾驾驶员考试系统 ")) << WideToUtf8(faceOf(font));
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    auto* latin = new TestForm(L"Latin caption", 500, 300);
    ShowSkinned(*latin);
    EXPECT_EQ(faceOf(Skinned(latin->Handle())->CaptionFont()), std::wstring(ncm.lfCaptionFont.lfFaceName));
    SetForegroundWindow(h);
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    PumpFor(60);
    // The text starts two blanks into the box after the TextBack's fixed left end.
    SIZE blanks{};
    {
        ClientDC screen(nullptr);
        SelectGuard select(screen.Get(), font);
        GetTextExtentPoint32W(screen.Get(), L"  ", 2, &blanks);
    }
    const int textStart = m.left + c.Title.TextShift + c.Title.TXTBackleft + int(blanks.cx);
    std::vector<int> active = TextColumns(h, c.Colours.TitleTextActive);
    ASSERT_GT(active.size(), 40u) << "the Chinese caption is drawn";
    EXPECT_GE(active.front(), textStart - 1);
    EXPECT_LE(active.front(), textStart + 3);
    const int end = active.back();

    // A new caption shows at once, skinned (the system paints none of its own).
    form->Caption = L"木禾驾驶员考试系统 模拟考试 第一百题";
    PumpFor(80);
    EXPECT_GT(TextColumns(h, c.Colours.TitleTextActive).back(), end + 40);
    EXPECT_EQ(BorderDifferences(h, true), 0);
    SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_ERROR)));
    PumpFor(80);
    EXPECT_EQ(BorderDifferences(h, true), 0);

    ShowSkinned(*other);
    ASSERT_TRUE(PumpUntil([&] { return !form->Active(); }));
    PumpFor(60);
    EXPECT_TRUE(TextColumns(h, c.Colours.TitleTextActive).empty());
    EXPECT_GT(TextColumns(h, c.Colours.TitleTextNoActive).size(), 40u);
}

TEST_F(FormFrameTest, CaptionButtonsShowNormalHotAndPressed) {
    auto* form = new TestForm(L"按钮");
    ShowSkinned(*form);
    HWND h = form->Handle();
    TWinSkinForm* s = Skinned(h);
    EXPECT_EQ(ButtonDifferences(h, 0, 1), 0);
    EXPECT_EQ(ButtonDifferences(h, 1, 1), 0);
    EXPECT_EQ(ButtonDifferences(h, 2, 1), 0);
    const POINT close = ButtonCentre(*s, 0);
    // The cursor stays where the messages say, so that the form's timer agrees.
    const LPARAM at = ScreenPoint(h, close.x, close.y);
    SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, at);
    PumpFor(40);
    EXPECT_EQ(ButtonDifferences(h, 0, 3), 0) << "hot";
    EXPECT_EQ(ButtonDifferences(h, 1, 1), 0);
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, at);
    PumpFor(40);
    EXPECT_EQ(ButtonDifferences(h, 0, 2), 0) << "pressed";
    // Away from the button it is normal again, and letting go there does nothing.
    const LPARAM away = ScreenPoint(h, 150, 10);
    SetCursorPos(GET_X_LPARAM(away), GET_Y_LPARAM(away));
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, away);
    SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, away);
    PumpFor(40);
    EXPECT_EQ(ButtonDifferences(h, 0, 1), 0);
    EXPECT_EQ(form->Closes, 0);
    // The cursor leaving without a message: the form's timer notices.
    SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, at);
    SetCursorPos(GET_X_LPARAM(away), GET_Y_LPARAM(away) + 300);
    EXPECT_TRUE(PumpUntil([&] { return s->Current() == nullptr; }, 1000));
}

TEST_F(FormFrameTest, TheRegionLeavesTheMagentaCornersOut) {
    auto* form = new TestForm(L"区域");
    ShowSkinned(*form);
    HWND h = form->Handle();
    auto check = [&] {
        RECT r{};
        GetWindowRect(h, &r);
        const int w = r.right - r.left, ht = r.bottom - r.top;
        const TFrameMetrics m = SkinMetrics();
        Bitmap32 frame(w, ht, 0);
        const Bitmap32 left = RenderPart(m.left, ht, Content().Left, FrameLayout::SideBySide, false, 1);
        const Bitmap32 right = RenderPart(m.right, ht, Content().Right, FrameLayout::SideBySide, false, 1);
        const Bitmap32 top = RenderPart(w - m.left - m.right, m.caption, Content().Top, FrameLayout::Stacked, false, 1);
        StretchCopy(frame, 0, 0, m.left, ht, left, 0, 0, m.left, ht);
        StretchCopy(frame, w - m.right, 0, m.right, ht, right, 0, 0, m.right, ht);
        StretchCopy(frame, m.left, 0, top.width, top.height, top, 0, 0, top.width, top.height);
        Gdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(h, region.Get()), ERROR);
        int outside = 0, wrong = 0;
        for (int y = 0; y < ht; ++y)
            for (int x = 0; x < w; ++x) {
                const bool magenta = frame.At(x, y) == kTransparentPixel;
                outside += magenta;
                wrong += magenta == bool(PtInRegion(region.Get(), x, y));
            }
        EXPECT_GT(outside, 8);  // the rounded top corners
        EXPECT_EQ(wrong, 0);
        EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
        EXPECT_FALSE(PtInRegion(region.Get(), w - 1, 0));
        EXPECT_TRUE(PtInRegion(region.Get(), 0, ht - 1));
        EXPECT_TRUE(PtInRegion(region.Get(), w / 2, 0));
    };
    check();
    // A new size gets a new region.
    SetWindowPos(h, nullptr, 0, 0, 520, 330, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(40);
    check();
}

TEST_F(FormFrameTest, HitTestAnswers) {
    auto* form = new TestForm(L"命中");
    ShowSkinned(*form);
    HWND h = form->Handle();
    const TFrameMetrics m = SkinMetrics();
    RECT r{};
    GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    auto hit = [&](int x, int y) { return SendMessageW(h, WM_NCHITTEST, 0, ScreenPoint(h, x, y)); };
    EXPECT_EQ(hit(w / 2, 10), HTCAPTION);
    // The skin's caption is taller than the system's; its lower rows are caption too.
    EXPECT_EQ(hit(w / 2, m.caption - 2), HTCAPTION);
    EXPECT_EQ(hit(w / 2, m.caption + 1), HTCLIENT);
    EXPECT_EQ(hit(0, ht / 2), HTLEFT);
    EXPECT_EQ(hit(w - 1, ht / 2), HTRIGHT);
    EXPECT_EQ(hit(w / 2, ht - 1), HTBOTTOM);

    // A dialog frame is narrower in the system's eyes: the rest of the skin's border below
    // the caption counts as the menu bar, above it as caption.
    auto* box = new TestForm(L"对话框", 500, 300);
    box->BorderStyle = bsDialog;
    ShowSkinned(*box);
    HWND b = box->Handle();
    GetWindowRect(b, &r);
    auto boxHit = [&](int x, int y) { return SendMessageW(b, WM_NCHITTEST, 0, ScreenPoint(b, x, y)); };
    EXPECT_EQ(boxHit(m.left - 1, (r.bottom - r.top) / 2), HTMENU);
    EXPECT_EQ(boxHit(m.left - 1, m.caption - 2), HTCAPTION);
    EXPECT_EQ(boxHit(40, 2), HTBORDER);
}

// Records what reaches the window's own procedure after the skin.
LRESULT CALLBACK Observer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCLBUTTONDOWN) reinterpret_cast<std::vector<WPARAM>*>(data)->push_back(wParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(FormFrameTest, AMaximizedWindowIsNotDraggedByItsCaption) {
    auto* form = new TestForm(L"最大化");
    form->Create();
    std::vector<WPARAM> seen;
    HWND h = form->Handle();
    SetWindowSubclass(h, Observer, 1, reinterpret_cast<DWORD_PTR>(&seen));
    ShowSkinned(*form);
    ShowWindow(h, SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(h)->WindowState() == wsMaximized && form->Active(); }));
    RECT before{};
    GetWindowRect(h, &before);
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(h, 200, 12));
    PumpFor(40);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], WPARAM(HTMENU));
    RECT after{};
    GetWindowRect(h, &after);
    EXPECT_EQ(RectText(after), RectText(before));
    RemoveWindowSubclass(h, Observer, 1);
}

TEST_F(FormFrameTest, CaptionButtonsMaximizeRestoreMinimizeAndClose) {
    auto* form = new TestForm(L"按钮动作");
    ShowSkinned(*form);
    HWND h = form->Handle();
    TWinSkinForm* s = Skinned(h);
    auto click = [&](int action) {
        SetForegroundWindow(h);
        PumpUntil([&] { return form->Active(); });
        const POINT c = ButtonCentre(*s, action);
        const LPARAM at = ScreenPoint(h, c.x, c.y);
        SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
        SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, at);
        SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, at);
        SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, at);
        PumpFor(80);
    };
    click(1);
    EXPECT_TRUE(IsZoomed(h));
    EXPECT_EQ(ButtonDifferences(h, 1, 1), 0) << "the restore button shows while maximized";
    click(1);
    EXPECT_FALSE(IsZoomed(h));
    EXPECT_EQ(ButtonDifferences(h, 0, 1), 0);
    click(2);
    EXPECT_TRUE(IsIconic(h));
    ShowWindow(h, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(h) && s->WindowState() == wsNormal; }));
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_SYSMENU, 0) << "restored, the system's buttons go again";
    click(0);
    EXPECT_EQ(form->Closes, 1);
}

TEST_F(FormFrameTest, ClickingTheIconTwiceCloses) {
    auto* form = new TestForm(L"图标");
    ShowSkinned(*form);
    HWND h = form->Handle();
    const POINT icon = ButtonCentre(*Skinned(h), 3);
    const LPARAM at = ScreenPoint(h, icon.x, icon.y);
    // The first click opens the system menu; the second arrives while it is open and ends it.
    RunAfter(150, [] { EndMenu(); });
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_EQ(form->Closes, 0);
    SendMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, at);
    SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, at);
    PumpFor(60);
    EXPECT_EQ(form->Closes, 1);
    // Apart in time, two clicks only open the menu twice.
    auto* other = new TestForm(L"图标二", 500, 300);
    ShowSkinned(*other);
    HWND o = other->Handle();
    for (int i = 0; i < 2; ++i) {
        RunAfter(GetDoubleClickTime() + 100, [] { EndMenu(); });
        SendMessageW(o, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(o, icon.x, icon.y));
        SendMessageW(o, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(o, icon.x, icon.y));
    }
    PumpFor(60);
    EXPECT_EQ(other->Closes, 0);
}

// Caption buttons under real presses: a press on one button released over another does
// nothing, either way round; a press and release on the same button runs it.
TEST_F(FormFrameTest, ACaptionButtonRunsOnlyWhenPressedAndReleasedOnIt) {
    auto* form = new TestForm(L"按下松开");
    ShowSkinned(*form);
    HWND h = form->Handle();
    TWinSkinForm* s = Skinned(h);
    const auto onScreen = [&](int action) {
        const POINT c = ButtonCentre(*s, action);
        const LPARAM at = ScreenPoint(h, c.x, c.y);
        return POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    };
    const POINT close = onScreen(0);
    const POINT maximize = onScreen(1);
    ASSERT_TRUE(MouseAt(close, {MOUSEEVENTF_LEFTDOWN}));
    ASSERT_TRUE(MouseAt(maximize, {MOUSEEVENTF_LEFTUP}));
    PumpFor(100);
    EXPECT_FALSE(IsZoomed(h)) << "pressed on Close, released on Maximize";
    EXPECT_EQ(form->Closes, 0);
    ASSERT_TRUE(MouseAt(maximize, {MOUSEEVENTF_LEFTDOWN}));
    ASSERT_TRUE(MouseAt(close, {MOUSEEVENTF_LEFTUP}));
    PumpFor(100);
    EXPECT_EQ(form->Closes, 0) << "pressed on Maximize, released on Close";
    EXPECT_FALSE(IsZoomed(h));
    PumpFor(GetDoubleClickTime() + 50);
    ASSERT_TRUE(MouseAt(maximize, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
}

}  // namespace
