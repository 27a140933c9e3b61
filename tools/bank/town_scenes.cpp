// Scenes at junctions and in town.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "picture_kinds.h"
#include "scene_parts.h"
#include "scenes.h"

namespace {

// A crossroad of two two-lane roads in the middle of the large picture.
constexpr double kVx0 = 160, kVx1 = 240, kHy0 = 110, kHy1 = 190;

void Crossroad(Canvas& c) {
    FillAll(c, kGrass);
    c.FillRect(kVx0 - 4, 0, kVx1 + 4, c.Height(), kKerb);
    c.FillRect(0, kHy0 - 4, c.Width(), kHy1 + 4, kKerb);
    c.FillRect(kVx0, 0, kVx1, c.Height(), kAsphalt);
    c.FillRect(0, kHy0, c.Width(), kHy1, kAsphalt);
    const double mx = (kVx0 + kVx1) / 2, my = (kHy0 + kHy1) / 2;
    VerticalLine(c, mx, 0, kHy0 - 20, kMarkingYellow);
    VerticalLine(c, mx, kHy1 + 20, c.Height(), kMarkingYellow);
    HorizontalLine(c, my, 0, kVx0 - 20, kMarkingYellow);
    HorizontalLine(c, my, kVx1 + 20, c.Width(), kMarkingYellow);
    // Stop lines across the approach half of each arm.
    c.FillRect(mx + 2, kHy1 + 16, kVx1, kHy1 + 21, kWhite);
    c.FillRect(kVx0, kHy0 - 21, mx - 2, kHy0 - 16, kWhite);
    c.FillRect(kVx0 - 21, my + 2, kVx0 - 16, kHy1, kWhite);
    c.FillRect(kVx1 + 16, kHy0, kVx1 + 21, my - 2, kWhite);
    for (const PointF& p : {PointF{80, 50}, PointF{330, 52}, PointF{76, 252}, PointF{326, 248}}) Tree(c, p.x, p.y, 18);
}

// A small signal head on a corner, one lamp lit (0 red, 1 yellow, 2 green).
void CornerSignal(Canvas& c, double x, double y, int lit) {
    c.FillRoundRect(x - 6, y - 16, x + 6, y + 16, 3, kBlack);
    const uint32_t colours[] = {kLampRed, kLampAmber, kLampGreen};
    for (int i = 0; i < 3; ++i) c.FillCircle(x, y - 10 + 10 * i, 3.6, i == lit ? colours[i] : kDarkGrey);
}

}  // namespace

void SceneCrossroadLeftTurn(Canvas& c) {
    Crossroad(c);
    CarTop(c, 180, 72, 270, kCarBlue);
    CarTop(c, 220, 190, 92, kLearnerRed, -1);
    const std::vector<PointF> turn = QuadraticCurve({220, 168}, {222, 128}, {150, 130});
    std::vector<PointF> path = turn;
    path.push_back({122, 130});
    IntentArrow(c, path);
    CornerSignal(c, 252, 214, 2);
}

void SceneCrossroadRightTurn(Canvas& c) {
    Crossroad(c);
    c.FillRect(kVx1 + 16, kHy0, kVx1 + 21, 150, kAsphalt);  // the stop line moves back behind the crossing
    c.FillRect(kVx1 + 46, kHy0, kVx1 + 51, 148, kWhite);
    ZebraAcrossHorizontal(c, kHy0, kHy1, kVx1 + 10, kVx1 + 36);
    PersonTop(c, kVx1 + 23, 168, kCarYellow);
    PersonTop(c, kVx1 + 24, 140, kCarBlue);
    CarTop(c, 220, 232, 90, kLearnerRed, 1);
    std::vector<PointF> path = QuadraticCurve({220, 210}, {220, 170}, {244, 170});
    path.push_back({246, 170});
    IntentArrow(c, path);
    CornerSignal(c, 252, 214, 2);
}

