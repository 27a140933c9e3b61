#include <gtest/gtest.h>

#include "skin/part_renderer.h"
#include "skin/skin_data.h"
#include "skin_test_support.h"

using namespace skintest;

namespace {

// Loads a description with images through the component's own path.
struct Loaded {
    TestHost host;
    TSkinData data{host.Host()};
    explicit Loaded(const std::string& description, std::vector<SkinArchiveEntry> images = {}) {
        MemoryStream value = SkinStreamOf(PackageOf(description, std::move(images)));
        data.ReadSkinStream(value);
        EXPECT_FALSE(data.SkinPending());
    }
    const TSkinContent& skin() const { return data.Content(); }
};

// An image whose pixel (x, 0) is x, to tell which columns a part got.
std::vector<uint8_t> ColumnBmp(int width, int height) {
    Bitmap32 b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.At(x, y) = uint32_t(x);
    return EncodeBmp(b, 24);
}

}  // namespace

TEST(SkinDescription, EveryReaderHasItsDefaultWhenNothingIsGiven) {
    Loaded l("[Unrelated]\r\nx=1\r\n");
    const TSkinContent& s = l.skin();
    EXPECT_EQ(s.SkinName, "");
    const TSkinColours& c = s.Colours;
    EXPECT_EQ(c.WindowText, TestSystemColour(SysColour::WindowText));
    EXPECT_EQ(c.ButtonFace, TestSystemColour(SysColour::ButtonFace));
    EXPECT_EQ(c.Scrollbar, TestSystemColour(SysColour::ScrollBar));
    EXPECT_EQ(c.HilightText, TestSystemColour(SysColour::HighlightText));
    EXPECT_EQ(c.Hilight, TestSystemColour(SysColour::Highlight));
    EXPECT_EQ(c.Menubar, c.ButtonFace);
    EXPECT_EQ(c.Menu, TestSystemColour(SysColour::Menu));
    EXPECT_EQ(c.MenuText, TestSystemColour(SysColour::MenuText));
    EXPECT_EQ(c.ButtonText, TestSystemColour(SysColour::ButtonText));
    EXPECT_EQ(c.ButtonHilight, TestSystemColour(SysColour::ButtonHighlight));
    EXPECT_EQ(c.Buttonlight, TestSystemColour(SysColour::ButtonHighlight));
    EXPECT_EQ(c.ButtonShadow, TestSystemColour(SysColour::ButtonShadow));
    EXPECT_EQ(c.ButtonDkShadow, TestSystemColour(SysColour::ButtonShadow));
    EXPECT_EQ(c.MenuBarText, TestSystemColour(SysColour::MenuText));
    EXPECT_EQ(c.TitleTextActive, TestSystemColour(SysColour::CaptionText));
    EXPECT_EQ(c.TitleTextNoActive, TestSystemColour(SysColour::InactiveCaptionText));
    EXPECT_TRUE(s.Palette.empty());
    EXPECT_EQ(s.BackgroundColour, c.ButtonFace);

    for (const TDataSkinBorder* b : {&s.Left, &s.Right, &s.Top, &s.Bottom}) {
        EXPECT_TRUE(b->Image.Empty()) << b->Name;
        EXPECT_EQ(b->FrameCount, 1) << b->Name;
        EXPECT_EQ(b->Tile, 1) << b->Name;
        EXPECT_EQ(b->Trans, 1) << b->Name;
        EXPECT_EQ(b->LeftWidth + b->TopHeight + b->RightWidth + b->BottomHeight, 0) << b->Name;
    }
    EXPECT_EQ(s.Left.Name, "Left");
    EXPECT_EQ(s.Bottom.Name, "Bottom");

    EXPECT_EQ(s.Title.FontHeight, 14);
    EXPECT_EQ(s.Title.ActiveTextColour, kColourNone);
    EXPECT_EQ(s.Title.InactiveTextColour, kColourNone);
    EXPECT_EQ(s.Title.FrameCount, 2);
    EXPECT_EQ(s.Title.TextShift + s.Title.TextAlignment + s.Title.TXTBackleft + s.Title.TXTBackRight, 0);

    EXPECT_EQ(s.Buttons.FrameCount, 5);
    EXPECT_EQ(s.Buttons.RadioFrameCount, 4);
    EXPECT_EQ(s.Buttons.CheckFrameCount, 4);
    EXPECT_EQ(s.Buttons.NormalColour, -1);
    EXPECT_EQ(s.Buttons.PressedColour, -1);
    EXPECT_EQ(s.Buttons.NormalColour2, c.ButtonText);
    EXPECT_EQ(s.Buttons.Trans, 0);

    EXPECT_FALSE(s.Progress);
    EXPECT_FALSE(s.MenuBar);
    EXPECT_FALSE(s.ComboButton);
    EXPECT_FALSE(s.UpDownVert);
    EXPECT_FALSE(s.Scrollbar);

    // Only the three MDI buttons, without images.
    ASSERT_EQ(s.TitleButtons.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const TDataSkinSysButton& b = s.TitleButtons[k];
        EXPECT_EQ(b.Action, int32_t(7 + k));
        EXPECT_EQ(b.Align, 100);
        EXPECT_EQ(b.Visibility, 100);
        EXPECT_EQ(b.Visibility1, 100);
        EXPECT_EQ(b.FrameCount, 4);
        EXPECT_TRUE(b.Image.Empty());
    }
}

