#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "art/art_canvas.h"
#include "art/ico_file.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kKey = 0xFF00FF;

uint32_t Rgb24(uint32_t argb) { return argb & 0xFFFFFF; }

// ---- a reader for the icon files, written from the format, not from the encoder ----

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8; }
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

struct IcoEntry {
    int width = 0, height = 0, bitCount = 0;
    uint32_t bytes = 0, offset = 0;
};

std::vector<IcoEntry> ReadDirectory(const std::vector<uint8_t>& file) {
    EXPECT_EQ(Le16(file, 0), 0u);
    EXPECT_EQ(Le16(file, 2), 1u);
    std::vector<IcoEntry> entries;
    for (uint32_t i = 0; i < Le16(file, 4); ++i) {
        const size_t at = 6 + 16 * size_t(i);
        IcoEntry e;
        e.width = file.at(at) == 0 ? 256 : file.at(at);
        e.height = file.at(at + 1) == 0 ? 256 : file.at(at + 1);
        EXPECT_EQ(Le16(file, at + 4), 1u) << "planes";
        e.bitCount = int(Le16(file, at + 6));
        e.bytes = Le32(file, at + 8);
        e.offset = Le32(file, at + 12);
        entries.push_back(e);
    }
    return entries;
}

}  // namespace

TEST(ResizeArea, AveragesTheBlockUnderEachPixel) {
    Bitmap32 source(4, 2);
    const uint32_t values[] = {Rgb(0, 0, 0), Rgb(100, 20, 40), Rgb(255, 255, 255), Rgb(255, 255, 255),
                               Rgb(40, 60, 80), Rgb(60, 100, 0), Rgb(10, 20, 30), Rgb(30, 40, 50)};
    for (size_t i = 0; i < source.pixels.size(); ++i) source.pixels[i] = values[i];
    const RgbaImage out = ResizeArea(source, 2, 1);
    ASSERT_EQ(out.width, 2);
    ASSERT_EQ(out.height, 1);
    EXPECT_EQ(out.At(0, 0), Argb(255, Rgb(50, 45, 30)));
    EXPECT_EQ(out.At(1, 0), Argb(255, Rgb(138, 143, 148)));  // 137.5, 142.5 and 147.5 round up
}

TEST(ResizeArea, SplitsPixelsByTheirShareAtUnevenRatios) {
    // Three columns into two: each output column takes one and a half source columns.
    Bitmap32 source(3, 1);
    source.pixels = {Rgb(0, 0, 0), Rgb(200, 200, 200), Rgb(90, 90, 90)};
    const RgbaImage out = ResizeArea(source, 2, 1);
    EXPECT_EQ(Rgb24(out.At(0, 0)), Rgb(67, 67, 67));   // (0 + 0.5 * 200) / 1.5
    EXPECT_EQ(Rgb24(out.At(1, 0)), Rgb(127, 127, 127));  // (0.5 * 200 + 90) / 1.5 = 126.7
    // Enlarging repeats a pixel rather than inventing a blend.
    const RgbaImage up = ResizeArea(source, 6, 2);
    EXPECT_EQ(Rgb24(up.At(2, 1)), Rgb(200, 200, 200));
    EXPECT_EQ(Rgb24(up.At(5, 0)), Rgb(90, 90, 90));
}

TEST(ResizeArea, KeyColourLowersAlphaAndKeepsColour) {
    Bitmap32 source(2, 2, kKey);
    source.At(0, 0) = Rgb(10, 200, 30);
    const RgbaImage out = ResizeArea(source, 1, 1, kKey);
    EXPECT_EQ(AlphaOf(out.At(0, 0)), 64);  // one quarter covered
    EXPECT_EQ(Rgb24(out.At(0, 0)), Rgb(10, 200, 30));
    const RgbaImage empty = ResizeArea(Bitmap32(3, 3, kKey), 1, 1, kKey);
    EXPECT_EQ(empty.At(0, 0), 0u);
    // Without a key the same colour is an ordinary one.
    EXPECT_EQ(AlphaOf(ResizeArea(source, 1, 1).At(0, 0)), 255);
}

TEST(ResizeArea, RefusesEmptyPicturesAndSizes) {
    EXPECT_THROW(ResizeArea(Bitmap32(), 4, 4), std::invalid_argument);
    EXPECT_THROW(ResizeArea(Bitmap32(4, 4), 0, 4), std::invalid_argument);
    EXPECT_THROW(ResizeArea(Bitmap32(4, 4), 4, -1), std::invalid_argument);
    Bitmap32 torn(4, 4);
    torn.pixels.resize(3);
    EXPECT_THROW(ResizeArea(torn, 2, 2), std::invalid_argument);
}

