// A traffic officer's hand signals, and the plain geometric emblems of vehicle makers.
#include <cmath>
#include <numbers>

#include "picture_kinds.h"
#include "pictograms.h"

namespace {

// ---- the officer, seen from the front ----

constexpr uint32_t kUniform = Rgb(38, 58, 108);
constexpr uint32_t kVest = Rgb(196, 232, 40);
constexpr uint32_t kSkin = Rgb(240, 198, 160);
constexpr uint32_t kGlove = kWhite;
constexpr double kShoulderY = 66;
constexpr double kLeftShoulderX = kMidX - 27;   // the officer's right shoulder, on the viewer's left
constexpr double kRightShoulderX = kMidX + 27;  // the officer's left shoulder

struct Pose {
    PointF viewerLeftElbow, viewerLeftHand;
    PointF viewerRightElbow, viewerRightHand;
};

void Arm(Canvas& c, PointF shoulder, PointF elbow, PointF hand) {
    const PointF arm[] = {shoulder, elbow, hand};
    c.StrokePolyline(arm, 13, kUniform);
    c.FillCircle(hand.x, hand.y, 8, kGlove);
}

void Officer(Canvas& c, const Pose& pose) {
    // Legs and shoes.
    c.FillRect(kMidX - 21, 134, kMidX - 3, 198, kUniform);
    c.FillRect(kMidX + 3, 134, kMidX + 21, 198, kUniform);
    c.FillEllipse(kMidX - 14, 200, 12, 6, kBlack);
    c.FillEllipse(kMidX + 14, 200, 12, 6, kBlack);
    // Body with the reflective vest.
    const PointF body[] = {{kMidX - 31, 60}, {kMidX + 31, 60}, {kMidX + 24, 138}, {kMidX - 24, 138}};
    c.FillPolygon(body, kUniform);
    const PointF vest[] = {{kMidX - 25, 68}, {kMidX + 25, 68}, {kMidX + 21, 126}, {kMidX - 21, 126}};
    c.FillPolygon(vest, kVest);
    c.FillRect(kMidX - 23, 96, kMidX + 23, 102, kWhite);
    c.FillRect(kMidX - 3, 68, kMidX + 3, 126, kWhite);
    c.FillRect(kMidX - 24, 132, kMidX + 24, 138, kBlack);
    // Head and cap.
    c.FillRect(kMidX - 6, 48, kMidX + 6, 62, kSkin);
    c.FillCircle(kMidX, 38, 15, kSkin);
    c.FillEllipse(kMidX, 24, 21, 8, kWhite);
    c.FillRect(kMidX - 15, 24, kMidX + 15, 30, kBlack);
    Arm(c, {kLeftShoulderX, kShoulderY}, pose.viewerLeftElbow, pose.viewerLeftHand);
    Arm(c, {kRightShoulderX, kShoulderY}, pose.viewerRightElbow, pose.viewerRightHand);
}

// The motion of a swinging arm: a curved red arrow.
void Swing(Canvas& c, double cx, double cy, double r, double fromDeg, double toDeg) {
    const std::vector<PointF> arc = ArcPoints(cx, cy, r, r, fromDeg, toDeg);
    c.PathArrow(arc, 5, 12, 15, kSignRed);
}

constexpr PointF kHangLeft{kLeftShoulderX - 6, 98}, kHandDownLeft{kLeftShoulderX - 8, 128};
constexpr PointF kHangRight{kRightShoulderX + 6, 98}, kHandDownRight{kRightShoulderX + 8, 128};

void PoliceStop(Canvas& c) {
    // The officer's left arm straight up, palm to the front.
    Officer(c, {kHangLeft, kHandDownLeft, {kRightShoulderX + 4, 36}, {kRightShoulderX + 6, 8}});
}

void PoliceStraight(Canvas& c) {
    // Both arms out to the sides; traffic from the sides is released.
    Officer(c, {{kLeftShoulderX - 34, kShoulderY}, {kLeftShoulderX - 66, kShoulderY}, {kRightShoulderX + 34, kShoulderY},
                {kRightShoulderX + 66, kShoulderY}});
    c.Arrow({20, 100}, {56, 100}, 5, 12, 15, kSignRed);
    c.Arrow({187, 100}, {151, 100}, 5, 12, 15, kSignRed);
}

void PoliceLeftTurn(Canvas& c) {
    // The officer's right arm straight out towards the front, the left arm swinging across.
    Officer(c, {{kLeftShoulderX - 34, kShoulderY}, {kLeftShoulderX - 66, kShoulderY}, {kRightShoulderX + 14, 92},
                {kMidX + 6, 112}});
    Swing(c, kRightShoulderX, kShoulderY, 58, -10, -75);
}

void PoliceRightTurn(Canvas& c) {
    // The officer's left arm straight out, the right arm swinging across.
    Officer(c, {{kLeftShoulderX - 14, 92}, {kMidX - 6, 112}, {kRightShoulderX + 34, kShoulderY},
                {kRightShoulderX + 66, kShoulderY}});
    Swing(c, kLeftShoulderX, kShoulderY, 58, 190, 255);
}

void PoliceSlowDown(Canvas& c) {
    // The officer's right arm out and down, palm down, waving up and down.
    Officer(c, {{kLeftShoulderX - 28, 88}, {kLeftShoulderX - 54, 110}, kHangRight, kHandDownRight});
    c.Arrow({kLeftShoulderX - 70, 98}, {kLeftShoulderX - 70, 76}, 4, 10, 13, kSignRed);
    c.Arrow({kLeftShoulderX - 70, 118}, {kLeftShoulderX - 70, 140}, 4, 10, 13, kSignRed);
}

void PolicePullOver(Canvas& c) {
    // The officer's left arm up, the right arm pointing down to the side of the road and
    // sweeping towards it.
    Officer(c, {{kLeftShoulderX - 26, 92}, {kLeftShoulderX - 50, 116}, {kRightShoulderX + 4, 36}, {kRightShoulderX + 6, 8}});
    Swing(c, kLeftShoulderX, kShoulderY, 66, 240, 200);
}

// ---- emblems ----

constexpr uint32_t kSilver = Rgb(120, 126, 134);
constexpr uint32_t kDarkBlue = Rgb(20, 48, 120);
constexpr uint32_t kGold = Rgb(236, 180, 30);

void Rings4(Canvas& c) {
    for (int i = 0; i < 4; ++i) c.StrokeEllipse(45 + 39 * i, kMidY, 29, 29, 8, kSilver);
}

void Star3(Canvas& c) {
    c.StrokeEllipse(kMidX, kMidY, 82, 82, 9, kSilver);
    std::vector<PointF> star;
    for (int i = 0; i < 6; ++i) {
        const double a = (90 + 60 * i) * std::numbers::pi / 180;
        const double r = i % 2 == 0 ? 80 : 15;
        star.push_back({kMidX + r * std::cos(a), kMidY - r * std::sin(a)});
    }
    c.FillPolygon(star, kSilver);
}

void Diamond3(Canvas& c) {
    for (int i = 0; i < 3; ++i) {
        const Frame f{kMidX, kMidY + 8, 44, 90.0 + 120 * i};
        const PointF diamond[] = {{0, 0}, {0.85, -0.5}, {1.7, 0}, {0.85, 0.5}};
        c.FillPolygon(f(diamond), kSignRed);
    }
}

void Oval(Canvas& c) {
    c.FillEllipse(kMidX, kMidY, 94, 58, kSilver);
    c.FillEllipse(kMidX, kMidY, 87, 51, kDarkBlue);
    c.StrokeEllipse(kMidX, kMidY, 78, 43, 3, kWhite);
}

void DoubleChevron(Canvas& c) {
    c.FillRoundRect(24, 30, 183, 186, 24, kSignRed);
    for (double y : {62.0, 118.0}) {
        const PointF chevron[] = {{44, y + 36}, {kMidX, y}, {163, y + 36}, {163, y + 62}, {kMidX, y + 26}, {44, y + 62}};
        c.FillPolygon(chevron, kSilver);
    }
}

void Wings(Canvas& c) {
    for (double side : {-1.0, 1.0}) {
        for (int i = 0; i < 3; ++i) {
            const double y = kMidY - 18 + 16 * i;
            const double reach = 94 - 16 * i;
            const PointF feather[] = {{kMidX + side * 26, y}, {kMidX + side * reach, y - 6}, {kMidX + side * (reach - 10), y + 8},
                                      {kMidX + side * 26, y + 10}};
            c.FillPolygon(feather, kSilver);
        }
    }
    c.FillCircle(kMidX, kMidY, 34, kSilver);
    c.FillCircle(kMidX, kMidY, 26, kDarkBlue);
}

void Shield(Canvas& c) {
    std::vector<PointF> outline{{40, 28}, {167, 28}, {167, 100}};
    AppendPath(outline, QuadraticCurve({167, 100}, {165, 160}, {kMidX, 196}));
    AppendPath(outline, QuadraticCurve({kMidX, 196}, {42, 160}, {40, 100}));
    c.FillPolygon(outline, kSilver);
    std::vector<PointF> inside;
    for (const PointF& p : outline) inside.push_back({kMidX + (p.x - kMidX) * 0.88, 112 + (p.y - 112) * 0.9});
    c.FillPolygon(inside, Rgb(150, 24, 32));
    c.FillRect(kMidX - 7, 40, kMidX + 7, 182, kSilver);
    c.FillRect(52, 86, 155, 100, kSilver);
}

void RingCross(Canvas& c) {
    c.FillCircle(kMidX, kMidY, 92, kSilver);
    c.FillCircle(kMidX, kMidY, 86, kBlack);
    c.FillCircle(kMidX, kMidY, 58, kSilver);
    const double r = 54;
    for (int q = 0; q < 4; ++q) {
        std::vector<PointF> quarter{{kMidX, kMidY}};
        AppendPath(quarter, ArcPoints(kMidX, kMidY, r, r, 90.0 * q, 90.0 * (q + 1)));
        c.FillPolygon(quarter, q % 2 == 0 ? kWhite : kSignBlue);
    }
}

void FiveStar(Canvas& c) {
    c.FillCircle(kMidX, kMidY, 90, kSignRed);
    c.FillPolygon(StarPoints(kMidX, kMidY + 6, 78, 30, 5, 90), kGold);
}

void Triangle3(Canvas& c) {
    // Three triangles in a row, each overlapping the next like links of a chain.
    for (int i = 0; i < 3; ++i) {
        const std::vector<PointF> t = RegularPolygon(kMidX + 46 * (i - 1), kMidY + 12, 52, 3, i == 1 ? -90 : 90);
        c.StrokePolyline(t, 8, i == 1 ? kSignRed : kSilver, true);
    }
}

}  // namespace

std::span<const PictureEntry> PolicePictures() {
    static constexpr PictureEntry kEntries[] = {
        {"stop", PoliceStop},         {"straight", PoliceStraight},   {"left_turn", PoliceLeftTurn},
        {"right_turn", PoliceRightTurn}, {"slow_down", PoliceSlowDown}, {"pull_over", PolicePullOver},
    };
    return kEntries;
}

std::span<const PictureEntry> BadgePictures() {
    static constexpr PictureEntry kEntries[] = {
        {"rings4", Rings4},   {"star3", Star3},   {"diamond3", Diamond3},   {"oval", Oval},
        {"double_chevron", DoubleChevron}, {"wings", Wings}, {"shield", Shield}, {"ring_cross", RingCross},
        {"five_star", FiveStar}, {"triangle3", Triangle3},
    };
    return kEntries;
}
