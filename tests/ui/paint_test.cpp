// What the learner sees: labels (transparent or filled, wrapped, aligned), pictures centred
// and cut at their frame at full scale, panels, and repaints limited to what changed.
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui_test_support.h"

namespace {

constexpr TColor kGreen = RgbColor(0, 128, 0);
const uint32_t kGreen32 = Rgb(0, 128, 0);

class PaintTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(new TForm(nullptr));
        form->BorderStyle = bsNone;
        form->SetBounds(0, 0, 500, 400);
        form->Color = kGreen;
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TLabel* AddLabel(const std::wstring& text, RECT bounds) {
        auto* label = new TLabel(form.get());
        label->Parent = form.get();
        label->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        label->Caption = text;
        label->Font->Color = clBlue;
        return label;
    }
    // Rows of the rectangle that hold something other than the background.
    static int InkRows(const Bitmap32& image, const RECT& r, uint32_t background) {
        int rows = 0;
        for (int y = r.top; y < r.bottom; ++y) rows += CountOther(image, RECT{r.left, y, r.right, y + 1}, background) > 0;
        return rows;
    }
    static int FirstInkColumn(const Bitmap32& image, const RECT& r, uint32_t background) {
        for (int x = r.left; x < r.right; ++x)
            if (CountOther(image, RECT{x, r.top, x + 1, r.bottom}, background)) return x;
        return -1;
    }
    Owned<TForm> form;
};

const std::wstring kLongText = L"驾驶机动车在道路上行驶，遇到前方有行人横过道路时应当减速让行。";

TEST_F(PaintTest, LabelsAreTransparentUnlessToldAndFillTheirColourOtherwise) {
    auto* clear = AddLabel(L"第1题", RECT{10, 10, 110, 30});
    clear->Color = clRed;  // not painted: the label is transparent
    auto* filled = AddLabel(L"第2题", RECT{10, 40, 110, 60});
    filled->Transparent = false;
    filled->Color = clYellow;
    form->Create();
    const Bitmap32 image = PrintClient(form->WindowHandle());
    const RECT clearRect = clear->BoundsRect();
    const RECT filledRect = filled->BoundsRect();
    EXPECT_EQ(CountColour(image, clearRect, Rgb(255, 0, 0)), 0);
    EXPECT_GT(CountColour(image, clearRect, kGreen32), 1000);
    EXPECT_GT(CountOther(image, clearRect, kGreen32), 20);  // the text
    EXPECT_EQ(CountColour(image, filledRect, kGreen32), 0);
    EXPECT_GT(CountColour(image, filledRect, Rgb(255, 255, 0)), 1000);
    // Nothing outside the labels but the form's colour.
    EXPECT_EQ(CountOther(image, RECT{0, 70, 500, 400}, kGreen32), 0);
    EXPECT_EQ(CountOther(image, RECT{120, 0, 500, 70}, kGreen32), 0);
}

TEST_F(PaintTest, WordWrapBreaksLongChineseTextAndWithoutItTheTextIsCut) {
    auto* wrapped = AddLabel(kLongText, RECT{10, 10, 130, 130});
    wrapped->WordWrap = true;
    wrapped->Font->Height = 16;
    auto* single = AddLabel(kLongText, RECT{200, 10, 320, 130});
    single->Font->Height = 16;
    form->Create();
    const Bitmap32 image = PrintClient(form->WindowHandle());
    const int wrappedRows = InkRows(image, wrapped->BoundsRect(), kGreen32);
    const int singleRows = InkRows(image, single->BoundsRect(), kGreen32);
    EXPECT_LE(singleRows, 22);             // one line of 16 px glyphs
    EXPECT_GT(wrappedRows, 3 * singleRows / 2 + 16);  // several lines
    // The unwrapped line ends at the label's edge.
    EXPECT_EQ(CountOther(image, RECT{320, 0, 500, 400}, kGreen32), 0);
    EXPECT_GT(CountOther(image, RECT{300, 10, 320, 40}, kGreen32), 0);
}

