#include <algorithm>
#include <stdexcept>
#include <string>

#include "art/art_pictures.h"
#include "art/steering_wheel.h"

namespace {

// Never part of the drawing: what is left of it is the icon's transparent surround.
constexpr uint32_t kClear = Rgb(255, 0, 255);

constexpr uint32_t kDiscEdge = Rgb(18, 98, 44);
constexpr uint32_t kDiscTop = Rgb(104, 200, 98);
constexpr uint32_t kDiscBottom = Rgb(26, 138, 62);
constexpr uint32_t kWheel = Rgb(252, 252, 250);
constexpr uint32_t kHubMark = Rgb(40, 150, 70);

}  // namespace

RgbaImage PaintProgramIcon(int size) {
    if (size < 16 || size > 256) throw std::invalid_argument("no program icon of " + std::to_string(size) + " pixels");
    // Small icons get more samples per pixel so that their few pixels blend evenly.
    const int factor = size <= 32 ? 16 : 4;
    ArtCanvas c(size, size, factor, kClear);
    const double mid = size / 2.0;
    const double disc = mid - size / 64.0;
    c.FillCircle(mid, mid, disc, kDiscEdge);
    const double edge = std::max(1.0, size / 24.0);
    c.FillCircleShaded(mid, mid, disc - edge, kDiscTop, kDiscBottom);

    // The wheel fills most of the disc; at 16 pixels its spokes and hub are slimmed so that the
    // openings between them still show.
    const WheelColours colours{kWheel, kWheel, kWheel, kWheel, kHubMark};
    if (size <= 16) {
        DrawSteeringWheel(c, mid, mid, 6.2, colours, false, WheelShape{0.27, 0.2, 0.09});
    } else {
        DrawSteeringWheel(c, mid, mid, disc * 0.76, colours, false);
    }
    return c.FinishKeyed(kClear);
}
