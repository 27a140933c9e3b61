#pragma once
// A small rasteriser for the sample bank's line-art pictures: solid colours, no
// anti-aliasing, so a picture has few colours and survives palette storage unchanged.
//
// Coordinates are doubles in pixels; pixel (x, y) covers [x, x+1) × [y, y+1) and is painted
// when its centre lies inside the shape. Angles are degrees, counterclockwise as seen on
// screen, 0 pointing right. Everything is clipped to the canvas.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "base/bitmap32.h"

struct PointF {
    double x = 0;
    double y = 0;
};

enum class FillRule { EvenOdd, NonZero };

class Canvas {
public:
    Canvas(int width, int height, uint32_t background);

    int Width() const { return image.width; }
    int Height() const { return image.height; }
    uint32_t Pixel(int x, int y) const { return image.At(x, y); }
    const Bitmap32& Image() const { return image; }
    Bitmap32 Take() { return std::move(image); }

    void FillRect(double x0, double y0, double x1, double y1, uint32_t colour);
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, uint32_t colour);
    // An outline of the given width lying inside the rectangle's edge.
    void FrameRoundRect(double x0, double y0, double x1, double y1, double radius, double width, uint32_t colour);
    void FillEllipse(double cx, double cy, double rx, double ry, uint32_t colour);
    void FillCircle(double cx, double cy, double r, uint32_t colour) { FillEllipse(cx, cy, r, r, colour); }
    // The annulus between the two radii.
    void FillRing(double cx, double cy, double outer, double inner, uint32_t colour);
    // An ellipse outline of the given width, centred on the ellipse's edge.
    void StrokeEllipse(double cx, double cy, double rx, double ry, double width, uint32_t colour);
    void FillPolygon(std::span<const PointF> points, uint32_t colour, FillRule rule = FillRule::NonZero);
    // Several contours filled as one shape (holes with EvenOdd, or with opposite winding).
    void FillContours(const std::vector<std::vector<PointF>>& contours, uint32_t colour, FillRule rule);
    // A line with round ends: every pixel within width / 2 of the segment.
    void StrokeLine(PointF a, PointF b, double width, uint32_t colour);
    void StrokePolyline(std::span<const PointF> points, double width, uint32_t colour, bool closed = false);
    void StrokeArc(double cx, double cy, double r, double fromDeg, double toDeg, double width, uint32_t colour);
    // A straight arrow: shaft from `from`, a triangular head whose tip is `to`.
    void Arrow(PointF from, PointF to, double shaftWidth, double headLength, double headWidth, uint32_t colour);
    // An arrow along a path (bent for turns): the shaft follows the points, the head sits on
    // the last segment with its tip on the last point.
    void PathArrow(std::span<const PointF> path, double shaftWidth, double headLength, double headWidth,
                   uint32_t colour);

private:
    void Span(int y, double xFrom, double xTo, uint32_t colour);

    Bitmap32 image;
};

// ---- geometry helpers ----

// Points along an elliptic arc from one angle to the other (either direction).
std::vector<PointF> ArcPoints(double cx, double cy, double rx, double ry, double fromDeg, double toDeg,
                              int segments = 0);
std::vector<PointF> RegularPolygon(double cx, double cy, double r, int corners, double rotationDeg);
std::vector<PointF> StarPoints(double cx, double cy, double outer, double inner, int points, double rotationDeg);
std::vector<PointF> RoundRectPoints(double x0, double y0, double x1, double y1, double radius);
std::vector<PointF> QuadraticCurve(PointF p0, PointF p1, PointF p2, int segments = 24);
std::vector<PointF> CubicCurve(PointF p0, PointF p1, PointF p2, PointF p3, int segments = 32);
// The part of a polygon inside a convex polygon (either winding): for hatching an area.
std::vector<PointF> ClipToConvex(std::span<const PointF> subject, std::span<const PointF> convex);
// Appends b to a, leaving out b's first point when it repeats a's last.
void AppendPath(std::vector<PointF>& a, const std::vector<PointF>& b);

// Places a drawing made in its own units: u to the right, v down, (0, 0) at the centre.
// The drawing is scaled, optionally mirrored left to right, then rotated about the centre.
struct Frame {
    double cx = 0;
    double cy = 0;
    double scale = 1;
    double angleDeg = 0;
    bool mirror = false;

    PointF operator()(double u, double v) const;
    PointF operator()(PointF p) const { return (*this)(p.x, p.y); }
    std::vector<PointF> operator()(std::initializer_list<PointF> points) const;
    std::vector<PointF> operator()(std::span<const PointF> points) const;
    double Len(double d) const { return d * scale; }
    // A frame nested in this one: its own centre (in this frame's units), scale and turn.
    Frame Sub(double u, double v, double subScale, double subAngleDeg = 0, bool subMirror = false) const;
};
