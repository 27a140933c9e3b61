// Scenes on open roads and expressways, in the mountains, at night.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "pictograms.h"
#include "scene_parts.h"
#include "scenes.h"

namespace {

// An expressway's carriageway running to the right: two lanes between y0 and y0 + 80.
void Carriageway(Canvas& c, double y0) {
    c.FillRect(0, y0 - 4, c.Width(), y0 + 84, kKerb);
    c.FillRect(0, y0, c.Width(), y0 + 80, kAsphalt);
    HorizontalLine(c, y0 + 4, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, y0 + 40, 0, c.Width(), kWhite, 3, 22, 16);
}

// The opposite carriageway beyond a planted median, at the top of the picture.
void OppositeSide(Canvas& c) {
    c.FillRect(0, 0, c.Width(), 78, kAsphalt);
    HorizontalLine(c, 38, 0, c.Width(), kWhite, 3, 22, 16);
    HorizontalLine(c, 74, 0, c.Width(), kWhite, 3);
    c.FillRect(0, 78, c.Width(), 92, kGrass);
    HorizontalLine(c, 85, 0, c.Width(), kKerb, 3);
}

}  // namespace

void SceneOvertake(Canvas& c) {
    FillAll(c, kGrass);
    HorizontalRoad(c, 110, 190);
    HorizontalLine(c, 114, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, 186, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, 150, 0, c.Width(), kMarkingYellow, 4, 22, 16);
    for (double x : {30.0, 120.0, 250.0, 360.0}) {
        Tree(c, x, 70, 16);
        Tree(c, x + 40, 238, 15);
    }
    TruckTop(c, 200, 170, 0, kCarBlue, kLightGrey);
    CarTop(c, 60, 170, 0, kCarWhite);
    CarTop(c, 222, 130, 2, kLearnerRed, 1);
    std::vector<PointF> path{{244, 130}, {280, 130}};
    AppendPath(path, CubicCurve({280, 130}, {300, 130}, {305, 170}, {330, 170}));
    IntentArrow(c, path);
}

void SceneMergeExpressway(Canvas& c) {
    FillAll(c, kGrass);
    OppositeSide(c);
    Carriageway(c, 96);
    // The acceleration lane beside the carriageway, fed by the ramp from the lower left.
    c.StrokePolyline(QuadraticCurve({-20, 300}, {40, 196}, {150, 192}), 38, kKerb);
    c.StrokePolyline(QuadraticCurve({-20, 300}, {40, 196}, {150, 192}), 30, kAsphalt);
    const PointF lane[] = {{0, 176}, {360, 176}, {300, 208}, {0, 208}};
    c.FillPolygon(lane, kAsphalt);
    c.FillRect(0, 172, 120, 176, kWhite);
    HorizontalLine(c, 174, 120, 300, kWhite, 3, 10, 8);
    CarTop(c, 270, 116, 0, kCarWhite);
    CarTop(c, 112, 156, 0, kCarBlue);
    CarTop(c, 300, 20, 180, kCarYellow);
    CarTop(c, 90, 56, 180, kCarGreen);
    CarTop(c, 200, 192, 6, kLearnerRed, -1);
    const std::vector<PointF> path = QuadraticCurve({222, 188}, {262, 180}, {300, 158});
    IntentArrow(c, path);
}

