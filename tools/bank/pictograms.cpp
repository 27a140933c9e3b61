#include "pictograms.h"

namespace {

void Poly(Canvas& c, const Frame& f, std::initializer_list<PointF> points, uint32_t colour) {
    c.FillPolygon(f(points), colour);
}

void Rect(Canvas& c, const Frame& f, double u0, double v0, double u1, double v1, uint32_t colour) {
    Poly(c, f, {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}, colour);
}

void Disc(Canvas& c, const Frame& f, double u, double v, double r, uint32_t colour) {
    const PointF p = f(u, v);
    c.FillCircle(p.x, p.y, f.Len(r), colour);
}

void Line(Canvas& c, const Frame& f, PointF a, PointF b, double width, uint32_t colour) {
    c.StrokeLine(f(a), f(b), f.Len(width), colour);
}

void Path(Canvas& c, const Frame& f, std::initializer_list<PointF> points, double width, uint32_t colour) {
    c.StrokePolyline(f(points), f.Len(width), colour);
}

void Wheel(Canvas& c, const Frame& f, double u, double v, double r, uint32_t ink, uint32_t paper) {
    // The arch is cut out of the body above the wheel only, so that nothing below the car is
    // painted over.
    c.FillPolygon(f(ArcPoints(u, v, r + 0.07, r + 0.07, 0, 180)), paper);
    Disc(c, f, u, v, r, ink);
    Disc(c, f, u, v, r * 0.35, paper);
}

}  // namespace

void CarSide(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper) {
    Poly(c, f, {{-1.0, 0.12}, {-1.0, -0.08}, {-0.9, -0.14}, {-0.52, -0.18}, {-0.3, -0.46}, {0.3, -0.46},
                {0.56, -0.18}, {0.92, -0.12}, {1.0, -0.04}, {1.0, 0.12}}, ink);
    Poly(c, f, {{-0.22, -0.39}, {0.0, -0.39}, {0.0, -0.21}, {-0.4, -0.21}}, paper);
    Poly(c, f, {{0.07, -0.39}, {0.26, -0.39}, {0.45, -0.21}, {0.07, -0.21}}, paper);
    Wheel(c, f, -0.56, 0.14, 0.2, ink, paper);
    Wheel(c, f, 0.58, 0.14, 0.2, ink, paper);
}

void CarRear(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper) {
    Poly(c, f, {{-0.6, -0.1}, {-0.45, -0.55}, {0.45, -0.55}, {0.6, -0.1}}, ink);
    c.FillPolygon(f(RoundRectPoints(-0.8, -0.14, 0.8, 0.42, 0.12)), ink);
    Poly(c, f, {{-0.47, -0.18}, {-0.36, -0.47}, {0.36, -0.47}, {0.47, -0.18}}, paper);
    Rect(c, f, -0.7, 0.0, -0.44, 0.12, paper);
    Rect(c, f, 0.44, 0.0, 0.7, 0.12, paper);
    Rect(c, f, -0.2, 0.2, 0.2, 0.31, paper);
    Rect(c, f, -0.78, 0.4, -0.5, 0.64, ink);
    Rect(c, f, 0.5, 0.4, 0.78, 0.64, ink);
}

void TruckSide(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper) {
    Rect(c, f, -1.0, -0.6, 0.3, 0.18, ink);
    Poly(c, f, {{0.38, 0.18}, {0.38, -0.4}, {0.72, -0.4}, {0.98, -0.1}, {1.0, 0.18}}, ink);
    Poly(c, f, {{0.48, -0.32}, {0.69, -0.32}, {0.86, -0.12}, {0.48, -0.12}}, paper);
    Rect(c, f, -1.0, 0.14, 1.0, 0.27, ink);
    for (double u : {-0.7, -0.3, 0.7}) Wheel(c, f, u, 0.32, 0.17, ink, paper);
}

void Bicycle(Canvas& c, const Frame& f, uint32_t ink) {
    const double w = 0.085;
    for (double u : {-0.55, 0.55}) {
        const PointF p = f(u, 0.28);
        c.StrokeEllipse(p.x, p.y, f.Len(0.36), f.Len(0.36), f.Len(w), ink);
    }
    const PointF rear{-0.55, 0.28}, crank{-0.05, 0.28}, seat{-0.22, -0.2}, head{0.38, -0.2}, front{0.55, 0.28};
    Path(c, f, {rear, crank, seat, rear}, w, ink);
    Path(c, f, {seat, head, crank}, w, ink);
    Path(c, f, {head, front}, w, ink);
    Path(c, f, {head, {0.3, -0.42}, {0.5, -0.44}}, w, ink);
    Line(c, f, {-0.36, -0.29}, {-0.08, -0.29}, 0.1, ink);
    Line(c, f, {-0.13, 0.38}, {0.03, 0.18}, 0.07, ink);
}

