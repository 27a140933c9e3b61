// Road markings: a stretch of road seen from above, traffic going up the picture on the
// right-hand side.
#include <algorithm>
#include <cmath>

#include "picture_kinds.h"
#include "pictograms.h"
#include "stroke_font.h"

namespace {

constexpr double kRoadLeft = 22, kRoadRight = 185;
constexpr double kCentre = (kRoadLeft + kRoadRight) / 2;
constexpr double kLine = 5;  // width of a marking line

void RoadBase(Canvas& c) {
    c.FillRect(0, 0, kPictureWidth, kPictureHeight, kGrass);
    c.FillRect(kRoadLeft - 4, 0, kRoadRight + 4, kPictureHeight, kLightGrey);
    c.FillRect(kRoadLeft, 0, kRoadRight, kPictureHeight, kAsphalt);
    c.FillRect(kRoadLeft + 5, 0, kRoadLeft + 5 + kLine * 0.8, kPictureHeight, kWhite);
    c.FillRect(kRoadRight - 5 - kLine * 0.8, 0, kRoadRight - 5, kPictureHeight, kWhite);
}

// A line along the road at x, solid or dashed, between y0 and y1.
void LengthwiseLine(Canvas& c, double x, uint32_t colour, bool dashed, double y0 = 0, double y1 = kPictureHeight) {
    if (!dashed) {
        c.FillRect(x - kLine / 2, y0, x + kLine / 2, y1, colour);
        return;
    }
    for (double y = y0 - 10; y < y1; y += 42) c.FillRect(x - kLine / 2, std::max(y0, y), x + kLine / 2, std::min(y1, y + 24), colour);
}

// The marking arrow painted in a lane, pointing up (mirror for the other turn).
void LaneArrow(Canvas& c, double x, double y, int turn, bool down = false) {
    const Frame f{x, y, 30, down ? 180.0 : 0.0, turn > 0};
    if (turn == 0) {
        SignArrow(c, f, {0, 1.1}, {0, -1.1}, 0.22, kWhite);
    } else {
        const PointF path[] = {{0.15, 1.1}, {0.15, -0.05}, {-0.55, -0.75}};
        SignPathArrow(c, f, path, 0.22, kWhite);
    }
}

void OppositeArrows(Canvas& c) {
    LaneArrow(c, (kRoadLeft + kCentre) / 2, 150, 0, true);
    LaneArrow(c, (kCentre + kRoadRight) / 2, 150, 0);
}

void SameWayArrows(Canvas& c) {
    LaneArrow(c, (kRoadLeft + kCentre) / 2, 150, 0);
    LaneArrow(c, (kCentre + kRoadRight) / 2, 150, 0);
}

void SolidWhite(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kWhite, false);
    SameWayArrows(c);
}

void DashedWhite(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kWhite, true);
    SameWayArrows(c);
}

void SolidYellow(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kMarkingYellow, false);
    OppositeArrows(c);
}

void DashedYellow(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kMarkingYellow, true);
    OppositeArrows(c);
}

void DoubleYellow(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre - 5, kMarkingYellow, false);
    LengthwiseLine(c, kCentre + 5, kMarkingYellow, false);
    OppositeArrows(c);
}

void SolidDashed(Canvas& c) {
    RoadBase(c);
    // Solid on the left-hand lane's side, dashed on the right: only the right lane may cross.
    LengthwiseLine(c, kCentre - 5, kMarkingYellow, false);
    LengthwiseLine(c, kCentre + 5, kMarkingYellow, true);
    OppositeArrows(c);
}

void Zebra(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kMarkingYellow, false, 0, 62);
    LengthwiseLine(c, kCentre, kMarkingYellow, false, 152, kPictureHeight);
    for (double x = kRoadLeft + 12; x + 10 < kRoadRight - 6; x += 19) c.FillRect(x, 74, x + 10, 140, kWhite);
    c.FillRect(kCentre, 160, kRoadRight - 10, 166, kWhite);
}

// A crossroad beyond the top of the stretch: the cross street and the approach lanes.
void JunctionAhead(Canvas& c) {
    RoadBase(c);
    c.FillRect(0, 0, kPictureWidth, 58, kAsphalt);
    c.FillRect(0, 3, kPictureWidth, 6, kWhite);
    c.FillRect(0, 52, kRoadLeft, 55, kWhite);
    c.FillRect(kRoadRight, 52, kPictureWidth, 55, kWhite);
    LengthwiseLine(c, kCentre, kMarkingYellow, false, 58, kPictureHeight);
}

void StopLine(Canvas& c) {
    JunctionAhead(c);
    c.FillRect(kCentre + kLine / 2, 66, kRoadRight - 5, 74, kWhite);
    LaneArrow(c, (kCentre + kRoadRight) / 2, 150, 0);
}

