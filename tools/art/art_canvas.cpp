#include "art/art_canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "bank/stroke_font.h"

namespace {

// One source pixel's share of one output pixel along an axis.
struct Tap {
    int index = 0;
    double weight = 0;
};

// For each output position along an axis of `outSize`, the source pixels under it and their
// shares. The shares of one output pixel add up to the source length it covers.
std::vector<std::vector<Tap>> AxisTaps(int sourceSize, int outSize) {
    const double step = double(sourceSize) / outSize;
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(outSize));
    for (int o = 0; o < outSize; ++o) {
        const double from = o * step;
        const double to = std::min(double(sourceSize), (o + 1) * step);
        for (int s = int(std::floor(from)); s < sourceSize && s < to; ++s) {
            const double weight = std::min(to, s + 1.0) - std::max(from, double(s));
            if (weight > 0) taps[size_t(o)].push_back({s, weight});
        }
    }
    return taps;
}

uint8_t ToByte(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

RgbaImage ResizeArea(const Bitmap32& source, int width, int height, std::optional<uint32_t> transparent) {
    if (source.Empty() || source.pixels.size() != size_t(source.width) * size_t(source.height))
        throw std::invalid_argument("cannot resize an empty or malformed picture");
    if (width < 1 || height < 1)
        throw std::invalid_argument("cannot resize a picture to " + std::to_string(width) + " x " +
                                    std::to_string(height));
    const std::vector<std::vector<Tap>> columns = AxisTaps(source.width, width);
    const std::vector<std::vector<Tap>> rows = AxisTaps(source.height, height);
    RgbaImage out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double area = 0, covered = 0, red = 0, green = 0, blue = 0;
            for (const Tap& row : rows[size_t(y)]) {
                for (const Tap& column : columns[size_t(x)]) {
                    const double w = row.weight * column.weight;
                    area += w;
                    const uint32_t p = source.At(column.index, row.index) & 0xFFFFFF;
                    if (transparent && p == (*transparent & 0xFFFFFF)) continue;
                    covered += w;
                    red += w * RedOf(p);
                    green += w * GreenOf(p);
                    blue += w * BlueOf(p);
                }
            }
            uint32_t argb = 0;
            if (covered > 0) {
                argb = Argb(ToByte(255.0 * covered / area),
                            Rgb(ToByte(red / covered), ToByte(green / covered), ToByte(blue / covered)));
            }
            out.pixels[size_t(y) * size_t(width) + size_t(x)] = argb;
        }
    }
    return out;
}

uint32_t MixRgb(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](uint8_t from, uint8_t to) { return ToByte(from + (double(to) - from) * t); };
    return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

Bitmap32 FlattenOnto(const RgbaImage& image, uint32_t background) {
    Bitmap32 out(image.width, image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        out.pixels[i] = MixRgb(background, image.pixels[i], AlphaOf(image.pixels[i]) / 255.0);
    return out;
}

ArtCanvas::ArtCanvas(int w, int h, int scaleFactor, uint32_t background)
    : width(w), height(h), factor(scaleFactor), large(w * scaleFactor, h * scaleFactor, background) {
    if (w < 1 || h < 1 || scaleFactor < 1) throw std::invalid_argument("an art canvas needs a positive size");
}

std::vector<PointF> ArtCanvas::Up(std::span<const PointF> points) const {
    std::vector<PointF> out;
    out.reserve(points.size());
    for (const PointF& p : points) out.push_back(Up(p));
    return out;
}

void ArtCanvas::FillRect(double x0, double y0, double x1, double y1, uint32_t colour) {
    large.FillRect(x0 * factor, y0 * factor, x1 * factor, y1 * factor, colour);
}

void ArtCanvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, uint32_t colour) {
    large.FillRoundRect(x0 * factor, y0 * factor, x1 * factor, y1 * factor, radius * factor, colour);
}

void ArtCanvas::FrameRoundRect(double x0, double y0, double x1, double y1, double radius, double lineWidth,
                               uint32_t colour) {
    large.FrameRoundRect(x0 * factor, y0 * factor, x1 * factor, y1 * factor, radius * factor, lineWidth * factor,
                         colour);
}

void ArtCanvas::FillCircle(double cx, double cy, double r, uint32_t colour) {
    large.FillCircle(cx * factor, cy * factor, r * factor, colour);
}

void ArtCanvas::FillEllipse(double cx, double cy, double rx, double ry, uint32_t colour) {
    large.FillEllipse(cx * factor, cy * factor, rx * factor, ry * factor, colour);
}

void ArtCanvas::FillRing(double cx, double cy, double outer, double inner, uint32_t colour) {
    large.FillRing(cx * factor, cy * factor, outer * factor, inner * factor, colour);
}

