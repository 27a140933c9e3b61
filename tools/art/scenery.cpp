#include "art/scenery.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The far limit of anything drawn on the road: beyond it a dash is smaller than a pixel.
constexpr double kFarDepth = 400;
// Below the bottom edge, so that the near end of the road is never seen.
constexpr double kNearDepth = 0.7;

void FillStrip(ArtCanvas& c, const RoadView& view, double x0, double x1, double zNear, double zFar,
               uint32_t colour) {
    const PointF strip[] = {view.Ground(x0, zNear), view.Ground(x1, zNear), view.Ground(x1, zFar),
                            view.Ground(x0, zFar)};
    c.FillPolygon(strip, colour);
}

}  // namespace

void DrawRoad(ArtCanvas& c, const RoadView& view, const RoadColours& colours) {
    const PointF road[] = {view.Ground(-1, kNearDepth), view.Ground(1, kNearDepth), view.Ground(1, kFarDepth),
                           view.Ground(-1, kFarDepth)};
    c.FillPolygonShaded(road, view.horizonY, colours.asphaltFar, view.bottomY, colours.asphaltNear);
    FillStrip(c, view, -0.95, -0.9, kNearDepth, kFarDepth, colours.edgeLine);
    FillStrip(c, view, 0.9, 0.95, kNearDepth, kFarDepth, colours.edgeLine);
    // Dashes 0.9 units long with gaps of 1.3, as on a road where the lines are 6 m and the
    // gaps 9 m; past depth 40 they would only flicker.
    for (double z = kNearDepth; z < 40; z += 2.2) FillStrip(c, view, -0.025, 0.025, z, z + 0.9, colours.centreLine);
}

void DrawGround(ArtCanvas& c, const RoadView& view, uint32_t far, uint32_t near) {
    const double right = 1e4;
    const PointF ground[] = {{-right, view.horizonY}, {right, view.horizonY}, {right, view.bottomY + 2},
                             {-right, view.bottomY + 2}};
    c.FillPolygonShaded(ground, view.horizonY, far, view.bottomY, near);
}

void DrawSky(ArtCanvas& c, double horizonY, uint32_t top, uint32_t horizon) {
    const PointF sky[] = {{-2, -2}, {c.Width() + 2.0, -2}, {c.Width() + 2.0, horizonY + 1}, {-2, horizonY + 1}};
    c.FillPolygonShaded(sky, 0, top, horizonY, horizon);
}

void DrawCloud(ArtCanvas& c, double cx, double baseY, double width, uint32_t colour, uint32_t shade) {
    const double u = width / 10;
    // The shade is the same puffs a little lower: a flat underside in the cloud's shadow.
    for (int pass = 0; pass < 2; ++pass) {
        const double dy = pass == 0 ? 0.6 * u : 0;
        const uint32_t ink = pass == 0 ? shade : colour;
        c.FillCircle(cx - 2.6 * u, baseY - 1.5 * u + dy, 1.5 * u, ink);
        c.FillCircle(cx - 0.6 * u, baseY - 2.6 * u + dy, 2.3 * u, ink);
        c.FillCircle(cx + 1.8 * u, baseY - 2.0 * u + dy, 1.9 * u, ink);
        c.FillCircle(cx + 3.6 * u, baseY - 1.2 * u + dy, 1.2 * u, ink);
        c.FillRoundRect(cx - 4.6 * u, baseY - 1.8 * u + dy, cx + 4.8 * u, baseY + dy, 0.9 * u, ink);
    }
}

void DrawTree(ArtCanvas& c, PointF base, double height, uint32_t leaves, uint32_t leavesLight, uint32_t trunk) {
    const double h = height;
    c.FillRect(base.x - 0.05 * h, base.y - 0.42 * h, base.x + 0.05 * h, base.y, trunk);
    c.FillCircle(base.x, base.y - 0.66 * h, 0.3 * h, leaves);
    c.FillCircle(base.x - 0.16 * h, base.y - 0.5 * h, 0.2 * h, leaves);
    c.FillCircle(base.x + 0.17 * h, base.y - 0.52 * h, 0.19 * h, leaves);
    // Sunlight from the upper left.
    c.FillCircle(base.x - 0.08 * h, base.y - 0.74 * h, 0.16 * h, leavesLight);
}

void DrawHills(ArtCanvas& c, double horizonY, std::span<const double> crests, uint32_t colour) {
    if (crests.empty()) return;
    const double step = c.Width() / double(crests.size());
    std::vector<PointF> outline{{-2, horizonY + 1}};
    // A smooth curve through the crests and the dips between them.
    for (size_t i = 0; i < crests.size(); ++i) {
        const double x0 = i * step - 2, x1 = (i + 1) * step + 2;
        const PointF dip0{x0, horizonY - crests[i] * 0.25};
        const PointF top{(x0 + x1) / 2, horizonY - crests[i] * 1.9};
        const PointF dip1{x1, horizonY - (i + 1 < crests.size() ? crests[i + 1] : crests[i]) * 0.25};
        AppendPath(outline, QuadraticCurve(dip0, top, dip1, 24));
    }
    outline.push_back({c.Width() + 2.0, horizonY + 1});
    c.FillPolygon(outline, colour);
}