TEST_F(PaintTest, AlignmentPlacesTheTextLeftCentredOrRight) {
    auto* left = AddLabel(L"1", RECT{0, 10, 200, 30});
    auto* centre = AddLabel(L"1", RECT{0, 40, 200, 60});
    centre->Alignment = taCenter;
    auto* right = AddLabel(L"1", RECT{0, 70, 200, 90});
    right->Alignment = taRightJustify;
    form->Create();
    const Bitmap32 image = PrintClient(form->WindowHandle());
    EXPECT_LT(FirstInkColumn(image, left->BoundsRect(), kGreen32), 10);
    const int mid = FirstInkColumn(image, centre->BoundsRect(), kGreen32);
    EXPECT_GT(mid, 85);
    EXPECT_LT(mid, 105);
    EXPECT_GT(FirstInkColumn(image, right->BoundsRect(), kGreen32), 185);
}

// A picture whose every pixel tells where it came from.
Bitmap32 CodedPicture(int w, int h) {
    Bitmap32 picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.At(x, y) = Rgb(uint8_t(x), uint8_t(y), uint8_t(((x >> 8) << 4) | (y >> 8)));
    return picture;
}

TEST_F(PaintTest, BitmapsHoldAPictureAndGiveItBack) {
    const Bitmap32 picture = CodedPicture(33, 17);
    TBitmap bitmap(picture);
    EXPECT_EQ(bitmap.Width(), 33);
    EXPECT_EQ(bitmap.Height(), 17);
    EXPECT_EQ(bitmap.ToBitmap32().pixels, picture.pixels);
    BITMAP info{};
    GetObjectW(bitmap.Handle(), sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    TBitmap copy;
    copy.Assign(bitmap);
    EXPECT_EQ(copy.ToBitmap32().pixels, picture.pixels);
    bitmap.Assign(Bitmap32());
    EXPECT_TRUE(bitmap.Empty());
    Bitmap32 broken(10, 10);
    broken.pixels.resize(50);  // fewer pixels than its size says
    EXPECT_THROW(bitmap.Assign(broken), EInvalidGraphic);
    EXPECT_TRUE(bitmap.Empty());
}

TEST_F(PaintTest, ALargePictureShowsItsCentreAtFullScaleCutAtTheFrame) {
    auto* image = new TImage(form.get());
    image->Parent = form.get();
    image->SetBounds(20, 30, 207, 216);
    image->Center = true;
    const Bitmap32 picture = CodedPicture(400, 300);
    image->Picture->Assign(picture);
    form->Create();
    Bitmap32 shot = PrintClient(form->WindowHandle());
    // (400 - 207) / 2 = 96 and (300 - 216) / 2 = 42 columns and rows are cut on each side.
    int mismatches = 0;
    for (int y = 0; y < 216; ++y)
        for (int x = 0; x < 207; ++x) mismatches += shot.At(20 + x, 30 + y) != picture.At(x + 96, y + 42);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(CountOther(shot, RECT{0, 0, 500, 30}, kGreen32), 0);
    EXPECT_EQ(CountOther(shot, RECT{0, 246, 500, 400}, kGreen32), 0);
    EXPECT_EQ(CountOther(shot, RECT{0, 30, 20, 246}, kGreen32), 0);
    EXPECT_EQ(CountOther(shot, RECT{227, 30, 500, 246}, kGreen32), 0);

    // Not centred: the top-left corner.
    image->Center = false;
    shot = PrintClient(form->WindowHandle());
    EXPECT_EQ(shot.At(20, 30), picture.At(0, 0));
    EXPECT_EQ(shot.At(226, 245), picture.At(206, 215));

    // A small picture centred, the frame around it left to the background.
    image->Center = true;
    const Bitmap32 small = CodedPicture(50, 40);
    image->Picture->Assign(small);
    shot = PrintClient(form->WindowHandle());
    EXPECT_EQ(shot.At(20 + 78, 30 + 88), small.At(0, 0));
    EXPECT_EQ(shot.At(20 + 78 + 49, 30 + 88 + 39), small.At(49, 39));
    EXPECT_EQ(CountOther(shot, RECT{20, 30, 20 + 78, 246}, kGreen32), 0);

    // Cleared: nothing is painted.
    image->Picture->Assign(static_cast<const TBitmap*>(nullptr));
    shot = PrintClient(form->WindowHandle());
    EXPECT_EQ(CountOther(shot, RECT{0, 0, 500, 400}, kGreen32), 0);
}

TEST_F(PaintTest, PanelPaintsItsBevelCaptionAndTheLabelsOnIt) {
    auto* panel = new TPanel(form.get());
    panel->Parent = form.get();
    panel->SetBounds(50, 50, 200, 100);
    panel->Color = clWhite;
    panel->Caption = L"木禾";
    panel->BevelOuter = bvLowered;
    auto* label = new TLabel(form.get());
    label->Parent = panel;
    label->SetBounds(5, 5, 60, 20);
    label->Caption = L"第";
    form->Create();
    const Bitmap32 shot = PrintClient(panel->WindowHandle());
    const uint32_t white = Rgb(255, 255, 255);
    // A lowered bevel: shadow at the top left, highlight at the bottom right.
    EXPECT_EQ(shot.At(0, 0), Rgb32(GetSysColor(COLOR_3DSHADOW)));
    EXPECT_EQ(shot.At(199, 99), Rgb32(GetSysColor(COLOR_3DHILIGHT)));
    EXPECT_GT(CountOther(shot, RECT{5, 5, 65, 25}, white), 10);       // the label
    EXPECT_GT(CountOther(shot, RECT{80, 35, 120, 65}, white), 10);    // the centred caption
    EXPECT_EQ(CountOther(shot, RECT{2, 70, 198, 98}, white), 0);
    panel->BevelOuter = bvRaised;
    const Bitmap32 raised = PrintClient(panel->WindowHandle());
    EXPECT_EQ(raised.At(199, 99), Rgb32(GetSysColor(COLOR_3DDKSHADOW)));
    panel->BevelOuter = bvNone;
    EXPECT_EQ(PrintClient(panel->WindowHandle()).At(0, 0), white);
}

TEST_F(PaintTest, AChangeRepaintsOnlyTheControlThatChangedAndBothPathsAgree) {
    auto* a = AddLabel(L"你的答案是:1", RECT{10, 10, 150, 30});
    auto* b = AddLabel(L"第2题", RECT{200, 100, 300, 120});
    auto* image = new TImage(form.get());
    image->Parent = form.get();
    image->SetBounds(300, 200, 100, 100);
    form->Show();
    HWND hwnd = form->WindowHandle();
    UpdateWindow(hwnd);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));

    a->Caption = L"你的答案是:2";
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(RectText(update), "10,10,150,30");
    UpdateWindow(hwnd);

    image->Picture->Assign(CodedPicture(10, 10));
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(RectText(update), "300,200,400,300");
    UpdateWindow(hwnd);

    b->Font->Color = clRed;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(RectText(update), "200,100,300,120");

    // What WM_PAINT puts on screen is what WM_PRINTCLIENT paints.
    const Bitmap32 screen = ScreenClient(hwnd);
    const Bitmap32 printed = PrintClient(hwnd);
    EXPECT_EQ(screen.pixels, printed.pixels);
    EXPECT_GT(CountColour(printed, b->BoundsRect(), Rgb(255, 0, 0)), 0);
}