void ArtCanvas::FillPolygon(std::span<const PointF> points, uint32_t colour, FillRule rule) {
    large.FillPolygon(Up(points), colour, rule);
}

void ArtCanvas::FillContours(const std::vector<std::vector<PointF>>& contours, uint32_t colour, FillRule rule) {
    std::vector<std::vector<PointF>> up;
    for (const std::vector<PointF>& contour : contours) up.push_back(Up(contour));
    large.FillContours(up, colour, rule);
}

void ArtCanvas::StrokeLine(PointF a, PointF b, double lineWidth, uint32_t colour) {
    large.StrokeLine(Up(a), Up(b), lineWidth * factor, colour);
}

void ArtCanvas::StrokePolyline(std::span<const PointF> points, double lineWidth, uint32_t colour, bool closed) {
    large.StrokePolyline(Up(points), lineWidth * factor, colour, closed);
}

void ArtCanvas::StrokeArc(double cx, double cy, double r, double fromDeg, double toDeg, double lineWidth,
                          uint32_t colour) {
    large.StrokeArc(cx * factor, cy * factor, r * factor, fromDeg, toDeg, lineWidth * factor, colour);
}

void ArtCanvas::Arrow(PointF from, PointF to, double shaftWidth, double headLength, double headWidth,
                      uint32_t colour) {
    large.Arrow(Up(from), Up(to), shaftWidth * factor, headLength * factor, headWidth * factor, colour);
}

void ArtCanvas::Text(std::string_view text, double cx, double cy, double capHeight, double stroke, uint32_t colour) {
    DrawText(large, text, cx * factor, cy * factor, capHeight * factor, stroke * factor, colour);
}

void ArtCanvas::FillPolygonShaded(std::span<const PointF> points, double y0, uint32_t top, double y1,
                                  uint32_t bottom) {
    if (points.size() < 3) return;
    const std::vector<PointF> up = Up(points);
    double minY = up[0].y, maxY = up[0].y;
    for (const PointF& p : up) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // One flat band per row of the large canvas: after the box filter the steps are finer
    // than a colour step, so the shade looks continuous.
    const double left = -2, right = large.Width() + 2.0;
    const int firstRow = std::max(0, int(std::floor(minY)));
    const int lastRow = std::min(large.Height() - 1, int(std::ceil(maxY)));
    for (int row = firstRow; row <= lastRow; ++row) {
        const PointF band[] = {{left, double(row)}, {right, double(row)}, {right, row + 1.0}, {left, row + 1.0}};
        const std::vector<PointF> slice = ClipToConvex(up, band);
        if (slice.size() < 3) continue;
        const double y = (row + 0.5) / factor;
        const double t = y1 == y0 ? 0.0 : (y - y0) / (y1 - y0);
        large.FillPolygon(slice, MixRgb(top, bottom, t));
    }
}

void ArtCanvas::FillCircleShaded(double cx, double cy, double r, uint32_t top, uint32_t bottom) {
    const std::vector<PointF> circle = ArcPoints(cx, cy, r, r, 0, 360, 180);
    FillPolygonShaded(circle, cy - r, top, cy + r, bottom);
}

void ArtCanvas::PlacePicture(const Bitmap32& picture, uint32_t key, double x0, double y0, double x1, double y1) {
    const int left = int(std::lround(std::min(x0, x1) * factor));
    const int topRow = int(std::lround(std::min(y0, y1) * factor));
    const int w = int(std::lround(std::abs(x1 - x0) * factor));
    const int h = int(std::lround(std::abs(y1 - y0) * factor));
    if (w < 1 || h < 1) return;
    const RgbaImage fitted = ResizeArea(picture, w, h, key);
    // Half-covered pixels of the large canvas decide by majority; the final box filter then
    // gives the sign's outline its soft edge like any other shape.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = fitted.At(x, y);
            if (AlphaOf(p) >= 128)
                large.FillRect(left + x, topRow + y, left + x + 1.0, topRow + y + 1.0, p & 0xFFFFFF);
        }
}

Frame ArtCanvas::At(double cx, double cy, double scale, double angleDeg, bool mirror) const {
    return Frame{cx * factor, cy * factor, scale * factor, angleDeg, mirror};
}

Bitmap32 ArtCanvas::Finish() const {
    const RgbaImage small = ResizeArea(large.Image(), width, height);
    Bitmap32 out(width, height);
    for (size_t i = 0; i < small.pixels.size(); ++i) out.pixels[i] = small.pixels[i] & 0xFFFFFF;
    return out;
}

RgbaImage ArtCanvas::FinishKeyed(uint32_t key) const { return ResizeArea(large.Image(), width, height, key); }
