// Prohibition and mandatory signs: the round signs, the stop octagon and the yield triangle.
#include <cmath>
#include <numbers>
#include <string>

#include "picture_kinds.h"
#include "pictograms.h"
#include "stroke_font.h"

namespace {

constexpr Frame kSignFrame{kMidX, kMidY, 50};

// ---- numbered signs ----

void LimitNumber(Canvas& c, std::string_view text, double inner, uint32_t ink) {
    DrawTextFit(c, text, kMidX, kMidY, 64, 11, 2 * inner - 22, ink);
}

// A solid triangle pointing at (tipX, tipY) from the side given by (dx, dy).
void Pointer(Canvas& c, double tipX, double tipY, double dx, double dy) {
    const double length = 16, half = 15;
    const PointF base{tipX - dx * length, tipY - dy * length};
    const PointF triangle[] = {{tipX, tipY}, {base.x - dy * half, base.y + dx * half}, {base.x + dy * half, base.y - dx * half}};
    c.FillPolygon(triangle, kBlack);
}

// ---- plain signs ----

void Stop(Canvas& c) {
    c.FillPolygon(RegularPolygon(kMidX, kMidY, 94, 8, 22.5), kSignRed);
    c.FillPolygon(RegularPolygon(kMidX, kMidY, 88, 8, 22.5), kWhite);
    c.FillPolygon(RegularPolygon(kMidX, kMidY, 83, 8, 22.5), kSignRed);
    c.FillRect(kMidX - 58, kMidY - 14, kMidX + 58, kMidY + 14, kWhite);
}

void Yield(Canvas& c) {
    const double cy = 94;
    const std::vector<PointF> core = RegularPolygon(kMidX, cy, 88, 3, -90);
    c.FillPolygon(GrowConvex(core, 16), kWhite);
    c.FillPolygon(GrowConvex(core, 13), kSignRed);
    c.FillPolygon(GrowConvex(RegularPolygon(kMidX, cy, 2 * (44 - 9), 3, -90), 3), kWhite);
}

void NoEntry(Canvas& c) {
    c.FillCircle(kMidX, kMidY, 90, kSignRed);
    c.FillRect(kMidX - 62, kMidY - 14, kMidX + 62, kMidY + 14, kWhite);
}

void NoWay(Canvas& c) { ProhibitionBlank(c); }

void NoStopping(Canvas& c) {
    ProhibitionBlank(c, kSignBlue);
    ProhibitionBar(c);
    // The second bar of the cross, from lower left to upper right.
    const double r = 74, d = r * std::numbers::sqrt2 / 2, half = 7.5 * std::numbers::sqrt2 / 2;
    const PointF a{kMidX - d, kMidY + d}, b{kMidX + d, kMidY - d};
    const PointF bar[] = {{a.x - half, a.y - half}, {b.x - half, b.y - half}, {b.x + half, b.y + half}, {a.x + half, a.y + half}};
    c.FillPolygon(bar, kSignRed);
}

void NoParking(Canvas& c) {
    ProhibitionBlank(c, kSignBlue);
    ProhibitionBar(c);
}

void NoLeft(Canvas& c) {
    ProhibitionBlank(c);
    TurnArrow(c, kSignFrame.Sub(0.32, 0.4, 0.9), 0.3, kBlack);  // low, so the head shows below the bar
    ProhibitionBar(c);
}

void NoRight(Canvas& c) {
    ProhibitionBlank(c);
    TurnArrow(c, kSignFrame.Sub(-0.25, 0, 1, 0, true), 0.3, kBlack);
    ProhibitionBar(c);
}

void NoStraight(Canvas& c) {
    ProhibitionBlank(c);
    SignArrow(c, kSignFrame, {0, 0.95}, {0, -0.95}, 0.3, kBlack);
    ProhibitionBar(c);
}

void NoUTurn(Canvas& c) {
    ProhibitionBlank(c);
    UTurnArrow(c, kSignFrame.Sub(0, -0.05, 1), 0.26, kBlack);
    ProhibitionBar(c);
}

void NoOvertaking(Canvas& c) {
    ProhibitionBlank(c);
    CarRear(c, kSignFrame.Sub(-0.6, 0.05, 0.66), kSignRed, kWhite);
    CarRear(c, kSignFrame.Sub(0.6, 0.05, 0.66), kBlack, kWhite);
    ProhibitionBar(c);
}

void NoHorn(Canvas& c) {
    ProhibitionBlank(c);
    Horn(c, kSignFrame.Sub(0, 0, 1.2), kBlack);
    ProhibitionBar(c);
}

void NoMotorVehicles(Canvas& c) {
    ProhibitionBlank(c);
    CarSide(c, kSignFrame.Sub(0, 0.1, 1.2), kBlack, kWhite);
    ProhibitionBar(c);
}

void NoTrucks(Canvas& c) {
    ProhibitionBlank(c);
    TruckSide(c, kSignFrame.Sub(0, 0.05, 1.05), kBlack, kWhite);
    ProhibitionBar(c);
}

void NoBicycles(Canvas& c) {
    ProhibitionBlank(c);
    Bicycle(c, kSignFrame.Sub(0, -0.05, 1.1), kBlack);
    ProhibitionBar(c);
}

void NoPedestrians(Canvas& c) {
    ProhibitionBlank(c);
    Walker(c, kSignFrame.Sub(0, 0, 1.0), kBlack);
    ProhibitionBar(c);
}

// ---- mandatory signs ----

constexpr Frame kMustFrame{kMidX, kMidY, 54};

void MustStraight(Canvas& c) {
    MandatoryBlank(c);
    SignArrow(c, kMustFrame, {0, 0.9}, {0, -0.9}, 0.32, kWhite);
}

void MustLeft(Canvas& c) {
    MandatoryBlank(c);
    TurnArrow(c, kMustFrame.Sub(0.25, 0, 1), 0.32, kWhite);
}

void MustRight(Canvas& c) {
    MandatoryBlank(c);
    TurnArrow(c, kMustFrame.Sub(-0.25, 0, 1, 0, true), 0.32, kWhite);
}

void StraightAndTurn(Canvas& c, const Frame& f) {
    SignArrow(c, f, {0.25, 0.92}, {0.25, -0.9}, 0.28, kWhite);
    std::vector<PointF> branch = ArcPoints(-0.25, 0.38, 0.5, 0.5, 0, 90);
    branch.push_back({-0.92, -0.12});
    SignPathArrow(c, f, branch, 0.28, kWhite);
}

void MustStraightLeft(Canvas& c) {
    MandatoryBlank(c);
    StraightAndTurn(c, kMustFrame.Sub(0.1, 0, 1));
}

void MustStraightRight(Canvas& c) {
    MandatoryBlank(c);
    StraightAndTurn(c, kMustFrame.Sub(-0.1, 0, 1, 0, true));
}

void MustKeepLeft(Canvas& c) {
    MandatoryBlank(c);
    SignArrow(c, kMustFrame, {0.72, -0.72}, {-0.76, 0.76}, 0.32, kWhite);
}

void MustKeepRight(Canvas& c) {
    MandatoryBlank(c);
    SignArrow(c, kMustFrame, {-0.72, -0.72}, {0.76, 0.76}, 0.32, kWhite);
}

void MustRoundabout(Canvas& c) {
    MandatoryBlank(c);
    RoundaboutArrows(c, kMustFrame.Sub(0, 0, 1.12), 0.24, kWhite);
}

void MustHorn(Canvas& c) {
    MandatoryBlank(c);
    const Frame f = kMustFrame.Sub(-0.3, 0, 0.95);
    Horn(c, f, kWhite);
    SoundWaves(c, f, kWhite);
}

void MustWalk(Canvas& c) {
    MandatoryBlank(c);
    Walker(c, kMustFrame.Sub(0, 0, 0.95), kWhite);
}

void MustBicycle(Canvas& c) {
    MandatoryBlank(c);
    Bicycle(c, kMustFrame.Sub(0, -0.05, 1.05), kWhite);
}

void MustMotorVehicles(Canvas& c) {
    MandatoryBlank(c);
    CarSide(c, kMustFrame.Sub(0, 0.1, 1.22), kWhite, kSignBlue);
}

}  // namespace