TEST(SkinDescription, FrameBordersTakeTheirKeysFromPersonality) {
    Loaded l("[personality]\r\nTop=top.bmp\r\nTopFrame=2\r\nTopTopHeight=8\r\nTopBotHeight=9\r\nTopStretch=0\r\n"
             "TopTrans=0\r\nLeft=left.bmp\r\nLeftTopHeight=26\r\nLeftBotHeight=4\r\nLeftFrame=0\r\n"
             "BottomFrame=-3\r\n",
             {{"Top.bmp", Bmp(30, 52)}, {"left.bmp", Bmp(8, 40)}});
    const TSkinContent& s = l.skin();
    EXPECT_EQ(s.Top.Image.width, 30);
    EXPECT_EQ(s.Top.FrameCount, 2);
    EXPECT_EQ(s.Top.LeftWidth, 8);   // "TopTopHeight" is the top border's left slice
    EXPECT_EQ(s.Top.RightWidth, 9);
    EXPECT_EQ(s.Top.TopHeight, 0);
    EXPECT_EQ(s.Top.Tile, 0);
    EXPECT_EQ(s.Top.Trans, 0);
    EXPECT_EQ(s.Left.TopHeight, 26);
    EXPECT_EQ(s.Left.BottomHeight, 4);
    EXPECT_EQ(s.Left.LeftWidth, 0);
    // A frame count below 1 would divide the frame metrics by zero: it counts as absent.
    EXPECT_EQ(s.Left.FrameCount, 1);
    EXPECT_EQ(s.Bottom.FrameCount, 1);
}

TEST(SkinDescription, ColoursAndThePaletteInDescriptionOrder) {
    Loaded l("[Colour2]\r\ncolor=1 2 3\r\n[Colours]\r\nButtonFace=10 20 30\r\nMenuText=4,5,6,\r\n"
             "[COLOUR0]\r\nCOLOR=7 8 9\r\n[colourX]\r\n[Colour]\r\ncolor=11 12 13\r\n[MyColour]\r\ncolor=1 1 1\r\n");
    const TSkinContent& s = l.skin();
    EXPECT_EQ(s.Colours.ButtonFace, MakeColourRef(10, 20, 30));
    EXPECT_EQ(s.Colours.Menubar, MakeColourRef(10, 20, 30));  // follows the ButtonFace just read
    EXPECT_EQ(s.Colours.MenuText, MakeColourRef(4, 5, 6));
    EXPECT_EQ(s.Colours.MenuBarText, TestSystemColour(SysColour::MenuText));
    EXPECT_EQ(s.BackgroundColour, MakeColourRef(10, 20, 30));
    ASSERT_EQ(s.Palette.size(), 4u);
    EXPECT_EQ(s.Palette[0], MakeColourRef(1, 2, 3));
    EXPECT_EQ(s.Palette[1], MakeColourRef(7, 8, 9));
    EXPECT_EQ(s.Palette[2], TestSystemColour(SysColour::WindowText));  // a palette section without "color"
    EXPECT_EQ(s.Palette[3], MakeColourRef(11, 12, 13));
}

