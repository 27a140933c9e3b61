#pragma once
// Drawing helpers for painting skin images: solid and graded fills, rounded boxes and line
// glyphs with edge smoothing against a known background. Colours are Bitmap32 pixels
// (0x00RRGGBB).
#include <cstddef>  // bitmap32.h uses size_t without including it
#include <cstdint>
#include <functional>

#include "base/bitmap32.h"

// Mixes a towards b by t (0 gives a, 1 gives b).
uint32_t MixColour(uint32_t a, uint32_t b, double t);
// The colour at row y of a vertical gradient from top (row 0) to bottom (row rows - 1).
uint32_t GradientAt(uint32_t top, uint32_t bottom, int y, int rows);

// A shape as a test of a point (pixel coordinates, pixel centres at +0.5).
using Shape = std::function<bool(double x, double y)>;

Shape RoundRectShape(double x, double y, double w, double h, double radius);
// A thick line segment with round ends.
Shape SegmentShape(double x0, double y0, double x1, double y1, double halfWidth);
Shape TriangleShape(double x0, double y0, double x1, double y1, double x2, double y2);
Shape EllipseShape(double cx, double cy, double rx, double ry);
Shape Union(Shape a, Shape b);
Shape Difference(Shape a, Shape b);

class Canvas {
public:
    explicit Canvas(Bitmap32& target) : image(target) {}

    void Fill(int x, int y, int w, int h, uint32_t colour);
    void Pixel(int x, int y, uint32_t colour);
    void VerticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom);
    // Paints the shape within the box (x, y, w, h) with colour(px, py); edge pixels are mixed
    // with what is there by the share of the pixel the shape covers. With smooth off a pixel
    // is painted when its centre is inside (for edges against the transparent colour).
    void PaintShape(const Shape& shape, int x, int y, int w, int h, const std::function<uint32_t(int, int)>& colour,
                    bool smooth = true);
    void PaintShape(const Shape& shape, int x, int y, int w, int h, uint32_t colour, bool smooth = true);

private:
    Bitmap32& image;
};
