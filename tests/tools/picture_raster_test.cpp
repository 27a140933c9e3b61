#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "bank/picture_style.h"
#include "bank/raster.h"
#include "bank/stroke_font.h"

namespace {

constexpr uint32_t kPaper = 0x000000;
constexpr uint32_t kInk = 0xFFFFFF;

int Count(const Canvas& c, uint32_t colour = kInk) {
    int n = 0;
    for (uint32_t p : c.Image().pixels) n += p == colour ? 1 : 0;
    return n;
}

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // inclusive
};

Box InkBox(const Canvas& c) {
    Box b;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Pixel(x, y) == kInk) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

double Area(const std::vector<PointF>& polygon) {
    double twice = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const PointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2;
}

}  // namespace

TEST(Raster, RectanglesCoverThePixelsWhoseCentresTheyContain) {
    Canvas c(12, 12, kPaper);
    c.FillRect(2, 3, 5, 7, kInk);
    EXPECT_EQ(Count(c), 3 * 4);
    const Box b = InkBox(c);
    EXPECT_EQ(b.x0, 2);
    EXPECT_EQ(b.x1, 4);
    EXPECT_EQ(b.y0, 3);
    EXPECT_EQ(b.y1, 6);
    // Pixel centres decide: 2.6 to 5.6 takes the columns centred at 3.5, 4.5 and 5.5.
    Canvas d(12, 12, kPaper);
    d.FillRect(2.6, 0, 5.6, 1, kInk);
    EXPECT_EQ(Count(d), 3);
    EXPECT_EQ(d.Pixel(3, 0), kInk);
    EXPECT_EQ(d.Pixel(5, 0), kInk);
}

TEST(Raster, CirclesEllipsesAndRingsHaveTheirArea) {
    Canvas c(100, 100, kPaper);
    c.FillCircle(50, 50, 30, kInk);
    EXPECT_NEAR(Count(c), std::numbers::pi * 900, 0.02 * std::numbers::pi * 900);
    const Box b = InkBox(c);
    EXPECT_EQ(b.x1 - b.x0, b.y1 - b.y0) << "round, not oval";
    EXPECT_EQ(b.x0 + b.x1, 99) << "centred";

    Canvas e(100, 100, kPaper);
    e.FillEllipse(50, 50, 40, 10, kInk);
    EXPECT_NEAR(Count(e), std::numbers::pi * 400, 0.04 * std::numbers::pi * 400);
    EXPECT_GT(InkBox(e).x1 - InkBox(e).x0, 3 * (InkBox(e).y1 - InkBox(e).y0));

    Canvas r(100, 100, kPaper);
    r.FillRing(50, 50, 40, 30, kInk);
    EXPECT_EQ(r.Pixel(50, 50), kPaper);
    EXPECT_EQ(r.Pixel(50, 15), kInk);
    EXPECT_EQ(r.Pixel(50, 5), kPaper);
    EXPECT_NEAR(Count(r), std::numbers::pi * (1600 - 900), 0.03 * std::numbers::pi * 700);
}

TEST(Raster, FillRulesDifferOnlyWhereContoursOverlap) {
    // A pentagram: its middle is wound twice, so the non-zero rule fills it and even-odd not.
    const std::vector<PointF> star = RegularPolygon(50, 50, 45, 5, 90);
    const std::vector<PointF> pentagram = {star[0], star[2], star[4], star[1], star[3]};
    Canvas nonZero(100, 100, kPaper), evenOdd(100, 100, kPaper);
    nonZero.FillPolygon(pentagram, kInk, FillRule::NonZero);
    evenOdd.FillPolygon(pentagram, kInk, FillRule::EvenOdd);
    EXPECT_EQ(nonZero.Pixel(50, 50), kInk);
    EXPECT_EQ(evenOdd.Pixel(50, 50), kPaper);
    EXPECT_EQ(nonZero.Pixel(50, 10), kInk);  // a point of the star: both rules
    EXPECT_EQ(evenOdd.Pixel(50, 10), kInk);

    // A square with a square hole.
    Canvas holed(40, 40, kPaper);
    holed.FillContours({{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{10, 10}, {30, 10}, {30, 30}, {10, 30}}}, kInk, FillRule::EvenOdd);
    EXPECT_EQ(Count(holed), 1600 - 400);
    EXPECT_EQ(holed.Pixel(20, 20), kPaper);
}

