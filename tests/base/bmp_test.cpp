#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/bmp.h"
#include "base/errors.h"
#include "bmp_test_writer.h"

namespace {

// Distinct, easily told apart palette colours.
std::vector<uint32_t> TestPalette(int count) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < count; ++i) palette.push_back(Rgb(uint8_t(i * 37 + 5), uint8_t(255 - i * 11), uint8_t(i * 3 + 1)));
    return palette;
}

// A picture with different colours in every pixel, as 24-bit rows in file order (bottom-up).
std::vector<uint8_t> Rows24(const Bitmap32& picture, bool topDown) {
    std::vector<std::vector<uint8_t>> rows;
    for (int r = 0; r < picture.height; ++r) {
        const int y = topDown ? r : picture.height - 1 - r;
        std::vector<uint8_t> row;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y);
            row.insert(row.end(), {BlueOf(p), GreenOf(p), RedOf(p)});
        }
        rows.push_back(row);
    }
    return PadRows(rows);
}

Bitmap32 Gradient(int width, int height) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.At(x, y) = Rgb(uint8_t(x * 40 + 3), uint8_t(y * 50 + 7), uint8_t(x * y + 11));
    return picture;
}

Bitmap32 Decode(const std::vector<uint8_t>& file) { return DecodeBmp(file); }

void ExpectSame(const Bitmap32& actual, const Bitmap32& expected) {
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            ASSERT_EQ(actual.At(x, y), expected.At(x, y)) << "at " << x << "," << y;
}

}  // namespace

TEST(BmpDecode, EmptyInputIsAPictureOfNothing) {
    const Bitmap32 picture = DecodeBmp({});
    EXPECT_TRUE(picture.Empty());
    EXPECT_TRUE(picture.pixels.empty());
}

TEST(BmpDecode, EveryHeaderKindGivesTheSamePicture) {
    const Bitmap32 expected = Gradient(3, 2);  // 9-byte rows: 3 bytes of padding each
    for (uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE("header size " + std::to_string(headerSize));
        TestBmp file;
        file.headerSize = headerSize;
        file.width = 3;
        file.height = 2;
        file.pixels = Rows24(expected, false);
        ExpectSame(Decode(file.Build()), expected);
    }
}

TEST(BmpDecode, PaletteDepthsAtEveryRowPadding) {
    // Widths 1..9 put the last pixel at every bit position of its byte and need every
    // amount of row padding; core files carry 3-byte palette entries, the others 4.
    for (int bitCount : {1, 4, 8}) {
        for (uint32_t headerSize : {12u, 40u}) {
            for (int width = 1; width <= 9; ++width) {
                SCOPED_TRACE("bits " + std::to_string(bitCount) + " header " + std::to_string(headerSize) + " width " +
                             std::to_string(width));
                const int colours = 1 << bitCount;
                TestBmp file;
                file.headerSize = headerSize;
                file.bitCount = uint16_t(bitCount);
                file.width = width;
                file.height = 3;
                file.palette = TestPalette(colours);
                std::vector<std::vector<uint8_t>> rows;
                Bitmap32 expected(width, 3);
                for (int r = 0; r < 3; ++r) {
                    std::vector<int> indices;
                    for (int x = 0; x < width; ++x) {
                        const int index = (x * 5 + r * 3 + 1) % colours;
                        indices.push_back(index);
                        expected.At(x, 2 - r) = file.palette[index];
                    }
                    rows.push_back(PackRow(indices, bitCount));
                }
                file.pixels = PadRows(rows);
                ExpectSame(Decode(file.Build()), expected);
            }
        }
    }
}

