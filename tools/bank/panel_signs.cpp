// Rectangular signs: guide panels, road-works signs, tourist signs and auxiliary plates.
#include <algorithm>
#include <cmath>

#include "picture_kinds.h"
#include "pictograms.h"
#include "stroke_font.h"

namespace {

constexpr double kPanelLeft = 8, kPanelTop = 28, kPanelRight = 199, kPanelBottom = 188;
constexpr Frame kPanelFrame{kMidX, kMidY, 60};

void GuidePanel(Canvas& c, uint32_t face) { PanelBlank(c, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, face, kWhite); }

void Rect(Canvas& c, const Frame& f, double u0, double v0, double u1, double v1, uint32_t colour) {
    const PointF corners[] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
    c.FillPolygon(f(corners), colour);
}

void Line(Canvas& c, const Frame& f, std::initializer_list<PointF> points, double width, uint32_t colour) {
    c.StrokePolyline(f(points), f.Len(width), colour);
}

// A dashed line from a to b in frame units.
void Dashes(Canvas& c, const Frame& f, PointF a, PointF b, double dash, double gap, double width, uint32_t colour) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    for (double s = 0; s < length; s += dash + gap) {
        const double e = std::min(length, s + dash);
        c.StrokeLine(f(a.x + dx * s / length, a.y + dy * s / length), f(a.x + dx * e / length, a.y + dy * e / length),
                     f.Len(width), colour);
    }
}

// ---- guide ----

void ExpresswayExit(Canvas& c) {
    GuidePanel(c, kSignGreen);
    DrawText(c, "EXIT", kMidX, 66, 30, 6, kWhite);
    SignArrow(c, kPanelFrame, {-0.62, 1.08}, {0.62, -0.1}, 0.22, kWhite);
}

// An expressway in perspective: edge lines converging towards the horizon.
void PerspectiveRoad(Canvas& c, const Frame& f, int lanes, uint32_t ink) {
    const double bottom = 1.15, top = -0.55, nearHalf = 1.15, farHalf = 0.3;
    Line(c, f, {{-nearHalf, bottom}, {-farHalf, top}}, 0.07, ink);
    Line(c, f, {{nearHalf, bottom}, {farHalf, top}}, 0.07, ink);
    for (int i = 1; i < lanes; ++i) {
        const double t = -1 + 2.0 * i / lanes;
        Dashes(c, f, {t * nearHalf, bottom}, {t * farHalf, top}, 0.22, 0.16, 0.05, ink);
    }
}

void ExpresswayEntry(Canvas& c) {
    GuidePanel(c, kSignGreen);
    // The carriageway in perspective; its left edge opens where the slip road joins.
    const Frame f = kPanelFrame.Sub(0.35, 0.05, 0.8);
    Line(c, f, {{1.15, 1.15}, {0.3, -0.55}}, 0.07, kWhite);
    Line(c, f, {{-0.58, 0.25}, {-0.3, -0.55}}, 0.07, kWhite);
    Dashes(c, f, {0, 1.15}, {0, -0.55}, 0.22, 0.16, 0.05, kWhite);
    std::vector<PointF> ramp = QuadraticCurve({-1.9, 1.2}, {-0.75, 0.75}, {-0.5, 0.05});
    ramp.push_back({-0.32, -0.62});
    SignPathArrow(c, f, ramp, 0.24, kWhite);
}

void Parking(Canvas& c) {
    GuidePanel(c, kSignBlue);
    DrawText(c, "P", kMidX, kMidY, 112, 22, kWhite);
}

void Lanes(Canvas& c) {
    GuidePanel(c, kSignBlue);
    const double laneWidth = (kPanelRight - kPanelLeft - 16) / 3;
    for (int i = 1; i < 3; ++i) {
        const double x = kPanelLeft + 8 + laneWidth * i;
        for (double y = 42; y < 178; y += 26) c.FillRect(x - 2.5, y, x + 2.5, std::min(y + 15, 176.0), kWhite);
    }
    const double centre0 = kPanelLeft + 8 + laneWidth / 2;
    const Frame left{centre0 + 4, 112, 34};
    TurnArrow(c, left, 0.3, kWhite);
    SignArrow(c, Frame{centre0 + laneWidth, 112, 34}, {0, 1.1}, {0, -1.2}, 0.3, kWhite);
    TurnArrow(c, Frame{centre0 + 2 * laneWidth - 4, 112, 34, 0, true}, 0.3, kWhite);
}

