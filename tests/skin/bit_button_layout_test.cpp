// A bitmap button's glyph and caption by Layout, Margin and Spacing.
#include <gtest/gtest.h>

#include "skin/bit_button_layout.h"

namespace {

TEST(BitButtonLayout, CentredByDefaultAlongEveryLayout) {
    // 100 x 40 button, 16 x 16 glyph, caption 40 x 12, Margin -1, Spacing 4 (the defaults).
    TBitButtonPlacement p = PlaceBitButton(100, 40, 16, 16, 40, 12, blGlyphLeft, -1, 4);
    EXPECT_EQ(p.glyphX, 20);  // (100 - 16 - 4 - 40) / 2
    EXPECT_EQ(p.textLeft, 40);
    EXPECT_EQ(p.textRight, 80);
    EXPECT_EQ(p.glyphY, 12);  // (40 - 16 + 1) / 2
    EXPECT_EQ(p.textTop, 14);  // (40 - 12 + 1) / 2
    p = PlaceBitButton(100, 40, 16, 16, 40, 12, blGlyphRight, -1, 4);
    EXPECT_EQ(p.glyphX, 100 - 20 - 16);
    EXPECT_EQ(p.textRight, p.glyphX - 4);
    p = PlaceBitButton(60, 80, 16, 16, 40, 12, blGlyphTop, -1, 4);
    EXPECT_EQ(p.glyphY, 24);  // (80 - 16 - 4 - 12) / 2
    EXPECT_EQ(p.textTop, 44);
    EXPECT_EQ(p.glyphX, 22);  // (60 - 16 + 1) / 2
    EXPECT_EQ(p.textLeft, 10);
    p = PlaceBitButton(60, 80, 16, 16, 40, 12, blGlyphBottom, -1, 4);
    EXPECT_EQ(p.glyphY, 80 - 24 - 16);
    EXPECT_EQ(p.textBottom, p.glyphY - 4);
}

TEST(BitButtonLayout, MarginAndSpacingSpreadWhatIsLeft) {
    // Both -1: a third of what is left each.
    TBitButtonPlacement p = PlaceBitButton(100, 30, 16, 16, 39, 12, blGlyphLeft, -1, -1);
    EXPECT_EQ(p.glyphX, 15);  // (100 - 16 - 39) / 3
    EXPECT_EQ(p.textLeft, 15 + 16 + 15);
    // A fixed margin with Spacing -1: half of what is left goes between.
    p = PlaceBitButton(100, 30, 16, 16, 40, 12, blGlyphLeft, 4, -1);
    EXPECT_EQ(p.glyphX, 4);
    EXPECT_EQ(p.textLeft, 4 + 16 + 20);  // (100 - 4 - 16 - 40) / 2
    // Fixed both.
    p = PlaceBitButton(100, 30, 16, 16, 40, 12, blGlyphLeft, 6, 2);
    EXPECT_EQ(p.glyphX, 6);
    EXPECT_EQ(p.textLeft, 24);
}

TEST(BitButtonLayout, WithoutAGlyphTheCaptionIsCentredAndSpacingIgnored) {
    // The main menu's buttons: no glyph, so the spacing counts for nothing.
    TBitButtonPlacement p = PlaceBitButton(120, 40, 0, 0, 60, 14, blGlyphLeft, -1, 4);
    EXPECT_EQ(p.textLeft, 30);
    EXPECT_EQ(p.textRight, 90);
    // Spacing -1 too: with nothing to space it is 0, so the margin still centres.
    p = PlaceBitButton(120, 40, 0, 0, 60, 14, blGlyphLeft, -1, -1);
    EXPECT_EQ(p.textLeft, 30);
    // Without a caption the glyph alone is centred.
    p = PlaceBitButton(120, 40, 16, 16, 0, 0, blGlyphLeft, -1, 4);
    EXPECT_EQ(p.glyphX, 52);
}

}  // namespace