void SceneCrossroadStraight(Canvas& c) {
    Crossroad(c);
    CarTop(c, 118, 170, 0, kCarYellow);
    CarTop(c, 284, 130, 180, kCarWhite);
    CarTop(c, 220, 230, 90, kLearnerRed);
    const PointF path[] = {{220, 208}, {220, 96}};
    IntentArrow(c, path);
    CornerSignal(c, 252, 214, 2);
}

void SceneRoundaboutEnter(Canvas& c) {
    FillAll(c, kGrass);
    const double cx = 200, cy = 128, outer = 80, island = 36;
    c.FillRect(164, 0, 236, c.Height(), kKerb);
    c.FillRect(0, cy - 36, c.Width(), cy + 36, kKerb);
    c.FillCircle(cx, cy, outer + 4, kKerb);
    c.FillRect(168, 0, 232, c.Height(), kAsphalt);
    c.FillRect(0, cy - 32, c.Width(), cy + 32, kAsphalt);
    c.FillCircle(cx, cy, outer, kAsphalt);
    c.FillCircle(cx, cy, island + 4, kKerb);
    c.FillCircle(cx, cy, island, kGrass);
    Tree(c, cx, cy, 16);
    VerticalLine(c, cx, cy + outer + 14, c.Height(), kMarkingYellow);
    VerticalLine(c, cx, 0, cy - outer - 14, kMarkingYellow);
    HorizontalLine(c, cy, 0, cx - outer - 14, kMarkingYellow);
    HorizontalLine(c, cy, cx + outer + 14, c.Width(), kMarkingYellow);
    // Give-way lines where each arm enters the ring.
    HorizontalLine(c, cy + outer + 6, cx + 3, 232, kWhite, 4, 7, 5);
    HorizontalLine(c, cy - outer - 6, 168, cx - 3, kWhite, 4, 7, 5);
    VerticalLine(c, cx - outer - 6, cy + 3, cy + 32, kWhite, 4, 7, 5);
    VerticalLine(c, cx + outer + 6, cy - 32, cy - 3, kWhite, 4, 7, 5);
    // Traffic in the ring goes round counterclockwise and has the right of way.
    const auto ringCar = [&](double angle, uint32_t colour) {
        const double a = angle * std::numbers::pi / 180;
        CarTop(c, cx + 58 * std::cos(a), cy - 58 * std::sin(a), angle + 90, colour);
    };
    ringCar(205, kCarBlue);
    ringCar(40, kCarWhite);
    CarTop(c, 216, 236, 90, kLearnerRed, 1);
    std::vector<PointF> path{{216, 214}};
    AppendPath(path, ArcPoints(cx, cy, 58, 58, 290, 350));
    path.push_back({cx + outer + 20, cy + 10});
    IntentArrow(c, path);
}

void SceneRailwayCrossing(Canvas& c) {
    FillAll(c, kGrass);
    VerticalRoad(c, 120, 200);
    VerticalLine(c, 160, 0, c.Height(), kMarkingYellow);
    // Ballast, sleepers and rails across the road; the road is boarded between the rails.
    c.FillRect(0, 96, c.Width(), 140, Rgb(150, 140, 128));
    for (double x = 2; x < c.Width(); x += 12) c.FillRect(x, 100, x + 6, 136, Rgb(110, 80, 50));
    c.FillRect(120, 98, 200, 138, kAsphalt);
    for (double y : {108.0, 128.0}) c.FillRect(0, y - 2, c.Width(), y + 2, kDarkGrey);
    // The train coming from the left.
    c.FillRoundRect(6, 104, 104, 132, 6, Rgb(40, 90, 64));
    c.FillRect(14, 110, 96, 126, Rgb(70, 130, 96));
    c.FillRect(94, 108, 102, 128, kGlass);
    // Lowered barriers, striped red and white, with their posts and warning lamps.
    const auto barrier = [&](double postX, double y, double tipX) {
        const double x0 = std::min(postX, tipX), x1 = std::max(postX, tipX);
        c.FillRect(x0, y - 3, x1, y + 3, kWhite);
        for (double x = x0; x < x1; x += 16) c.FillRect(x, y - 3, std::min(x + 8, x1), y + 3, kSignRed);
        c.FillCircle(postX, y, 5, kDarkGrey);
        c.FillCircle(postX + (postX > tipX ? 10 : -10), y + 6, 3.5, kLampRed);
    };
    barrier(210, 154, 162);
    barrier(110, 82, 158);
    c.FillRect(162, 166, 200, 170, kWhite);
    CarTop(c, 180, 196, 90, kLearnerRed);
}

