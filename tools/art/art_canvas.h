#pragma once
// Smooth drawing for the program's own pictures. The bank's rasteriser paints hard-edged
// pixels, which is right for its palette-stored signs but looks jagged on a 16-pixel icon or a
// round badge; so a picture here is drawn on a canvas several times larger and brought down
// with a box filter, which gives every edge its coverage as a blend.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "bank/raster.h"
#include "base/bitmap32.h"

// A picture with coverage: 0xAARRGGBB per pixel, colour not premultiplied (the layout of a
// 32-bit icon image). Alpha 0 is fully transparent.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

constexpr uint8_t AlphaOf(uint32_t argb) { return uint8_t(argb >> 24); }
constexpr uint32_t Argb(uint8_t a, uint32_t rgb) { return (uint32_t(a) << 24) | (rgb & 0xFFFFFF); }

// Resizes by area: every output pixel is the mean of the source area it covers, fractions of
// pixels weighted by their share. Source pixels of the `transparent` colour, when given, count
// as empty: they lower the output's alpha and leave its colour alone. Throws
// std::invalid_argument for an empty source or a target size below 1.
RgbaImage ResizeArea(const Bitmap32& source, int width, int height,
                     std::optional<uint32_t> transparent = std::nullopt);

// The picture laid over a plain background, each pixel blended by its alpha.
Bitmap32 FlattenOnto(const RgbaImage& image, uint32_t background);

// The colour a share t (0..1) of the way from a to b.
uint32_t MixRgb(uint32_t a, uint32_t b, double t);

// Draws in the final picture's pixels on a canvas `factor` times as large.
class ArtCanvas {
public:
    ArtCanvas(int width, int height, int factor, uint32_t background);

    int Width() const { return width; }
    int Height() const { return height; }

    void FillRect(double x0, double y0, double x1, double y1, uint32_t colour);
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, uint32_t colour);
    void FrameRoundRect(double x0, double y0, double x1, double y1, double radius, double lineWidth,
                        uint32_t colour);
    void FillCircle(double cx, double cy, double r, uint32_t colour);
    void FillEllipse(double cx, double cy, double rx, double ry, uint32_t colour);
    void FillRing(double cx, double cy, double outer, double inner, uint32_t colour);
    void FillPolygon(std::span<const PointF> points, uint32_t colour, FillRule rule = FillRule::NonZero);
    void FillContours(const std::vector<std::vector<PointF>>& contours, uint32_t colour, FillRule rule);
    void StrokeLine(PointF a, PointF b, double lineWidth, uint32_t colour);
    void StrokePolyline(std::span<const PointF> points, double lineWidth, uint32_t colour, bool closed = false);
    void StrokeArc(double cx, double cy, double r, double fromDeg, double toDeg, double lineWidth, uint32_t colour);
    void Arrow(PointF from, PointF to, double shaftWidth, double headLength, double headWidth, uint32_t colour);
    // The stroke font's text centred on (cx, cy).
    void Text(std::string_view text, double cx, double cy, double capHeight, double stroke, uint32_t colour);

    // A polygon shaded from `top` at y0 to `bottom` at y1 (clamped beyond them).
    void FillPolygonShaded(std::span<const PointF> points, double y0, uint32_t top, double y1, uint32_t bottom);
    void FillCircleShaded(double cx, double cy, double r, uint32_t top, uint32_t bottom);

    // A picture fitted into the box (x0, y0)-(x1, y1), its `key` pixels left out: for setting a
    // sign into a scene without the ground it was drawn on.
    void PlacePicture(const Bitmap32& picture, uint32_t key, double x0, double y0, double x1, double y1);

    // A frame for the bank's pictograms, centred at (cx, cy), `scale` pixels per unit.
    Frame At(double cx, double cy, double scale, double angleDeg = 0, bool mirror = false) const;
    // The large canvas, for drawing routines that take a Canvas and a Frame from At().
    Canvas& Large() { return large; }

    // The picture at its own size.
    Bitmap32 Finish() const;
    // The same with `key` pixels of the large canvas taken as transparent.
    RgbaImage FinishKeyed(uint32_t key) const;

private:
    PointF Up(PointF p) const { return {p.x * factor, p.y * factor}; }
    std::vector<PointF> Up(std::span<const PointF> points) const;

    int width;
    int height;
    int factor;
    Canvas large;
};