void YieldLine(Canvas& c) {
    JunctionAhead(c);
    for (double y : {66.0, 78.0})
        for (double x = kCentre + 6; x < kRoadRight - 6; x += 16) c.FillRect(x, y, std::min(x + 9, kRoadRight - 6), y + 5, kWhite);
    // The yield triangle in the lane, its point towards the driver.
    const double x = (kCentre + kRoadRight) / 2;
    const PointF outer[] = {{x - 24, 112}, {x + 24, 112}, {x, 176}};
    const PointF inner[] = {{x - 14, 118}, {x + 14, 118}, {x, 158}};
    c.FillContours({{outer, outer + 3}, {inner, inner + 3}}, kWhite, FillRule::EvenOdd);
}

void GuideArrows(Canvas& c) {
    JunctionAhead(c);
    // Three approach lanes to the right of the centre line; the road is one-way here.
    c.FillRect(kCentre - kLine / 2, 58, kCentre + kLine / 2, kPictureHeight, kAsphalt);
    c.FillRect(kRoadLeft + 5, 58, kRoadRight - 5, 66, kWhite);
    const double lane = (kRoadRight - kRoadLeft - 10) / 3;
    for (int i = 1; i < 3; ++i) LengthwiseLine(c, kRoadLeft + 5 + lane * i, kWhite, false, 66, kPictureHeight);
    LaneArrow(c, kRoadLeft + 5 + lane * 0.5, 136, -1);
    LaneArrow(c, kRoadLeft + 5 + lane * 1.5, 136, 0);
    LaneArrow(c, kRoadLeft + 5 + lane * 2.5, 136, 1);
}

void NoParkingYellow(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kWhite, true);
    // The kerbside edge line in yellow: no stopping along this kerb.
    c.FillRect(kRoadRight - 5 - kLine * 0.8, 0, kRoadRight - 5, kPictureHeight, kAsphalt);
    c.FillRect(kRoadRight - 12, 0, kRoadRight - 5, kPictureHeight, kMarkingYellow);
    SameWayArrows(c);
}

void Diversion(Canvas& c) {
    RoadBase(c);
    // Two lanes part around a hatched island: the gore between them is not for driving.
    const PointF gore[] = {{kCentre, 196}, {kCentre + 34, 20}, {kCentre - 34, 20}};
    c.FillPolygon(gore, kWhite);
    const PointF inside[] = {{kCentre, 172}, {kCentre + 25, 28}, {kCentre - 25, 28}};
    c.FillPolygon(inside, kAsphalt);
    for (double y = 40; y < 190; y += 18) {
        const PointF chevron[] = {{kCentre - 40, y - 14}, {kCentre, y + 6}, {kCentre + 40, y - 14},
                                  {kCentre + 40, y - 6}, {kCentre, y + 14}, {kCentre - 40, y - 6}};
        c.FillPolygon(ClipToConvex(chevron, inside), kWhite);
    }
    LaneArrow(c, kRoadLeft + 30, 150, 0);
    LaneArrow(c, kRoadRight - 30, 150, 0);
}

void BusLane(Canvas& c) {
    RoadBase(c);
    // The kerbside lane is the bus lane: a wide yellow dashed line and its lettering.
    for (double y = -10; y < kPictureHeight; y += 42) c.FillRect(kCentre - 4, std::max(0.0, y), kCentre + 4, y + 24, kMarkingYellow);
    const double x = (kCentre + kRoadRight) / 2;
    DrawText(c, "BUS", x, 70, 24, 5, kMarkingYellow);
    LaneArrow(c, x, 150, 0);
    LaneArrow(c, (kRoadLeft + kCentre) / 2, 150, 0);
}

void Deceleration(Canvas& c) {
    RoadBase(c);
    LengthwiseLine(c, kCentre, kMarkingYellow, false);
    // Bars across the lane, ever closer, so the driver feels the approach and slows down.
    double gap = 30;
    for (double y = 206; y > 10; y -= gap, gap *= 0.85) {
        for (double x = kCentre + 8; x < kRoadRight - 10; x += 14) c.FillRect(x, y - 4, std::min(x + 8, kRoadRight - 10), y, kWhite);
    }
}

}  // namespace

std::span<const PictureEntry> MarkingPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"solid_white", SolidWhite},
        {"dashed_white", DashedWhite},
        {"solid_yellow", SolidYellow},
        {"dashed_yellow", DashedYellow},
        {"double_yellow", DoubleYellow},
        {"solid_dashed", SolidDashed},
        {"zebra", Zebra},
        {"stop_line", StopLine},
        {"yield_line", YieldLine},
        {"guide_arrows", GuideArrows},
        {"no_parking_yellow", NoParkingYellow},
        {"diversion", Diversion},
        {"bus_lane", BusLane},
        {"deceleration", Deceleration},
    };
    return kEntries;
}
