#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include "art/art_pictures.h"
#include "art/art_set.h"
#include "base/bmp.h"

namespace {

bool IsBlue(uint32_t p) { return BlueOf(p) > 150 && BlueOf(p) > RedOf(p) + 60 && BlueOf(p) > GreenOf(p) + 30; }
bool IsWhitish(uint32_t p) { return RedOf(p) > 235 && GreenOf(p) > 235 && BlueOf(p) > 235; }
bool IsYellow(uint32_t p) { return RedOf(p) > 200 && GreenOf(p) > 150 && BlueOf(p) < 120; }
bool IsGreen(uint32_t p) { return GreenOf(p) > RedOf(p) + 30 && GreenOf(p) > BlueOf(p) + 30; }
bool IsGrey(uint32_t p) {
    const int r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
    return std::abs(r - g) < 20 && std::abs(g - b) < 20 && r > 50 && r < 200;
}

int CountIn(const Bitmap32& image, int x0, int y0, int x1, int y1, bool (*test)(uint32_t)) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += test(image.At(x, y)) ? 1 : 0;
    return n;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / name;
    std::filesystem::remove_all(dir);
    return dir;
}

}  // namespace

TEST(Badges, AreBlueDiscsWithWhiteDigitsOnTheCard) {
    std::vector<Bitmap32> badges;
    for (int digit = 1; digit <= 3; ++digit) {
        const Bitmap32 badge = PaintBadge(digit);
        ASSERT_EQ(badge.width, kBadgeSize);
        ASSERT_EQ(badge.height, kBadgeSize);
        for (auto [x, y] : {std::pair{0, 0}, {kBadgeSize - 1, 0}, {0, kBadgeSize - 1}, {kBadgeSize - 1, kBadgeSize - 1}})
            EXPECT_EQ(badge.At(x, y), kCardWhite) << "badge " << digit << " corner " << x << "," << y;
        // The face left and right of the digit is blue; the digit in the middle is white.
        EXPECT_TRUE(IsBlue(badge.At(6, 14))) << "badge " << digit;
        EXPECT_TRUE(IsBlue(badge.At(21, 14))) << "badge " << digit;
        // Only the corners' white is the picture's transparent colour: no pixel of the disc has it.
        for (int y = 8; y < 20; ++y)
            for (int x = 10; x < 18; ++x) ASSERT_NE(badge.At(x, y), kCardWhite) << "badge " << digit << " at " << x << "," << y;
        const int white = CountIn(badge, 10, 8, 18, 20, IsWhitish);
        EXPECT_GT(white, 12) << "badge " << digit << " has no digit";
        EXPECT_LT(white, 8 * 12 / 2) << "badge " << digit << " has lost its blue face";
        badges.push_back(badge);
    }
    // Each badge carries its own digit.
    EXPECT_NE(badges[0].pixels, badges[1].pixels);
    EXPECT_NE(badges[1].pixels, badges[2].pixels);
    EXPECT_NE(badges[0].pixels, badges[2].pixels);
    EXPECT_THROW(PaintBadge(0), std::invalid_argument);
    EXPECT_THROW(PaintBadge(4), std::invalid_argument);
}

TEST(Scenes, HaveTheirSizesAndSkyAboveGround) {
    const Bitmap32 deco = PaintDeco();
    EXPECT_EQ(deco.width, kDecoWidth);
    EXPECT_EQ(deco.height, kDecoHeight);
    EXPECT_GT(CountIn(deco, 0, 0, kDecoWidth, 10, IsBlue), kDecoWidth * 10 * 9 / 10) << "blue sky on top";
    EXPECT_TRUE(IsGreen(deco.At(4, 140))) << "a verge at the left";

    const Bitmap32 banner = PaintBanner();
    EXPECT_EQ(banner.width, kBannerWidth);
    EXPECT_EQ(banner.height, kBannerHeight);
    EXPECT_GT(CountIn(banner, 0, 0, kBannerWidth, 10, IsBlue), kBannerWidth * 10 * 9 / 10) << "blue sky on top";
    // The road runs down the middle to the bottom edge, the verges beside it are green.
    EXPECT_GT(CountIn(banner, 200, 280, 230, 300, IsGrey), 30 * 20 * 9 / 10);
    EXPECT_GT(CountIn(banner, 0, 200, 20, 220, IsGreen), 20 * 20 * 9 / 10);
    EXPECT_GT(CountIn(banner, 460, 200, 480, 220, IsGreen), 20 * 20 * 9 / 10);
}