TEST(FlattenOnto, BlendsByAlpha) {
    RgbaImage image(3, 1);
    image.pixels = {Argb(0, Rgb(255, 0, 0)), Argb(255, Rgb(255, 0, 0)), Argb(51, Rgb(255, 0, 0))};
    const Bitmap32 flat = FlattenOnto(image, Rgb(0, 0, 255));
    EXPECT_EQ(flat.At(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(flat.At(1, 0), Rgb(255, 0, 0));
    EXPECT_EQ(flat.At(2, 0), Rgb(51, 0, 204));
}

TEST(ArtCanvas, EdgesThatCutPixelsBecomeBlends) {
    ArtCanvas c(4, 1, 4, kWhite);
    c.FillRect(0.5, 0, 2.25, 1, kBlack);  // half of pixel 0, all of 1, a quarter of 2
    const Bitmap32 out = c.Finish();
    EXPECT_EQ(out.At(0, 0), Rgb(128, 128, 128));  // 127.5 rounds up
    EXPECT_EQ(out.At(1, 0), kBlack);
    EXPECT_EQ(out.At(2, 0), Rgb(191, 191, 191));
    EXPECT_EQ(out.At(3, 0), kWhite);
    EXPECT_THROW(ArtCanvas(0, 4, 4, kWhite), std::invalid_argument);
    EXPECT_THROW(ArtCanvas(4, 4, 0, kWhite), std::invalid_argument);
}

TEST(ArtCanvas, ShadedPolygonsRunFromTopToBottomColour) {
    ArtCanvas c(10, 20, 4, kWhite);
    const PointF triangle[] = {{5, 0}, {10, 20}, {0, 20}};
    c.FillPolygonShaded(triangle, 0, Rgb(0, 0, 200), 20, Rgb(200, 0, 0));
    const Bitmap32 out = c.Finish();
    int lastRed = -1;
    for (int y = 4; y < 20; ++y) {
        const uint32_t p = out.At(5, y);
        EXPECT_EQ(GreenOf(p), 0) << "row " << y << " is inside the triangle";
        EXPECT_GT(RedOf(p), lastRed) << "row " << y;
        lastRed = RedOf(p);
        EXPECT_NEAR(RedOf(p), 200.0 * (y + 0.5) / 20, 2.0);
    }
    // Outside the slanted edges the canvas is untouched.
    EXPECT_EQ(out.At(0, 2), kWhite);
    EXPECT_EQ(out.At(9, 2), kWhite);
}

TEST(ArtCanvas, PlacedPicturesLeaveTheirGroundOut) {
    Bitmap32 sign(20, 20, kKey);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) sign.At(x, y) = Rgb(200, 0, 0);
    ArtCanvas c(10, 10, 2, Rgb(0, 0, 90));
    c.PlacePicture(sign, kKey, 0, 0, 10, 10);
    const Bitmap32 out = c.Finish();
    EXPECT_EQ(out.At(5, 5), Rgb(200, 0, 0));
    EXPECT_EQ(out.At(0, 0), Rgb(0, 0, 90));
    EXPECT_EQ(out.At(9, 9), Rgb(0, 0, 90));
    // Fitted into half the width, the square is squeezed along with it.
    ArtCanvas half(10, 10, 2, Rgb(0, 0, 90));
    half.PlacePicture(sign, kKey, 0, 0, 5, 10);
    const Bitmap32 squeezed = half.Finish();
    EXPECT_EQ(squeezed.At(2, 5), Rgb(200, 0, 0));
    EXPECT_EQ(squeezed.At(6, 5), Rgb(0, 0, 90));
}

TEST(ArtCanvas, KeyedFinishGivesCoverageAsAlpha) {
    ArtCanvas c(4, 4, 4, kKey);
    c.FillRect(0, 0, 2, 4, Rgb(0, 120, 0));
    c.FillRect(2, 0, 2.5, 4, Rgb(0, 120, 0));
    const RgbaImage out = c.FinishKeyed(kKey);
    EXPECT_EQ(out.At(0, 1), Argb(255, Rgb(0, 120, 0)));
    EXPECT_EQ(out.At(2, 1), Argb(128, Rgb(0, 120, 0)));
    EXPECT_EQ(AlphaOf(out.At(3, 1)), 0);
}

TEST(EncodeIco, EntriesPointAtWellFormedImages) {
    RgbaImage small(16, 16, Argb(255, Rgb(10, 20, 30)));
    small.pixels[0] = 0;                                   // top-left clear
    small.pixels[size_t(15) * 16 + 15] = Argb(128, 0xABCDEF);  // bottom-right half covered
    RgbaImage large(36, 36, Argb(0, kWhite));
    large.pixels[size_t(35) * 36] = Argb(255, Rgb(1, 2, 3));  // bottom-left
    const RgbaImage images[] = {small, large};
    const std::vector<uint8_t> file = EncodeIco(images);
    const std::vector<IcoEntry> entries = ReadDirectory(file);
    ASSERT_EQ(entries.size(), 2u);

    uint32_t next = 6 + 16 * 2;
    for (size_t i = 0; i < entries.size(); ++i) {
        const IcoEntry& e = entries[i];
        const int side = images[i].width;
        EXPECT_EQ(e.width, side);
        EXPECT_EQ(e.height, side);
        EXPECT_EQ(e.bitCount, 32);
        EXPECT_EQ(e.offset, next) << "images follow one another without gaps";
        const uint32_t maskRow = (uint32_t(side) + 31) / 32 * 4;
        EXPECT_EQ(e.bytes, 40 + uint32_t(side * side) * 4 + maskRow * uint32_t(side));
        EXPECT_EQ(Le32(file, e.offset), 40u);
        EXPECT_EQ(int(Le32(file, e.offset + 4)), side);
        EXPECT_EQ(int(Le32(file, e.offset + 8)), 2 * side) << "height counts colour and mask rows";
        EXPECT_EQ(Le16(file, e.offset + 12), 1u);
        EXPECT_EQ(Le16(file, e.offset + 14), 32u);
        next = e.offset + e.bytes;
    }
    EXPECT_EQ(next, file.size());

    // Rows are stored bottom up: the image's last row comes first.
    const size_t pixels0 = entries[0].offset + 40;
    const size_t lastRowFirst = pixels0 + 15 * 4;  // (15, 15) is the 16th pixel of the first stored row
    EXPECT_EQ(file[lastRowFirst + 0], 0xEF);
    EXPECT_EQ(file[lastRowFirst + 1], 0xCD);
    EXPECT_EQ(file[lastRowFirst + 2], 0xAB);
    EXPECT_EQ(file[lastRowFirst + 3], 128);
    const size_t topLeft = pixels0 + size_t(15) * 16 * 4;
    EXPECT_EQ(Le32(file, topLeft), 0u);

    // The AND mask marks exactly the clear pixels: (0, 0) of the small image only.
    const size_t mask0 = pixels0 + 16 * 16 * 4;
    for (int row = 0; row < 16; ++row) {
        const uint32_t bits = uint32_t(file[mask0 + size_t(row) * 4]) << 8 | file[mask0 + size_t(row) * 4 + 1];
        EXPECT_EQ(bits, row == 15 ? 0x8000u : 0u) << "stored mask row " << row;
    }
    // 36 pixels take two words a row; the big image is clear except its bottom-left pixel.
    const size_t mask1 = entries[1].offset + 40 + 36 * 36 * 4;
    EXPECT_EQ(file[mask1], 0x7F);
    EXPECT_EQ(file[mask1 + 4], 0xF0);
    EXPECT_EQ(file[mask1 + 5], 0x00) << "padding bits stay clear";
    EXPECT_EQ(file[mask1 + 8], 0xFF);
}

TEST(EncodeIco, RefusesWhatNoIconCanHold) {
    EXPECT_THROW(EncodeIco({}), std::invalid_argument);
    const RgbaImage oblong[] = {RgbaImage(16, 8)};
    EXPECT_THROW(EncodeIco(oblong), std::invalid_argument);
    const RgbaImage huge[] = {RgbaImage(257, 257)};
    EXPECT_THROW(EncodeIco(huge), std::invalid_argument);
    const RgbaImage none[] = {RgbaImage(0, 0)};
    EXPECT_THROW(EncodeIco(none), std::invalid_argument);
    RgbaImage torn(16, 16);
    torn.pixels.pop_back();
    const RgbaImage torns[] = {torn};
    EXPECT_THROW(EncodeIco(torns), std::invalid_argument);
    // The largest size is written as 0 in the directory's one-byte fields.
    const RgbaImage biggest[] = {RgbaImage(256, 256)};
    const std::vector<uint8_t> file = EncodeIco(biggest);
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 0);
    EXPECT_EQ(Le32(file, 6 + 16 + 4), 256u);
}