TEST(Raster, ShapesOutsideTheCanvasAreClippedNotWrapped) {
    Canvas c(10, 10, kPaper);
    c.StrokeLine({-50, -50}, {500, 500}, 1, kInk);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(c.Pixel(i, i), kInk);
    EXPECT_EQ(Count(c), 10) << "only along the diagonal";
    c.FillCircle(5, -1000, 20, kInk);
    c.FillRect(-1e9, 20, 1e9, 30, kInk);
    c.FillPolygon(std::vector<PointF>{{-1e6, -1e6}, {-1e6 + 1, -1e6}, {-1e6, -1e6 + 1}}, kInk);
    c.FillEllipse(1e12, 1e12, 5, 5, kInk);
    c.StrokeLine({-1e9, 2.5}, {1e9, 2.5}, 1, kInk);  // one whole row, nothing else
    EXPECT_EQ(Count(c), 10 + 9);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(c.Pixel(x, 2), kInk);
    Canvas all(8, 8, kPaper);
    all.FillCircle(4, 4, 1e7, kInk);
    EXPECT_EQ(Count(all), 64);
}

TEST(Raster, LinesAndArrowsHaveTheirWidthAndEnds) {
    Canvas c(60, 30, kPaper);
    c.StrokeLine({10, 15}, {50, 15}, 6, kInk);
    int column = 0;
    for (int y = 0; y < 30; ++y) column += c.Pixel(30, y) == kInk ? 1 : 0;
    EXPECT_EQ(column, 6);
    EXPECT_EQ(c.Pixel(7, 15), kInk) << "round end";
    EXPECT_EQ(c.Pixel(5, 15), kPaper);

    Canvas a(100, 40, kPaper);
    a.Arrow({10, 20}, {90, 20}, 6, 20, 24, kInk);
    EXPECT_EQ(a.Pixel(88, 20), kInk) << "near the tip";
    EXPECT_EQ(a.Pixel(92, 20), kPaper) << "nothing beyond the tip";
    int head = 0, shaft = 0;
    for (int y = 0; y < 40; ++y) {
        head += a.Pixel(72, y) == kInk ? 1 : 0;
        shaft += a.Pixel(40, y) == kInk ? 1 : 0;
    }
    EXPECT_EQ(shaft, 6);
    EXPECT_GT(head, 3 * shaft);

    // A bent arrow ends in a head pointing along its last stretch.
    Canvas bent(60, 60, kPaper);
    const PointF path[] = {{40, 55}, {40, 20}, {5, 20}};
    bent.PathArrow(path, 6, 12, 16, kInk);
    EXPECT_EQ(bent.Pixel(40, 50), kInk);
    EXPECT_EQ(bent.Pixel(8, 20), kInk);
    EXPECT_EQ(bent.Pixel(13, 15), kInk) << "head spreads across the last stretch";
    EXPECT_EQ(bent.Pixel(40, 8), kPaper);
}

TEST(Raster, FramesPlaceRotateMirrorAndNest) {
    const Frame f{100, 50, 10, 90};
    const PointF right = f(1, 0);  // a quarter turn counterclockwise: right becomes up
    EXPECT_NEAR(right.x, 100, 1e-9);
    EXPECT_NEAR(right.y, 40, 1e-9);
    const Frame m{0, 0, 1, 0, true};
    EXPECT_NEAR(m(3, 4).x, -3, 1e-9);
    EXPECT_NEAR(m(3, 4).y, 4, 1e-9);

    // A nested frame is the same as placing the point in the inner frame's units by hand,
    // mirrored or not.
    for (bool outerMirror : {false, true}) {
        for (bool innerMirror : {false, true}) {
            const Frame outer{20, 30, 2, 30, outerMirror};
            const Frame inner = outer.Sub(1.5, -0.5, 0.5, 60, innerMirror);
            for (const PointF p : {PointF{1, 0}, PointF{0, 1}, PointF{0.3, -2}}) {
                const double a = 60 * std::numbers::pi / 180;
                const double u = innerMirror ? -p.x : p.x;
                const PointF local{1.5 + 0.5 * (u * std::cos(a) + p.y * std::sin(a)), -0.5 + 0.5 * (-u * std::sin(a) + p.y * std::cos(a))};
                const PointF expected = outer(local), actual = inner(p);
                EXPECT_NEAR(actual.x, expected.x, 1e-9) << outerMirror << innerMirror;
                EXPECT_NEAR(actual.y, expected.y, 1e-9) << outerMirror << innerMirror;
            }
        }
    }
}

