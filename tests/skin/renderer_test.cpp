#include <gtest/gtest.h>

#include "skin/part_renderer.h"

namespace {

// Every pixel distinct: value = frame * 10000 + y * 100 + x (x, y within the frame), so a
// rendered pixel tells exactly which source pixel it came from.
Bitmap32 Numbered(int frameWidth, int frameHeight, int frames, FrameLayout layout) {
    const bool side = layout == FrameLayout::SideBySide;
    Bitmap32 image(side ? frameWidth * frames : frameWidth, side ? frameHeight : frameHeight * frames);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < frameWidth; ++x)
                image.At(side ? f * frameWidth + x : x, side ? y : f * frameHeight + y) =
                    uint32_t((f + 1) * 10000 + y * 100 + x);
    return image;
}

uint32_t Source(int frame, int x, int y) { return uint32_t(frame * 10000 + y * 100 + x); }

}  // namespace

TEST(PartRenderer, NineSliceCopiesCornersAndStretchesEdgesAndCentre) {
    // A 6 x 6 frame with 2-pixel slices on every side: a 2 x 2 centre and 2-pixel edges.
    const Bitmap32 image = Numbered(6, 6, 3, FrameLayout::SideBySide);
    const Bitmap32 out = RenderNineSlice(10, 8, image, 2, 2, 2, 2, FrameLayout::SideBySide, false, 3, 2);
    ASSERT_EQ(out.width, 10);
    ASSERT_EQ(out.height, 8);
    // Corners 1:1 from frame 2.
    EXPECT_EQ(out.At(0, 0), Source(2, 0, 0));
    EXPECT_EQ(out.At(1, 1), Source(2, 1, 1));
    EXPECT_EQ(out.At(8, 0), Source(2, 4, 0));
    EXPECT_EQ(out.At(9, 7), Source(2, 5, 5));
    EXPECT_EQ(out.At(0, 6), Source(2, 0, 4));
    // Top edge: the 2 centre columns of the frame stretched over 6 columns (3 each).
    for (int x = 2; x < 8; ++x) EXPECT_EQ(out.At(x, 0), Source(2, 2 + (x - 2) / 3, 0)) << x;
    // Left edge: the 2 centre rows stretched over 4 rows (2 each).
    for (int y = 2; y < 6; ++y) EXPECT_EQ(out.At(1, y), Source(2, 1, 2 + (y - 2) / 2)) << y;
    // Centre: 2 x 2 stretched to 6 x 4.
    EXPECT_EQ(out.At(2, 2), Source(2, 2, 2));
    EXPECT_EQ(out.At(7, 5), Source(2, 3, 3));
    EXPECT_EQ(out.At(5, 3), Source(2, 3, 2));
}

TEST(PartRenderer, TiledCentreRepeatsFromItsCorner) {
    const Bitmap32 image = Numbered(5, 5, 1, FrameLayout::SideBySide);  // 3 x 3 centre
    const Bitmap32 out = RenderNineSlice(12, 9, image, 1, 1, 1, 1, FrameLayout::SideBySide, true, 1, 1);
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 11; ++x)
            EXPECT_EQ(out.At(x, y), Source(1, 1 + (x - 1) % 3, 1 + (y - 1) % 3)) << x << "," << y;
    // Edges are stretched even when the centre tiles: 3 columns over 10.
    EXPECT_EQ(out.At(10, 0), Source(1, 3, 0));
}