void ServiceArea(Canvas& c) {
    GuidePanel(c, kSignGreen);
    FuelPump(c, kPanelFrame.Sub(-0.72, 0, 0.85), kWhite, kSignGreen);
    KnifeAndFork(c, kPanelFrame.Sub(0.72, 0, 0.85), kWhite);
}

void EmergencyLane(Canvas& c) {
    GuidePanel(c, kSignGreen);
    const Frame f = kPanelFrame.Sub(0, 0.05, 0.95);
    PerspectiveRoad(c, f, 3, kWhite);
    // The rightmost lane is the emergency lane, marked by diagonal hatching.
    const double bottom = 1.15, top = -0.55;
    for (int i = 0; i < 7; ++i) {
        const double t0 = double(i) / 7, t1 = (i + 0.5) / 7;
        const auto at = [&](double t, double side) {
            const double v = bottom + (top - bottom) * t;
            const double half = 1.15 + (0.3 - 1.15) * t;
            return PointF{half * side, v};
        };
        const PointF stripe[] = {at(t0, 1.0 / 3), at(t0 + 0.06, 1.0), at(t1 + 0.06, 1.0), at(t1, 1.0 / 3)};
        c.FillPolygon(f(stripe), kWhite);
    }
}

// ---- road works ----

void WorkPanel(Canvas& c) {
    c.FillRoundRect(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, 10, kBlack);
    c.FillRoundRect(kPanelLeft + 6, kPanelTop + 6, kPanelRight - 6, kPanelBottom - 6, 6, kSignOrange);
}

// A barrier: a bar striped black and white.
void Barrier(Canvas& c, double x0, double y0, double x1, double y1) {
    c.FillRect(x0, y0, x1, y1, kWhite);
    const double h = y1 - y0;
    for (double x = x0 - h; x < x1; x += 2 * h * 0.9) {
        std::vector<PointF> stripe = {{x, y1}, {x + h * 0.9, y1}, {x + h * 1.9, y0}, {x + h, y0}};
        for (PointF& p : stripe) p.x = std::max(x0, std::min(x1, p.x));
        c.FillPolygon(stripe, kBlack);
    }
    c.FrameRoundRect(x0, y0, x1, y1, 0, 2, kBlack);
}