TEST(TreeIcons, SitOnTheMaskColourAndKeepTheirInsides) {
    const Bitmap32 icons = PaintTreeIcons();
    ASSERT_EQ(icons.width, kTreeIconSize * kTreeIconCount);
    ASSERT_EQ(icons.height, kTreeIconSize);
    bool (*const colourOf[])(uint32_t) = {IsBlue, IsYellow, IsBlue};
    for (int i = 0; i < kTreeIconCount; ++i) {
        const int x0 = i * kTreeIconSize, x1 = x0 + kTreeIconSize - 1;
        for (int x : {x0, x1})
            for (int y : {0, kTreeIconSize - 1}) EXPECT_EQ(icons.At(x, y), kTreeIconMask) << "icon " << i;
        int drawn = 0;
        for (int y = 0; y < kTreeIconSize; ++y)
            for (int x = x0; x <= x1; ++x) drawn += icons.At(x, y) != kTreeIconMask ? 1 : 0;
        EXPECT_GT(drawn, 60) << "icon " << i << " is nearly empty";
        EXPECT_GT(CountIn(icons, x0, 0, x1 + 1, kTreeIconSize, colourOf[i]), 12) << "icon " << i;
    }
    // The window's light client area must not be the mask colour, or it would be cut out.
    for (int y = 7; y < 13; ++y)
        for (int x = 3; x < 13; ++x) EXPECT_NE(icons.At(x, y), kTreeIconMask) << x << "," << y;
}

TEST(ProgramIcon, IsARoundOpaqueDiscWithClearCorners) {
    for (int size : kIconSizes) {
        const RgbaImage icon = PaintProgramIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(AlphaOf(icon.At(0, 0)), 0);
        EXPECT_EQ(AlphaOf(icon.At(size - 1, size - 1)), 0);
        EXPECT_EQ(AlphaOf(icon.At(size / 2, size / 2)), 255);
        EXPECT_EQ(AlphaOf(icon.At(size / 2, 1)), 255) << "the disc reaches the top edge";
        // The green disc shows between the wheel's rim and hub.
        int green = 0;
        for (uint32_t p : icon.pixels) green += AlphaOf(p) == 255 && IsGreen(p) ? 1 : 0;
        EXPECT_GT(green, size * size / 5);
    }
    EXPECT_THROW(PaintProgramIcon(8), std::invalid_argument);
    EXPECT_THROW(PaintProgramIcon(300), std::invalid_argument);
}

TEST(ArtFiles, AreWrittenAsTheResourcesExpectThem) {
    const std::filesystem::path dir = FreshFolder("muhe-art-files") / "nested";
    WriteArtFiles(dir);
    const std::map<std::string, std::pair<int, int>> bitmaps = {
        {"badge1.bmp", {28, 28}},   {"badge2.bmp", {28, 28}},    {"badge3.bmp", {28, 28}},
        {"deco.bmp", {221, 225}},   {"banner.bmp", {480, 300}},  {"tree_icons.bmp", {48, 16}}};
    for (const auto& [name, size] : bitmaps) {
        const std::vector<uint8_t> bytes = ReadFile(dir / name);
        ASSERT_GT(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes[28] | bytes[29] << 8, 24) << name << " is 24-bit";
        const Bitmap32 image = DecodeBmp(bytes);
        EXPECT_EQ(image.width, size.first) << name;
        EXPECT_EQ(image.height, size.second) << name;
    }
    EXPECT_EQ(DecodeBmp(ReadFile(dir / "badge2.bmp")).pixels, PaintBadge(2).pixels) << "stored without loss";
    EXPECT_EQ(DecodeBmp(ReadFile(dir / "tree_icons.bmp")).pixels, PaintTreeIcons().pixels);

    const std::vector<uint8_t> ico = ReadFile(dir / "muhe.ico");
    ASSERT_GE(ico.size(), 6u + 2 * 16);
    EXPECT_EQ(ico[4] | ico[5] << 8, 2);
    EXPECT_EQ(ico[6], 16);
    EXPECT_EQ(ico[6 + 16], 32);

    // Writing again replaces the files rather than failing.
    EXPECT_NO_THROW(WriteArtFiles(dir));
}

TEST(ArtFiles, ReportAFolderThatCannotBeMade) {
    const std::filesystem::path dir = FreshFolder("muhe-art-blocked");
    std::filesystem::create_directories(dir);
    const std::filesystem::path blocker = dir / "plain-file";
    std::ofstream(blocker) << "not a folder";
    EXPECT_THROW(WriteArtFiles(blocker), std::runtime_error);
    EXPECT_THROW(WriteArtFiles(blocker / "below"), std::runtime_error);
}
