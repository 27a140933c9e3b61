#include "art/ico_file.h"

#include <stdexcept>
#include <string>

namespace {

constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// DIB rows are padded to whole 32-bit words; the 1-bit mask's rows are the ones that show it.
size_t MaskRowBytes(int width) { return (size_t(width) + 31) / 32 * 4; }

size_t ImageBytes(const RgbaImage& image) {
    return kInfoHeaderSize + size_t(image.width) * size_t(image.height) * 4 + MaskRowBytes(image.width) * size_t(image.height);
}

void CheckImage(const RgbaImage& image, size_t index) {
    const std::string which = "icon image " + std::to_string(index + 1);
    if (image.width != image.height) throw std::invalid_argument(which + " is not square");
    if (image.width < 1 || image.width > 256)
        throw std::invalid_argument(which + " is " + std::to_string(image.width) + " pixels; an icon holds 1 to 256");
    if (image.pixels.size() != size_t(image.width) * size_t(image.height))
        throw std::invalid_argument(which + " has a pixel buffer of the wrong size");
}

void PutImage(std::vector<uint8_t>& out, const RgbaImage& image) {
    const int w = image.width, h = image.height;
    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(2 * h));  // colour rows and mask rows together
    Put16(out, 1);                // planes
    Put16(out, 32);               // bits per pixel
    Put32(out, 0);                // BI_RGB
    Put32(out, uint32_t(ImageBytes(image) - kInfoHeaderSize));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    // Bottom-up, as every DIB without a negative height.
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = image.At(x, y);
            // A fully transparent pixel carries black, which is what the AND/XOR pair of an
            // old display needs to leave the screen untouched there.
            const uint32_t colour = AlphaOf(p) == 0 ? 0 : p;
            out.push_back(BlueOf(colour));
            out.push_back(GreenOf(colour));
            out.push_back(RedOf(colour));
            out.push_back(AlphaOf(p));
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskRowBytes(w), 0);
        for (int x = 0; x < w; ++x)
            if (AlphaOf(image.At(x, y)) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<uint8_t> EncodeIco(std::span<const RgbaImage> images) {
    if (images.empty()) throw std::invalid_argument("an icon file needs at least one image");
    if (images.size() > 0xFFFF) throw std::invalid_argument("too many images for one icon file");
    for (size_t i = 0; i < images.size(); ++i) CheckImage(images[i], i);

    std::vector<uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // 1 = icon, 2 = cursor
    Put16(out, uint32_t(images.size()));
    size_t offset = kDirSize + kEntrySize * images.size();
    for (const RgbaImage& image : images) {
        // A side of 256 is written as 0: the entry has one byte for it.
        out.push_back(uint8_t(image.width & 0xFF));
        out.push_back(uint8_t(image.height & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(ImageBytes(image)));
        Put32(out, uint32_t(offset));
        offset += ImageBytes(image);
    }
    for (const RgbaImage& image : images) PutImage(out, image);
    return out;
}