TEST(SkinDescription, TitleButtonsAndTheirFrameCounts) {
    Loaded l("[Buttons]\r\n[Button.Radio]\r\n[BUTTON.CHECKBOX]\r\n"
             "[ButtonWide]\r\nButtonImage=wide.bmp\r\nAction=0\r\nAlign=1\r\nXcoord=27\r\nYcoord=4\r\n"
             "[buttonExact]\r\nButtonImage=exact.bmp\r\nCombineOp=5\r\n"
             "[ButtonGiven]\r\nButtonImage=wide.bmp\r\nframe=2\r\n"
             "[ButtonNegative]\r\nButtonImage=exact.bmp\r\nAction=-1\r\nframe=3\r\n"
             "[ButtonIcon]\r\nButtonImage=exact.bmp\r\nAction=3\r\n"
             "[ButtonMenu]\r\nAction=11\r\n",
             {{"wide.bmp", Bmp(126, 21)}, {"exact.bmp", Bmp(95, 25)}});
    const std::vector<TDataSkinSysButton>& b = l.skin().TitleButtons;
    ASSERT_EQ(b.size(), 6u + 3u);
    EXPECT_EQ(b[0].Name, "BUTTONWIDE");
    EXPECT_EQ(b[0].FrameCount, 6);  // 126 / 21 = 6.0 > 3.8
    EXPECT_EQ(b[0].Xcoord, 27);
    EXPECT_EQ(b[0].Align, 1);
    EXPECT_EQ(b[0].CombineOp, -1);
    EXPECT_EQ(b[1].Name, "BUTTONEXACT");
    EXPECT_EQ(b[1].FrameCount, 3);  // 95 / 25 = 3.8 exactly
    EXPECT_EQ(b[1].CombineOp, 5);
    EXPECT_EQ(b[2].FrameCount, 2);  // given
    EXPECT_EQ(b[3].FrameCount, 6);  // a negative Action always has 6
    EXPECT_EQ(b[4].Action, 3);
    EXPECT_TRUE(b[4].Image.Empty());  // the window icon takes its place
    EXPECT_EQ(b[4].FrameCount, 3);
    EXPECT_EQ(b[5].FrameCount, 6);  // no image at all
    EXPECT_EQ(b[6].Action, 7);
}

TEST(SkinDescription, MdiButtonsAreCutFromOneStrip) {
    Loaded l("[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", ColumnBmp(120, 9)}});  // a = 10
    const std::vector<TDataSkinSysButton>& b = l.skin().TitleButtons;
    ASSERT_EQ(b.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(b[size_t(k)].Image.width, 40);
        EXPECT_EQ(b[size_t(k)].Image.height, 9);
        EXPECT_EQ(b[size_t(k)].Image.At(0, 0), uint32_t(40 * k));
        EXPECT_EQ(b[size_t(k)].Image.At(39, 8), uint32_t(40 * k + 39));
        EXPECT_EQ(b[size_t(k)].Xcoord, 14 * (3 - k));
    }
}

TEST(SkinDescription, ButtonsAndTheirBoxFrames) {
    struct Case {
        int w, h, given, expected;
    };
    const Case cases[] = {
        {65, 13, 0, 5},   // 65 / 13
        {40, 16, 0, 4},   // 40 / 16 = 2, raised to 4
        {130, 13, 0, 10},
        {64, 20, 0, 4},
        {65, 13, 7, 7},   // given
        {65, 13, -2, 5},  // a negative count counts as absent
    };
    for (const Case& c : cases) {
        const std::string given = c.given ? "CheckButtonFrame=" + std::to_string(c.given) + "\r\nRadioButtonFrame=" +
                                                std::to_string(c.given) + "\r\n"
                                          : "";
        Loaded l("[Buttons]\r\nBitmap=b.bmp\r\nCheckButton=c.bmp\r\nRadioButton=c.bmp\r\nLeftWidth=4\r\n"
                 "MouseOverColour=2\r\nPressedColour2=1 2 3\r\nTile=3\r\n" + given,
                 {{"b.bmp", Bmp(120, 24)}, {"c.bmp", Bmp(c.w, c.h)}});
        const TDataSkinButton& b = l.skin().Buttons;
        EXPECT_EQ(b.CheckFrameCount, c.expected) << c.w << "x" << c.h << " " << c.given;
        EXPECT_EQ(b.RadioFrameCount, c.expected) << c.w << "x" << c.h << " " << c.given;
        EXPECT_EQ(b.FrameCount, 5);
        EXPECT_EQ(b.LeftWidth, 4);
        EXPECT_EQ(b.MouseOverColour, 2);
        EXPECT_EQ(b.NormalColour, -1);
        EXPECT_EQ(b.PressedColour2, MakeColourRef(1, 2, 3));
        EXPECT_EQ(b.Tile, 3);  // only the generic parts clamp Tile
    }
}