// Pixels at which two pictures of one size differ, outside `except` (a child window's place).
int Differences(const Bitmap32& a, const Bitmap32& b, const RECT& except = RECT{}) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const POINT p{x, y};
            if (!PtInRect(&except, p)) n += a.At(x, y) != b.At(x, y);
        }
    return n;
}

TEST_F(PaintTest, WhatChangesWhileAWindowIsOffTheScreenShowsWhenItComesOn) {
    auto* label = AddLabel(L"第1题", RECT{10, 10, 150, 30});
    auto* image = new TImage(form.get());
    image->Parent = form.get();
    image->SetBounds(300, 200, 100, 100);
    auto* panel = new TPanel(form.get());
    panel->Parent = form.get();
    panel->SetBounds(50, 150, 200, 100);
    panel->Color = clWhite;
    panel->BevelOuter = bvNone;
    auto* inner = new TLabel(form.get());
    inner->Parent = panel;
    inner->SetBounds(5, 5, 150, 25);
    inner->Caption = L"甲";
    const RECT panelArea = panel->BoundsRect();
    // What is on the screen is what the windows paint now, with nothing left to paint.
    const auto expectCurrent = [&](const char* when) {
        HWND hwnd = form->WindowHandle();
        UpdateWindow(hwnd);
        EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << when;
        EXPECT_EQ(Differences(ScreenAsItIs(hwnd), PrintClient(hwnd), panelArea), 0) << when;
        EXPECT_EQ(Differences(ScreenAsItIs(panel->WindowHandle()), PrintClient(panel->WindowHandle())), 0) << when;
    };

    // Changed after the windows are made and before they are first shown, as in a FormCreate.
    form->Create();
    label->Caption = L"第2题";
    inner->Caption = L"乙";
    form->Show();
    expectCurrent("first shown");
    const Bitmap32 before = ScreenAsItIs(form->WindowHandle());

    // Changed while hidden after being shown.
    form->Hide();
    label->Caption = L"第3题";
    image->Picture->Assign(CodedPicture(40, 40));
    inner->Font->Color = clRed;
    form->Show();
    expectCurrent("shown again");
    const Bitmap32 after = ScreenAsItIs(form->WindowHandle());
    EXPECT_GT(Differences(before, after, panelArea), 20) << "the label and the picture changed";

    // A hidden panel on a shown form: changed, then shown.
    panel->Visible = false;
    UpdateWindow(form->WindowHandle());
    inner->Caption = L"丙丁";
    panel->Color = clYellow;
    panel->Visible = true;
    expectCurrent("the panel shown again");
    EXPECT_GT(CountColour(ScreenAsItIs(panel->WindowHandle()), RECT{0, 0, 200, 100}, Rgb(255, 255, 0)), 15000);
}

