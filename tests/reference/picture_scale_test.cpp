#include <gtest/gtest.h>

#include "reference/html/picture_scale.h"

TEST(PictureScale, KeptSizeIsTheShownSizeButNeverLarger) {
    const auto kept = [](html::PictureSize natural, html::PictureSize shown) {
        const html::PictureSize k = html::KeptSize(natural, shown);
        return std::pair(k.width, k.height);
    };
    EXPECT_EQ(kept({8192, 8192}, {100, 50}), std::pair(100, 50));
    EXPECT_EQ(kept({104, 108}, {400, 20}), std::pair(104, 20));
    EXPECT_EQ(kept({104, 108}, {0, -5}), std::pair(1, 1));
}

TEST(PictureScale, ShrinkingAveragesTheAreaEachPixelCovers) {
    Bitmap32 picture(4, 3);
    // Left half white, right half black; the last row (left over by 3 / 2) red.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) picture.At(x, y) = y == 2 ? 0xFFFF0000u : x < 2 ? 0xFFFFFFFFu : 0xFF000000u;
    const Bitmap32 half = html::ShrinkPicture(picture, {2, 1});
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    // Rows 0..2 in one: two white and one red row on the left -> (255, 170, 170).
    EXPECT_EQ(half.At(0, 0), 0xFFFFAAAAu);
    EXPECT_EQ(half.At(1, 0), 0xFF550000u);
    const Bitmap32 thin = html::ShrinkPicture(picture, {1, 3});
    EXPECT_EQ(thin.At(0, 0), 0xFF808080u);  // 127.5 rounds up
    EXPECT_EQ(thin.At(0, 2), 0xFFFF0000u);
    // Not smaller on both sides: the picture as it was.
    EXPECT_EQ(html::ShrinkPicture(picture, {8, 2}).width, 4);
    EXPECT_EQ(html::ShrinkPicture(picture, {4, 3}).pixels, picture.pixels);
}
