// Traffic-light heads and the dashboard's warning lamps.
#include <cmath>
#include <numbers>

#include "picture_kinds.h"
#include "pictograms.h"
#include "stroke_font.h"

namespace {

// ---- traffic lights ----

constexpr uint32_t kHousing = Rgb(34, 36, 40);
constexpr uint32_t kUnlit = Rgb(72, 74, 78);
constexpr double kLampRadius = 27;
constexpr double kLampY[] = {46, 108, 170};

void Housing(Canvas& c) {
    c.FillRect(kMidX - 6, 196, kMidX + 6, kPictureHeight, kGrey);
    c.FillRoundRect(kMidX - 40, 8, kMidX + 40, 208, 14, kHousing);
}

// A round three-lamp head with lamp `lit` (0 red, 1 yellow, 2 green) on.
void RoundHead(Canvas& c, int lit) {
    Housing(c);
    const uint32_t colours[] = {kLampRed, kLampAmber, kLampGreen};
    for (int i = 0; i < 3; ++i) c.FillCircle(kMidX, kLampY[i], kLampRadius, i == lit ? colours[i] : kUnlit);
}

void Red(Canvas& c) { RoundHead(c, 0); }
void Yellow(Canvas& c) { RoundHead(c, 1); }
void Green(Canvas& c) { RoundHead(c, 2); }

void FlashYellow(Canvas& c) {
    RoundHead(c, 1);
    // Rays around the lamp say that it blinks.
    for (int i = 0; i < 8; ++i) {
        const double a = (i * 45 + 22.5) * std::numbers::pi / 180;
        const PointF from{kMidX + std::cos(a) * 36, kLampY[1] - std::sin(a) * 36};
        const PointF to{kMidX + std::cos(a) * 52, kLampY[1] - std::sin(a) * 52};
        c.StrokeLine(from, to, 5, kLampAmber);
    }
}

// A head of arrow lamps, all pointing left; lamp `lit` shines in `colour`.
void ArrowHead(Canvas& c, int lit, uint32_t colour) {
    Housing(c);
    for (int i = 0; i < 3; ++i) {
        c.FillCircle(kMidX, kLampY[i], kLampRadius, Rgb(12, 12, 14));
        SignArrow(c, Frame{kMidX, kLampY[i], 22}, {0.95, 0}, {-0.95, 0}, 0.34, i == lit ? colour : kUnlit);
    }
}

void ArrowLeftRed(Canvas& c) { ArrowHead(c, 0, kLampRed); }
void ArrowLeftGreen(Canvas& c) { ArrowHead(c, 2, kLampGreen); }

// A lane-control signal: a square head over one lane.
void LaneHead(Canvas& c) {
    c.FillRect(kMidX - 6, 170, kMidX + 6, kPictureHeight, kGrey);
    c.FillRoundRect(kMidX - 70, 38, kMidX + 70, 178, 12, kHousing);
    c.FillRoundRect(kMidX - 58, 50, kMidX + 58, 166, 8, Rgb(12, 12, 14));
}

void LaneCross(Canvas& c) {
    LaneHead(c);
    c.StrokeLine({kMidX - 38, 70}, {kMidX + 38, 146}, 14, kLampRed);
    c.StrokeLine({kMidX + 38, 70}, {kMidX - 38, 146}, 14, kLampRed);
}

void LaneArrowDown(Canvas& c) {
    LaneHead(c);
    SignArrow(c, Frame{kMidX, 108, 46}, {0, -1.05}, {0, 1.05}, 0.3, kLampGreen);
}

// ---- dashboard lamps ----

constexpr Frame kLampFrame{kMidX, kMidY, 62};

void Panel(Canvas& c) {
    c.FillRect(0, 0, kPictureWidth, kPictureHeight, kLampPanel);
    c.FrameRoundRect(10, 10, kPictureWidth - 10, kPictureHeight - 10, 18, 4, Rgb(58, 60, 68));
}

void Stroke(Canvas& c, const Frame& f, std::initializer_list<PointF> points, double width, uint32_t colour) {
    c.StrokePolyline(f(points), f.Len(width), colour);
}

void Oil(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    const PointF can[] = {{-0.95, -0.25}, {-0.1, -0.25}, {0.15, -0.05}, {0.95, -0.35}, {0.3, 0.35}, {-0.85, 0.35}};
    c.FillPolygon(f(can), kLampRed);
    Stroke(c, f, {{-0.7, -0.25}, {-0.7, -0.45}}, 0.12, kLampRed);
    Stroke(c, f, {{-0.85, -0.48}, {-0.55, -0.48}}, 0.1, kLampRed);
    Stroke(c, f, {{-0.95, -0.2}, {-1.15, -0.05}, {-0.95, 0.15}}, 0.09, kLampRed);
    const PointF drop = f(0.95, 0.2);
    c.FillCircle(drop.x, drop.y, f.Len(0.09), kLampRed);
}

void Battery(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    c.FillPolygon(f(RoundRectPoints(-0.95, -0.45, 0.95, 0.6, 0.08)), kLampRed);
    c.FillPolygon(f(RoundRectPoints(-0.7, -0.62, -0.35, -0.45, 0.03)), kLampRed);
    c.FillPolygon(f(RoundRectPoints(0.35, -0.62, 0.7, -0.45, 0.03)), kLampRed);
    Stroke(c, f, {{-0.7, 0.05}, {-0.3, 0.05}}, 0.12, kLampPanel);
    Stroke(c, f, {{-0.5, -0.15}, {-0.5, 0.25}}, 0.12, kLampPanel);
    Stroke(c, f, {{0.3, 0.05}, {0.7, 0.05}}, 0.12, kLampPanel);
}

// A ring with a symbol inside and a bracket arc on each side, the form of the brake and ABS
// lamps.
void BracketedRing(Canvas& c, const Frame& f, uint32_t colour) {
    const PointF centre = f(0, 0);
    c.StrokeEllipse(centre.x, centre.y, f.Len(0.62), f.Len(0.62), f.Len(0.11), colour);
    for (double side : {-1.0, 1.0}) {
        const double mid = side < 0 ? 180 : 0;
        c.StrokePolyline(ArcPoints(centre.x, centre.y, f.Len(0.9), f.Len(0.9), mid - 50, mid + 50), f.Len(0.1), colour);
    }
}

void Brake(Canvas& c) {
    Panel(c);
    BracketedRing(c, kLampFrame, kLampRed);
    DrawText(c, "!", kMidX, kMidY, 52, 10, kLampRed);
}

void Seatbelt(Canvas& c) {
    Panel(c);
    const Frame f = kLampFrame.Sub(0.05, 0, 1);
    SeatedPerson(c, f, kLampRed);
    Stroke(c, f, {{0.3, -0.55}, {-0.2, 0.12}}, 0.2, kLampPanel);
    Stroke(c, f, {{0.3, -0.55}, {-0.2, 0.12}}, 0.09, kLampRed);
}

// A headlamp seen from the side, lens to the left, with its beam.
void Headlamp(Canvas& c, const Frame& f, uint32_t colour, double tilt, bool fog) {
    std::vector<PointF> lamp = {{-0.05, -0.5}};
    AppendPath(lamp, ArcPoints(0.05, 0, 0.6, 0.5, 90, -90));
    lamp.push_back({-0.05, 0.5});
    c.FillPolygon(f(lamp), colour);
    for (int i = 0; i < 5; ++i) {
        const double v = -0.4 + 0.2 * i;
        Stroke(c, f, {{-0.25, v}, {-0.95, v + tilt}}, 0.09, colour);
    }
    if (fog) {
        std::vector<PointF> wave;
        for (int i = 0; i <= 20; ++i) {
            const double v = -0.62 + 1.24 * i / 20;
            wave.push_back({-0.6 + 0.08 * std::sin(v * 10), v + tilt / 2});
        }
        c.StrokePolyline(f(wave), f.Len(0.08), colour);
    }
}

void HighBeam(Canvas& c) {
    Panel(c);
    Headlamp(c, kLampFrame.Sub(0.2, 0, 1), kLampBlue, 0, false);
}

void LowBeam(Canvas& c) {
    Panel(c);
    Headlamp(c, kLampFrame.Sub(0.2, 0, 1), kLampGreen, 0.3, false);
}

void FogFront(Canvas& c) {
    Panel(c);
    Headlamp(c, kLampFrame.Sub(0.2, 0, 1), kLampGreen, 0.25, true);
}

void FogRear(Canvas& c) {
    Panel(c);
    Headlamp(c, kLampFrame.Sub(-0.2, 0, 1, 0, true), kLampAmber, 0, true);
}

void Engine(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    const PointF block[] = {{-0.7, -0.35}, {-0.25, -0.35}, {-0.25, -0.5}, {0.25, -0.5}, {0.25, -0.35}, {0.55, -0.35},
                            {0.7, -0.15}, {0.95, -0.15}, {0.95, 0.35}, {0.7, 0.35}, {0.55, 0.55}, {-0.5, 0.55},
                            {-0.7, 0.3}, {-0.95, 0.3}, {-0.95, -0.2}, {-0.7, -0.2}};
    c.StrokePolyline(f(block), f.Len(0.12), kLampAmber, true);
    Stroke(c, f, {{-0.4, -0.62}, {0.4, -0.62}}, 0.12, kLampAmber);
}

void Abs(Canvas& c) {
    Panel(c);
    BracketedRing(c, kLampFrame, kLampAmber);
    DrawText(c, "ABS", kMidX, kMidY, 24, 5, kLampAmber);
}

void Airbag(Canvas& c) {
    Panel(c);
    const Frame f = kLampFrame.Sub(0.25, 0.05, 0.95);
    SeatedPerson(c, f, kLampRed);
    const PointF bag = f(-0.85, -0.35);
    c.FillCircle(bag.x, bag.y, f.Len(0.32), kLampRed);
}

void Coolant(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    Stroke(c, f, {{0, -0.85}, {0, 0.05}}, 0.16, kLampRed);
    const PointF bulb = f(0, 0.15);
    c.FillCircle(bulb.x, bulb.y, f.Len(0.17), kLampRed);
    for (double v : {-0.65, -0.4, -0.15}) Stroke(c, f, {{0.08, v}, {0.35, v}}, 0.08, kLampRed);
    for (double v : {0.45, 0.68}) {
        std::vector<PointF> wave;
        for (int i = 0; i <= 24; ++i) {
            const double u = -0.9 + 1.8 * i / 24;
            wave.push_back({u, v + 0.06 * std::sin(u * 9)});
        }
        c.StrokePolyline(f(wave), f.Len(0.08), kLampRed);
    }
}

void Fuel(Canvas& c) {
    Panel(c);
    FuelPump(c, kLampFrame.Sub(-0.08, 0, 0.9), kLampAmber, kLampPanel);
}

void Door(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    // A car from above with its front doors standing open.
    c.StrokePolyline(f(RoundRectPoints(-0.42, -0.95, 0.42, 0.95, 0.22)), f.Len(0.1), kLampRed, true);
    Stroke(c, f, {{-0.36, -0.45}, {0.36, -0.45}}, 0.08, kLampRed);
    Stroke(c, f, {{-0.36, 0.55}, {0.36, 0.55}}, 0.08, kLampRed);
    Stroke(c, f, {{-0.45, -0.3}, {-0.9, 0.15}}, 0.1, kLampRed);
    Stroke(c, f, {{0.45, -0.3}, {0.9, 0.15}}, 0.1, kLampRed);
}

void TurnSignals(Canvas& c) {
    Panel(c);
    SignArrow(c, kLampFrame, {-0.2, 0}, {-1.2, 0}, 0.34, kLampGreen);
    SignArrow(c, kLampFrame, {0.2, 0}, {1.2, 0}, 0.34, kLampGreen);
}

void Hazard(Canvas& c) {
    Panel(c);
    const Frame& f = kLampFrame;
    const std::vector<PointF> outer = RegularPolygon(0, 0.15, 0.95, 3, 90);
    const std::vector<PointF> inner = RegularPolygon(0, 0.15, 0.45, 3, 90);
    c.StrokePolyline(f(outer), f.Len(0.15), kLampRed, true);
    c.StrokePolyline(f(inner), f.Len(0.12), kLampRed, true);
}

}  // namespace

std::span<const PictureEntry> SignalPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"red", Red},
        {"yellow", Yellow},
        {"green", Green},
        {"flash_yellow", FlashYellow},
        {"arrow_left_red", ArrowLeftRed},
        {"arrow_left_green", ArrowLeftGreen},
        {"lane_cross", LaneCross},
        {"lane_arrow", LaneArrowDown},
    };
    return kEntries;
}

std::span<const PictureEntry> LampPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"oil", Oil},         {"battery", Battery}, {"brake", Brake},       {"seatbelt", Seatbelt},
        {"high_beam", HighBeam}, {"low_beam", LowBeam}, {"fog_front", FogFront}, {"fog_rear", FogRear},
        {"engine", Engine},   {"abs", Abs},         {"airbag", Airbag},     {"coolant", Coolant},
        {"fuel", Fuel},       {"door", Door},       {"turn_signals", TurnSignals}, {"hazard", Hazard},
    };
    return kEntries;
}
