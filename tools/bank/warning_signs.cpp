// Warning signs: black pictograms on the yellow triangle.
#include <cmath>
#include <numbers>

#include "picture_kinds.h"
#include "pictograms.h"

namespace {

constexpr double kBar = 0.3;  // width of the road bars in the pictograms

void Bar(Canvas& c, const Frame& f, std::initializer_list<PointF> points, double width = kBar) {
    c.StrokePolyline(f(points), f.Len(width), kBlack);
}

void CurveArrow(Canvas& c, const Frame& f) {
    std::vector<PointF> path{{0.3, 1.02}, {0.3, 0.0}};
    AppendPath(path, ArcPoints(-0.12, 0.0, 0.42, 0.42, 0, 90));
    path.push_back({-0.82, -0.42});
    SignPathArrow(c, f, path, 0.28, kBlack);
}

void CurveLeft(Canvas& c) { CurveArrow(c, WarningBlank(c)); }

void CurveRight(Canvas& c) { CurveArrow(c, WarningBlank(c).Sub(0, 0, 1, 0, true)); }

void ReverseCurve(Canvas& c) {
    const Frame f = WarningBlank(c);
    std::vector<PointF> path{{0.32, 1.02}, {0.32, 0.45}};
    AppendPath(path, CubicCurve({0.32, 0.45}, {0.32, 0.05}, {-0.3, 0.1}, {-0.3, -0.3}));
    path.push_back({-0.3, -0.98});
    SignPathArrow(c, f, path, 0.26, kBlack);
}

void Crossroad(Canvas& c) {
    const Frame f = WarningBlank(c);
    Bar(c, f, {{0, -0.95}, {0, 1.05}}, 0.34);
    Bar(c, f, {{-1.0, 0.3}, {1.0, 0.3}}, 0.34);
}

void TJunction(Canvas& c) {
    const Frame f = WarningBlank(c);
    Bar(c, f, {{-0.95, -0.05}, {0.95, -0.05}}, 0.34);
    Bar(c, f, {{0, -0.05}, {0, 1.05}}, 0.34);
}

void YJunction(Canvas& c) {
    const Frame f = WarningBlank(c);
    Bar(c, f, {{0, 1.05}, {0, 0.25}, {-0.55, -0.75}});
    Bar(c, f, {{0, 0.25}, {0.55, -0.75}});
}

void Roundabout(Canvas& c) { RoundaboutArrows(c, WarningBlank(c).Sub(0, 0.25, 1.15), 0.22, kBlack); }

void NarrowBoth(Canvas& c) {
    const Frame f = WarningBlank(c);
    Bar(c, f, {{-0.72, 1.05}, {-0.72, 0.4}, {-0.28, -0.1}, {-0.28, -0.9}}, 0.2);
    Bar(c, f, {{0.72, 1.05}, {0.72, 0.4}, {0.28, -0.1}, {0.28, -0.9}}, 0.2);
}

void NarrowOneSide(Canvas& c, const Frame& f) {
    Bar(c, f, {{-0.72, 1.05}, {-0.72, 0.4}, {-0.12, -0.1}, {-0.12, -0.9}}, 0.2);
    Bar(c, f, {{0.45, 1.05}, {0.45, -0.9}}, 0.2);
}

void NarrowLeft(Canvas& c) { NarrowOneSide(c, WarningBlank(c)); }

void NarrowRight(Canvas& c) { NarrowOneSide(c, WarningBlank(c).Sub(0, 0, 1, 0, true)); }

// A slope rising to the right with a car climbing it (mirror the frame for a descent).
void Slope(Canvas& c, const Frame& f, bool climbing) {
    const PointF foot{-1.08, 1.05}, top{1.08, 0.05};
    const PointF slope[] = {foot, {1.08, 1.05}, top};
    c.FillPolygon(f(slope), kBlack);
    const double angle = std::atan2(foot.y - top.y, top.x - foot.x) * 180 / std::numbers::pi;
    const double t = 0.48;
    const PointF surface{foot.x + (top.x - foot.x) * t, foot.y + (top.y - foot.y) * t};
    constexpr double kCarScale = 0.6;
    const double a = angle * std::numbers::pi / 180, lift = 0.34 * kCarScale;  // centre to wheel bottoms
    // The car faces up the slope when climbing and down it (to the left) otherwise.
    const Frame car = f.Sub(surface.x - std::sin(a) * lift, surface.y - std::cos(a) * lift, kCarScale, angle, !climbing);
    CarSide(c, car, kBlack, kSignYellow);
}

void SteepUp(Canvas& c) { Slope(c, WarningBlank(c), true); }

void SteepDown(Canvas& c) { Slope(c, WarningBlank(c).Sub(0, 0, 1, 0, true), false); }

void Slippery(Canvas& c) {
    const Frame f = WarningBlank(c);
    CarRear(c, f.Sub(0, -0.14, 0.74), kBlack, kSignYellow);
    for (double du : {-0.3, 0.3}) {
        const std::vector<PointF> skid = CubicCurve({du - 0.05, 0.35}, {du - 0.4, 0.55}, {du + 0.3, 0.75}, {du - 0.1, 1.02});
        c.StrokePolyline(f(skid), f.Len(0.1), kBlack);
    }
}

void Children(Canvas& c) {
    const Frame f = WarningBlank(c);
    Walker(c, f.Sub(-0.4, 1.02 - 0.86 * 0.86, 0.86), kBlack);
    Walker(c, f.Sub(0.45, 1.02 - 0.86 * 0.62, 0.62), kBlack);
}

void Pedestrian(Canvas& c) {
    const Frame f = WarningBlank(c);
    Walker(c, f.Sub(0, 0.06, 0.92), kBlack);
    for (double u : {-0.85, -0.32, 0.21, 0.74}) {
        const PointF stripe[] = {{u, 0.92}, {u + 0.3, 0.92}, {u + 0.3, 1.04}, {u, 1.04}};
        c.FillPolygon(f(stripe), kBlack);
    }
}

void RailwayGuarded(Canvas& c) { Fence(c, WarningBlank(c).Sub(0, 0.3, 0.86), kBlack); }

void RailwayUnguarded(Canvas& c) { Locomotive(c, WarningBlank(c).Sub(0, 0.4, 0.95), kBlack, kSignYellow); }

void Animals(Canvas& c) { Cow(c, WarningBlank(c).Sub(0, 0.36, 1.05), kBlack); }

void FallingRocks(Canvas& c) {
    const Frame f = WarningBlank(c);
    const PointF cliff[] = {{-0.62, -0.78}, {-0.28, -0.78}, {-0.36, -0.22}, {-0.12, 0.3}, {-0.32, 1.05}, {-1.12, 1.05}};
    c.FillPolygon(f(cliff), kBlack);
    struct Rock {
        double u, v, r, turn;
    };
    for (const Rock& rock : {Rock{0.18, -0.22, 0.15, 10}, Rock{0.5, 0.3, 0.2, 40}, Rock{0.25, 0.82, 0.19, 70}, Rock{0.62, 0.86, 0.12, 15}}) {
        std::vector<PointF> stone = RegularPolygon(rock.u, rock.v, rock.r, 6, rock.turn);
        stone[1] = {rock.u + (stone[1].x - rock.u) * 0.7, rock.v + (stone[1].y - rock.v) * 0.7};
        c.FillPolygon(f(stone), kBlack);
    }
}

void Tunnel(Canvas& c) {
    const Frame f = WarningBlank(c);
    c.FillPolygon(f(ArcPoints(0, 1.05, 1.12, 1.35, 0, 180)), kBlack);
    c.FillPolygon(f(ArcPoints(0, 1.05, 0.52, 0.8, 0, 180)), kSignYellow);
    Bar(c, f, {{-0.12, 0.5}, {-0.3, 1.02}}, 0.07);
    Bar(c, f, {{0.12, 0.5}, {0.3, 1.02}}, 0.07);
}

void Signals(Canvas& c) {
    const Frame f = WarningBlank(c);
    c.FillPolygon(f(RoundRectPoints(-0.36, -0.9, 0.36, 1.0, 0.14)), kBlack);
    const uint32_t lamps[] = {kSignRed, kLampAmber, kLampGreen};
    for (int i = 0; i < 3; ++i) {
        const PointF p = f(0, -0.48 + 0.53 * i);
        c.FillCircle(p.x, p.y, f.Len(0.22), lamps[i]);
    }
}

void RoadWorks(Canvas& c) {
    const Frame f = WarningBlank(c);
    const PointF head = f(-0.22, -0.5);
    c.FillCircle(head.x, head.y, f.Len(0.15), kBlack);
    Bar(c, f, {{-0.18, -0.32}, {0.02, 0.3}}, 0.2);
    Bar(c, f, {{0.02, 0.3}, {-0.18, 0.62}, {-0.38, 1.0}}, 0.16);
    Bar(c, f, {{0.02, 0.3}, {0.3, 0.62}, {0.3, 1.0}}, 0.16);
    Bar(c, f, {{-0.14, -0.22}, {-0.4, -0.02}, {-0.2, 0.18}}, 0.12);
    Bar(c, f, {{-0.12, -0.2}, {0.18, 0.12}}, 0.12);
    Bar(c, f, {{-0.38, -0.12}, {0.56, 0.66}}, 0.08);
    const PointF blade[] = {{0.48, 0.62}, {0.7, 0.48}, {0.86, 0.7}, {0.66, 0.86}};
    c.FillPolygon(f(blade), kBlack);
    const PointF pile[] = {{0.45, 1.05}, {0.8, 0.82}, {1.18, 1.05}};
    c.FillPolygon(f(pile), kBlack);
}

void TwoWay(Canvas& c) {
    const Frame f = WarningBlank(c);
    SignArrow(c, f, {-0.36, -0.8}, {-0.36, 1.04}, 0.26, kBlack);
    SignArrow(c, f, {0.36, 1.04}, {0.36, -0.8}, 0.26, kBlack);
}

void Merge(Canvas& c, const Frame& f) {
    Bar(c, f, {{0.36, 1.05}, {0.36, -0.9}}, 0.28);
    c.StrokePolyline(f(QuadraticCurve({-0.78, 1.05}, {-0.7, 0.3}, {0.36, -0.12})), f.Len(0.28), kBlack);
}

void MergeLeft(Canvas& c) { Merge(c, WarningBlank(c)); }

void MergeRight(Canvas& c) { Merge(c, WarningBlank(c).Sub(0, 0, 1, 0, true)); }

}  // namespace

std::span<const PictureEntry> WarningPictures() {
    static constexpr PictureEntry kEntries[] = {
        {"curve_left", CurveLeft},
        {"curve_right", CurveRight},
        {"reverse_curve", ReverseCurve},
        {"crossroad", Crossroad},
        {"t_junction", TJunction},
        {"y_junction", YJunction},
        {"roundabout", Roundabout},
        {"narrow_both", NarrowBoth},
        {"narrow_left", NarrowLeft},
        {"narrow_right", NarrowRight},
        {"steep_up", SteepUp},
        {"steep_down", SteepDown},
        {"slippery", Slippery},
        {"children", Children},
        {"pedestrian", Pedestrian},
        {"railway_guarded", RailwayGuarded},
        {"railway_unguarded", RailwayUnguarded},
        {"animals", Animals},
        {"falling_rocks", FallingRocks},
        {"tunnel", Tunnel},
        {"signals", Signals},
        {"road_works", RoadWorks},
        {"two_way", TwoWay},
        {"merge_left", MergeLeft},
        {"merge_right", MergeRight},
    };
    return kEntries;
}
