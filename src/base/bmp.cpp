#include "base/bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "base/errors.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

[[noreturn]] void Invalid() { throw EInvalidGraphic(); }

// Little-endian reads at absolute offsets. Every read is checked against the end of the
// bytes, so a header field pointing anywhere turns into an invalid graphic, never a stray
// read.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : data(bytes) {}

    uint64_t Size() const { return data.size(); }
    uint8_t U8(uint64_t at) const {
        Need(at, 1);
        return data[at];
    }
    uint16_t U16(uint64_t at) const {
        Need(at, 2);
        return uint16_t(data[at] | (data[at + 1] << 8));
    }
    uint32_t U32(uint64_t at) const {
        Need(at, 4);
        return uint32_t(data[at]) | (uint32_t(data[at + 1]) << 8) | (uint32_t(data[at + 2]) << 16) |
               (uint32_t(data[at + 3]) << 24);
    }
    int32_t S32(uint64_t at) const { return static_cast<int32_t>(U32(at)); }
    // The bytes [at, at + count), which must lie inside the input.
    const uint8_t* Span(uint64_t at, uint64_t count) const {
        Need(at, count);
        return data.data() + at;
    }

private:
    void Need(uint64_t at, uint64_t count) const {
        if (at > data.size() || count > data.size() - at) Invalid();
    }

    std::span<const uint8_t> data;
};

// One colour channel of a bit-field pixel: the mask, where it starts, and its largest value,
// so that any contiguous width (5, 6, 8, 10 bits...) scales to the full 0..255 range.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;

    uint8_t Extract(uint32_t pixel) const {
        if (maximum == 0) return 0;
        const uint64_t value = (pixel & mask) >> shift;
        return uint8_t((value * 255 + maximum / 2) / maximum);
    }
};

Channel MakeChannel(uint32_t mask, int bitCount) {
    Channel channel;
    if (mask == 0) return channel;  // an absent channel reads as 0
    if (bitCount < 32 && (mask >> bitCount) != 0) Invalid();  // bits the pixel does not have
    channel.mask = mask;
    channel.shift = std::countr_zero(mask);
    const uint64_t run = uint64_t(mask) >> channel.shift;
    if ((run & (run + 1)) != 0) Invalid();  // holes in the mask
    channel.maximum = uint32_t(run);
    return channel;
}

struct Header {
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    std::array<uint32_t, 3> masks{};  // red, green, blue
    bool explicitMasks = false;
    uint64_t tablesStart = 0;  // where masks (after a plain info header) or the palette begin
};

Header ReadHeader(const ByteReader& in) {
    Header h;
    h.headerSize = in.U32(kFileHeaderSize);
    const uint64_t at = kFileHeaderSize;
    int planes = 0;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = in.U16(at + 4);
        h.height = in.U16(at + 6);
        planes = in.U16(at + 8);
        h.bitCount = in.U16(at + 10);
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) Invalid();
    } else if (h.headerSize == kInfoHeaderSize || h.headerSize == 52 || h.headerSize == 56 ||
               h.headerSize == 108 || h.headerSize == 124) {
        h.width = in.S32(at + 4);
        const int64_t height = in.S32(at + 8);
        planes = in.U16(at + 12);
        h.bitCount = in.U16(at + 14);
        h.compression = in.U32(at + 16);
        h.colorsUsed = in.U32(at + 32);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        switch (h.bitCount) {
            case 1: case 4: case 8: case 16: case 24: case 32: break;
            default: Invalid();
        }
        switch (h.compression) {
            case kBiRgb: break;
            case kBiRle8: if (h.bitCount != 8 || h.topDown) Invalid(); break;
            case kBiRle4: if (h.bitCount != 4 || h.topDown) Invalid(); break;
            case kBiBitfields: if (h.bitCount != 16 && h.bitCount != 32) Invalid(); break;
            default: Invalid();  // JPEG, PNG and the rarer device formats
        }
        if (h.compression == kBiBitfields) {
            // A plain info header is followed by the three masks; the later headers hold
            // them inside. For bit counts without BI_BITFIELDS the header masks mean nothing.
            for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(at + kInfoHeaderSize + 4 * i);
            h.explicitMasks = true;
        }
    } else {
        Invalid();
    }
    if (planes != 1) Invalid();
    if (h.width < 1 || h.height < 1 || h.width > kBmpMaxSide || h.height > kBmpMaxSide) Invalid();
    if (uint64_t(h.width) * uint64_t(h.height) > kBmpMaxPixels) Invalid();
    h.tablesStart = at + h.headerSize;
    if (h.headerSize == kInfoHeaderSize && h.explicitMasks) h.tablesStart += 12;
    return h;
}