void PaintSpeedLimit(Canvas& c, std::string_view kmh) { LimitNumber(c, kmh, ProhibitionBlank(c), kBlack); }

void PaintMinimumSpeed(Canvas& c, std::string_view kmh) { LimitNumber(c, kmh, MandatoryBlank(c) - 12, kWhite); }

void PaintEndOfSpeedLimit(Canvas& c, std::string_view kmh) {
    c.FillCircle(kMidX, kMidY, 90, kGrey);
    c.FillCircle(kMidX, kMidY, 85, kWhite);
    LimitNumber(c, kmh, 72, kGrey);
    // Parallel black bars from upper left to lower right, cut at the rim.
    const double r = 85, s = std::numbers::sqrt2 / 2;
    for (int i = -2; i <= 2; ++i) {
        const double offset = i * 11.0;
        const double half = std::sqrt(r * r - offset * offset) - 3;
        const PointF mid{kMidX + offset * s, kMidY - offset * s};
        c.StrokeLine({mid.x - half * s, mid.y - half * s}, {mid.x + half * s, mid.y + half * s}, 4, kBlack);
    }
}

void PaintHeightLimit(Canvas& c, std::string_view metres) {
    const double inner = ProhibitionBlank(c);
    DrawTextFit(c, std::string(metres) + "m", kMidX, kMidY, 40, 8, 2 * inner - 26, kBlack);
    Pointer(c, kMidX, kMidY - 30, 0, 1);
    Pointer(c, kMidX, kMidY + 30, 0, -1);
}

