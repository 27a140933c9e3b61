// Our own skin, as the build paints and packs it.
#include <gtest/gtest.h>

#include <numeric>

#include "skin/part_renderer.h"
#include "skin/skin_data.h"
#include "skin/skin_painter.h"
#include "skin/skin_reader.h"
#include "skin_test_support.h"

using namespace skintest;

namespace {

const std::vector<std::string> kImageNames = {
    "FrameTop.bmp", "FrameBottom.bmp", "FrameLeft.bmp", "FrameRight.bmp", "menu.bmp", "dialog.bmp", "buttons.bmp",
    "checkbox.bmp", "radio.bmp", "progress.bmp", "groupboxedge.bmp", "tabborder.bmp", "buttons-tabs.bmp",
    "status.bmp", "combo.bmp", "sunkedge.bmp", "combo-arrows.bmp", "header.bmp", "menutool.bmp", "menuborder.bmp",
    "arrows.bmp", "hscroll_back.bmp", "vscroll_back.bmp", "hscroll_bar.bmp", "vscroll_bar.bmp", "button-mdi.bmp",
    "groupboxlabel.bmp", "toolbarbg.bmp", "buttons-toolbar.bmp", "buttons-menu.bmp", "CloseButton.bmp",
    "MaxButton.bmp", "MinButton.bmp", "RestroreButton.bmp"};

struct Shipped {
    std::vector<SkinArchiveEntry> entries = muheskin::PaintSkinEntries();
    std::vector<uint8_t> archive = BuildSkinArchive(entries);
    std::vector<uint8_t> package = PackSkinPackage(archive);
};

const Shipped& TheSkin() {
    static const Shipped shipped;
    return shipped;
}

}  // namespace

TEST(ShippedSkin, ArchiveHoldsTheImagesAndTheDescriptionInPlace) {
    const Shipped& s = TheSkin();
    ASSERT_EQ(s.entries.size(), 35u);
    std::vector<std::string> expected = kImageNames;
    expected.insert(expected.begin() + 30, "muhe.ini");
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(s.entries[i].name, expected[i]) << i;

    TSkinReader reader;
    MemoryStream package(s.package);
    ASSERT_TRUE(reader.OpenPackage(package));
    EXPECT_EQ(package.Position(), package.Size());  // the decoder consumed exactly the stream
    ASSERT_EQ(reader.Count(), 35);
    size_t listLength = 0;
    int64_t total = 0;
    for (int i = 0; i < reader.Count(); ++i) {
        listLength += s.entries[size_t(i)].name.size() + 2;
        total += reader.EntrySize(i);
        MemoryStream body;
        reader.ExtractEntry(s.entries[size_t(i)].name, body);
        const bool image = i != 30;
        ASSERT_GE(body.Size(), 2u);
        EXPECT_EQ(body.Bytes()[0] == 'B' && body.Bytes()[1] == 'M', image) << s.entries[size_t(i)].name;
    }
    EXPECT_EQ(size_t(reader.NameListLength()), listLength);
    EXPECT_EQ(size_t(total), reader.BodyBytes());
    const uint32_t declared = uint32_t(s.package[0]) | uint32_t(s.package[1]) << 8 | uint32_t(s.package[2]) << 16 |
                              uint32_t(s.package[3]) << 24;
    EXPECT_EQ(declared, s.archive.size());
    EXPECT_LT(s.package.size(), s.archive.size() / 3);

    MemoryStream description;
    std::string name;
    ASSERT_TRUE(reader.ExtractFirstMatching(".ini", description, name));
    EXPECT_EQ(name, "muhe.ini");
}

