#include <cmath>
#include <numbers>

#include "picture_style.h"

namespace {

constexpr double kDiscRadius = 90;
constexpr double kRingWidth = 18;  // a tenth of the diameter, as on real signs

}  // namespace

double ProhibitionBlank(Canvas& c, uint32_t inside) {
    c.FillCircle(kMidX, kMidY, kDiscRadius, kSignRed);
    c.FillCircle(kMidX, kMidY, kDiscRadius - kRingWidth, inside);
    return kDiscRadius - kRingWidth;
}

void ProhibitionBar(Canvas& c) {
    const double r = kDiscRadius - kRingWidth + 2;
    const double d = r * std::numbers::sqrt2 / 2;
    const PointF a{kMidX - d, kMidY - d};
    const PointF b{kMidX + d, kMidY + d};
    const double half = 7.5 * std::numbers::sqrt2 / 2;
    const PointF bar[] = {{a.x + half, a.y - half}, {b.x + half, b.y - half}, {b.x - half, b.y + half}, {a.x - half, a.y + half}};
    c.FillPolygon(bar, kSignRed);
}

double MandatoryBlank(Canvas& c) {
    c.FillCircle(kMidX, kMidY, kDiscRadius, kWhite);
    c.FillCircle(kMidX, kMidY, kDiscRadius - 3, kSignBlue);
    return kDiscRadius - 3;
}

Frame WarningBlank(Canvas& c) {
    // Built around the triangle's incentre, so that each layer is the same triangle grown by
    // a radius: thin yellow edge, black border, yellow face.
    constexpr double kCore = 47;
    const double cy = 138;
    const std::vector<PointF> core = RegularPolygon(kMidX, cy, 2 * kCore, 3, 90);
    c.FillPolygon(GrowConvex(core, 15), kSignYellow);
    c.FillPolygon(GrowConvex(core, 12), kBlack);
    c.FillPolygon(GrowConvex(core, 2), kSignYellow);
    return Frame{kMidX, cy - 6, 42};
}

void PanelBlank(Canvas& c, double x0, double y0, double x1, double y1, uint32_t face, uint32_t rim) {
    c.FillRoundRect(x0, y0, x1, y1, 12, face);
    c.FrameRoundRect(x0 + 5, y0 + 5, x1 - 5, y1 - 5, 8, 3, rim);
}

std::vector<PointF> GrowConvex(std::span<const PointF> polygon, double radius) {
    const size_t n = polygon.size();
    PointF centre;
    for (const PointF& p : polygon) {
        centre.x += p.x / double(n);
        centre.y += p.y / double(n);
    }
    // The outward normal of the edge from a to b.
    const auto normal = [&](PointF a, PointF b) {
        const double ex = b.x - a.x, ey = b.y - a.y;
        const double length = std::hypot(ex, ey);
        PointF m{ey / length, -ex / length};
        const PointF mid{(a.x + b.x) / 2 - centre.x, (a.y + b.y) / 2 - centre.y};
        if (m.x * mid.x + m.y * mid.y < 0) m = {-m.x, -m.y};
        return m;
    };
    std::vector<PointF> out;
    for (size_t i = 0; i < n; ++i) {
        const PointF prev = polygon[(i + n - 1) % n], here = polygon[i], next = polygon[(i + 1) % n];
        const PointF n1 = normal(prev, here), n2 = normal(here, next);
        const double a1 = std::atan2(n1.y, n1.x);
        double turn = std::atan2(n2.y, n2.x) - a1;
        while (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
        while (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
        constexpr int kSteps = 10;
        for (int k = 0; k <= kSteps; ++k) {
            const double a = a1 + turn * k / kSteps;
            out.push_back({here.x + radius * std::cos(a), here.y + radius * std::sin(a)});
        }
    }
    return out;
}