// The colour table of a palette bitmap. A table shorter than the bit count allows is
// normal (biClrUsed); when the pixel data begins before the declared table ends, the
// entries that fit in front of it are the table.
std::vector<uint32_t> ReadPalette(const ByteReader& in, const Header& h, uint64_t pixelOffset) {
    if (h.bitCount > 8) return {};
    const uint64_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    const uint64_t maximum = uint64_t(1) << h.bitCount;
    uint64_t count = h.colorsUsed == 0 ? maximum : std::min<uint64_t>(h.colorsUsed, maximum);
    count = std::min(count, (pixelOffset - h.tablesStart) / entrySize);
    if (count == 0) Invalid();
    const uint8_t* table = in.Span(h.tablesStart, count * entrySize);
    std::vector<uint32_t> palette(count);
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* e = table + i * entrySize;
        palette[i] = Rgb(e[2], e[1], e[0]);
    }
    return palette;
}

uint32_t PaletteColour(const std::vector<uint32_t>& palette, unsigned index) {
    if (index >= palette.size()) Invalid();
    return palette[index];
}

void DecodeRows(const ByteReader& in, const Header& h, uint64_t pixelOffset,
                const std::vector<uint32_t>& palette, Bitmap32& out) {
    const uint64_t width = uint64_t(h.width);
    const uint64_t height = uint64_t(h.height);
    const uint64_t stride = (width * h.bitCount + 31) / 32 * 4;
    const uint64_t rowBytes = (width * h.bitCount + 7) / 8;
    // The last row's padding may be missing; the pixels themselves may not.
    const uint8_t* data = in.Span(pixelOffset, stride * (height - 1) + rowBytes);

    std::array<Channel, 3> channels;
    const bool direct32 = h.bitCount == 32 && !h.explicitMasks;
    if (h.bitCount == 16 || h.bitCount == 32) {
        std::array<uint32_t, 3> masks = h.masks;
        if (!h.explicitMasks) {
            masks = h.bitCount == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                     : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
        }
        for (int i = 0; i < 3; ++i) channels[i] = MakeChannel(masks[i], h.bitCount);
    }
    const auto fromFields = [&](uint32_t value) {
        return Rgb(channels[0].Extract(value), channels[1].Extract(value), channels[2].Extract(value));
    };

    for (uint64_t r = 0; r < height; ++r) {
        const uint8_t* row = data + r * stride;
        uint32_t* dest = &out.At(0, int(h.topDown ? r : height - 1 - r));
        switch (h.bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / h.bitCount;
                const unsigned mask = (1u << h.bitCount) - 1;
                for (uint64_t x = 0; x < width; ++x) {
                    const uint8_t byte = row[x / perByte];
                    const int shift = 8 - h.bitCount * int(x % perByte + 1);
                    dest[x] = PaletteColour(palette, (byte >> shift) & mask);
                }
                break;
            }
            case 16:
                for (uint64_t x = 0; x < width; ++x) dest[x] = fromFields(uint32_t(row[2 * x] | (row[2 * x + 1] << 8)));
                break;
            case 24:
                for (uint64_t x = 0; x < width; ++x) dest[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32:
                for (uint64_t x = 0; x < width; ++x) {
                    const uint8_t* p = row + 4 * x;
                    dest[x] = direct32 ? Rgb(p[2], p[1], p[0])
                                       : fromFields(uint32_t(p[0]) | (uint32_t(p[1]) << 8) |
                                                    (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
                }
                break;
        }
    }
}

// RLE8 and RLE4 streams, always bottom-up. Runs and deltas that leave the picture are
// clipped; what the stream never paints stays palette colour 0. A stream that ends before
// its end-of-bitmap mark while rows are still due is a truncated file.
void DecodeRle(const ByteReader& in, const Header& h, uint64_t pixelOffset,
               const std::vector<uint32_t>& palette, Bitmap32& out) {
    const bool four = h.compression == kBiRle4;
    const uint64_t width = uint64_t(h.width);
    const uint64_t height = uint64_t(h.height);
    std::fill(out.pixels.begin(), out.pixels.end(), palette[0]);
    uint64_t x = 0;
    uint64_t y = 0;  // counted from the bottom row
    uint64_t pos = pixelOffset;
    const auto put = [&](uint64_t px, unsigned index) {
        const uint32_t colour = PaletteColour(palette, index);
        if (px < width && y < height) out.At(int(px), int(height - 1 - y)) = colour;
    };
    for (;;) {
        if (in.Size() - pos < 2) {
            if (y >= height) return;
            Invalid();
        }
        const uint8_t count = in.U8(pos);
        const uint8_t value = in.U8(pos + 1);
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) put(x + i, four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            x += count;
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return;
            case 2:  // delta
                x += in.U8(pos);
                y += in.U8(pos + 1);
                pos += 2;
                break;
            default: {  // absolute run, padded to a 16-bit boundary
                const uint64_t bytes = four ? (value + 1u) / 2 : value;
                const uint8_t* run = in.Span(pos, bytes);
                for (unsigned i = 0; i < value; ++i) {
                    put(x + i, four ? (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 0x0F) : run[i]);
                }
                x += value;
                pos += std::min<uint64_t>(bytes + (bytes & 1), in.Size() - pos);
                break;
            }
        }
    }
}

// ---- encoder ----

class ByteWriter {
public:
    explicit ByteWriter(size_t reserve) { bytes.reserve(reserve); }
    void U8(uint8_t v) { bytes.push_back(v); }
    void U16(uint16_t v) {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v) {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    std::vector<uint8_t> Take() { return std::move(bytes); }

private:
    std::vector<uint8_t> bytes;
};

std::vector<uint32_t> FixedPalette(int bitsPerPixel) {
    std::vector<uint32_t> palette;
    if (bitsPerPixel == 1) return {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    if (bitsPerPixel == 4) {
        // The 16 colours of the VGA palette, in their usual order.
        return {Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
                Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
                Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
                Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
    }
    // A 6x6x6 colour cube plus 40 greys between its own grey steps.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) palette.push_back(Rgb(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
    for (int i = 1; i <= 40; ++i) {
        const auto v = uint8_t((i * 255 + 20) / 41);
        palette.push_back(Rgb(v, v, v));
    }
    return palette;
}

unsigned NearestIndex(const std::vector<uint32_t>& palette, uint32_t colour) {
    unsigned best = 0;
    int bestDistance = 1 << 30;
    for (unsigned i = 0; i < palette.size(); ++i) {
        const int dr = int(RedOf(colour)) - RedOf(palette[i]);
        const int dg = int(GreenOf(colour)) - GreenOf(palette[i]);
        const int db = int(BlueOf(colour)) - BlueOf(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// The palette for an image and each pixel's index: the image's own colours when they fit,
// otherwise the fixed palette of that depth with every pixel mapped to its nearest entry.
struct IndexedImage {
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices;
};

IndexedImage Quantize(const Bitmap32& image, int bitsPerPixel) {
    const size_t limit = size_t(1) << bitsPerPixel;
    std::unordered_set<uint32_t> distinct;
    for (uint32_t p : image.pixels) {
        distinct.insert(p & 0xFFFFFF);
        if (distinct.size() > limit) break;
    }
    IndexedImage result;
    std::unordered_map<uint32_t, uint8_t> lookup;
    if (distinct.size() <= limit) {
        result.palette.assign(distinct.begin(), distinct.end());
        std::sort(result.palette.begin(), result.palette.end());  // same image, same file
        for (size_t i = 0; i < result.palette.size(); ++i) lookup[result.palette[i]] = uint8_t(i);
    } else {
        result.palette = FixedPalette(bitsPerPixel);
    }
    result.indices.reserve(image.pixels.size());
    for (uint32_t p : image.pixels) {
        const uint32_t colour = p & 0xFFFFFF;
        auto found = lookup.find(colour);
        if (found == lookup.end()) found = lookup.emplace(colour, uint8_t(NearestIndex(result.palette, colour))).first;
        result.indices.push_back(found->second);
    }
    return result;
}

}  // namespace

BmpSize ReadBmpSize(std::span<const uint8_t> head) {
    const ByteReader in(head);
    if (in.Size() < kFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') Invalid();
    const Header h = ReadHeader(in);
    if (in.U32(10) < h.tablesStart) Invalid();
    return BmpSize{int(h.width), int(h.height)};
}

Bitmap32 DecodeBmp(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return {};
    const ByteReader in(bytes);
    if (in.Size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') Invalid();
    const uint64_t pixelOffset = in.U32(10);
    const Header h = ReadHeader(in);
    if (pixelOffset < h.tablesStart || pixelOffset > in.Size()) Invalid();
    const std::vector<uint32_t> palette = ReadPalette(in, h, pixelOffset);

    Bitmap32 out;
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        out = Bitmap32(int(h.width), int(h.height));
        DecodeRle(in, h, pixelOffset, palette, out);
    } else {
        // Check the pixel data is all there before committing memory to it.
        const uint64_t stride = (uint64_t(h.width) * h.bitCount + 31) / 32 * 4;
        const uint64_t rowBytes = (uint64_t(h.width) * h.bitCount + 7) / 8;
        in.Span(pixelOffset, stride * uint64_t(h.height - 1) + rowBytes);
        out = Bitmap32(int(h.width), int(h.height));
        DecodeRows(in, h, pixelOffset, palette, out);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
        throw std::invalid_argument("EncodeBmp: a bitmap file cannot have " + std::to_string(bitsPerPixel) +
                                    " bits per pixel");
    }
    if (image.Empty()) return {};
    const uint64_t width = uint64_t(image.width);
    const uint64_t height = uint64_t(image.height);
    if (image.width > kBmpMaxSide || image.height > kBmpMaxSide || width * height > kBmpMaxPixels) {
        throw std::invalid_argument("EncodeBmp: the image is too large for a bitmap file");
    }
    if (image.pixels.size() != width * height) {
        throw std::invalid_argument("EncodeBmp: the pixel buffer does not match the image size");
    }

    IndexedImage indexed;
    if (bitsPerPixel <= 8) indexed = Quantize(image, bitsPerPixel);
    const uint64_t stride = (width * bitsPerPixel + 31) / 32 * 4;
    const uint64_t imageSize = stride * height;
    const uint64_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * indexed.palette.size();
    const uint64_t fileSize = pixelOffset + imageSize;

    ByteWriter out{size_t(fileSize)};
    out.U8('B');
    out.U8('M');
    out.U32(uint32_t(fileSize));
    out.U32(0);
    out.U32(uint32_t(pixelOffset));
    out.U32(kInfoHeaderSize);
    out.U32(uint32_t(width));
    out.U32(uint32_t(height));  // positive: bottom-up, the form every reader understands
    out.U16(1);
    out.U16(uint16_t(bitsPerPixel));
    out.U32(kBiRgb);
    out.U32(uint32_t(imageSize));
    out.U32(3780);  // 96 dots per inch
    out.U32(3780);
    out.U32(uint32_t(indexed.palette.size()));
    out.U32(0);
    for (uint32_t c : indexed.palette) {
        out.U8(BlueOf(c));
        out.U8(GreenOf(c));
        out.U8(RedOf(c));
        out.U8(0);
    }

    std::vector<uint8_t> row(stride);
    for (uint64_t r = 0; r < height; ++r) {
        const uint64_t y = height - 1 - r;
        std::fill(row.begin(), row.end(), 0);
        for (uint64_t x = 0; x < width; ++x) {
            const uint32_t p = image.pixels[y * width + x];
            switch (bitsPerPixel) {
                case 24:
                    row[3 * x] = BlueOf(p);
                    row[3 * x + 1] = GreenOf(p);
                    row[3 * x + 2] = RedOf(p);
                    break;
                case 32:
                    row[4 * x] = BlueOf(p);
                    row[4 * x + 1] = GreenOf(p);
                    row[4 * x + 2] = RedOf(p);
                    break;
                default: {
                    const int perByte = 8 / bitsPerPixel;
                    const int shift = 8 - bitsPerPixel * int(x % perByte + 1);
                    row[x / perByte] |= uint8_t(indexed.indices[y * width + x] << shift);
                    break;
                }
            }
        }
        for (uint8_t b : row) out.U8(b);
    }
    return out.Take();
}