void SceneSchoolZone(Canvas& c) {
    FillAll(c, kGrass);
    // The school beside the road.
    c.FillRect(12, 18, 86, 104, Rgb(206, 128, 96));
    c.FillRect(20, 26, 78, 96, Rgb(226, 160, 120));
    c.FillRect(40, 104, 56, 116, kKerb);
    VerticalRoad(c, 100, 220);
    VerticalLine(c, 160, 0, 78, kMarkingYellow);
    VerticalLine(c, 160, 120, c.Height(), kMarkingYellow);
    ZebraAcrossVertical(c, 100, 220, 84, 114);
    c.FillRect(162, 124, 220, 128, kWhite);
    for (const PointF& p : {PointF{128, 100}, PointF{148, 94}, PointF{170, 104}, PointF{192, 97}}) PersonTop(c, p.x, p.y, kCarBlue, kCarYellow);
    RoadsideWarning(c, 246, 150, 24);
    CarTop(c, 190, 168, 90, kLearnerRed);
}

void ScenePedestrianCrossing(Canvas& c) {
    FillAll(c, kGrass);
    VerticalRoad(c, 90, 230);
    VerticalLine(c, 157, 0, 72, kMarkingYellow);
    VerticalLine(c, 163, 0, 72, kMarkingYellow);
    VerticalLine(c, 157, 120, c.Height(), kMarkingYellow);
    VerticalLine(c, 163, 120, c.Height(), kMarkingYellow);
    for (double x : {124.0, 196.0}) {
        VerticalLine(c, x, 0, 72, kWhite, 3, 16, 12);
        VerticalLine(c, x, 120, c.Height(), kWhite, 3, 16, 12);
    }
    ZebraAcrossVertical(c, 90, 230, 80, 112);
    c.FillRect(162, 118, 230, 122, kWhite);
    c.FillRect(90, 70, 158, 74, kWhite);
    PersonTop(c, 138, 94, kSignRed);
    PersonTop(c, 178, 98, kCarGreen);
    PersonTop(c, 204, 92, kCarYellow);
    CarTop(c, 212, 148, 90, kLearnerRed);
    CarTop(c, 178, 152, 90, kCarBlue);
    CarTop(c, 108, 46, 270, kCarWhite);
}

void SceneQueue(Canvas& c) {
    FillAll(c, kGrass);
    c.FillRect(96, 0, 224, c.Height(), kKerb);
    c.FillRect(0, 0, c.Width(), 38, kKerb);
    c.FillRect(100, 0, 220, c.Height(), kAsphalt);
    c.FillRect(0, 0, c.Width(), 34, kAsphalt);
    VerticalLine(c, 160, 54, c.Height(), kMarkingYellow);
    c.FillRect(162, 44, 220, 48, kWhite);
    CornerSignal(c, 236, 28, 0);
    CarTop(c, 190, 70, 90, kCarBlue);
    CarTop(c, 190, 116, 90, kCarWhite);
    CarTop(c, 190, 162, 90, kCarYellow);
    CarTop(c, 190, 208, 90, kLearnerRed);
    CarTop(c, 130, 120, 270, kCarGreen);
}