TEST(PartRenderer, StackedFramesAndFrameSelection) {
    const Bitmap32 image = Numbered(4, 3, 2, FrameLayout::Stacked);  // 4 x 6, frames on top of each other
    const Bitmap32 active = RenderNineSlice(4, 3, image, 0, 0, 0, 0, FrameLayout::Stacked, false, 2, 1);
    const Bitmap32 inactive = RenderNineSlice(4, 3, image, 0, 0, 0, 0, FrameLayout::Stacked, false, 2, 2);
    EXPECT_EQ(active.At(3, 2), Source(1, 3, 2));
    EXPECT_EQ(inactive.At(3, 2), Source(2, 3, 2));
    EXPECT_EQ(inactive.At(0, 0), Source(2, 0, 0));
    // Frame numbers outside 1..n are held within it; a frame count below 1 means one frame.
    EXPECT_EQ(RenderNineSlice(4, 3, image, 0, 0, 0, 0, FrameLayout::Stacked, false, 2, 9).At(0, 0), Source(2, 0, 0));
    EXPECT_EQ(RenderNineSlice(4, 3, image, 0, 0, 0, 0, FrameLayout::Stacked, false, 2, 0).At(0, 0), Source(1, 0, 0));
    const PixelRect whole = FrameOf(image, 0, 1, FrameLayout::Stacked);
    EXPECT_EQ(whole.height, 6);
}

TEST(PartRenderer, NarrowOrLowDestinationsDropTheSlices) {
    const Bitmap32 image = Numbered(8, 8, 1, FrameLayout::SideBySide);
    // 5 wide < 3 + 3: no side slices, the whole frame width is stretched over 5 columns;
    // 8 high >= 3 + 3 keeps the top and bottom slices.
    const Bitmap32 narrow = RenderNineSlice(5, 8, image, 3, 3, 3, 3, FrameLayout::SideBySide, false, 1, 1);
    EXPECT_EQ(narrow.At(0, 0), Source(1, 0, 0));
    EXPECT_EQ(narrow.At(4, 0), Source(1, 7, 0));
    EXPECT_EQ(narrow.At(2, 1), Source(1, 4, 1));
    EXPECT_EQ(narrow.At(4, 7), Source(1, 7, 7));
    // 4 high < 3 + 3: the 8 rows of the side slices are reduced to 4 (rows 1, 3, 5, 7).
    const Bitmap32 low = RenderNineSlice(8, 4, image, 3, 3, 3, 3, FrameLayout::SideBySide, false, 1, 1);
    EXPECT_EQ(low.At(0, 0), Source(1, 0, 1));
    EXPECT_EQ(low.At(0, 3), Source(1, 0, 7));
    EXPECT_EQ(low.At(7, 1), Source(1, 7, 3));
}

TEST(PartRenderer, NonsenseMetricsNeverReadOutsideTheImage) {
    const Bitmap32 image = Numbered(4, 4, 2, FrameLayout::SideBySide);
    // Slices bigger than the frame are cut to it (the left and top slices take the whole
    // frame, nothing is left to stretch); negative slices count as 0.
    const Bitmap32 big = RenderNineSlice(9, 9, image, 50, 50, 50, 50, FrameLayout::SideBySide, false, 2, 1);
    EXPECT_EQ(big.At(3, 3), Source(1, 3, 3));
    EXPECT_EQ(big.At(8, 8), 0u);
    const Bitmap32 negative = RenderNineSlice(4, 4, image, -3, -3, -3, -3, FrameLayout::SideBySide, true, 2, 2);
    EXPECT_EQ(negative.At(3, 3), Source(2, 3, 3));
    EXPECT_TRUE(RenderNineSlice(0, 5, image, 1, 1, 1, 1, FrameLayout::SideBySide, false, 2, 1).Empty());
    EXPECT_TRUE(RenderNineSlice(-4, -4, image, 1, 1, 1, 1, FrameLayout::SideBySide, false, 2, 1).Empty());
    // More frames than pixels: frames are empty and nothing is drawn.
    const Bitmap32 none = RenderNineSlice(3, 3, image, 0, 0, 0, 0, FrameLayout::SideBySide, false, 100, 1);
    EXPECT_EQ(none.At(1, 1), 0u);
    const Bitmap32 fromEmpty = RenderNineSlice(3, 3, Bitmap32(), 1, 1, 1, 1, FrameLayout::SideBySide, false, 1, 1);
    EXPECT_EQ(fromEmpty.width, 3);
}

