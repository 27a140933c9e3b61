#pragma once
// The trainer's own pictures, carried in its resources: the option badges of the question
// card, the decoration above every drill window's key list, the main window's banner, the
// chapter tree's icons and the program icon. Each is drawn the same, pixel for pixel, every time.
#include "art/art_canvas.h"
#include "base/bitmap32.h"

constexpr int kBadgeSize = 28;
constexpr int kDecoWidth = 221;
constexpr int kDecoHeight = 225;
constexpr int kBannerWidth = 480;
constexpr int kBannerHeight = 300;
constexpr int kTreeIconSize = 16;
constexpr int kTreeIconCount = 3;

// The tree icons' background: the image list takes this colour as its mask.
constexpr uint32_t kTreeIconMask = 0xFFFFFF;
// The question card's colour, behind the badges.
constexpr uint32_t kCardWhite = 0xFFFFFF;

// The badge in front of option A, B or C: the answer digit 1, 2 or 3 on a blue disc.
// Another digit throws std::invalid_argument.
Bitmap32 PaintBadge(int digit);

// A steering wheel over a road to the horizon, a traffic light, a blue sky.
Bitmap32 PaintDeco();

// A road in perspective with signs at its side and a car ahead; no lettering.
Bitmap32 PaintBanner();

// Three icons side by side on the mask colour: a window with a blue arrow, a yellow folder,
// a blue pointer.
Bitmap32 PaintTreeIcons();

// The program icon at size × size (a white steering wheel on a green disc), with coverage
// in its alpha. Sizes from 16 to 256; another throws std::invalid_argument.
RgbaImage PaintProgramIcon(int size);