TEST(ShippedSkin, LoadsIntoEveryPart) {
    TestHost host;
    TSkinData data(host.Host());
    MemoryStream value = SkinStreamOf(TheSkin().package);
    data.ReadSkinStream(value);
    ASSERT_FALSE(data.SkinPending());
    EXPECT_TRUE(host.messages.empty());
    const TSkinContent& s = data.Content();
    EXPECT_EQ(s.SkinName, "Muhe Blue");
    EXPECT_EQ(s.Palette.size(), 6u);

    // Five button sections (Buttons itself is not one) plus the three MDI buttons.
    ASSERT_EQ(s.TitleButtons.size(), 8u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(s.TitleButtons[i].FrameCount, 6) << i;  // no frame key; a strip of six
        EXPECT_FALSE(s.TitleButtons[i].Image.Empty()) << i;
    }
    EXPECT_EQ(s.TitleButtons[4].Action, 3);
    EXPECT_TRUE(s.TitleButtons[4].Image.Empty());
    for (int k = 0; k < 3; ++k) {
        const TDataSkinSysButton& mdi = s.TitleButtons[size_t(5 + k)];
        EXPECT_EQ(mdi.Image.width, 4 * muheskin::kMdiGlyph);
        EXPECT_EQ(mdi.Xcoord, (muheskin::kMdiGlyph + 4) * (3 - k));
    }

    // Frame metrics as the frame painter derives them.
    EXPECT_EQ(s.Top.Image.height / s.Top.FrameCount, muheskin::kCaptionHeight);
    EXPECT_EQ(s.Left.Image.width / s.Left.FrameCount, muheskin::kBorder);
    EXPECT_EQ(s.Right.Image.width / s.Right.FrameCount, muheskin::kBorder);
    EXPECT_EQ(s.Bottom.Image.height / s.Bottom.FrameCount, muheskin::kBorder);
    for (const TDataSkinBorder* b : {&s.Left, &s.Right, &s.Top, &s.Bottom}) {
        EXPECT_EQ(b->Trans, 1) << b->Name;
        EXPECT_EQ(b->Tile, 1) << b->Name;  // stretched
    }
    // Rounded top corners are outside the window region; the bottom corners are square.
    EXPECT_EQ(s.Left.Image.At(0, 0), kTransparentPixel);
    EXPECT_EQ(s.Right.Image.At(s.Right.Image.width / 2 - 1, 0), kTransparentPixel);
    EXPECT_NE(s.Left.Image.At(0, s.Left.Image.height - 1), kTransparentPixel);
    EXPECT_NE(s.Top.Image.At(s.Top.Image.width / 2, 0), kTransparentPixel);

    // Every part is there, and every image splits evenly into the frames its part expects.
    struct Slot {
        const char* name;
        const TDataSkinObject* part;
        bool stacked;
    };
    const Slot slots[] = {
        {"Top", &s.Top, true}, {"Bottom", &s.Bottom, true}, {"Left", &s.Left, false}, {"Right", &s.Right, false},
        {"Buttons", &s.Buttons, false}, {"Title", &s.Title, false}, {"Progress", s.Progress.get(), false},
        {"MenuBar", s.MenuBar.get(), true}, {"GroupBoxEdge", s.GroupBoxEdge.get(), false},
        {"Toolbars", s.Toolbars.get(), false}, {"Tabs", s.Tabs.get(), false},
        {"StatusBarEdges", s.StatusBarEdges.get(), false}, {"ComboButton", s.ComboButton.get(), false},
        {"SunkEdge", s.SunkEdge.get(), false}, {"ExtraImages", s.ExtraImages.get(), false},
        {"Headerbar", s.Headerbar.get(), false}, {"MenuItem", s.MenuItem.get(), false},
        {"MenuBackground", s.MenuBackground.get(), false}, {"Scrollbar", s.Scrollbar.get(), false},
        {"HorzScroll", s.HorzScroll.get(), false}, {"VertScroll", s.VertScroll.get(), false},
        {"HorzScrollThumb", s.HorzScrollThumb.get(), false}, {"VertScrollThumb", s.VertScrollThumb.get(), false},
        {"ThumbHorz", s.ThumbHorz.get(), false}, {"ThumbVert", s.ThumbVert.get(), false},
        {"ThumbLeft", s.ThumbLeft.get(), false}, {"ThumbRight", s.ThumbRight.get(), false},
        {"ThumbUp", s.ThumbUp.get(), false}, {"ThumbDown", s.ThumbDown.get(), false},
        {"UpDownHorz", s.UpDownHorz.get(), false}, {"UpDownVert", s.UpDownVert.get(), false},
    };
    for (const Slot& slot : slots) {
        ASSERT_NE(slot.part, nullptr) << slot.name;
        const TDataSkinObject& p = *slot.part;
        ASSERT_FALSE(p.Image.Empty()) << slot.name;
        const int along = slot.stacked ? p.Image.height : p.Image.width;
        EXPECT_EQ(along % p.FrameCount, 0) << slot.name;
        const PixelRect f = FrameOf(p.Image, p.FrameCount, 1, slot.stacked ? FrameLayout::Stacked : FrameLayout::SideBySide);
        EXPECT_LE(p.LeftWidth + p.RightWidth, f.width) << slot.name;
        EXPECT_LE(p.TopHeight + p.BottomHeight, f.height) << slot.name;
    }
    EXPECT_EQ(s.Buttons.CheckFrameCount, 4);
    EXPECT_EQ(s.Buttons.RadioFrameCount, 4);
    EXPECT_EQ(s.Buttons.CheckImage.width % 4, 0);
    EXPECT_FALSE(s.Tabs->Image2.Empty());
    EXPECT_FALSE(s.ComboButton->Image2.Empty());
    // The caption text box ends at (width - right border - TextRightClip), the minimize button
    // (Align 1) starts at (width - Xcoord): the text stops before the button.
    ASSERT_EQ(s.TitleButtons[3].Action, 2);
    EXPECT_GE(s.Title.TextRightClip + muheskin::kBorder, s.TitleButtons[3].Xcoord);
}

TEST(ShippedSkin, MenuGlyphsAreSixteenSquareOnWhite) {
    const Bitmap32 glyphs = muheskin::PaintMenuGlyphs();
    ASSERT_EQ(glyphs.width, 8 * 16);
    ASSERT_EQ(glyphs.height, 16);
    for (int g = 0; g < 8; ++g) {
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) ink += glyphs.At(g * 16 + x, y) != 0xFFFFFF ? 1 : 0;
        EXPECT_GT(ink, 10) << g;
        // The cell's corners are mask, so the glyphs keep apart.
        EXPECT_EQ(glyphs.At(g * 16, 0), 0xFFFFFFu) << g;
        EXPECT_EQ(glyphs.At(g * 16 + 15, 15), 0xFFFFFFu) << g;
    }
}
