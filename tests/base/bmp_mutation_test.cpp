#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/bmp.h"
#include "base/errors.h"
#include "bmp_test_writer.h"

// Damaged files must end in a picture or in EInvalidGraphic, nothing else. Under the host
// build's address and undefined-behaviour sanitizers this is the check that no byte pattern
// makes the decoder read or write out of bounds.

namespace {

std::vector<uint32_t> Palette(int count) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < count; ++i) palette.push_back(Rgb(uint8_t(i * 16), uint8_t(200 - i), uint8_t(i * 7)));
    return palette;
}

struct Sample {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<Sample> ValidSamples() {
    std::vector<Sample> samples;

    TestBmp core;
    core.headerSize = 12;
    core.bitCount = 8;
    core.width = 5;
    core.height = 4;
    core.palette = Palette(6);
    std::vector<std::vector<uint8_t>> rows;
    for (int r = 0; r < 4; ++r) rows.push_back(PackRow({r, 1, 2, 3, 5 - r}, 8));
    core.pixels = PadRows(rows);
    samples.push_back({"core 8-bit", core.Build()});

    TestBmp rle4;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.width = 7;
    rle4.height = 3;
    rle4.colorsUsed = 9;
    rle4.palette = Palette(9);
    rle4.pixels = {4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 3, 0x88, 0, 0, 7, 0x01, 0, 1};
    samples.push_back({"RLE4", rle4.Build()});

    TestBmp rle8;
    rle8.bitCount = 8;
    rle8.compression = 1;
    rle8.width = 6;
    rle8.height = 4;
    rle8.colorsUsed = 5;
    rle8.palette = Palette(5);
    rle8.pixels = {6, 1, 0, 0, 0, 5, 1, 2, 3, 4, 0, 0, 0, 0, 0, 2, 3, 1, 2, 4, 0, 1};
    samples.push_back({"RLE8", rle8.Build()});

    TestBmp fields;
    fields.headerSize = 124;
    fields.bitCount = 16;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.width = 5;
    fields.height = -3;
    rows.clear();
    for (int r = 0; r < 3; ++r) rows.push_back({uint8_t(r), 0xF8, 0xE0, 0x07, 0x1F, 0, 0x34, 0x12, 0xFF, 0xFF});
    fields.pixels = PadRows(rows);
    samples.push_back({"V5 5-6-5 top-down", fields.Build()});

    TestBmp direct;
    direct.width = 3;
    direct.height = 3;
    direct.gap = {1, 2, 3, 4, 5};
    rows.clear();
    for (int r = 0; r < 3; ++r) rows.push_back({1, 2, 3, 4, 5, 6, 7, 8, uint8_t(r)});
    direct.pixels = PadRows(rows);
    samples.push_back({"24-bit with a gap", direct.Build()});

    TestBmp mono;
    mono.headerSize = 108;
    mono.bitCount = 1;
    mono.width = 9;
    mono.height = 2;
    mono.colorsUsed = 2;
    mono.palette = Palette(2);
    mono.pixels = PadRows({PackRow({1, 0, 1, 1, 0, 0, 1, 0, 1}, 1), PackRow({0, 0, 0, 1, 1, 1, 0, 1, 1}, 1)});
    samples.push_back({"V4 1-bit", mono.Build()});

    TestBmp wide;
    wide.headerSize = 124;
    wide.bitCount = 32;
    wide.compression = 3;
    wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    wide.width = 2;
    wide.height = 2;
    wide.pixels = {0xFF, 0x03, 0xF0, 0x3F, 0x00, 0xFC, 0x0F, 0x00, 0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF};
    samples.push_back({"V5 10-10-10", wide.Build()});
    return samples;
}

// Decodes and reports anything other than a sound picture or the decoder's own error.
void ExpectDecodesOrRejects(const std::vector<uint8_t>& bytes, const std::string& what) {
    try {
        const Bitmap32 picture = DecodeBmp(bytes);
        if (picture.Empty()) {
            EXPECT_TRUE(bytes.empty()) << what << ": only no bytes may give no picture";
            return;
        }
        EXPECT_LE(picture.width, kBmpMaxSide) << what;
        EXPECT_LE(picture.height, kBmpMaxSide) << what;
        EXPECT_EQ(picture.pixels.size(), size_t(picture.width) * size_t(picture.height)) << what;
    } catch (const EInvalidGraphic&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": unexpected " << e.what();
    }
}

}  // namespace

TEST(BmpMutation, SamplesAreValid) {
    for (const Sample& sample : ValidSamples()) {
        SCOPED_TRACE(sample.name);
        const Bitmap32 picture = DecodeBmp(sample.bytes);
        EXPECT_FALSE(picture.Empty());
    }
}

TEST(BmpMutation, EveryTruncationDecodesOrIsRejected) {
    for (const Sample& sample : ValidSamples()) {
        for (size_t length = 0; length < sample.bytes.size(); ++length) {
            const std::vector<uint8_t> cut(sample.bytes.begin(), sample.bytes.begin() + std::ptrdiff_t(length));
            ExpectDecodesOrRejects(cut, sample.name + " cut to " + std::to_string(length));
        }
    }
}

TEST(BmpMutation, FlippedBitsAndBytesDecodeOrAreRejected) {
    std::mt19937 random(20240611);  // fixed: a failure must be reproducible
    int decoded = 0;
    int rejected = 0;
    for (const Sample& sample : ValidSamples()) {
        for (int round = 0; round < 1500; ++round) {
            std::vector<uint8_t> bytes = sample.bytes;
            const size_t at = random() % bytes.size();
            if (round % 2 == 0) {
                bytes[at] ^= uint8_t(1u << (random() % 8));
            } else {
                bytes[at] = uint8_t(random());
            }
            try {
                const Bitmap32 picture = DecodeBmp(bytes);
                ++decoded;
                EXPECT_EQ(picture.pixels.size(), size_t(picture.width) * size_t(picture.height));
            } catch (const EInvalidGraphic&) {
                ++rejected;
            } catch (const std::exception& e) {
                ADD_FAILURE() << sample.name << " byte " << at << ": unexpected " << e.what();
            }
        }
    }
    // Both outcomes must occur, or the mutations did not reach the interesting paths.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(rejected, 0);
}
