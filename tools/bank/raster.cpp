#include "raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double Clamp(double v, double lo, double hi) { return std::max(lo, std::min(hi, v)); }

PointF Minus(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
double Length(PointF v) { return std::hypot(v.x, v.y); }

// The half-width of an ellipse at a scan row, or a negative value when the row misses it.
double HalfWidthAt(double rowCentre, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return -1;
    const double dy = (rowCentre - cy) / ry;
    if (dy <= -1 || dy >= 1) return -1;
    return rx * std::sqrt(1 - dy * dy);
}

// A rectangle of the given width around the segment, with flat ends.
std::vector<PointF> SegmentQuad(PointF a, PointF b, double width) {
    const PointF d = Minus(b, a);
    const double length = Length(d);
    if (length == 0) return {};
    const double nx = -d.y / length * width / 2;
    const double ny = d.x / length * width / 2;
    return {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
}

}  // namespace

Canvas::Canvas(int width, int height, uint32_t background) : image(width, height, background) {}

void Canvas::Span(int y, double xFrom, double xTo, uint32_t colour) {
    if (y < 0 || y >= image.height || !(xTo > xFrom)) return;
    // Pixels whose centre x + 0.5 lies in [xFrom, xTo).
    const double first = std::ceil(Clamp(xFrom - 0.5, -1.0, image.width + 1.0));
    const double last = std::ceil(Clamp(xTo - 0.5, -1.0, image.width + 1.0)) - 1;
    const int x0 = std::max(0, int(first));
    const int x1 = std::min(image.width - 1, int(last));
    for (int x = x0; x <= x1; ++x) image.At(x, y) = colour;
}

void Canvas::FillRect(double x0, double y0, double x1, double y1, uint32_t colour) {
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const int top = std::max(0, int(std::ceil(Clamp(y0 - 0.5, -1.0, image.height + 1.0))));
    const int bottom = std::min(image.height - 1, int(std::ceil(Clamp(y1 - 0.5, -1.0, image.height + 1.0))) - 1);
    for (int y = top; y <= bottom; ++y) Span(y, x0, x1, colour);
}

void Canvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, uint32_t colour) {
    const std::vector<PointF> outline = RoundRectPoints(x0, y0, x1, y1, radius);
    FillPolygon(outline, colour);
}

void Canvas::FrameRoundRect(double x0, double y0, double x1, double y1, double radius, double width,
                            uint32_t colour) {
    FillContours({RoundRectPoints(x0, y0, x1, y1, radius),
                  RoundRectPoints(x0 + width, y0 + width, x1 - width, y1 - width, std::max(0.0, radius - width))},
                 colour, FillRule::EvenOdd);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, uint32_t colour) {
    const int top = std::max(0, int(std::floor(cy - ry)));
    const int bottom = std::min(image.height - 1, int(std::ceil(cy + ry)));
    for (int y = top; y <= bottom; ++y) {
        const double half = HalfWidthAt(y + 0.5, cy, rx, ry);
        if (half >= 0) Span(y, cx - half, cx + half, colour);
    }
}

void Canvas::FillRing(double cx, double cy, double outer, double inner, uint32_t colour) {
    StrokeEllipse(cx, cy, (outer + inner) / 2, (outer + inner) / 2, outer - inner, colour);
}

void Canvas::StrokeEllipse(double cx, double cy, double rx, double ry, double width, uint32_t colour) {
    const double orx = rx + width / 2, ory = ry + width / 2;
    const double irx = rx - width / 2, iry = ry - width / 2;
    const int top = std::max(0, int(std::floor(cy - ory)));
    const int bottom = std::min(image.height - 1, int(std::ceil(cy + ory)));
    for (int y = top; y <= bottom; ++y) {
        const double row = y + 0.5;
        const double outerHalf = HalfWidthAt(row, cy, orx, ory);
        if (outerHalf < 0) continue;
        const double innerHalf = HalfWidthAt(row, cy, irx, iry);
        if (innerHalf < 0) {
            Span(y, cx - outerHalf, cx + outerHalf, colour);
        } else {
            Span(y, cx - outerHalf, cx - innerHalf, colour);
            Span(y, cx + innerHalf, cx + outerHalf, colour);
        }
    }
}

void Canvas::FillPolygon(std::span<const PointF> points, uint32_t colour, FillRule rule) {
    FillContours({std::vector<PointF>(points.begin(), points.end())}, colour, rule);
}