void LaneClosed(Canvas& c, const Frame& f) {
    Line(c, f, {{-1.28, 1.22}, {-1.28, -1.15}}, 0.08, kBlack);
    Line(c, f, {{1.28, 1.22}, {1.28, -1.15}}, 0.08, kBlack);
    Dashes(c, f, {0, -1.15}, {0, 1.22}, 0.26, 0.16, 0.06, kBlack);
    const PointF a = f(-1.12, -0.88), b = f(-0.12, -0.6);
    Barrier(c, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    std::vector<PointF> shift{{-0.62, 1.12}, {-0.62, 0.55}};
    AppendPath(shift, CubicCurve({-0.62, 0.55}, {-0.62, 0.15}, {0.62, 0.2}, {0.62, -0.3}));
    shift.push_back({0.62, -0.45});
    SignPathArrow(c, f, shift, 0.2, kBlack);
}

void ClosedLeft(Canvas& c) {
    WorkPanel(c);
    LaneClosed(c, kPanelFrame);
}

void ClosedRight(Canvas& c) {
    WorkPanel(c);
    LaneClosed(c, kPanelFrame.Sub(0, 0, 1, 0, true));
}

void Detour(Canvas& c) {
    WorkPanel(c);
    const Frame f = kPanelFrame;
    const PointF a = f(-0.55, -0.2), b = f(0.35, 0.12);
    Barrier(c, a.x, a.y, b.x, b.y);
    const PointF path[] = {{-0.1, 1.18}, {-0.1, 0.55}, {0.95, 0.55}, {0.95, -0.6}, {-0.1, -0.6}, {-0.1, -1.15}};
    SignPathArrow(c, f, path, 0.2, kBlack);
}

void ConeRow(Canvas& c) {
    WorkPanel(c);
    for (int i = 0; i < 4; ++i) {
        TrafficCone(c, kPanelFrame.Sub(-0.95 + 0.63 * i, 0.55 - 0.36 * i, 0.42 + 0.05 * (3 - i)), kBlack, kWhite);
    }
}

// ---- tourist signs ----

constexpr Frame kTouristFrame{kMidX, kMidY + 2, 62};

void TouristPanel(Canvas& c) { PanelBlank(c, 14, 20, 193, 196, kSignBrown, kWhite); }

void Scenic(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    const PointF sun = f(0.5, -0.6);
    c.FillCircle(sun.x, sun.y, f.Len(0.22), kWhite);
    const PointF far[] = {{-0.2, 0.85}, {0.45, -0.05}, {1.1, 0.85}};
    c.FillPolygon(f(far), kWhite);
    const PointF nearHill[] = {{-1.1, 0.85}, {-0.35, -0.45}, {0.4, 0.85}};
    c.FillPolygon(f(nearHill), kWhite);
    const PointF snow[] = {{-0.52, -0.15}, {-0.35, -0.45}, {-0.18, -0.15}, {-0.35, -0.22}};
    c.FillPolygon(f(snow), kSignBrown);
}

void Camping(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    const PointF tent[] = {{-1.0, 0.75}, {0, -0.7}, {1.0, 0.75}};
    c.FillPolygon(f(tent), kWhite);
    const PointF door[] = {{-0.28, 0.75}, {0, 0.1}, {0.28, 0.75}};
    c.FillPolygon(f(door), kSignBrown);
    Line(c, f, {{-0.25, -1.0}, {0, -0.7}, {0.25, -1.0}}, 0.07, kWhite);
    Line(c, f, {{-1.15, 0.82}, {1.15, 0.82}}, 0.07, kWhite);
}

void Hotel(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    Rect(c, f, -1.0, -0.7, -0.82, 0.75, kWhite);
    Rect(c, f, -0.82, 0.12, 1.0, 0.36, kWhite);
    Rect(c, f, 0.84, 0.12, 1.0, 0.75, kWhite);
    const PointF head = f(-0.52, -0.12);
    c.FillCircle(head.x, head.y, f.Len(0.2), kWhite);
    c.FillPolygon(f(RoundRectPoints(-0.22, -0.22, 0.95, 0.1, 0.1)), kWhite);
}

void Restaurant(Canvas& c) {
    TouristPanel(c);
    KnifeAndFork(c, kTouristFrame, kWhite);
}

void Waves(Canvas& c, const Frame& f, double v, double width) {
    std::vector<PointF> wave;
    for (int i = 0; i <= 40; ++i) {
        const double u = -1.05 + 2.1 * i / 40;
        wave.push_back({u, v + 0.09 * std::sin(u * 7.5)});
    }
    c.StrokePolyline(f(wave), f.Len(width), kWhite);
}

void Swimming(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    const PointF head = f(0.45, -0.2);
    c.FillCircle(head.x, head.y, f.Len(0.2), kWhite);
    Line(c, f, {{-0.8, 0.12}, {-0.2, 0.1}, {0.2, 0.05}}, 0.18, kWhite);
    Line(c, f, {{-0.2, 0.08}, {-0.05, -0.45}, {0.3, -0.7}}, 0.15, kWhite);
    Waves(c, f, 0.42, 0.1);
    Waves(c, f, 0.75, 0.1);
}

void Climbing(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    const PointF rock[] = {{-0.1, 0.95}, {0.3, -0.95}, {0.6, -0.5}, {1.05, 0.95}};
    c.FillPolygon(f(rock), kWhite);
    const Frame climber = f.Sub(-0.42, 0.12, 0.55, -20);
    const PointF head = climber(0.35, -0.75);
    c.FillCircle(head.x, head.y, climber.Len(0.2), kWhite);
    Line(c, climber, {{0.3, -0.5}, {0.1, 0.25}}, 0.24, kWhite);
    Line(c, climber, {{0.28, -0.4}, {0.75, -0.75}, {0.85, -1.05}}, 0.16, kWhite);
    Line(c, climber, {{0.1, 0.25}, {0.55, 0.6}, {0.65, 1.0}}, 0.17, kWhite);
    Line(c, climber, {{0.1, 0.25}, {-0.15, 0.7}, {0.1, 1.05}}, 0.17, kWhite);
}

void Boating(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    const PointF hull[] = {{-0.95, 0.3}, {0.95, 0.3}, {0.65, 0.6}, {-0.7, 0.6}};
    c.FillPolygon(f(hull), kWhite);
    Line(c, f, {{0.05, 0.3}, {0.05, -0.95}}, 0.07, kWhite);
    const PointF sail[] = {{0.15, -0.9}, {0.15, 0.18}, {0.85, 0.18}};
    c.FillPolygon(f(sail), kWhite);
    const PointF jib[] = {{-0.05, -0.75}, {-0.05, 0.18}, {-0.6, 0.18}};
    c.FillPolygon(f(jib), kWhite);
    Waves(c, f, 0.82, 0.09);
}

void Fishing(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    Line(c, f, {{-1.0, 0.95}, {0.55, -0.85}}, 0.09, kWhite);
    Line(c, f, {{0.55, -0.85}, {0.6, 0.0}}, 0.035, kWhite);
    const PointF fish = f(0.45, 0.42);
    c.FillEllipse(fish.x, fish.y, f.Len(0.36), f.Len(0.17), kWhite);
    const PointF tail[] = {{0.05, 0.42}, {-0.25, 0.22}, {-0.25, 0.62}};
    c.FillPolygon(f(tail), kWhite);
    const PointF eye = f(0.66, 0.38);
    c.FillCircle(eye.x, eye.y, f.Len(0.045), kSignBrown);
    Waves(c, f, 0.85, 0.07);
}

void Skiing(Canvas& c) {
    TouristPanel(c);
    const Frame f = kTouristFrame.Sub(0, 0, 1, -18);
    const PointF head = f(0.2, -0.72);
    c.FillCircle(head.x, head.y, f.Len(0.17), kWhite);
    Line(c, f, {{0.12, -0.5}, {-0.2, 0.05}}, 0.22, kWhite);
    Line(c, f, {{-0.2, 0.05}, {0.2, 0.3}, {0.05, 0.72}}, 0.17, kWhite);
    Line(c, f, {{-0.2, 0.05}, {-0.25, 0.42}, {-0.45, 0.72}}, 0.17, kWhite);
    Line(c, f, {{0.08, -0.4}, {0.45, -0.15}, {0.6, 0.1}}, 0.12, kWhite);
    Line(c, f, {{0.6, -0.05}, {0.55, 0.78}}, 0.05, kWhite);
    Line(c, f, {{0.05, -0.38}, {-0.45, -0.2}}, 0.12, kWhite);
    Line(c, f, {{-0.45, -0.3}, {-0.85, 0.6}}, 0.05, kWhite);
    Line(c, f, {{-1.05, 0.82}, {0.95, 0.82}, {1.05, 0.7}}, 0.08, kWhite);
}

void Viewpoint(Canvas& c) {
    TouristPanel(c);
    const Frame& f = kTouristFrame;
    for (double side : {-1.0, 1.0}) {
        c.FillPolygon(f(RoundRectPoints(side * 0.2, -0.55, side * 0.82, 0.35, 0.12)), kWhite);
        const PointF lens = f(side * 0.51, 0.45);
        c.FillCircle(lens.x, lens.y, f.Len(0.34), kWhite);
        c.FillCircle(lens.x, lens.y, f.Len(0.17), kSignBrown);
    }
    Rect(c, f, -0.25, -0.35, 0.25, -0.1, kWhite);
}

// ---- auxiliary plates ----

constexpr double kPlateTop = 64, kPlateBottom = 152;
constexpr Frame kPlateFrame{kMidX, (kPlateTop + kPlateBottom) / 2, 36};

void Plate(Canvas& c) {
    c.FillRoundRect(10, kPlateTop, 197, kPlateBottom, 6, kBlack);
    c.FillRoundRect(14, kPlateTop + 4, 193, kPlateBottom - 4, 3, kWhite);
}

void ArrowLeft(Canvas& c) {
    Plate(c);
    SignArrow(c, kPlateFrame, {2.1, 0}, {-2.1, 0}, 0.36, kBlack);
}

void ArrowRight(Canvas& c) {
    Plate(c);
    SignArrow(c, kPlateFrame, {-2.1, 0}, {2.1, 0}, 0.36, kBlack);
}

void ArrowBoth(Canvas& c) {
    Plate(c);
    SignArrow(c, kPlateFrame, {0, 0}, {-2.1, 0}, 0.36, kBlack);
    SignArrow(c, kPlateFrame, {0, 0}, {2.1, 0}, 0.36, kBlack);
}

void Distance(Canvas& c) {
    Plate(c);
    DrawText(c, "100m", kMidX, kPlateTop + 28, 26, 5, kBlack);
    const double y = kPlateBottom - 26;
    c.StrokeLine({36, y}, {171, y}, 5, kBlack);
    c.StrokeLine({36, y - 13}, {36, y + 13}, 5, kBlack);
    c.StrokeLine({171, y - 13}, {171, y + 13}, 5, kBlack);
}

void Clock(Canvas& c) {
    Plate(c);
    const PointF centre = kPlateFrame(0, 0);
    c.StrokeEllipse(centre.x, centre.y, 34, 34, 5, kBlack);
    for (int hour = 0; hour < 12; ++hour) {
        const std::vector<PointF> tick = ArcPoints(centre.x, centre.y, 27, 27, hour * 30, hour * 30, 1);
        c.FillCircle(tick[0].x, tick[0].y, hour % 3 == 0 ? 3 : 1.8, kBlack);
    }
    c.StrokeLine(centre, {centre.x, centre.y - 24}, 4.5, kBlack);
    c.StrokeLine(centre, {centre.x + 17, centre.y + 6}, 5, kBlack);
}

void PlateCar(Canvas& c) {
    Plate(c);
    CarSide(c, kPlateFrame.Sub(0, 0.1, 1.55), kBlack, kWhite);
}

void PlateTruck(Canvas& c) {
    Plate(c);
    TruckSide(c, kPlateFrame.Sub(0, 0.08, 1.5), kBlack, kWhite);
}

void ZoneStart(Canvas& c) {
    Plate(c);
    const Frame& f = kPlateFrame;
    Rect(c, f, -2.2, -0.8, -1.9, 0.8, kBlack);
    SignArrow(c, f, {-1.9, 0}, {2.1, 0}, 0.3, kBlack);
}

void ZoneEnd(Canvas& c) {
    Plate(c);
    const Frame& f = kPlateFrame;
    SignArrow(c, f, {-2.2, 0}, {1.85, 0}, 0.3, kBlack);
    Rect(c, f, 1.9, -0.8, 2.2, 0.8, kBlack);
}

}  // namespace

