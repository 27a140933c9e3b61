#include "art/art_pictures.h"
#include "art/scenery.h"
#include "bank/pictograms.h"
#include "bank/picture_painter.h"
#include "bank/picture_style.h"

namespace {

constexpr int kFactor = 3;
constexpr double kHorizon = 148;

constexpr uint32_t kSkyTop = Rgb(88, 158, 226);
constexpr uint32_t kSkyLow = Rgb(222, 238, 250);
constexpr uint32_t kCloud = Rgb(252, 253, 255);
constexpr uint32_t kCloudShade = Rgb(218, 230, 244);
constexpr uint32_t kHillFar = Rgb(160, 190, 200);
constexpr uint32_t kHillMid = Rgb(128, 184, 140);
constexpr uint32_t kGrassFar = Rgb(140, 198, 108);
constexpr uint32_t kGrassNear = Rgb(70, 150, 64);
constexpr uint32_t kLeaves = Rgb(44, 124, 62);
constexpr uint32_t kLeavesLight = Rgb(92, 166, 82);
constexpr uint32_t kTrunk = Rgb(112, 78, 50);
constexpr uint32_t kPost = Rgb(120, 128, 138);
constexpr uint32_t kPostLight = Rgb(172, 180, 190);

constexpr RoadColours kRoad{Rgb(156, 162, 170), Rgb(82, 88, 96), Rgb(244, 246, 248), Rgb(250, 250, 250)};

constexpr uint32_t kBody = Rgb(206, 48, 42);
constexpr uint32_t kBodyLight = Rgb(232, 96, 84);
constexpr uint32_t kGlass = Rgb(52, 70, 92);
constexpr uint32_t kTyre = Rgb(34, 36, 40);
constexpr uint32_t kBumper = Rgb(70, 74, 80);
constexpr uint32_t kTailLamp = Rgb(255, 76, 60);
constexpr uint32_t kIndicator = Rgb(255, 176, 48);
constexpr uint32_t kPlate = Rgb(30, 80, 170);
constexpr uint32_t kPlateRim = Rgb(236, 240, 246);

// A sign on a grey post at road position (x, z); `size` is the sign's width in road units.
void RoadSign(ArtCanvas& c, const RoadView& view, const char* picture, double x, double z, double size) {
    const PointF foot = view.Ground(x, z);
    const double scale = view.Scale(z);
    const double width = size * scale;
    const double postHeight = 0.62 * scale;
    c.FillRect(foot.x - 0.012 * scale, foot.y - postHeight, foot.x + 0.012 * scale, foot.y, kPost);
    c.FillRect(foot.x - 0.012 * scale, foot.y - postHeight, foot.x - 0.002 * scale, foot.y, kPostLight);
    const Bitmap32 sign = PaintPicture(picture);
    const double height = width * sign.height / sign.width;
    const double top = foot.y - postHeight - height * 0.55;
    c.PlacePicture(sign, kBackground, foot.x - width / 2, top, foot.x + width / 2, top + height);
}

// The car ahead in the right-hand lane, seen from behind, with its shadow on the road.
void CarAhead(ArtCanvas& c, const RoadView& view, double z) {
    const PointF foot = view.Ground(0.48, z);
    const double scale = view.Scale(z) * 0.3;
    c.FillEllipse(foot.x, foot.y - 0.02 * scale, 0.95 * scale, 0.14 * scale, Rgb(64, 68, 74));
    const Frame f = c.At(foot.x, foot.y - 0.64 * scale, scale);
    CarRear(c.Large(), f, kBody, kGlass);
    // Colour for the pictogram's cut-outs: tyres, bumper, lamps and the blue number plate of
    // a private car, over the places the silhouette leaves for them.
    Canvas& large = c.Large();
    auto rect = [&](double u0, double v0, double u1, double v1, uint32_t colour) {
        const PointF a = f(u0, v0), b = f(u1, v1);
        large.FillRect(a.x, a.y, b.x, b.y, colour);
    };
    rect(-0.78, 0.4, -0.5, 0.64, kTyre);
    rect(0.5, 0.4, 0.78, 0.64, kTyre);
    rect(-0.8, 0.34, 0.8, 0.44, kBumper);
    rect(-0.7, 0.0, -0.44, 0.12, kTailLamp);
    rect(0.44, 0.0, 0.7, 0.12, kTailLamp);
    rect(-0.7, 0.0, -0.62, 0.12, kIndicator);
    rect(0.62, 0.0, 0.7, 0.12, kIndicator);
    rect(-0.2, 0.2, 0.2, 0.31, kPlateRim);
    rect(-0.18, 0.215, 0.18, 0.295, kPlate);
    rect(-0.42, -0.52, 0.42, -0.49, kBodyLight);
}

// Thin lighter streaks across the sky, the soft bands of high cloud on a fine day.
void SkyBands(ArtCanvas& c) {
    struct Band {
        double x0, x1, y, thickness;
    };
    const Band bands[] = {{-20, 260, 20, 5}, {150, 500, 30, 3}, {-20, 180, 104, 4}, {250, 500, 118, 6}, {60, 340, 128, 3}};
    for (const Band& b : bands) {
        const uint32_t sky = MixRgb(kSkyTop, kSkyLow, b.y / kHorizon);
        c.FillRoundRect(b.x0, b.y, b.x1, b.y + b.thickness, b.thickness / 2, MixRgb(sky, kCloud, 0.22));
    }
}

// Far woods on the horizon on both sides of the road.
void TreeLine(ArtCanvas& c, const RoadView& view) {
    const uint32_t wood = MixRgb(kLeaves, kHillFar, 0.45);
    for (int i = 0; i < 16; ++i) {
        const double x = 8 + i * 30 + (i % 3) * 5;
        if (x > view.vanishX - 30 && x < view.vanishX + 30) continue;
        const double r = 5 + (i * 7 % 5);
        c.FillEllipse(x, kHorizon - r * 0.5, r * 1.3, r, wood);
    }
}

}  // namespace