TEST(BmpDecode, ShortPalettesFollowColorsUsedAndThePixelOffset) {
    TestBmp file;
    file.bitCount = 8;
    file.width = 4;
    file.height = 1;
    file.palette = TestPalette(3);
    file.colorsUsed = 3;
    file.pixels = PackRow({0, 1, 2, 1}, 8);
    Bitmap32 picture = Decode(file.Build());
    EXPECT_EQ(picture.At(0, 0), file.palette[0]);
    EXPECT_EQ(picture.At(2, 0), file.palette[2]);
    EXPECT_EQ(picture.At(3, 0), file.palette[1]);

    // An index past the three entries is damage, not black.
    file.pixels = PackRow({0, 1, 3, 1}, 8);
    EXPECT_THROW(Decode(file.Build()), EInvalidGraphic);

    // colorsUsed 0 means the whole table; a core file whose pixels start before its full
    // 256-entry table has ended has only the entries in front of them.
    TestBmp core;
    core.headerSize = 12;
    core.bitCount = 8;
    core.width = 2;
    core.palette = TestPalette(2);
    core.pixels = PackRow({1, 0}, 8);
    picture = Decode(core.Build());
    EXPECT_EQ(picture.At(0, 0), core.palette[1]);
    EXPECT_EQ(picture.At(1, 0), core.palette[0]);
    core.pixels = PackRow({1, 2}, 8);
    EXPECT_THROW(Decode(core.Build()), EInvalidGraphic);

    // A colour count larger than the bit count allows is read as the full table.
    TestBmp generous;
    generous.bitCount = 1;
    generous.width = 2;
    generous.colorsUsed = 1000;
    generous.palette = TestPalette(2);
    generous.pixels = PackRow({1, 0}, 1);
    picture = Decode(generous.Build());
    EXPECT_EQ(picture.At(0, 0), generous.palette[1]);
}

TEST(BmpDecode, NegativeHeightIsTopDown) {
    const Bitmap32 expected = Gradient(2, 3);
    TestBmp file;
    file.width = 2;
    file.height = -3;
    file.pixels = Rows24(expected, true);
    ExpectSame(Decode(file.Build()), expected);

    // The same bytes bottom-up give the picture upside down.
    file.height = 3;
    const Bitmap32 flipped = Decode(file.Build());
    for (int y = 0; y < 3; ++y) EXPECT_EQ(flipped.At(1, y), expected.At(1, 2 - y));
}

TEST(BmpDecode, PixelDataOffsetIsHonoured) {
    const Bitmap32 expected = Gradient(2, 2);
    TestBmp file;
    file.width = 2;
    file.height = 2;
    file.gap = {0x42, 0x4D, 0xFF, 0xEE, 0x00, 0x11, 0x22};  // junk the decoder must skip
    file.pixels = Rows24(expected, false);
    ExpectSame(Decode(file.Build()), expected);

    TestBmp palette;
    palette.bitCount = 4;
    palette.width = 3;
    palette.palette = TestPalette(16);
    palette.gap.assign(300, 0xAB);
    palette.pixels = PackRow({15, 0, 7}, 4);
    const Bitmap32 picture = Decode(palette.Build());
    EXPECT_EQ(picture.At(0, 0), palette.palette[15]);
    EXPECT_EQ(picture.At(2, 0), palette.palette[7]);
}

TEST(BmpDecode, FinalRowMayLackItsPaddingButNotItsPixels) {
    const Bitmap32 expected = Gradient(1, 2);  // 3 pixel bytes and 1 padding byte per row
    TestBmp file;
    file.width = 1;
    file.height = 2;
    file.pixels = Rows24(expected, false);
    file.pixels.pop_back();
    ExpectSame(Decode(file.Build()), expected);
    file.pixels.pop_back();
    EXPECT_THROW(Decode(file.Build()), EInvalidGraphic);
}