void Walker(Canvas& c, const Frame& f, uint32_t ink) {
    const double w = 0.2;
    Disc(c, f, 0.1, -0.8, 0.17, ink);
    Line(c, f, {0.04, -0.58}, {-0.05, 0.05}, 0.24, ink);
    Path(c, f, {{0.03, -0.48}, {0.22, -0.22}, {0.42, -0.1}}, w, ink);
    Path(c, f, {{0.0, -0.48}, {-0.2, -0.22}, {-0.36, -0.02}}, w, ink);
    Path(c, f, {{-0.05, 0.05}, {0.18, 0.42}, {0.36, 0.86}}, w, ink);
    Path(c, f, {{-0.05, 0.05}, {-0.16, 0.45}, {-0.44, 0.82}}, w, ink);
}

void Horn(Canvas& c, const Frame& f, uint32_t ink) {
    Poly(c, f, {{-0.85, -0.1}, {-0.15, -0.1}, {0.62, -0.5}, {0.62, 0.5}, {-0.15, 0.1}, {-0.85, 0.1}}, ink);
    Rect(c, f, -0.98, -0.2, -0.84, 0.2, ink);
    Rect(c, f, 0.58, -0.56, 0.72, 0.56, ink);
}

void SoundWaves(Canvas& c, const Frame& f, uint32_t ink) {
    for (double r : {0.24, 0.46}) {
        const std::vector<PointF> arc = ArcPoints(0.8, 0, r, r, -45, 45);
        c.StrokePolyline(f(arc), f.Len(0.11), ink);
    }
}

void Locomotive(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper) {
    Rect(c, f, -0.75, -0.32, 0.3, 0.14, ink);
    Rect(c, f, 0.3, -0.64, 0.95, 0.14, ink);
    Rect(c, f, 0.24, -0.74, 1.0, -0.62, ink);
    Rect(c, f, 0.45, -0.52, 0.8, -0.3, paper);
    Poly(c, f, {{-0.62, -0.3}, {-0.62, -0.58}, {-0.72, -0.7}, {-0.38, -0.7}, {-0.48, -0.58}, {-0.48, -0.3}}, ink);
    Disc(c, f, -0.1, -0.32, 0.13, ink);
    Rect(c, f, -0.9, 0.12, 1.0, 0.22, ink);
    Poly(c, f, {{-0.88, 0.12}, {-1.0, 0.42}, {-0.7, 0.42}, {-0.7, 0.12}}, ink);
    for (double u : {-0.45, -0.05, 0.35, 0.72}) {
        Disc(c, f, u, 0.36, 0.17, ink);
        Disc(c, f, u, 0.36, 0.05, paper);
    }
    Disc(c, f, -0.55, -0.88, 0.1, ink);
    Disc(c, f, -0.36, -0.95, 0.08, ink);
}

void Fence(Canvas& c, const Frame& f, uint32_t ink) {
    Rect(c, f, -0.95, -0.22, 0.95, -0.08, ink);
    Rect(c, f, -0.95, 0.28, 0.95, 0.42, ink);
    for (double u : {-0.8, -0.4, 0.0, 0.4, 0.8}) {
        Poly(c, f, {{u - 0.08, 0.72}, {u - 0.08, -0.56}, {u, -0.72}, {u + 0.08, -0.56}, {u + 0.08, 0.72}}, ink);
    }
}

void Cow(Canvas& c, const Frame& f, uint32_t ink) {
    Poly(c, f, {{-0.75, -0.3}, {0.45, -0.32}, {0.56, -0.1}, {0.5, 0.16}, {-0.7, 0.16}, {-0.82, -0.05}}, ink);
    Rect(c, f, -0.68, 0.1, -0.54, 0.66, ink);
    Rect(c, f, -0.46, 0.1, -0.32, 0.66, ink);
    Rect(c, f, 0.24, 0.1, 0.38, 0.66, ink);
    Rect(c, f, 0.42, 0.06, 0.54, 0.66, ink);
    Poly(c, f, {{0.38, -0.3}, {0.62, -0.46}, {0.9, -0.4}, {0.98, -0.18}, {0.86, -0.07}, {0.64, -0.12}, {0.5, -0.02}}, ink);
    Line(c, f, {0.66, -0.45}, {0.6, -0.62}, 0.06, ink);
    Line(c, f, {0.76, -0.44}, {0.84, -0.6}, 0.06, ink);
    Path(c, f, {{-0.78, -0.25}, {-0.9, 0.05}, {-0.9, 0.3}}, 0.06, ink);
}