// A panel whose background paint leaves its device context in a state of its own (text
// alignment, colours, modes, a font, the origin, a clip) and, halfway, has another window print
// itself: a paint inside a paint.
class TUntidyPanel : public TPanel {
public:
    explicit TUntidyPanel(TComponent* owner) : TPanel(owner), font_(CreateFontW(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"宋体")) {}
    TWinControl* printed = nullptr;
    Bitmap32 printedPicture;

protected:
    void PaintBackground(HDC dc, const RECT& area) override {
        TPanel::PaintBackground(dc, area);
        if (printed) printedPicture = PrintClient(printed->WindowHandle());
        SetTextAlign(dc, TA_BASELINE | TA_RIGHT);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(255, 0, 0));
        SetTextColor(dc, RGB(0, 0, 255));
        SelectObject(dc, font_.Get());
        SetROP2(dc, R2_NOT);
        SetViewportOrgEx(dc, 37, 11, nullptr);
        IntersectClipRect(dc, 0, 0, 5, 5);
    }

private:
    Gdi<HFONT> font_;
};

TEST_F(PaintTest, PaintsShareOneBufferAndLeaveNothingOfTheirsToTheNext) {
    auto* label = AddLabel(L"第1题", RECT{10, 10, 150, 30});
    label->Font->Height = 16;
    auto* plain = new TPanel(form.get());
    plain->Parent = form.get();
    plain->SetBounds(20, 250, 120, 80);
    plain->Color = clYellow;
    plain->Caption = L"木禾";
    form->Create();
    const Bitmap32 plainAlone = PrintClient(plain->WindowHandle());
    const Bitmap32 formAlone = PrintClient(form->WindowHandle());

    auto* untidy = new TUntidyPanel(form.get());
    untidy->Parent = form.get();
    untidy->SetBounds(250, 150, 200, 120);
    untidy->Color = clWhite;
    untidy->printed = plain;
    form->Show();
    HWND hwnd = form->WindowHandle();
    UpdateWindow(hwnd);
    // The untidy panel paints, then the form's label and the plain panel paint after it.
    RedrawWindow(untidy->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    label->Caption = L"第2题";
    label->Caption = L"第1题";
    plain->Invalidate();
    UpdateWindow(hwnd);
    const RECT untidyArea = untidy->BoundsRect();
    const RECT plainArea = plain->BoundsRect();
    const Bitmap32 screen = ScreenAsItIs(hwnd);
    int differences = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const POINT p{x, y};
            if (!PtInRect(&untidyArea, p) && !PtInRect(&plainArea, p)) differences += screen.At(x, y) != formAlone.At(x, y);
        }
    EXPECT_EQ(differences, 0) << "the form's label as painted alone";
    EXPECT_EQ(ScreenAsItIs(plain->WindowHandle()).pixels, plainAlone.pixels) << "the plain panel as painted alone";
    // The panel printed halfway through the untidy paint got a picture of its own, and the
    // untidy paint's picture was not disturbed by it (white up to its bevel).
    EXPECT_EQ(untidy->printedPicture.pixels, plainAlone.pixels);
    EXPECT_EQ(CountOther(ScreenAsItIs(untidy->WindowHandle()), RECT{2, 2, 198, 118}, Rgb(255, 255, 255)), 0);
}

}  // namespace