TEST(BmpDecode, DirectColourDepthsAndBitFields) {
    const auto decodeOne = [](TestBmp file, std::vector<uint8_t> pixel) {
        file.width = 1;
        file.height = 1;
        file.pixels = PadRows({pixel});
        return Decode(file.Build()).At(0, 0);
    };
    TestBmp f16;
    f16.bitCount = 16;
    // Default 16-bit layout is 5-5-5 with the top bit unused.
    EXPECT_EQ(decodeOne(f16, {0x00, 0xFC}), Rgb(255, 0, 0));   // 0xFC00: red plus the unused bit
    EXPECT_EQ(decodeOne(f16, {0xE0, 0x03}), Rgb(0, 255, 0));
    EXPECT_EQ(decodeOne(f16, {0x1F, 0x00}), Rgb(0, 0, 255));
    const uint32_t halfRed = decodeOne(f16, {0x00, 0x40});  // red = 16 of 31
    EXPECT_NEAR(RedOf(halfRed), 132, 2);

    // 5-6-5 masks after a plain info header, and the same inside a V4 header.
    for (uint32_t headerSize : {40u, 108u}) {
        SCOPED_TRACE(headerSize);
        TestBmp f565 = f16;
        f565.headerSize = headerSize;
        f565.compression = 3;
        f565.masks = {0xF800, 0x07E0, 0x001F};
        EXPECT_EQ(decodeOne(f565, {0xE0, 0x07}), Rgb(0, 255, 0));
        EXPECT_EQ(decodeOne(f565, {0x00, 0xF8}), Rgb(255, 0, 0));
        EXPECT_NEAR(GreenOf(decodeOne(f565, {0x00, 0x04})), 130, 2);  // green 32 of 63
    }

    TestBmp f24;
    EXPECT_EQ(decodeOne(f24, {0x01, 0x02, 0x03}), Rgb(3, 2, 1));

    // 32 bits: B, G, R and an ignored fourth byte; masks in a V4/V5 header count only
    // with BI_BITFIELDS.
    TestBmp f32;
    f32.bitCount = 32;
    EXPECT_EQ(decodeOne(f32, {0x10, 0x20, 0x30, 0xFF}), Rgb(0x30, 0x20, 0x10));
    f32.headerSize = 124;
    f32.masks = {0xFF, 0xFF00, 0xFF0000};
    EXPECT_EQ(decodeOne(f32, {0x10, 0x20, 0x30, 0xFF}), Rgb(0x30, 0x20, 0x10));
    f32.compression = 3;
    EXPECT_EQ(decodeOne(f32, {0x10, 0x20, 0x30, 0xFF}), Rgb(0x10, 0x20, 0x30));

    // 10-10-10 in a V5 header: red 1023, green 512, blue 0.
    f32.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    const uint32_t value = (1023u << 20) | (512u << 10);
    const uint32_t wide = decodeOne(f32, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
    EXPECT_EQ(RedOf(wide), 255);
    EXPECT_NEAR(GreenOf(wide), 128, 1);
    EXPECT_EQ(BlueOf(wide), 0);

    // A zero mask is a missing channel.
    f32.masks = {0xFF0000, 0, 0xFF};
    EXPECT_EQ(decodeOne(f32, {0x10, 0x20, 0x30, 0x00}), Rgb(0x30, 0, 0x10));
}

TEST(BmpDecode, Rle8RunsEscapesAndUnpaintedPixels) {
    TestBmp file;
    file.bitCount = 8;
    file.compression = 1;
    file.width = 6;
    file.height = 3;
    file.palette = TestPalette(5);
    file.pixels = {
        3, 1,                // bottom row: 1 1 1
        0, 3, 2, 3, 4, 0,    // absolute run of three, padded to an even length
        0, 0,                // end of line
        0, 2, 4, 1,          // delta: four right, one up (skips the middle row)
        2, 2,                // top row, from x = 4: 2 2
        9, 3,                // a run past the right edge is cut there
        0, 1,                // end of bitmap
    };
    const Bitmap32 picture = Decode(file.Build());
    const auto& p = file.palette;
    const std::vector<uint32_t> bottom = {p[1], p[1], p[1], p[2], p[3], p[4]};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(picture.At(x, 2), bottom[x]) << x;
    for (int x = 0; x < 6; ++x) EXPECT_EQ(picture.At(x, 1), p[0]) << x;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.At(x, 0), p[0]) << x;
    EXPECT_EQ(picture.At(4, 0), p[2]);
    EXPECT_EQ(picture.At(5, 0), p[2]);
}

TEST(BmpDecode, Rle4AlternatesNibbles) {
    TestBmp file;
    file.bitCount = 4;
    file.compression = 2;
    file.width = 8;
    file.height = 2;
    file.palette = TestPalette(16);
    file.pixels = {
        5, 0x1A,             // 1 A 1 A 1
        0, 3, 0x23, 0x40,    // absolute 2 3 4 (the low nibble of 0x40 is unused), even length
        0, 0,
        0, 5, 0x56, 0x78, 0x90, 0,  // absolute 5 6 7 8 9 in 3 bytes plus one of padding
        0, 1,
    };
    const Bitmap32 picture = Decode(file.Build());
    const auto& p = file.palette;
    const std::vector<uint32_t> bottom = {p[1], p[10], p[1], p[10], p[1], p[2], p[3], p[4]};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(picture.At(x, 1), bottom[x]) << x;
    const std::vector<uint32_t> top = {p[5], p[6], p[7], p[8], p[9], p[0], p[0], p[0]};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(picture.At(x, 0), top[x]) << x;
}

