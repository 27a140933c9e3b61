// Scroll-bar arithmetic: the thumb's place and size, what a press hits, and the positions a
// dragged thumb stands for, with the figures the system's own bar gives.
#include <gtest/gtest.h>

#include "skin/scroll_bar_geometry.h"
#include "skin/tab_face.h"

namespace {

// A memo of 121 lines showing 11 in a 180-pixel bar with 17-pixel arrows.
constexpr TScrollState kMemo{0, 120, 11, 0};

TEST(ScrollBarGeometry, TheThumbIsProportionalAndPlacedAsTheSystemPlacesIt) {
    TScrollLayout l = LayoutScrollBar(180, 17, kMemo, 17, 6);
    EXPECT_EQ(l.TrackStart(), 17);
    EXPECT_EQ(l.TrackEnd(), 163);
    EXPECT_EQ(l.thumbLength, 13);  // 146 * 11 / 121, rounded
    EXPECT_EQ(l.thumbStart, 17);
    // Positions measured on the system's bar at the same size.
    for (auto [pos, start] : {std::pair{10, 29}, {37, 62}, {55, 84}, {80, 114}, {109, 149}, {110, 150}, {500, 150}}) {
        TScrollState s = kMemo;
        s.pos = pos;
        EXPECT_EQ(LayoutScrollBar(180, 17, s, 17, 6).thumbStart, start) << pos;
    }
    // Without a page the thumb is square; a tiny page still gets the shortest thumb.
    EXPECT_EQ(LayoutScrollBar(180, 17, TScrollState{0, 100, 0, 0}, 17, 6).thumbLength, 17);
    EXPECT_EQ(LayoutScrollBar(180, 17, TScrollState{0, 100000, 10, 0}, 17, 6).thumbLength, 6);
    // Nothing to scroll, or no room: no thumb, and the arrows share a short bar.
    EXPECT_FALSE(LayoutScrollBar(180, 17, TScrollState{0, 10, 11, 0}, 17, 6).HasThumb());
    EXPECT_FALSE(LayoutScrollBar(38, 17, kMemo, 17, 6).HasThumb());
    const TScrollLayout tiny = LayoutScrollBar(20, 17, kMemo, 17, 6);
    EXPECT_EQ(tiny.arrow, 10);
    EXPECT_FALSE(tiny.HasThumb());
}

TEST(ScrollBarGeometry, APressIsClassifiedByWhereItFalls) {
    TScrollState s = kMemo;
    s.pos = 37;
    const TScrollLayout l = LayoutScrollBar(180, 17, s, 17, 6);  // thumb 62..75
    EXPECT_EQ(HitScrollBar(l, -1), TScrollHit::None);
    EXPECT_EQ(HitScrollBar(l, 0), TScrollHit::LineUp);
    EXPECT_EQ(HitScrollBar(l, 16), TScrollHit::LineUp);
    EXPECT_EQ(HitScrollBar(l, 17), TScrollHit::PageUp);
    EXPECT_EQ(HitScrollBar(l, 61), TScrollHit::PageUp);
    EXPECT_EQ(HitScrollBar(l, 62), TScrollHit::Thumb);
    EXPECT_EQ(HitScrollBar(l, 74), TScrollHit::Thumb);
    EXPECT_EQ(HitScrollBar(l, 75), TScrollHit::PageDown);
    EXPECT_EQ(HitScrollBar(l, 162), TScrollHit::PageDown);
    EXPECT_EQ(HitScrollBar(l, 163), TScrollHit::LineDown);
    EXPECT_EQ(HitScrollBar(l, 180), TScrollHit::None);
    // Without a thumb the track does nothing.
    EXPECT_EQ(HitScrollBar(LayoutScrollBar(180, 17, TScrollState{0, 5, 11, 0}, 17, 6), 90), TScrollHit::None);
}

TEST(ScrollBarGeometry, ADraggedThumbStandsForThePositionsTheSystemReports) {
    const TScrollLayout l = LayoutScrollBar(180, 17, kMemo, 17, 6);
    // Thumb moved by d pixels from the top and the position the system's drag reported.
    for (auto [d, pos] : {std::pair{1, 1}, {9, 7}, {55, 45}, {120, 99}, {125, 103}, {131, 108}, {132, 109}, {133, 110},
                          {160, 110}, {-30, 0}}) {
        EXPECT_EQ(ThumbValue(l, kMemo, l.TrackStart() + d), pos) << d;
    }
    // A range that does not start at 0.
    const TScrollState shifted{50, 170, 11, 50};
    EXPECT_EQ(ThumbValue(LayoutScrollBar(180, 17, shifted, 17, 6), shifted, 17 + 55), 95);
}

TEST(ScrollBarGeometry, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDivRound(1, 1, 2), 1);
    EXPECT_EQ(MulDivRound(-1, 1, 2), -1);
    EXPECT_EQ(MulDivRound(7, 10, 4), 18);  // 17.5
    EXPECT_EQ(MulDivRound(1 << 30, 8, 1 << 28), 32);  // no overflow on the way
    EXPECT_EQ(MulDivRound(5, 5, 0), -1);
}

// A tab part whose outer end (the top row) is one colour and the rest another.
TDataSkinObject TabPart() {
    TDataSkinObject part;
    part.Image = Bitmap32(20, 10, 0x808080);  // two frames of 10 x 10
    for (int x = 0; x < 20; ++x) part.Image.At(x, 0) = 0xFF0000;
    part.FrameCount = 2;
    return part;
}

TEST(TabFace, TheOuterEndFacesAwayFromThePageOnEverySide) {
    const TDataSkinObject part = TabPart();
    const Bitmap32 top = RenderTab(30, 12, part, 1, TTabSide::Top);
    EXPECT_EQ(top.At(15, 0), 0xFF0000u);
    EXPECT_EQ(top.At(15, 11), 0x808080u);
    const Bitmap32 bottom = RenderTab(30, 12, part, 1, TTabSide::Bottom);
    EXPECT_EQ(bottom.At(15, 11), 0xFF0000u);
    EXPECT_EQ(bottom.At(15, 0), 0x808080u);
    const Bitmap32 left = RenderTab(12, 30, part, 1, TTabSide::Left);
    ASSERT_EQ(left.width, 12);
    ASSERT_EQ(left.height, 30);
    EXPECT_EQ(left.At(0, 15), 0xFF0000u);
    EXPECT_EQ(left.At(11, 15), 0x808080u);
    const Bitmap32 right = RenderTab(12, 30, part, 1, TTabSide::Right);
    EXPECT_EQ(right.At(11, 15), 0xFF0000u);
    EXPECT_EQ(right.At(0, 15), 0x808080u);
    EXPECT_TRUE(RenderTab(0, 10, part, 1, TTabSide::Top).Empty());
}

TEST(TabFace, FramesByState) {
    EXPECT_EQ(TabFrame(false, false, true), 1);
    EXPECT_EQ(TabFrame(false, true, true), 2);
    EXPECT_EQ(TabFrame(true, false, true), 3);
    EXPECT_EQ(TabFrame(true, true, false), 4);
    EXPECT_EQ(TabFrame(true, true, true), 5);
}

}  // namespace