TEST(SkinDescription, TitleTextSettings) {
    Loaded l("[Personality]\r\nTextBack=t.bmp\r\nTextShift=20\r\nTextAlignment=1\r\nTXTBackleft=8\r\n"
             "ActiveTextR=255\r\nActiveTextG=300\r\nActiveTextB=0\r\nInActiveTextR=10\r\nInActiveTextG=10\r\n"
             "[Fonts]\r\nFontHeight=12\r\n",
             {{"t.bmp", Bmp(48, 16)}});
    const TDataSkinTitle& t = l.skin().Title;
    EXPECT_EQ(t.Image.width, 48);
    EXPECT_EQ(t.FrameCount, 2);
    EXPECT_EQ(t.TextShift, 20);
    EXPECT_EQ(t.TextAlignment, 1);
    EXPECT_EQ(t.TXTBackleft, 8);
    EXPECT_EQ(t.FontHeight, 12);
    EXPECT_EQ(t.ActiveTextColour, MakeColourRef(255, 300 & 0xFF, 0));
    EXPECT_EQ(t.InactiveTextColour, kColourNone);  // blue is missing
}

TEST(SkinDescription, GenericPartsProgressAndMenuBar) {
    const std::string slices = "LeftWidth=1\r\nRightWidth=2\r\nTopHeight=3\r\nBottomHeight=4\r\nTrans=1\r\n";
    Loaded l("[Personality]\r\nmenuBar=menu.bmp\r\n"
             "[Progress]\r\nBitmap=p.bmp\r\nChunk=c.bmp\r\nTile=2\r\nStyle=1\r\n" + slices +
                 "[SunkEdge]\r\nImage=s.bmp\r\nTile=2\r\nStyle=1\r\nNormalColour=3\r\n" + slices +
                 "[Toolbars]\r\nImage=s.bmp\r\nTile=1\r\n"
                 "[Tabs]\r\nImage=s.bmp\r\nBorder=c.bmp\r\nStyle=1\r\n"
                 "[ComboButton]\r\nImage=col.bmp\r\nStyle=1\r\n"
                 "[UpDown.Vert]\r\nImage=s.bmp\r\nGlyphImage=c.bmp\r\n"
                 "[HorzScrollThumb]\r\nImage=s.bmp\r\nFrameCount=7\r\n"
                 "[VertScrollThumb]\r\nImage=s.bmp\r\nFrameCount=0\r\n"
                 "[Headerbar]\r\nImage=missing.bmp\r\n"
                 "[MenuItem]\r\nImage=\r\n",
             {{"menu.bmp", Bmp(24, 40)}, {"p.bmp", Bmp(32, 14)}, {"c.bmp", Bmp(5, 5)}, {"s.bmp", Bmp(64, 16)},
              {"col.bmp", ColumnBmp(68, 20)}});
    const TSkinContent& s = l.skin();
    ASSERT_TRUE(s.MenuBar);
    EXPECT_EQ(s.MenuBar->Tile, 0);
    EXPECT_EQ(s.MenuBar->LeftWidth, 1);
    EXPECT_EQ(s.MenuBar->RightWidth, 1);
    EXPECT_EQ(s.MenuBar->FrameCount, 2);

    ASSERT_TRUE(s.Progress);
    EXPECT_EQ(s.Progress->Tile, 2);  // kept as given
    EXPECT_EQ(s.Progress->Style, 1);
    EXPECT_EQ(s.Progress->Image2.width, 5);
    EXPECT_EQ(s.Progress->BottomHeight, 4);
    EXPECT_EQ(s.Progress->FrameCount, 2);

    ASSERT_TRUE(s.SunkEdge);
    EXPECT_EQ(s.SunkEdge->Tile, 0);  // above 1 means stretch
    EXPECT_EQ(s.SunkEdge->Style, 1);
    EXPECT_EQ(s.SunkEdge->NormalColour, 3);
    EXPECT_EQ(s.SunkEdge->MouseOverColour, -1);
    EXPECT_EQ(s.SunkEdge->RightWidth, 2);
    EXPECT_EQ(s.SunkEdge->Trans, 1);
    EXPECT_EQ(s.SunkEdge->NormalColour2, s.Colours.ButtonText);
    EXPECT_EQ(s.Toolbars->Tile, 1);

    ASSERT_TRUE(s.Tabs);
    EXPECT_EQ(s.Tabs->Image2.width, 5);
    EXPECT_EQ(s.Tabs->Style, 0);  // border parts do not read Style
    ASSERT_TRUE(s.UpDownVert);
    EXPECT_EQ(s.UpDownVert->Image2.width, 5);
    EXPECT_EQ(s.UpDownVert->FrameCount, 8);

    // The combo button's second image is its mirror.
    ASSERT_TRUE(s.ComboButton);
    ASSERT_EQ(s.ComboButton->Image2.width, 68);
    EXPECT_EQ(s.ComboButton->Image2.At(0, 0), 67u);
    EXPECT_EQ(s.ComboButton->Image2.At(67, 19), 0u);
    EXPECT_EQ(s.ComboButton->FrameCount, 4);
    // Unlike the other border parts, the combo button keeps its Style: it picks the painter.
    EXPECT_EQ(s.ComboButton->Style, 1);

    EXPECT_EQ(s.HorzScrollThumb->FrameCount, 7);
    EXPECT_EQ(s.VertScrollThumb->FrameCount, 3);
    // An image that is not in the archive leaves the part without one; an empty key, no part.
    ASSERT_TRUE(s.Headerbar);
    EXPECT_TRUE(s.Headerbar->Image.Empty());
    EXPECT_EQ(s.Headerbar->FrameCount, 5);
    EXPECT_FALSE(s.MenuItem);
    EXPECT_FALSE(s.GroupBoxEdge);
}

