#include "art/steering_wheel.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

PointF Polar(double cx, double cy, double r, double deg) {
    const double a = deg * std::numbers::pi / 180.0;
    return {cx + r * std::cos(a), cy - r * std::sin(a)};
}

// A spoke as a tapering quad from the hub (wide) to the rim (narrow) along one direction.
std::vector<PointF> Spoke(double cx, double cy, double from, double to, double wideHalf, double narrowHalf,
                          double deg) {
    const double a = deg * std::numbers::pi / 180.0;
    const double ux = std::cos(a), uy = -std::sin(a);  // along the spoke
    const double nx = -uy, ny = ux;                    // across it
    return {{cx + ux * from + nx * wideHalf, cy + uy * from + ny * wideHalf},
            {cx + ux * to + nx * narrowHalf, cy + uy * to + ny * narrowHalf},
            {cx + ux * to - nx * narrowHalf, cy + uy * to - ny * narrowHalf},
            {cx + ux * from - nx * wideHalf, cy + uy * from - ny * wideHalf}};
}

}  // namespace

void DrawSteeringWheel(ArtCanvas& c, double cx, double cy, double r, const WheelColours& colours, bool detailed,
                       const WheelShape& shape) {
    const double inner = r * (1 - shape.rim);
    const double hubRadius = r * shape.hub;
    // The spokes reach into the rim so that no gap shows where they meet it.
    const double reach = (r + inner) / 2;
    // Left and right spokes droop a little and the third points straight down, the usual
    // shape of a car's wheel.
    for (double deg : {192.0, -12.0, 270.0}) {
        const double wide = r * shape.spoke * (deg == 270.0 ? 1.2 : 1.0);
        c.FillPolygon(Spoke(cx, cy, hubRadius * 0.5, reach, wide, wide * 0.62, deg), colours.spoke);
    }
    c.FillRing(cx, cy, r, inner, colours.rim);
    if (detailed) {
        const double mid = (r + inner) / 2;
        c.StrokeArc(cx, cy, mid + (r - inner) * 0.18, 35, 145, (r - inner) * 0.22, colours.rimLight);
        // Finger grips on the rim at ten and two o'clock.
        for (double deg : {130.0, 140.0, 150.0, 30.0, 40.0, 50.0}) {
            const PointF a = Polar(cx, cy, inner + (r - inner) * 0.05, deg);
            const PointF b = Polar(cx, cy, inner + (r - inner) * 0.35, deg);
            c.StrokeLine(a, b, (r - inner) * 0.12, MixRgb(colours.rim, 0x000000, 0.25));
        }
    }
    c.FillCircle(cx, cy, hubRadius, colours.hub);
    // On an icon-sized hub the emblem's ring would be thinner than a pixel and only smudge it.
    if (hubRadius >= 3) c.FillRing(cx, cy, hubRadius * 0.58, hubRadius * 0.36, colours.emblem);
}