void SceneExitExpressway(Canvas& c) {
    FillAll(c, kGrass);
    OppositeSide(c);
    Carriageway(c, 96);
    // The deceleration lane opens beside the carriageway and leaves as a ramp.
    const PointF lane[] = {{110, 176}, {300, 176}, {300, 210}, {170, 210}};
    c.FillPolygon(lane, kAsphalt);
    c.StrokePolyline(QuadraticCurve({290, 193}, {350, 196}, {420, 300}), 38, kKerb);
    c.StrokePolyline(QuadraticCurve({290, 193}, {350, 196}, {420, 300}), 30, kAsphalt);
    c.FillRect(300, 176, c.Width(), 180, kAsphalt);
    c.FillRect(110, 172, 300, 176, kAsphalt);
    HorizontalLine(c, 174, 110, 300, kWhite, 3, 10, 8);
    HorizontalLine(c, 174, 300, c.Width(), kWhite, 3);
    // The gore between carriageway and ramp is hatched: no driving there.
    const PointF gore[] = {{318, 180}, {c.Width() + 0.0, 180}, {c.Width() + 0.0, 236}};
    for (double x = 300; x < c.Width() + 60; x += 16) {
        const PointF stripe[] = {{x, 180}, {x + 8, 180}, {x - 40, 240}, {x - 48, 240}};
        c.FillPolygon(ClipToConvex(stripe, gore), kWhite);
    }
    CarTop(c, 300, 116, 0, kCarWhite);
    CarTop(c, 110, 156, 0, kCarBlue);
    CarTop(c, 280, 22, 180, kCarGreen);
    CarTop(c, 222, 190, -6, kLearnerRed, 1);
    const std::vector<PointF> path = QuadraticCurve({244, 192}, {300, 196}, {330, 222});
    IntentArrow(c, path);
}

void SceneMountainRoad(Canvas& c) {
    FillAll(c, Rgb(150, 132, 110));
    std::vector<PointF> road = CubicCurve({140, 320}, {128, 150}, {300, 200}, {290, 10}, 60);
    road.push_back({290, -30});
    // The valley falls away on the right of the road.
    std::vector<PointF> valley = OffsetPath(road, 44);
    valley.push_back({c.Width() + 10.0, -30});
    valley.push_back({c.Width() + 10.0, 330});
    c.FillPolygon(valley, Rgb(58, 108, 58));
    for (const PointF& p : {PointF{350, 250}, PointF{372, 120}, PointF{330, 40}, PointF{260, 280}}) Tree(c, p.x, p.y, 16);
    for (const PointF& p : {PointF{40, 60}, PointF{70, 200}, PointF{20, 270}, PointF{150, 30}}) c.FillCircle(p.x, p.y, 14, Rgb(120, 104, 86));
    c.StrokePolyline(road, 80, kKerb);
    c.StrokePolyline(road, 72, kAsphalt);
    c.StrokePolyline(road, 4, kMarkingYellow);
    const std::vector<PointF> rail = OffsetPath(road, 42);
    c.StrokePolyline(rail, 4, kWhite);
    for (size_t i = 0; i < rail.size(); i += 4) c.FillCircle(rail[i].x, rail[i].y, 3, kBlack);
    // A convex mirror on the outside of the bend.
    const std::vector<PointF> outside = OffsetPath(road, -58);
    const PointF mirror = outside[26];
    c.FillRect(mirror.x - 2, mirror.y, mirror.x + 2, mirror.y + 22, kSignOrange);
    c.FillCircle(mirror.x, mirror.y, 11, kSignOrange);
    c.FillCircle(mirror.x, mirror.y, 8, Rgb(176, 206, 232));
    const std::vector<PointF> rightLane = OffsetPath(road, 18), leftLane = OffsetPath(road, -18);
    CarTop(c, rightLane[22].x, rightLane[22].y, HeadingAt(road, 22), kLearnerRed);
    CarTop(c, leftLane[44].x, leftLane[44].y, HeadingAt(road, 44) + 180, kCarBlue);
}

