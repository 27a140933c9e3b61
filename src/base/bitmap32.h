#pragma once
// A portable 32-bit picture: rows top-down, one uint32_t per pixel laid out as 0x00RRGGBB
// (byte order B, G, R, X in memory, the layout of a 32-bit top-down DIB section).
#include <cstddef>
#include <cstdint>
#include <vector>

struct Bitmap32 {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height entries

    Bitmap32() = default;
    Bitmap32(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
constexpr uint8_t RedOf(uint32_t p) { return uint8_t(p >> 16); }
constexpr uint8_t GreenOf(uint32_t p) { return uint8_t(p >> 8); }
constexpr uint8_t BlueOf(uint32_t p) { return uint8_t(p); }