TEST(BmpDecode, DamagedRleStreamsAreRejected) {
    TestBmp base;
    base.bitCount = 8;
    base.compression = 1;
    base.width = 4;
    base.height = 2;
    base.palette = TestPalette(4);
    base.colorsUsed = 4;
    struct Case {
        const char* what;
        std::vector<uint8_t> stream;
        int32_t height;
    };
    const Case cases[] = {
        {"ends while rows are due", {4, 1, 0, 0}, 2},
        {"ends inside a delta", {4, 1, 0, 2, 1}, 2},
        {"absolute run past the end", {0, 6, 1, 2}, 2},
        {"run of an index past the palette", {2, 4, 0, 1}, 2},
        {"absolute pixel past the palette", {0, 3, 1, 9, 1, 0, 0, 1}, 2},
        {"top-down", {4, 1, 0, 1}, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestBmp file = base;
        file.pixels = c.stream;
        file.height = c.height;
        EXPECT_THROW(Decode(file.Build()), EInvalidGraphic);
    }
    // Every row ended and no end-of-bitmap mark: nothing is missing.
    TestBmp complete = base;
    complete.pixels = {4, 1, 0, 0, 4, 2, 0, 0};
    const Bitmap32 picture = Decode(complete.Build());
    EXPECT_EQ(picture.At(0, 0), base.palette[2]);
    EXPECT_EQ(picture.At(3, 1), base.palette[1]);
}

TEST(BmpDecode, FilesThatAreNotBitmapsAreRejected) {
    TestBmp good;
    good.width = 2;
    good.height = 2;
    good.pixels = Rows24(Gradient(2, 2), false);
    ASSERT_NO_THROW(Decode(good.Build()));

    struct Case {
        const char* what;
        TestBmp file;
    };
    std::vector<Case> cases;
    const auto add = [&](const char* what, auto change) {
        TestBmp file = good;
        change(file);
        cases.push_back({what, file});
    };
    add("unknown header size 64", [](TestBmp& f) { f.headerSize = 64; });
    add("unknown header size 41", [](TestBmp& f) { f.headerSize = 41; });
    add("header size 0", [](TestBmp& f) { f.headerSize = 0; });
    add("two planes", [](TestBmp& f) { f.planes = 2; });
    add("zero width", [](TestBmp& f) { f.width = 0; });
    add("zero height", [](TestBmp& f) { f.height = 0; });
    add("negative width", [](TestBmp& f) { f.width = -2; });
    add("width past the limit", [](TestBmp& f) { f.width = kBmpMaxSide + 1; });
    add("height past the limit", [](TestBmp& f) { f.height = -(kBmpMaxSide + 1); });
    add("smallest height", [](TestBmp& f) { f.height = INT32_MIN; });
    add("too many pixels", [](TestBmp& f) { f.width = kBmpMaxSide; f.height = kBmpMaxSide; });
    add("JPEG inside", [](TestBmp& f) { f.compression = 4; });
    add("PNG inside", [](TestBmp& f) { f.compression = 5; });
    add("unknown compression", [](TestBmp& f) { f.compression = 0x7FFFFFFF; });
    add("RLE8 at 24 bits", [](TestBmp& f) { f.compression = 1; });
    add("bit fields at 24 bits", [](TestBmp& f) { f.compression = 3; f.masks = {0xFF0000, 0xFF00, 0xFF}; });
    add("bit count 0", [](TestBmp& f) { f.bitCount = 0; });
    add("bit count 2", [](TestBmp& f) { f.bitCount = 2; f.palette = TestPalette(4); });
    add("bit count 64", [](TestBmp& f) { f.bitCount = 64; });
    add("16 bits in a core header", [](TestBmp& f) { f.headerSize = 12; f.bitCount = 16; });
    add("mask with a hole", [](TestBmp& f) { f.bitCount = 16; f.compression = 3; f.masks = {0xF00F, 0x0700, 0x00F0}; });
    add("mask past 16 bits", [](TestBmp& f) { f.bitCount = 16; f.compression = 3; f.masks = {0x1F0000, 0x07E0, 0x1F}; });
    add("pixel data cut short", [](TestBmp& f) { f.pixels.resize(f.pixels.size() - 3); });
    add("pixel offset past the end", [](TestBmp& f) { f.offBits = 100000; });
    add("pixel offset inside the header", [](TestBmp& f) { f.offBits = 20; });
    add("palette depth without a palette", [](TestBmp& f) { f.bitCount = 8; f.colorsUsed = 0; });
    add("masks missing after the header", [](TestBmp& f) {
        f.bitCount = 16; f.compression = 3; f.pixels.clear(); f.offBits = 54;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(Decode(c.file.Build()), EInvalidGraphic);
    }

    std::vector<uint8_t> bytes = good.Build();
    bytes[1] = 'A';
    EXPECT_THROW(Decode(bytes), EInvalidGraphic);
    for (size_t length : {1u, 2u, 13u, 17u, 30u}) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> cut = good.Build();
        cut.resize(length);
        EXPECT_THROW(Decode(cut), EInvalidGraphic);
    }
    try {
        Decode({'B', 'M'});
        ADD_FAILURE() << "two bytes decoded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST(BmpDecode, NeverReadsPastTheGivenBytes) {
    // The bytes behind the end would complete the file: a decoder that read them would
    // accept the truncated view.
    TestBmp file;
    file.width = 4;
    file.height = 4;
    file.pixels = Rows24(Gradient(4, 4), false);
    const std::vector<uint8_t> bytes = file.Build();
    for (size_t cut : {size_t(20), size_t(54), bytes.size() - 1}) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(DecodeBmp(std::span<const uint8_t>(bytes.data(), cut)), EInvalidGraphic);
    }
    TestBmp rle;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.width = 2;
    rle.height = 1;
    rle.palette = TestPalette(2);
    rle.colorsUsed = 2;
    rle.pixels = {2, 1, 0, 1};
    const std::vector<uint8_t> rleBytes = rle.Build();
    EXPECT_THROW(DecodeBmp(std::span<const uint8_t>(rleBytes.data(), rleBytes.size() - 2)), EInvalidGraphic);
}

TEST(BmpEncode, DirectDepthsRoundTripExactly) {
    Bitmap32 picture(7, 5);  // odd width: 24-bit rows need padding
    std::mt19937 random(7);
    for (uint32_t& p : picture.pixels) p = random() & 0xFFFFFF;
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        const std::vector<uint8_t> file = EncodeBmp(picture, bits);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(ReadLe32(file, 2), file.size());
        EXPECT_EQ(ReadLe32(file, 14), 40u);
        EXPECT_EQ(int32_t(ReadLe32(file, 22)), 5) << "bottom-up";
        EXPECT_EQ(file[28], bits);
        ExpectSame(DecodeBmp(file), picture);
    }
}