Bitmap32 PaintBanner() {
    ArtCanvas c(kBannerWidth, kBannerHeight, kFactor, kSkyLow);
    DrawSky(c, kHorizon, kSkyTop, kSkyLow);
    SkyBands(c);
    DrawCloud(c, 96, 58, 84, kCloud, kCloudShade);
    DrawCloud(c, 330, 40, 64, kCloud, kCloudShade);
    DrawCloud(c, 424, 92, 40, kCloud, kCloudShade);

    const double far[] = {10, 16, 12, 20, 9, 14};
    DrawHills(c, kHorizon, far, kHillFar);
    const double mid[] = {6, 10, 7, 9};
    DrawHills(c, kHorizon, mid, kHillMid);

    const RoadView view{240, kHorizon, double(kBannerHeight), 250};
    TreeLine(c, view);
    DrawGround(c, view, kGrassFar, kGrassNear);
    DrawRoad(c, view, kRoad);

    // Far things first, so that nearer ones stand in front of them.
    for (double z : {16.0, 9.0}) DrawTree(c, view.Ground(-1.8, z), 0.9 * view.Scale(z), kLeaves, kLeavesLight, kTrunk);
    DrawTree(c, view.Ground(2.4, 12.0), 0.9 * view.Scale(12.0), kLeaves, kLeavesLight, kTrunk);
    RoadSign(c, view, "warn:crossroad", 1.35, 5.0, 0.4);
    RoadSign(c, view, "must:straight", -1.3, 4.2, 0.32);
    DrawTree(c, view.Ground(-1.75, 3.0), 0.9 * view.Scale(3.0), kLeaves, kLeavesLight, kTrunk);
    RoadSign(c, view, "limit:60", 1.3, 2.4, 0.3);
    CarAhead(c, view, 2.4);
    return c.Finish();
}
