#pragma once
// Colours and recurring shapes of the sample bank's pictures. A picture keeps to a few flat
// colours, so that it is stored exactly even at 4 bits per pixel.
#include <span>
#include <string_view>

#include "raster.h"

constexpr int kPictureWidth = 207;
constexpr int kPictureHeight = 216;
constexpr double kMidX = kPictureWidth / 2.0;
constexpr double kMidY = kPictureHeight / 2.0;

constexpr uint32_t kBackground = Rgb(230, 236, 240);  // the light ground behind a sign
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kBlack = Rgb(22, 22, 22);
constexpr uint32_t kSignRed = Rgb(214, 30, 38);
constexpr uint32_t kSignYellow = Rgb(250, 200, 0);
constexpr uint32_t kSignBlue = Rgb(0, 82, 164);
constexpr uint32_t kSignGreen = Rgb(0, 124, 78);
constexpr uint32_t kSignOrange = Rgb(242, 120, 30);
constexpr uint32_t kSignBrown = Rgb(122, 72, 38);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kLightGrey = Rgb(196, 198, 200);
constexpr uint32_t kDarkGrey = Rgb(60, 62, 66);
constexpr uint32_t kAsphalt = Rgb(92, 96, 100);
constexpr uint32_t kGrass = Rgb(112, 166, 80);
constexpr uint32_t kMarkingYellow = Rgb(245, 190, 20);
constexpr uint32_t kLampPanel = Rgb(26, 28, 34);
constexpr uint32_t kLampRed = Rgb(238, 40, 36);
constexpr uint32_t kLampAmber = Rgb(255, 168, 0);
constexpr uint32_t kLampGreen = Rgb(40, 205, 80);
constexpr uint32_t kLampBlue = Rgb(46, 120, 255);

// One drawable picture: its name within its kind, how to draw it, and its size.
struct PictureEntry {
    std::string_view key;
    void (*paint)(Canvas&);
    int width = kPictureWidth;
    int height = kPictureHeight;
};

// ---- sign blanks, drawn centred on the default canvas ----

// White disc and red ring; returns the radius inside the ring.
double ProhibitionBlank(Canvas& c, uint32_t inside = kWhite);
// The red bar from upper left to lower right across a prohibition sign.
void ProhibitionBar(Canvas& c);
// Blue disc with a thin white rim; returns the radius of the blue face.
double MandatoryBlank(Canvas& c);
// Yellow triangle, black border, apex up; returns the frame of its pictogram area (units of
// about ±1 fit inside the yellow face).
Frame WarningBlank(Canvas& c);
// A rectangular panel with rounded corners and a white rim line.
void PanelBlank(Canvas& c, double x0, double y0, double x1, double y1, uint32_t face, uint32_t rim);

// A convex polygon grown by a radius: the shape with rounded corners.
std::vector<PointF> GrowConvex(std::span<const PointF> polygon, double radius);
