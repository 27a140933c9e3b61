#include "scene_parts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180;

Frame Heading(double x, double y, double headingDeg) { return Frame{x, y, 1, headingDeg}; }

}  // namespace

void FillAll(Canvas& c, uint32_t colour) { c.FillRect(0, 0, c.Width(), c.Height(), colour); }

void HorizontalRoad(Canvas& c, double y0, double y1) {
    c.FillRect(0, y0 - 4, c.Width(), y1 + 4, kKerb);
    c.FillRect(0, y0, c.Width(), y1, kAsphalt);
}

void VerticalRoad(Canvas& c, double x0, double x1) {
    c.FillRect(x0 - 4, 0, x1 + 4, c.Height(), kKerb);
    c.FillRect(x0, 0, x1, c.Height(), kAsphalt);
}

void HorizontalLine(Canvas& c, double y, double x0, double x1, uint32_t colour, double width, double dash, double gap) {
    if (dash <= 0) {
        c.FillRect(x0, y - width / 2, x1, y + width / 2, colour);
        return;
    }
    for (double x = x0; x < x1; x += dash + gap) c.FillRect(x, y - width / 2, std::min(x1, x + dash), y + width / 2, colour);
}

void VerticalLine(Canvas& c, double x, double y0, double y1, uint32_t colour, double width, double dash, double gap) {
    if (dash <= 0) {
        c.FillRect(x - width / 2, y0, x + width / 2, y1, colour);
        return;
    }
    for (double y = y0; y < y1; y += dash + gap) c.FillRect(x - width / 2, y, x + width / 2, std::min(y1, y + dash), colour);
}

void ZebraAcrossVertical(Canvas& c, double x0, double x1, double y0, double y1) {
    for (double x = x0 + 4; x + 7 <= x1 - 2; x += 14) c.FillRect(x, y0, x + 7, y1, kWhite);
}

void ZebraAcrossHorizontal(Canvas& c, double y0, double y1, double x0, double x1) {
    for (double y = y0 + 4; y + 7 <= y1 - 2; y += 14) c.FillRect(x0, y, x1, y + 7, kWhite);
}

void CarTop(Canvas& c, double x, double y, double headingDeg, uint32_t body, int indicator, double length, double width) {
    const Frame f = Heading(x, y, headingDeg);
    const double l = length / 2, w = width / 2;
    c.FillPolygon(f(RoundRectPoints(-l, -w, l, w, width * 0.3)), body);
    const PointF windscreen[] = {{l * 0.18, -w * 0.8}, {l * 0.55, -w * 0.7}, {l * 0.55, w * 0.7}, {l * 0.18, w * 0.8}};
    c.FillPolygon(f(windscreen), kGlass);
    const PointF rear[] = {{-l * 0.62, -w * 0.7}, {-l * 0.42, -w * 0.76}, {-l * 0.42, w * 0.76}, {-l * 0.62, w * 0.7}};
    c.FillPolygon(f(rear), kGlass);
    // v grows to the driver's right in the car's own frame (the screen's y axis turned).
    for (double side : {-1.0, 1.0}) {
        if (indicator == 0 || (indicator != 2 && (indicator > 0) != (side > 0))) continue;
        for (double u : {l - 3, -l + 3}) {
            const PointF p = f(u, side * w);
            c.FillCircle(p.x, p.y, 3.5, kLampAmber);
        }
    }
}

void TruckTop(Canvas& c, double x, double y, double headingDeg, uint32_t cab, uint32_t load, double length) {
    const Frame f = Heading(x, y, headingDeg);
    const double l = length / 2, w = 13;
    c.FillPolygon(f(RoundRectPoints(-l, -w, l - 18, w, 2)), load);
    c.FillPolygon(f(RoundRectPoints(l - 16, -w + 1, l, w - 1, 4)), cab);
    const PointF windscreen[] = {{l - 6, -w + 3}, {l - 2, -w + 4}, {l - 2, w - 4}, {l - 6, w - 3}};
    c.FillPolygon(f(windscreen), kGlass);
}