TEST(SkinDescription, ImageNamesUseTheirLastComponentAndOnlyDotBmp) {
    Loaded l("[GroupBoxEdge]\r\nImage=skins\\blue\\Edge.bmp\r\n"
             "[Toolbars]\r\nImage=skins/blue/edge.bmp\r\n"
             "[Tabs]\r\nImage=C:\\x/y\\EDGE.bmp\r\n"
             "[StatusBarEdges]\r\nImage=edge.BMP\r\n"
             "[SunkEdge]\r\nImage=edge.png\r\n"
             "[ExtraImages]\r\nImage=edge\r\n"
             "[Headerbar]\r\nImage=folder.bmp\\\r\n",
             {{"EDGE.bmp", Bmp(7, 3)}, {"edge.png", Bmp(7, 3)}, {"edge", Bmp(7, 3)}});
    const TSkinContent& s = l.skin();
    EXPECT_EQ(s.GroupBoxEdge->Image.width, 7);
    EXPECT_EQ(s.Toolbars->Image.width, 7);
    EXPECT_EQ(s.Tabs->Image.width, 7);
    EXPECT_TRUE(s.StatusBarEdges->Image.Empty());  // the extension in capitals
    EXPECT_TRUE(s.SunkEdge->Image.Empty());        // another extension, though the entry exists
    EXPECT_TRUE(s.ExtraImages->Image.Empty());     // no extension
    EXPECT_TRUE(s.Headerbar->Image.Empty());       // no file name after the folder
}

TEST(SkinDescription, FrameCountsOfEveryPart) {
    std::string d;
    const char* parts[] = {"GroupBoxEdge", "Toolbars", "Tabs", "StatusBarEdges", "ComboButton", "SunkEdge",
                           "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll",
                           "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz",
                           "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp",
                           "Trackbar.ThumbDown", "UpDown.Horz", "UpDown.Vert"};
    for (const char* p : parts) d += std::string("[") + p + "]\r\nImage=x.bmp\r\n";
    Loaded l(d, {{"x.bmp", Bmp(4, 4)}});
    const TSkinContent& s = l.skin();
    EXPECT_EQ(s.GroupBoxEdge->FrameCount, 2);
    EXPECT_EQ(s.StatusBarEdges->FrameCount, 3);
    for (auto* p : {s.SunkEdge.get(), s.HorzScroll.get(), s.VertScroll.get()}) EXPECT_EQ(p->FrameCount, 4) << p->Name;
    EXPECT_EQ(s.ComboButton->FrameCount, 4);
    EXPECT_EQ(s.Tabs->FrameCount, 5);
    for (auto* p : {s.Toolbars.get(), s.ExtraImages.get(), s.Headerbar.get(), s.MenuItem.get(), s.ThumbHorz.get(),
                    s.ThumbVert.get(), s.ThumbLeft.get(), s.ThumbRight.get(), s.ThumbUp.get(), s.ThumbDown.get()})
        EXPECT_EQ(p->FrameCount, 5) << p->Name;
    EXPECT_EQ(s.MenuBackground->FrameCount, 1);
    EXPECT_EQ(s.UpDownHorz->FrameCount, 8);
    EXPECT_EQ(s.UpDownVert->FrameCount, 8);
    EXPECT_EQ(s.Scrollbar->FrameCount, 23);
    EXPECT_EQ(s.HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(s.ThumbDown->Name, "Trackbar.ThumbDown");
}