void Canvas::FillContours(const std::vector<std::vector<PointF>>& contours, uint32_t colour, FillRule rule) {
    double minY = 1e300, maxY = -1e300;
    for (const auto& contour : contours) {
        for (const PointF& p : contour) {
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    if (minY > maxY) return;
    const int top = std::max(0, int(std::floor(Clamp(minY, -1.0, image.height + 1.0))));
    const int bottom = std::min(image.height - 1, int(std::ceil(Clamp(maxY, -1.0, image.height + 1.0))));
    struct Crossing {
        double x;
        int winding;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y <= bottom; ++y) {
        const double row = y + 0.5;
        crossings.clear();
        for (const auto& contour : contours) {
            const size_t n = contour.size();
            if (n < 3) continue;
            for (size_t i = 0; i < n; ++i) {
                const PointF a = contour[i];
                const PointF b = contour[(i + 1) % n];
                if (a.y == b.y) continue;
                const bool down = b.y > a.y;
                const double lo = down ? a.y : b.y;
                const double hi = down ? b.y : a.y;
                if (row < lo || row >= hi) continue;
                const double t = (row - a.y) / (b.y - a.y);
                crossings.push_back({a.x + t * (b.x - a.x), down ? 1 : -1});
            }
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += rule == FillRule::EvenOdd ? 1 : crossings[i].winding;
            const bool inside = rule == FillRule::EvenOdd ? (winding % 2 != 0) : (winding != 0);
            if (inside) Span(y, crossings[i].x, crossings[i + 1].x, colour);
        }
    }
}

void Canvas::StrokeLine(PointF a, PointF b, double width, uint32_t colour) {
    const double r = width / 2;
    if (r <= 0) return;
    const int x0 = std::max(0, int(std::floor(Clamp(std::min(a.x, b.x) - r, -1.0, image.width + 1.0))));
    const int x1 = std::min(image.width - 1, int(std::ceil(Clamp(std::max(a.x, b.x) + r, -1.0, image.width + 1.0))));
    const int y0 = std::max(0, int(std::floor(Clamp(std::min(a.y, b.y) - r, -1.0, image.height + 1.0))));
    const int y1 = std::min(image.height - 1, int(std::ceil(Clamp(std::max(a.y, b.y) + r, -1.0, image.height + 1.0))));
    const PointF d = Minus(b, a);
    const double lengthSquared = d.x * d.x + d.y * d.y;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const PointF p{x + 0.5, y + 0.5};
            double t = lengthSquared == 0 ? 0 : ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / lengthSquared;
            t = Clamp(t, 0, 1);
            const double dx = p.x - (a.x + t * d.x);
            const double dy = p.y - (a.y + t * d.y);
            if (dx * dx + dy * dy <= r * r) image.At(x, y) = colour;
        }
    }
}

void Canvas::StrokePolyline(std::span<const PointF> points, double width, uint32_t colour, bool closed) {
    if (points.size() == 1) StrokeLine(points[0], points[0], width, colour);
    for (size_t i = 0; i + 1 < points.size(); ++i) StrokeLine(points[i], points[i + 1], width, colour);
    if (closed && points.size() > 2) StrokeLine(points.back(), points.front(), width, colour);
}

void Canvas::StrokeArc(double cx, double cy, double r, double fromDeg, double toDeg, double width, uint32_t colour) {
    const std::vector<PointF> points = ArcPoints(cx, cy, r, r, fromDeg, toDeg);
    StrokePolyline(points, width, colour);
}

void Canvas::Arrow(PointF from, PointF to, double shaftWidth, double headLength, double headWidth, uint32_t colour) {
    const PointF path[] = {from, to};
    PathArrow(path, shaftWidth, headLength, headWidth, colour);
}

void Canvas::PathArrow(std::span<const PointF> path, double shaftWidth, double headLength, double headWidth,
                       uint32_t colour) {
    if (path.size() < 2) return;
    const PointF tip = path.back();
    // The head points along the path's last stretch, measured back far enough to be steady
    // on finely divided curves.
    PointF back = path[path.size() - 2];
    for (size_t i = path.size() - 1; i-- > 0;) {
        back = path[i];
        if (Length(Minus(tip, back)) >= headLength) break;
    }
    PointF d = Minus(tip, back);
    const double length = Length(d);
    if (length == 0) return;
    d = {d.x / length, d.y / length};
    const PointF base{tip.x - d.x * headLength, tip.y - d.y * headLength};

    // Shaft: flat-ended pieces with round joints, stopping under the head.
    std::vector<PointF> shaft(path.begin(), path.end() - 1);
    while (shaft.size() > 1 && ((shaft.back().x - base.x) * d.x + (shaft.back().y - base.y) * d.y) > 0) shaft.pop_back();
    shaft.push_back(base);
    for (size_t i = 0; i + 1 < shaft.size(); ++i) {
        const std::vector<PointF> quad = SegmentQuad(shaft[i], shaft[i + 1], shaftWidth);
        if (!quad.empty()) FillPolygon(quad, colour);
        if (i > 0) FillCircle(shaft[i].x, shaft[i].y, shaftWidth / 2, colour);
    }
    const PointF head[] = {tip,
                           {base.x - d.y * headWidth / 2, base.y + d.x * headWidth / 2},
                           {base.x + d.y * headWidth / 2, base.y - d.x * headWidth / 2}};
    FillPolygon(head, colour);
}