void BusTop(Canvas& c, double x, double y, double headingDeg, uint32_t body) {
    const Frame f = Heading(x, y, headingDeg);
    c.FillPolygon(f(RoundRectPoints(-46, -13, 46, 13, 4)), body);
    c.FillPolygon(f(RoundRectPoints(-40, -8, 38, 8, 2)), kCarWhite);
    const PointF windscreen[] = {{40, -11}, {45, -10}, {45, 10}, {40, 11}};
    c.FillPolygon(f(windscreen), kGlass);
}

void AmbulanceTop(Canvas& c, double x, double y, double headingDeg) {
    const Frame f = Heading(x, y, headingDeg);
    c.FillPolygon(f(RoundRectPoints(-26, -12, 26, 12, 4)), kCarWhite);
    const PointF windscreen[] = {{14, -9}, {20, -8}, {20, 8}, {14, 9}};
    c.FillPolygon(f(windscreen), kGlass);
    const PointF across[] = {{-14, -3}, {0, -3}, {0, 3}, {-14, 3}};
    const PointF along[] = {{-10, -7}, {-4, -7}, {-4, 7}, {-10, 7}};
    c.FillPolygon(f(across), kSignRed);
    c.FillPolygon(f(along), kSignRed);
    const PointF leftLamp[] = {{6, -10}, {11, -10}, {11, -1}, {6, -1}};
    const PointF rightLamp[] = {{6, 1}, {11, 1}, {11, 10}, {6, 10}};
    c.FillPolygon(f(leftLamp), kLampBlue);
    c.FillPolygon(f(rightLamp), kSignRed);
}

void PersonTop(Canvas& c, double x, double y, uint32_t clothes, uint32_t hair) {
    c.FillEllipse(x, y, 7, 4.5, clothes);
    c.FillCircle(x, y, 3.6, hair);
}

void Tree(Canvas& c, double x, double y, double r) {
    c.FillCircle(x, y, r, Rgb(50, 110, 50));
    c.FillCircle(x - r * 0.25, y - r * 0.25, r * 0.55, Rgb(80, 140, 60));
}

void HeadlightBeams(Canvas& c, double x, double y, double headingDeg, double reach, uint32_t colour) {
    const Frame f = Heading(x, y, headingDeg);
    const PointF beam[] = {{kCarLength / 2 - 2, -9}, {kCarLength / 2 + reach, -22}, {kCarLength / 2 + reach, 22}, {kCarLength / 2 - 2, 9}};
    c.FillPolygon(f(beam), colour);
}

void IntentArrow(Canvas& c, std::span<const PointF> path) { c.PathArrow(path, 5, 14, 16, kIntent); }

void RoadsideWarning(Canvas& c, double x, double y, double size) {
    c.FillRect(x - 1.5, y, x + 1.5, y + size * 1.2, kDarkGrey);
    const std::vector<PointF> outer = RegularPolygon(x, y, size * 0.62, 3, 90);
    const std::vector<PointF> inner = RegularPolygon(x, y, size * 0.42, 3, 90);
    c.FillPolygon(outer, kBlack);
    c.FillPolygon(inner, kSignYellow);
}

std::vector<PointF> OffsetPath(std::span<const PointF> path, double offset) {
    std::vector<PointF> out;
    for (size_t i = 0; i < path.size(); ++i) {
        const PointF a = path[i == 0 ? 0 : i - 1], b = path[i + 1 < path.size() ? i + 1 : i];
        const double tx = b.x - a.x, ty = b.y - a.y, length = std::hypot(tx, ty);
        if (length == 0) {
            out.push_back(path[i]);
            continue;
        }
        out.push_back({path[i].x - ty / length * offset, path[i].y + tx / length * offset});
    }
    return out;
}

double HeadingAt(std::span<const PointF> path, size_t i) {
    const PointF a = path[i == 0 ? 0 : i - 1], b = path[i + 1 < path.size() ? i + 1 : i];
    return std::atan2(a.y - b.y, b.x - a.x) / kDegree;
}
