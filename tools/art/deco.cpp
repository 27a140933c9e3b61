#include "art/art_pictures.h"
#include "art/scenery.h"
#include "art/steering_wheel.h"

namespace {

constexpr int kFactor = 4;
constexpr double kHorizon = 104;

constexpr uint32_t kSkyTop = Rgb(74, 150, 226);
constexpr uint32_t kSkyLow = Rgb(206, 232, 250);
constexpr uint32_t kCloud = Rgb(252, 253, 255);
constexpr uint32_t kCloudShade = Rgb(214, 228, 242);
constexpr uint32_t kHillFar = Rgb(150, 196, 176);
constexpr uint32_t kHillNear = Rgb(112, 178, 110);
constexpr uint32_t kGrassFar = Rgb(132, 194, 104);
constexpr uint32_t kGrassNear = Rgb(78, 156, 70);
constexpr uint32_t kLeaves = Rgb(46, 128, 64);
constexpr uint32_t kLeavesLight = Rgb(96, 170, 84);
constexpr uint32_t kTrunk = Rgb(116, 80, 52);

constexpr RoadColours kRoad{Rgb(150, 156, 164), Rgb(84, 90, 98), Rgb(244, 246, 248), Rgb(250, 250, 250)};

constexpr uint32_t kPole = Rgb(96, 104, 114);
constexpr uint32_t kPoleLight = Rgb(148, 156, 166);
constexpr uint32_t kLampHousing = Rgb(40, 44, 50);
constexpr uint32_t kLampHood = Rgb(28, 30, 34);
constexpr uint32_t kLampRedOff = Rgb(104, 40, 40);
constexpr uint32_t kLampAmberOff = Rgb(104, 84, 34);
constexpr uint32_t kLampGreen = Rgb(70, 226, 110);
constexpr uint32_t kLampGreenGlow = Rgb(160, 244, 180);

constexpr WheelColours kWheel{Rgb(44, 50, 58), Rgb(104, 114, 126), Rgb(58, 66, 76), Rgb(70, 78, 90),
                              Rgb(170, 184, 200)};

// A three-lamp head on a post at the right side of the road, showing green.
void TrafficLight(ArtCanvas& c, double x, double groundY) {
    c.FillRect(x - 2, 44, x + 2, groundY, kPole);
    c.FillRect(x - 2, 44, x - 0.8, groundY, kPoleLight);
    c.FillEllipse(x, groundY, 5, 1.4, MixRgb(kGrassNear, 0x000000, 0.2));
    const double top = 22, bottom = 74;
    c.FillRoundRect(x - 9, top, x + 9, bottom, 4, kLampHousing);
    const double lamps[] = {top + 9, top + 26, top + 43};
    const uint32_t faces[] = {kLampRedOff, kLampAmberOff, kLampGreen};
    for (int i = 0; i < 3; ++i) {
        if (i == 2) c.FillCircle(x, lamps[i], 7.2, MixRgb(kLampHousing, kLampGreenGlow, 0.35));
        c.FillCircle(x, lamps[i], 5.6, faces[i]);
        // A hood over each lamp keeps the sun off it.
        c.StrokeArc(x, lamps[i], 6.6, 20, 160, 1.6, kLampHood);
    }
    c.FillCircle(x - 1.8, lamps[2] - 1.8, 1.6, kLampGreenGlow);
}

}  // namespace

Bitmap32 PaintDeco() {
    ArtCanvas c(kDecoWidth, kDecoHeight, kFactor, kSkyLow);
    DrawSky(c, kHorizon, kSkyTop, kSkyLow);
    c.FillCircle(46, 30, 13, Rgb(255, 244, 196));
    c.FillCircle(46, 30, 10, Rgb(255, 226, 120));
    DrawCloud(c, 128, 38, 54, kCloud, kCloudShade);
    DrawCloud(c, 192, 64, 34, kCloud, kCloudShade);
    DrawCloud(c, 26, 72, 28, kCloud, kCloudShade);

    const double far[] = {6, 11, 8, 13, 7};
    DrawHills(c, kHorizon, far, kHillFar);
    const double near[] = {4, 8, 5};
    DrawHills(c, kHorizon, near, kHillNear);

    const RoadView view{110.5, kHorizon, double(kDecoHeight), 150};
    DrawGround(c, view, kGrassFar, kGrassNear);
    DrawRoad(c, view, kRoad);

    // Trees along the left verge, nearer ones larger, and one behind the light.
    for (double z : {9.0, 5.0, 2.8}) {
        const PointF base = view.Ground(-1.5, z);
        DrawTree(c, base, 150 / z, kLeaves, kLeavesLight, kTrunk);
    }
    DrawTree(c, view.Ground(2.2, 7.0), 22, kLeaves, kLeavesLight, kTrunk);
    TrafficLight(c, 186, view.GroundY(2.6));

    // The driver's wheel in front of it all, its lower half below the picture's edge.
    DrawSteeringWheel(c, 110.5, 208, 64, kWheel, true);
    return c.Finish();
}