void SceneBusStop(Canvas& c) {
    FillAll(c, kGrass);
    c.FillRect(240, 0, c.Width(), c.Height(), Rgb(204, 200, 190));  // the pavement
    VerticalRoad(c, 90, 210);
    const PointF bay[] = {{206, 20}, {240, 56}, {240, 164}, {206, 200}};
    c.FillPolygon(bay, kAsphalt);
    VerticalLine(c, 150, 0, c.Height(), kMarkingYellow, 4, 20, 14);
    VerticalLine(c, 210, 56, 164, kWhite, 3, 10, 8);
    c.FillRect(252, 78, 272, 142, kSignBlue);  // the shelter's roof
    for (const PointF& p : {PointF{262, 152}, PointF{282, 120}, PointF{262, 64}}) PersonTop(c, p.x, p.y, kCarGreen);
    BusTop(c, 224, 112, 90, kCarGreen);
    PersonTop(c, 202, 54, kSignRed);  // stepping out in front of the bus
    CarTop(c, 180, 204, 90, kLearnerRed);
    CarTop(c, 120, 62, 270, kCarWhite);
}

void SceneNarrowBridge(Canvas& c) {
    FillAll(c, kGrass);
    c.FillRect(0, 66, c.Width(), 154, Rgb(70, 130, 200));
    const PointF southFunnel[] = {{115, 200}, {205, 200}, {182, 162}, {138, 162}};
    const PointF northFunnel[] = {{115, 24}, {205, 24}, {182, 58}, {138, 58}};
    c.FillRect(111, 196, 209, c.Height(), kKerb);
    c.FillRect(111, 0, 209, 28, kKerb);
    c.FillRect(115, 196, 205, c.Height(), kAsphalt);
    c.FillRect(115, 0, 205, 28, kAsphalt);
    c.FillPolygon(southFunnel, kAsphalt);
    c.FillPolygon(northFunnel, kAsphalt);
    c.FillRect(132, 56, 188, 164, kKerb);
    c.FillRect(138, 56, 182, 164, kAsphalt);
    VerticalLine(c, 160, 204, c.Height(), kMarkingYellow);
    VerticalLine(c, 160, 0, 20, kMarkingYellow);
    CarTop(c, 160, 100, 270, kCarBlue);
    CarTop(c, 184, 208, 90, kLearnerRed);
    RoadsideWarning(c, 232, 200, 22);
}

std::span<const PictureEntry> ScenePictures() {
    static constexpr PictureEntry kEntries[] = {
        {"crossroad_left_turn", SceneCrossroadLeftTurn, kSceneLargeWidth, kSceneLargeHeight},
        {"crossroad_right_turn", SceneCrossroadRightTurn, kSceneLargeWidth, kSceneLargeHeight},
        {"crossroad_straight", SceneCrossroadStraight, kSceneLargeWidth, kSceneLargeHeight},
        {"roundabout_enter", SceneRoundaboutEnter, kSceneLargeWidth, kSceneLargeHeight},
        {"overtake", SceneOvertake, kSceneLargeWidth, kSceneLargeHeight},
        {"merge_expressway", SceneMergeExpressway, kSceneLargeWidth, kSceneLargeHeight},
        {"exit_expressway", SceneExitExpressway, kSceneLargeWidth, kSceneLargeHeight},
        {"railway_crossing", SceneRailwayCrossing, kSceneWidth, kSceneHeight},
        {"school_zone", SceneSchoolZone, kSceneWidth, kSceneHeight},
        {"pedestrian_crossing", ScenePedestrianCrossing, kSceneWidth, kSceneHeight},
        {"narrow_bridge", SceneNarrowBridge, kSceneWidth, kSceneHeight},
        {"mountain_road", SceneMountainRoad, kSceneLargeWidth, kSceneLargeHeight},
        {"parking_slope", SceneParkingSlope, kSceneWidth, kSceneHeight},
        {"breakdown", SceneBreakdown, kSceneLargeWidth, kSceneLargeHeight},
        {"tunnel_entry", SceneTunnelEntry, kSceneLargeWidth, kSceneLargeHeight},
        {"rain_night", SceneRainNight, kSceneWidth, kSceneHeight},
        {"queue", SceneQueue, kSceneWidth, kSceneHeight},
        {"emergency_vehicle", SceneEmergencyVehicle, kSceneLargeWidth, kSceneLargeHeight},
        {"bus_stop", SceneBusStop, kSceneWidth, kSceneHeight},
        {"lane_change", SceneLaneChange, kSceneLargeWidth, kSceneLargeHeight},
    };
    return kEntries;
}
