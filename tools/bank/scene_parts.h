#pragma once
// Pieces of the road scenes: roads, markings, vehicles and people seen from above.
// Headings are degrees as on a compass turned to the screen: 0 to the right, 90 up.
#include <vector>

#include "picture_style.h"

constexpr uint32_t kLearnerRed = Rgb(226, 30, 30);
constexpr uint32_t kCarBlue = Rgb(36, 94, 206);
constexpr uint32_t kCarWhite = Rgb(244, 244, 240);
constexpr uint32_t kCarYellow = Rgb(246, 190, 24);
constexpr uint32_t kCarGreen = Rgb(30, 140, 72);
constexpr uint32_t kGlass = Rgb(36, 44, 58);
constexpr uint32_t kKerb = Rgb(190, 192, 186);
constexpr uint32_t kIntent = Rgb(255, 150, 0);  // arrows that show where a car is going

constexpr double kCarLength = 40;
constexpr double kCarWidth = 20;

void FillAll(Canvas& c, uint32_t colour);
// Straight roads across the whole picture, with a kerb along both edges.
void HorizontalRoad(Canvas& c, double y0, double y1);
void VerticalRoad(Canvas& c, double x0, double x1);
// Marking lines along x or y: solid, or dashed with the given dash and gap.
void HorizontalLine(Canvas& c, double y, double x0, double x1, uint32_t colour, double width = 4, double dash = 0,
                    double gap = 0);
void VerticalLine(Canvas& c, double x, double y0, double y1, uint32_t colour, double width = 4, double dash = 0,
                  double gap = 0);
// A zebra crossing over a vertical road (stripes along the road), or over a horizontal one.
void ZebraAcrossVertical(Canvas& c, double x0, double x1, double y0, double y1);
void ZebraAcrossHorizontal(Canvas& c, double y0, double y1, double x0, double x1);

// A car from above centred on (x, y); `indicator` 1 blinks on the right, -1 on the left, 2 on
// both sides (hazard lights).
void CarTop(Canvas& c, double x, double y, double headingDeg, uint32_t body, int indicator = 0,
            double length = kCarLength, double width = kCarWidth);
void TruckTop(Canvas& c, double x, double y, double headingDeg, uint32_t cab, uint32_t load, double length = 74);
void BusTop(Canvas& c, double x, double y, double headingDeg, uint32_t body);
void AmbulanceTop(Canvas& c, double x, double y, double headingDeg);
void PersonTop(Canvas& c, double x, double y, uint32_t clothes, uint32_t hair = kBlack);
void Tree(Canvas& c, double x, double y, double r);
// Headlight beams ahead of a car (drawn before the car).
void HeadlightBeams(Canvas& c, double x, double y, double headingDeg, double reach, uint32_t colour);
// An arrow showing the way a car is about to take.
void IntentArrow(Canvas& c, std::span<const PointF> path);
// A small roadside warning sign (yellow triangle) on a post, seen from the driver's side.
void RoadsideWarning(Canvas& c, double x, double y, double size);

// The path shifted sideways by `offset` (to the right of the direction of travel when
// positive): lanes and edges of curved roads.
std::vector<PointF> OffsetPath(std::span<const PointF> path, double offset);
// The heading of the path at point i.
double HeadingAt(std::span<const PointF> path, size_t i);