TEST(Raster, GeometryHelpers) {
    // Clipping a square by a triangle leaves the part inside the triangle, whatever the
    // triangle's winding.
    const std::vector<PointF> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    std::vector<PointF> triangle = {{0, 0}, {20, 0}, {0, 20}};
    EXPECT_NEAR(Area(ClipToConvex(square, triangle)), 100, 1e-9);
    triangle = {{0, 0}, {0, 20}, {20, 0}};
    EXPECT_NEAR(Area(ClipToConvex(square, triangle)), 100, 1e-9);
    triangle = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_NEAR(Area(ClipToConvex(square, triangle)), 50, 1e-9);
    EXPECT_TRUE(ClipToConvex(square, std::vector<PointF>{{20, 20}, {30, 20}, {20, 30}}).empty());

    // Growing a polygon by a radius rounds its corners and moves each side out by it.
    const std::vector<PointF> grown = GrowConvex(square, 3);
    double minX = 1e9, maxX = -1e9;
    for (const PointF& p : grown) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    EXPECT_NEAR(minX, -3, 1e-9);
    EXPECT_NEAR(maxX, 13, 1e-9);
    EXPECT_NEAR(Area(grown), 100 + 4 * 30 + std::numbers::pi * 9, 1.0);

    const std::vector<PointF> arc = ArcPoints(0, 0, 10, 10, 0, 90);
    EXPECT_NEAR(arc.front().x, 10, 1e-9);
    EXPECT_NEAR(arc.back().y, -10, 1e-9) << "90 degrees is up on screen";
    const std::vector<PointF> curve = CubicCurve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    EXPECT_NEAR(curve.back().x, 10, 1e-9);
    EXPECT_NEAR(curve[curve.size() / 2].y, 7.5, 1e-9);
}

TEST(StrokeFont, DrawsTheCharactersOfSignsAndRefusesOthers) {
    for (char ch : std::string("0123456789.!mtkABEIPSTUX ")) EXPECT_TRUE(FontHasGlyph(ch)) << ch;
    for (char ch : std::string("abcZ?,%-")) EXPECT_FALSE(FontHasGlyph(ch)) << ch;
    Canvas c(100, 100, kPaper);
    EXPECT_THROW(DrawText(c, "5?", 50, 50, 20, 3, kInk), std::invalid_argument);

    EXPECT_GT(TextWidth("120", 40), TextWidth("60", 40));
    EXPECT_LT(TextWidth("1", 40), TextWidth("8", 40));
    EXPECT_NEAR(TextWidth("88", 80), 2 * TextWidth("88", 40), 1e-9);

    // Every digit paints inside its box and differs from every other digit.
    std::vector<std::vector<uint32_t>> digits;
    for (char ch = '0'; ch <= '9'; ++ch) {
        Canvas d(60, 60, kPaper);
        DrawText(d, std::string(1, ch), 30, 30, 40, 4, kInk);
        const Box b = InkBox(d);
        EXPECT_GE(b.y0, 30 - 20 - 3) << ch;
        EXPECT_LE(b.y1, 30 + 20 + 3) << ch;
        EXPECT_GT(Count(d), 60) << ch;
        for (const auto& other : digits) EXPECT_NE(d.Image().pixels, other) << ch;
        digits.push_back(d.Image().pixels);
    }

    // Shrunk to fit: the ink stays within the allowed width around the centre.
    Canvas wide(200, 60, kPaper);
    DrawTextFit(wide, "3.5m", 100, 30, 50, 8, 60, kInk);
    const Box b = InkBox(wide);
    EXPECT_GE(b.x0, 100 - 31);
    EXPECT_LE(b.x1, 100 + 31);
    EXPECT_GT(b.x1 - b.x0, 45);
}