void SceneParkingSlope(Canvas& c) {
    // Seen from the side: a slope is the one thing a view from above cannot show.
    FillAll(c, Rgb(204, 226, 242));
    const double rise = 110.0 / 320.0;
    const auto surface = [&](double x) { return 200 - rise * x; };
    const PointF hill[] = {{0, surface(0)}, {320, surface(320)}, {320, 240}, {0, 240}};
    c.FillPolygon(hill, kGrass);
    const PointF road[] = {{0, surface(0)}, {320, surface(320)}, {320, surface(320) + 14}, {0, surface(0) + 14}};
    c.FillPolygon(road, kAsphalt);
    c.StrokeLine({0, surface(0) + 15}, {320, surface(320) + 15}, 3, kKerb);
    const double angle = std::atan(rise) * 180 / std::numbers::pi;
    const double a = std::atan(rise);
    const double x = 170, lift = 0.36 * 52;
    const Frame car{x - std::sin(a) * lift, surface(x) - std::cos(a) * lift, 52, angle};
    CarSide(c, car, kLearnerRed, Rgb(204, 226, 242));
    for (double u : {-0.56, 0.58}) {
        const PointF p = car(u, 0.14);
        c.FillCircle(p.x, p.y, car.Len(0.2), kBlack);
        c.FillCircle(p.x, p.y, car.Len(0.08), kLightGrey);
    }
    // A chock under the downhill wheel.
    const PointF wheel = car(-0.56, 0.14);
    const PointF chock[] = {{wheel.x - 16, surface(wheel.x - 16) + 1}, {wheel.x - 6, surface(wheel.x - 6) + 1},
                            {wheel.x - 12, surface(wheel.x - 12) - 9}};
    c.FillPolygon(chock, kCarYellow);
    // A parking sign at the roadside.
    c.FillRect(262, 40, 266, 110, kDarkGrey);
    c.FillRoundRect(246, 14, 282, 50, 4, kSignBlue);
    c.FillRect(256, 22, 261, 42, kWhite);
    c.FillRoundRect(256, 22, 272, 34, 5, kWhite);
    c.FillRect(261, 26, 266, 30, kSignBlue);
}

void SceneBreakdown(Canvas& c) {
    FillAll(c, kGrass);
    c.FillRect(0, 86, c.Width(), 212, kKerb);
    c.FillRect(0, 90, c.Width(), 208, kAsphalt);
    HorizontalLine(c, 94, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, 130, 0, c.Width(), kWhite, 3, 22, 16);
    HorizontalLine(c, 170, 0, c.Width(), kWhite, 4);  // the edge of the carriageway; beyond it the shoulder
    HorizontalLine(c, 218, 0, c.Width(), kWhite, 4);
    for (double x = 4; x < c.Width(); x += 24) c.FillRect(x, 215, x + 4, 221, kDarkGrey);
    CarTop(c, 262, 189, 0, kLearnerRed, 2);
    c.FillPolygon(RegularPolygon(150, 190, 11, 3, 90), kSignRed);
    c.FillPolygon(RegularPolygon(150, 190, 5, 3, 90), kAsphalt);
    HorizontalLine(c, 204, 158, 240, kIntent, 2, 6, 5);
    PersonTop(c, 286, 236, kSignOrange);
    CarTop(c, 110, 150, 0, kCarBlue);
    CarTop(c, 330, 110, 0, kCarWhite);
}

void SceneTunnelEntry(Canvas& c) {
    FillAll(c, kGrass);
    VerticalRoad(c, 150, 250);
    VerticalLine(c, 200, 100, c.Height(), kMarkingYellow);
    VerticalLine(c, 156, 100, c.Height(), kWhite, 3);
    VerticalLine(c, 244, 100, c.Height(), kWhite, 3);
    const PointF hillside[] = {{0, 0}, {400, 0}, {400, 104}, {320, 120}, {260, 106}, {140, 108}, {70, 126}, {0, 112}};
    c.FillPolygon(hillside, Rgb(130, 118, 100));
    c.FillRect(136, 36, 264, 110, Rgb(176, 176, 170));
    std::vector<PointF> opening{{152, 110}};
    AppendPath(opening, ArcPoints(200, 82, 48, 44, 180, 0));
    opening.push_back({248, 110});
    c.FillPolygon(opening, kBlack);
    for (double y : {62.0, 80.0, 98.0}) {
        c.FillCircle(178, y, 2.5, kCarYellow);
        c.FillCircle(222, y, 2.5, kCarYellow);
    }
    RoadsideWarning(c, 272, 164, 22);
    HeadlightBeams(c, 225, 206, 90, 44, Rgb(255, 240, 150));
    CarTop(c, 225, 206, 90, kLearnerRed);
    CarTop(c, 175, 140, 270, kCarWhite);
}

