#include "skin/skin_canvas.h"

#include <algorithm>
#include <cmath>

uint32_t MixColour(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [&](int shift) {
        const double ca = double((a >> shift) & 0xFF);
        const double cb = double((b >> shift) & 0xFF);
        return uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

uint32_t GradientAt(uint32_t top, uint32_t bottom, int y, int rows) {
    return rows <= 1 ? top : MixColour(top, bottom, double(y) / double(rows - 1));
}

Shape RoundRectShape(double x, double y, double w, double h, double radius) {
    return [=](double px, double py) {
        if (px < x || py < y || px > x + w || py > y + h) return false;
        const double cx = std::clamp(px, x + radius, x + w - radius);
        const double cy = std::clamp(py, y + radius, y + h - radius);
        const double dx = px - cx, dy = py - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape SegmentShape(double x0, double y0, double x1, double y1, double halfWidth) {
    return [=](double px, double py) {
        const double vx = x1 - x0, vy = y1 - y0;
        const double length2 = vx * vx + vy * vy;
        double t = length2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / length2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = px - (x0 + t * vx), dy = py - (y0 + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Shape TriangleShape(double x0, double y0, double x1, double y1, double x2, double y2) {
    return [=](double px, double py) {
        auto side = [&](double ax, double ay, double bx, double by) {
            return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
        };
        const double d0 = side(x0, y0, x1, y1), d1 = side(x1, y1, x2, y2), d2 = side(x2, y2, x0, y0);
        const bool negative = d0 < 0 || d1 < 0 || d2 < 0;
        const bool positive = d0 > 0 || d1 > 0 || d2 > 0;
        return !(negative && positive);
    };
}

Shape EllipseShape(double cx, double cy, double rx, double ry) {
    return [=](double px, double py) {
        const double dx = (px - cx) / rx, dy = (py - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Difference(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

void Canvas::Fill(int x, int y, int w, int h, uint32_t colour) {
    for (int py = std::max(y, 0); py < std::min(y + h, image.height); ++py)
        for (int px = std::max(x, 0); px < std::min(x + w, image.width); ++px) image.At(px, py) = colour;
}

void Canvas::Pixel(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < image.width && y < image.height) image.At(x, y) = colour;
}

void Canvas::VerticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
    for (int row = 0; row < h; ++row) Fill(x, y + row, w, 1, GradientAt(top, bottom, row, h));
}

void Canvas::PaintShape(const Shape& shape, int x, int y, int w, int h,
                        const std::function<uint32_t(int, int)>& colour, bool smooth) {
    constexpr int kSamples = 4;
    for (int py = std::max(y, 0); py < std::min(y + h, image.height); ++py) {
        for (int px = std::max(x, 0); px < std::min(x + w, image.width); ++px) {
            double cover = 0;
            if (smooth) {
                int inside = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        inside += shape(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples) ? 1 : 0;
                cover = double(inside) / (kSamples * kSamples);
            } else {
                cover = shape(px + 0.5, py + 0.5) ? 1.0 : 0.0;
            }
            if (cover > 0) image.At(px, py) = MixColour(image.At(px, py), colour(px, py), cover);
        }
    }
}

void Canvas::PaintShape(const Shape& shape, int x, int y, int w, int h, uint32_t colour, bool smooth) {
    PaintShape(shape, x, y, w, h, [colour](int, int) { return colour; }, smooth);
}