TEST(BmpEncode, PaletteDepthsKeepColoursThatFit) {
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const int colours = 1 << bits;
        Bitmap32 picture(19, 14);  // enough pixels for all 256 colours
        const std::vector<uint32_t> palette = TestPalette(colours);
        for (int i = 0; i < int(picture.pixels.size()); ++i) {
            // Alpha in the top byte is not part of the colour.
            picture.pixels[i] = (uint32_t(i) << 24) | palette[i % colours];
        }
        const std::vector<uint8_t> file = EncodeBmp(picture, bits);
        EXPECT_EQ(file[28], bits);
        EXPECT_EQ(ReadLe32(file, 46), uint32_t(colours));
        const Bitmap32 decoded = DecodeBmp(file);
        for (uint32_t& p : picture.pixels) p &= 0xFFFFFF;
        ExpectSame(decoded, picture);
    }
    // Fewer colours than the depth allows: a table of just those.
    Bitmap32 two(3, 3, Rgb(200, 10, 10));
    two.At(1, 1) = Rgb(10, 10, 200);
    const std::vector<uint8_t> file = EncodeBmp(two, 8);
    EXPECT_EQ(ReadLe32(file, 46), 2u);
    ExpectSame(DecodeBmp(file), two);
}

TEST(BmpEncode, TooManyColoursMapToTheNearestEntry) {
    Bitmap32 picture(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) picture.At(x, y) = Rgb(uint8_t(x * 8), uint8_t(y * 8), uint8_t((x + y) * 4));
    picture.At(0, 0) = Rgb(250, 10, 10);
    picture.At(1, 0) = Rgb(200, 200, 200);
    picture.At(2, 0) = Rgb(40, 40, 40);

    const Bitmap32 vga = DecodeBmp(EncodeBmp(picture, 4));
    EXPECT_EQ(vga.At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(vga.At(1, 0), Rgb(192, 192, 192));
    const Bitmap32 mono = DecodeBmp(EncodeBmp(picture, 1));
    EXPECT_EQ(mono.At(1, 0), Rgb(255, 255, 255));
    EXPECT_EQ(mono.At(2, 0), Rgb(0, 0, 0));
    for (uint32_t p : mono.pixels) EXPECT_TRUE(p == 0 || p == 0xFFFFFF);

    // 8 bits: no colour ends up further away than the corner of its colour-cube cell
    // (half a step of 51 in each channel).
    const Bitmap32 cube = DecodeBmp(EncodeBmp(picture, 8));
    ASSERT_EQ(cube.pixels.size(), picture.pixels.size());
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const uint32_t a = picture.pixels[i];
        const uint32_t b = cube.pixels[i];
        const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
        EXPECT_LE(dr * dr + dg * dg + db * db, 3 * 26 * 26) << i;
    }
}

