#pragma once
// The steering wheel that the decoration and the program icon share.
#include <cstdint>

#include "art/art_canvas.h"

struct WheelColours {
    uint32_t rim = 0;
    uint32_t rimLight = 0;  // the sheen along the top of the rim
    uint32_t spoke = 0;
    uint32_t hub = 0;
    uint32_t emblem = 0;    // the ring on the hub
};

// Proportions, as shares of the wheel's radius.
struct WheelShape {
    double rim = 0.24;    // the rim's width
    double hub = 0.3;     // the hub's radius
    double spoke = 0.17;  // half a side spoke's width where it leaves the hub
};

// A three-spoke wheel of outer radius r centred on (cx, cy), seen straight on. `detailed`
// adds the rim's sheen and grip marks, which only show at sizes above an icon's.
void DrawSteeringWheel(ArtCanvas& c, double cx, double cy, double r, const WheelColours& colours, bool detailed,
                       const WheelShape& shape = {});
