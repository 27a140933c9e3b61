#pragma once
// A deliberately independent writer of bitmap files for the decoder's tests: every header
// field is set by hand, so a test can build exactly the file it needs, valid or not.
#include <cstdint>
#include <optional>
#include <vector>

struct TestBmp {
    uint32_t headerSize = 40;  // 12, 40, 52, 56, 108, 124 or anything else
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks;      // red, green, blue: after a 40-byte header, inside later ones
    std::vector<uint32_t> palette;    // 0x00RRGGBB; 3 bytes each after a core header, else 4
    std::vector<uint8_t> gap;         // bytes between the tables and the pixel data
    std::vector<uint8_t> pixels;      // the pixel data exactly as stored
    std::optional<uint32_t> offBits;  // overrides the computed pixel-data offset

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> out;
        const auto u8 = [&](uint32_t v) { out.push_back(uint8_t(v)); };
        const auto u16 = [&](uint32_t v) { u8(v); u8(v >> 8); };
        const auto u32 = [&](uint32_t v) { u16(v); u16(v >> 16); };
        const bool core = headerSize == 12;
        const size_t masksAfter = (headerSize == 40) ? masks.size() * 4 : 0;
        const size_t tables = masksAfter + palette.size() * (core ? 3 : 4);
        const uint32_t offset = offBits ? *offBits : uint32_t(14 + headerSize + tables + gap.size());
        const size_t total = 14 + headerSize + tables + gap.size() + pixels.size();
        u8('B');
        u8('M');
        u32(uint32_t(total));
        u32(0);
        u32(offset);
        const size_t headerStart = out.size();
        u32(headerSize);
        if (core) {
            u16(uint32_t(width));
            u16(uint32_t(height));
            u16(planes);
            u16(bitCount);
        } else if (headerSize >= 16) {
            u32(uint32_t(width));
            u32(uint32_t(height));
            u16(planes);
            u16(bitCount);
            u32(compression);
            u32(uint32_t(pixels.size()));
            u32(3780);
            u32(3780);
            u32(colorsUsed);
            u32(0);
            if (headerSize >= 52) {
                for (size_t i = 0; i < 3; ++i) u32(i < masks.size() ? masks[i] : 0);
            }
            if (headerSize >= 56) u32(0xFF000000);  // alpha mask, which the decoder ignores
            if (headerSize >= 108) u32(0x73524742);  // 'sRGB'
        }
        while (out.size() < headerStart + headerSize) u8(0);
        if (headerSize == 40) {
            for (uint32_t m : masks) u32(m);
        }
        for (uint32_t c : palette) {
            u8(c);
            u8(c >> 8);
            u8(c >> 16);
            if (!core) u8(0);
        }
        out.insert(out.end(), gap.begin(), gap.end());
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// Packs palette indices into one stored row (most significant bits first), padded to 4 bytes.
inline std::vector<uint8_t> PackRow(const std::vector<int>& indices, int bitCount) {
    std::vector<uint8_t> row((indices.size() * bitCount + 31) / 32 * 4, 0);
    for (size_t x = 0; x < indices.size(); ++x) {
        const size_t bit = x * bitCount;
        row[bit / 8] |= uint8_t(indices[x] << (8 - bitCount - bit % 8));
    }
    return row;
}

// Appends the rows, each padded to a multiple of 4 bytes.
inline std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows) {
    std::vector<uint8_t> out;
    for (const auto& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        while (out.size() % 4 != 0) out.push_back(0);
    }
    return out;
}

inline uint32_t ReadLe32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes.at(at)) | (uint32_t(bytes.at(at + 1)) << 8) | (uint32_t(bytes.at(at + 2)) << 16) |
           (uint32_t(bytes.at(at + 3)) << 24);
}