TEST(BmpEncode, EmptyImagesAndBadArguments) {
    EXPECT_TRUE(EncodeBmp(Bitmap32()).empty());
    EXPECT_TRUE(DecodeBmp(EncodeBmp(Bitmap32())).Empty());
    EXPECT_THROW(EncodeBmp(Bitmap32(2, 2), 16), std::invalid_argument);
    EXPECT_THROW(EncodeBmp(Bitmap32(2, 2), 0), std::invalid_argument);
    Bitmap32 broken(4, 4);
    broken.pixels.resize(3);
    EXPECT_THROW(EncodeBmp(broken), std::invalid_argument);
    Bitmap32 huge;
    huge.width = kBmpMaxSide + 1;
    huge.height = 1;
    EXPECT_THROW(EncodeBmp(huge), std::invalid_argument);
}

TEST(BmpSize, ReadFromTheHeadersAloneAsTheDecoderReadsThem) {
    for (uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
        for (int height : {5, -5}) {
            if (headerSize == 12 && height < 0) continue;  // a core header has no sign
            SCOPED_TRACE("header size " + std::to_string(headerSize) + ", height " + std::to_string(height));
            TestBmp file;
            file.headerSize = headerSize;
            file.width = 7;
            file.height = height;
            file.pixels = Rows24(Gradient(7, 5), height < 0);
            std::vector<uint8_t> bytes = file.Build();
            const Bitmap32 decoded = Decode(bytes);
            // Only the head is given, and the pixels it lacks do not matter.
            bytes.resize(std::min(bytes.size(), kBmpHeadBytes));
            const BmpSize size = ReadBmpSize(bytes);
            EXPECT_EQ(size.width, decoded.width);
            EXPECT_EQ(size.height, decoded.height);
        }
    }
    TestBmp good;
    good.width = 2;
    good.height = 2;
    good.pixels = Rows24(Gradient(2, 2), false);
    TestBmp cut = good;
    cut.pixels.resize(3);
    EXPECT_EQ(ReadBmpSize(cut.Build()).width, 2) << "pixels cut short are the decoder's to refuse";

    const auto refused = [&](auto change) {
        TestBmp file = good;
        change(file);
        const std::vector<uint8_t> bytes = file.Build();
        EXPECT_THROW(Decode(bytes), EInvalidGraphic);
        EXPECT_THROW(ReadBmpSize(bytes), EInvalidGraphic);
    };
    refused([](TestBmp& f) { f.headerSize = 64; });
    refused([](TestBmp& f) { f.width = 0; });
    refused([](TestBmp& f) { f.height = -(kBmpMaxSide + 1); });
    refused([](TestBmp& f) { f.width = kBmpMaxSide; f.height = kBmpMaxSide; });
    refused([](TestBmp& f) { f.compression = 5; });
    refused([](TestBmp& f) { f.bitCount = 2; f.palette = TestPalette(4); });
    refused([](TestBmp& f) { f.offBits = 20; });
    for (const std::vector<uint8_t>& junk :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'B', 'M'}, std::vector<uint8_t>{'B', 'M', ' ', 't', 'h', 'i', 's'},
          std::vector<uint8_t>(kBmpHeadBytes, 0xFF)})
        EXPECT_THROW(ReadBmpSize(junk), EInvalidGraphic);
}