void TrafficCone(Canvas& c, const Frame& f, uint32_t ink, uint32_t band) {
    const auto half = [](double v) { return 0.12 + 0.33 * (v + 0.9) / 1.6; };
    Poly(c, f, {{-0.12, -0.9}, {0.12, -0.9}, {0.45, 0.7}, {-0.45, 0.7}}, ink);
    Rect(c, f, -0.66, 0.68, 0.66, 0.86, ink);
    for (double v0 : {-0.45, 0.08}) {
        const double v1 = v0 + 0.22;
        Poly(c, f, {{-half(v0), v0}, {half(v0), v0}, {half(v1), v1}, {-half(v1), v1}}, band);
    }
}

void FuelPump(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper) {
    Rect(c, f, -0.55, -0.8, 0.25, 0.82, ink);
    Rect(c, f, -0.4, -0.65, 0.1, -0.25, paper);
    Path(c, f, {{0.25, -0.45}, {0.55, -0.3}, {0.55, 0.45}, {0.72, 0.45}, {0.74, -0.55}}, 0.09, ink);
    Rect(c, f, -0.72, 0.8, 0.42, 0.96, ink);
}

void KnifeAndFork(Canvas& c, const Frame& f, uint32_t ink) {
    Line(c, f, {-0.35, 0.9}, {-0.35, -0.12}, 0.15, ink);
    Rect(c, f, -0.56, -0.28, -0.14, -0.1, ink);
    for (double u : {-0.52, -0.35, -0.18}) Line(c, f, {u, -0.2}, {u, -0.88}, 0.075, ink);
    Poly(c, f, {{0.27, -0.08}, {0.27, -0.88}, {0.46, -0.7}, {0.46, -0.08}}, ink);
    Line(c, f, {0.36, -0.1}, {0.36, 0.9}, 0.16, ink);
}

void SeatedPerson(Canvas& c, const Frame& f, uint32_t ink) {
    Disc(c, f, -0.12, -0.72, 0.19, ink);
    Line(c, f, {0.0, -0.45}, {0.14, 0.14}, 0.24, ink);
    Path(c, f, {{0.14, 0.14}, {-0.45, 0.2}, {-0.5, 0.75}}, 0.18, ink);
    Path(c, f, {{0.02, -0.32}, {-0.28, -0.06}, {-0.55, -0.16}}, 0.13, ink);
    Path(c, f, {{0.42, -0.62}, {0.34, 0.3}, {-0.28, 0.36}}, 0.1, ink);
}

void SignArrow(Canvas& c, const Frame& f, PointF from, PointF to, double shaft, uint32_t ink) {
    const PointF path[] = {from, to};
    SignPathArrow(c, f, path, shaft, ink);
}

void SignPathArrow(Canvas& c, const Frame& f, std::span<const PointF> path, double shaft, uint32_t ink) {
    c.PathArrow(f(path), f.Len(shaft), f.Len(shaft * 2.0), f.Len(shaft * 2.5), ink);
}

void TurnArrow(Canvas& c, const Frame& f, double shaft, uint32_t ink) {
    std::vector<PointF> path{{0.3, 0.95}, {0.3, -0.05}};
    AppendPath(path, ArcPoints(-0.15, -0.05, 0.45, 0.45, 0, 90));
    path.push_back({-0.95, -0.5});
    SignPathArrow(c, f, path, shaft, ink);
}

void UTurnArrow(Canvas& c, const Frame& f, double shaft, uint32_t ink) {
    std::vector<PointF> path{{0.38, 0.95}, {0.38, -0.2}};
    AppendPath(path, ArcPoints(0, -0.2, 0.38, 0.38, 0, 180));
    path.push_back({-0.38, 0.5});
    SignPathArrow(c, f, path, shaft, ink);
}

void RoundaboutArrows(Canvas& c, const Frame& f, double shaft, uint32_t ink) {
    for (double start : {30.0, 150.0, 270.0}) {
        const std::vector<PointF> arc = ArcPoints(0, 0, 0.64, 0.64, start, start + 84);
        SignPathArrow(c, f, arc, shaft, ink);
    }
}