void PaintWidthLimit(Canvas& c, std::string_view metres) {
    const double inner = ProhibitionBlank(c);
    DrawTextFit(c, std::string(metres) + "m", kMidX, kMidY, 38, 7.5, 2 * inner - 62, kBlack);
    Pointer(c, kMidX - 58, kMidY, -1, 0);
    Pointer(c, kMidX + 58, kMidY, 1, 0);
}

void PaintWeightLimit(Canvas& c, std::string_view tonnes) {
    const double inner = ProhibitionBlank(c);
    DrawTextFit(c, std::string(tonnes) + "t", kMidX, kMidY, 54, 10, 2 * inner - 22, kBlack);
}

std::span<const PictureEntry> PlainSignPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"stop", Stop},
        {"yield", Yield},
        {"noentry", NoEntry},
        {"noway", NoWay},
        {"nostopping", NoStopping},
        {"noparking", NoParking},
        {"noleft", NoLeft},
        {"noright", NoRight},
        {"nostraight", NoStraight},
        {"nouturn", NoUTurn},
        {"noovertake", NoOvertaking},
        {"nohorn", NoHorn},
        {"nomotor", NoMotorVehicles},
        {"notruck", NoTrucks},
        {"nobicycle", NoBicycles},
        {"nopedestrian", NoPedestrians},
    };
    return kEntries;
}

std::span<const PictureEntry> MandatoryPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"straight", MustStraight},
        {"left", MustLeft},
        {"right", MustRight},
        {"straight_left", MustStraightLeft},
        {"straight_right", MustStraightRight},
        {"keep_left", MustKeepLeft},
        {"keep_right", MustKeepRight},
        {"roundabout", MustRoundabout},
        {"horn", MustHorn},
        {"walk", MustWalk},
        {"bicycle", MustBicycle},
        {"motor", MustMotorVehicles},
    };
    return kEntries;
}