TEST(PartRenderer, TransparentCopyKeepsTheDestinationUnderMagenta) {
    Bitmap32 dest(3, 2, 0x123456);
    Bitmap32 src(2, 2, 0x00FF00);
    src.At(0, 0) = kTransparentPixel;
    src.At(1, 1) = 0xFE00FF;  // near magenta is a colour like any other
    CopyTransparent(dest, 1, 0, src);
    EXPECT_EQ(dest.At(0, 0), 0x123456u);
    EXPECT_EQ(dest.At(1, 0), 0x123456u);
    EXPECT_EQ(dest.At(2, 0), 0x00FF00u);
    EXPECT_EQ(dest.At(2, 1), 0xFE00FFu);
    // Clipped at the destination's edges, also at negative positions.
    CopyTransparent(dest, -1, -1, Bitmap32(2, 2, 0x0000FF));
    EXPECT_EQ(dest.At(0, 0), 0x0000FFu);
    EXPECT_EQ(dest.At(1, 0), 0x123456u);
}

TEST(PartRenderer, FramePainterScalesOneFrameAndHonoursTransparency) {
    Bitmap32 image = Numbered(2, 2, 3, FrameLayout::SideBySide);
    image.At(2, 0) = kTransparentPixel;  // frame 2, top-left
    Bitmap32 dest(4, 4, 7);
    PaintFrame(dest, 0, 0, 4, 4, image, 3, 2, true);
    EXPECT_EQ(dest.At(0, 0), 7u);
    EXPECT_EQ(dest.At(1, 1), 7u);
    EXPECT_EQ(dest.At(2, 0), Source(2, 1, 0));
    EXPECT_EQ(dest.At(3, 3), Source(2, 1, 1));
    PaintFrame(dest, 0, 0, 4, 4, image, 3, 2, false);
    EXPECT_EQ(dest.At(0, 0), kTransparentPixel);
}

TEST(PartRenderer, ReducingPicksThePixelUnderEachCentre) {
    Bitmap32 src(4, 1);
    for (int x = 0; x < 4; ++x) src.At(x, 0) = uint32_t(x);
    Bitmap32 dest(2, 1);
    StretchCopy(dest, 0, 0, 2, 1, src, 0, 0, 4, 1);
    EXPECT_EQ(dest.At(0, 0), 1u);
    EXPECT_EQ(dest.At(1, 0), 3u);
}

TEST(PartRenderer, MirrorFlipAndQuarterTurns) {
    const Bitmap32 image = Numbered(3, 2, 1, FrameLayout::SideBySide);  // 3 wide, 2 high
    const Bitmap32 mirrored = MirrorImage(image);
    EXPECT_EQ(mirrored.At(0, 0), Source(1, 2, 0));
    EXPECT_EQ(mirrored.At(2, 1), Source(1, 0, 1));
    const Bitmap32 flipped = FlipImage(image);
    EXPECT_EQ(flipped.At(0, 0), Source(1, 0, 1));
    EXPECT_EQ(flipped.At(2, 1), Source(1, 2, 0));
    const Bitmap32 cw = RotateClockwise(image);
    ASSERT_EQ(cw.width, 2);
    ASSERT_EQ(cw.height, 3);
    EXPECT_EQ(cw.At(1, 0), Source(1, 0, 0));  // the top-left corner goes to the top-right
    EXPECT_EQ(cw.At(0, 2), Source(1, 2, 1));
    const Bitmap32 ccw = RotateCounterClockwise(image);
    EXPECT_EQ(ccw.At(0, 2), Source(1, 0, 0));  // the top-left corner goes to the bottom-left
    EXPECT_EQ(ccw.At(1, 0), Source(1, 2, 1));
    EXPECT_EQ(RotateCounterClockwise(cw).pixels, image.pixels);
    EXPECT_EQ(MirrorImage(mirrored).pixels, image.pixels);
}