std::vector<PointF> ArcPoints(double cx, double cy, double rx, double ry, double fromDeg, double toDeg, int segments) {
    if (segments <= 0) segments = std::max(4, int(std::ceil(std::abs(toDeg - fromDeg) / 6)));
    std::vector<PointF> points;
    points.reserve(size_t(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double a = (fromDeg + (toDeg - fromDeg) * i / segments) * kDegree;
        points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return points;
}

std::vector<PointF> RegularPolygon(double cx, double cy, double r, int corners, double rotationDeg) {
    std::vector<PointF> points;
    for (int i = 0; i < corners; ++i) {
        const double a = (rotationDeg + 360.0 * i / corners) * kDegree;
        points.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
    }
    return points;
}

std::vector<PointF> StarPoints(double cx, double cy, double outer, double inner, int points, double rotationDeg) {
    std::vector<PointF> star;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = (rotationDeg + 180.0 * i / points) * kDegree;
        const double r = i % 2 == 0 ? outer : inner;
        star.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
    }
    return star;
}

std::vector<PointF> RoundRectPoints(double x0, double y0, double x1, double y1, double radius) {
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    radius = Clamp(radius, 0, std::min(x1 - x0, y1 - y0) / 2);
    if (radius == 0) return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    std::vector<PointF> points;
    AppendPath(points, ArcPoints(x1 - radius, y0 + radius, radius, radius, 90, 0, 8));
    AppendPath(points, ArcPoints(x1 - radius, y1 - radius, radius, radius, 0, -90, 8));
    AppendPath(points, ArcPoints(x0 + radius, y1 - radius, radius, radius, -90, -180, 8));
    AppendPath(points, ArcPoints(x0 + radius, y0 + radius, radius, radius, 180, 90, 8));
    return points;
}

std::vector<PointF> QuadraticCurve(PointF p0, PointF p1, PointF p2, int segments) {
    std::vector<PointF> points;
    for (int i = 0; i <= segments; ++i) {
        const double t = double(i) / segments, s = 1 - t;
        points.push_back({s * s * p0.x + 2 * s * t * p1.x + t * t * p2.x, s * s * p0.y + 2 * s * t * p1.y + t * t * p2.y});
    }
    return points;
}

std::vector<PointF> CubicCurve(PointF p0, PointF p1, PointF p2, PointF p3, int segments) {
    std::vector<PointF> points;
    for (int i = 0; i <= segments; ++i) {
        const double t = double(i) / segments, s = 1 - t;
        const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
        points.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    return points;
}

std::vector<PointF> ClipToConvex(std::span<const PointF> subject, std::span<const PointF> convex) {
    double area = 0;
    for (size_t i = 0; i < convex.size(); ++i) {
        const PointF a = convex[i], b = convex[(i + 1) % convex.size()];
        area += a.x * b.y - b.x * a.y;
    }
    const double sign = area >= 0 ? 1 : -1;
    std::vector<PointF> out(subject.begin(), subject.end());
    for (size_t i = 0; i < convex.size() && !out.empty(); ++i) {
        const PointF a = convex[i], b = convex[(i + 1) % convex.size()];
        const auto side = [&](PointF p) { return sign * ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)); };
        std::vector<PointF> kept;
        for (size_t j = 0; j < out.size(); ++j) {
            const PointF p = out[j], q = out[(j + 1) % out.size()];
            const double sp = side(p), sq = side(q);
            if (sp >= 0) kept.push_back(p);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                kept.push_back({p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t});
            }
        }
        out = std::move(kept);
    }
    return out;
}

void AppendPath(std::vector<PointF>& a, const std::vector<PointF>& b) {
    for (size_t i = 0; i < b.size(); ++i) {
        if (i == 0 && !a.empty() && std::abs(a.back().x - b[0].x) < 1e-9 && std::abs(a.back().y - b[0].y) < 1e-9) continue;
        a.push_back(b[i]);
    }
}

PointF Frame::operator()(double u, double v) const {
    if (mirror) u = -u;
    const double a = angleDeg * kDegree;
    const double c = std::cos(a), s = std::sin(a);
    return {cx + scale * (u * c + v * s), cy + scale * (-u * s + v * c)};
}

std::vector<PointF> Frame::operator()(std::initializer_list<PointF> points) const {
    return (*this)(std::span<const PointF>(points.begin(), points.size()));
}

std::vector<PointF> Frame::operator()(std::span<const PointF> points) const {
    std::vector<PointF> out;
    out.reserve(points.size());
    for (const PointF& p : points) out.push_back((*this)(p));
    return out;
}

Frame Frame::Sub(double u, double v, double subScale, double subAngleDeg, bool subMirror) const {
    const PointF centre = (*this)(u, v);
    return {centre.x, centre.y, scale * subScale, angleDeg + (mirror ? -subAngleDeg : subAngleDeg), mirror != subMirror};
}