void SceneRainNight(Canvas& c) {
    FillAll(c, Rgb(16, 20, 36));
    const uint32_t road = Rgb(40, 44, 54), line = Rgb(150, 150, 150);
    c.FillRect(70, 0, 250, c.Height(), road);
    VerticalLine(c, 76, 0, c.Height(), line, 3);
    VerticalLine(c, 244, 0, c.Height(), line, 3);
    VerticalLine(c, 160, 0, c.Height(), line, 3, 18, 14);
    c.FillEllipse(120, 150, 26, 9, Rgb(60, 70, 92));
    c.FillEllipse(210, 40, 20, 7, Rgb(60, 70, 92));
    HeadlightBeams(c, 205, 176, 90, 52, Rgb(232, 222, 160));
    CarTop(c, 205, 70, 90, Rgb(70, 80, 100));
    for (double dx : {-7.0, 7.0}) c.FillCircle(205 + dx, 89, 3.2, kLampRed);
    CarTop(c, 205, 176, 90, kLearnerRed);
    // Rain: short slanted streaks over everything, placed by a fixed sequence.
    uint32_t seed = 12345;
    const auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return double(seed >> 8) / double(1u << 24);
    };
    for (int i = 0; i < 160; ++i) {
        const double x = next() * c.Width(), y = next() * c.Height();
        c.StrokeLine({x, y}, {x - 4, y + 11}, 1.4, Rgb(150, 170, 200));
    }
}

void SceneEmergencyVehicle(Canvas& c) {
    FillAll(c, kGrass);
    HorizontalRoad(c, 100, 200);
    HorizontalLine(c, 104, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, 196, 0, c.Width(), kWhite, 3);
    HorizontalLine(c, 150, 0, c.Width(), kWhite, 3, 22, 16);
    for (double x : {40.0, 150.0, 270.0, 380.0}) {
        Tree(c, x, 66, 15);
        Tree(c, x - 30, 236, 16);
    }
    AmbulanceTop(c, 120, 125, 0);
    for (int i = -1; i <= 1; ++i) c.StrokeLine({152, 125.0 + 8 * i}, {164, 125.0 + 14 * i}, 2.5, i == 0 ? kLampBlue : kSignRed);
    CarTop(c, 236, 134, -14, kLearnerRed, 1);
    const std::vector<PointF> path = QuadraticCurve({258, 140}, {284, 150}, {312, 172});
    IntentArrow(c, path);
    CarTop(c, 360, 175, 0, kCarWhite);
    CarTop(c, 50, 175, 0, kCarYellow);
}

void SceneLaneChange(Canvas& c) {
    FillAll(c, kGrass);
    VerticalRoad(c, 140, 260);
    VerticalLine(c, 145, 0, c.Height(), kWhite, 3);
    VerticalLine(c, 255, 0, c.Height(), kWhite, 3);
    VerticalLine(c, 180, 0, c.Height(), kWhite, 3, 22, 16);
    VerticalLine(c, 220, 0, c.Height(), kWhite, 3, 22, 16);
    for (double y : {40.0, 150.0, 260.0}) {
        Tree(c, 90, y, 17);
        Tree(c, 310, y + 30, 16);
    }
    CarTop(c, 200, 62, 90, kCarYellow);
    CarTop(c, 160, 236, 90, kCarBlue);
    CarTop(c, 240, 120, 90, kCarWhite);
    CarTop(c, 200, 172, 96, kLearnerRed, -1);
    const std::vector<PointF> path = QuadraticCurve({198, 150}, {196, 118}, {162, 100});
    IntentArrow(c, path);
}