std::span<const PictureEntry> GuidePictures() {
    static constexpr PictureEntry kEntries[] = {
        {"expressway_exit", ExpresswayExit},
        {"expressway_entry", ExpresswayEntry},
        {"parking", Parking},
        {"lanes", Lanes},
        {"service_area", ServiceArea},
        {"emergency_lane", EmergencyLane},
    };
    return kEntries;
}

std::span<const PictureEntry> WorkPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"closed_left", ClosedLeft},
        {"closed_right", ClosedRight},
        {"detour", Detour},
        {"cone_row", ConeRow},
    };
    return kEntries;
}

std::span<const PictureEntry> TouristPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"scenic", Scenic},     {"camping", Camping},   {"hotel", Hotel},     {"restaurant", Restaurant},
        {"swimming", Swimming}, {"climbing", Climbing}, {"boating", Boating}, {"fishing", Fishing},
        {"skiing", Skiing},     {"viewpoint", Viewpoint},
    };
    return kEntries;
}

std::span<const PictureEntry> AuxPlatePictures() {
    static constexpr PictureEntry kEntries[] = {
        {"arrow_left", ArrowLeft}, {"arrow_right", ArrowRight}, {"arrow_both", ArrowBoth},
        {"distance", Distance},    {"clock", Clock},            {"car", PlateCar},
        {"truck", PlateTruck},     {"zone_start", ZoneStart},   {"zone_end", ZoneEnd},
    };
    return kEntries;
}
