#include <stdexcept>
#include <string>

#include "art/art_pictures.h"

namespace {

constexpr int kFactor = 8;
constexpr double kCentre = kBadgeSize / 2.0;

constexpr uint32_t kShadow = Rgb(218, 226, 236);
constexpr uint32_t kEdge = Rgb(22, 72, 150);
constexpr uint32_t kRim = Rgb(214, 230, 249);
constexpr uint32_t kFaceTop = Rgb(78, 148, 232);
constexpr uint32_t kFaceBottom = Rgb(20, 86, 188);
constexpr uint32_t kGloss = Rgb(112, 170, 240);
// A hair off the card's white: the card's white around the disc is what a transparent
// picture leaves out, and the digit must not be left out with it.
constexpr uint32_t kDigit = Rgb(254, 254, 254);

}  // namespace

Bitmap32 PaintBadge(int digit) {
    if (digit < 1 || digit > 3) throw std::invalid_argument("there is no option badge " + std::to_string(digit));
    ArtCanvas c(kBadgeSize, kBadgeSize, kFactor, kCardWhite);
    // A faint shadow below lifts the badge off the white card without a hard outline.
    c.FillCircle(kCentre, kCentre + 0.9, 13.0, kShadow);
    c.FillCircle(kCentre, kCentre, 12.8, kEdge);
    c.FillCircle(kCentre, kCentre, 11.9, kRim);
    c.FillCircleShaded(kCentre, kCentre, 10.2, kFaceTop, kFaceBottom);
    // A soft lighter cap on the upper half of the face, as on enamel buttons.
    c.FillEllipse(kCentre, kCentre - 4.6, 7.0, 4.2, MixRgb(kFaceTop, kGloss, 0.55));
    c.FillCircleShaded(kCentre, kCentre + 1.2, 9.0, MixRgb(kFaceTop, kFaceBottom, 0.25), kFaceBottom);

    // The stroke font's "1" has its stem right of its box's middle; move it back so that it
    // looks centred like the other two.
    const double shift = digit == 1 ? -0.8 : 0.0;
    c.Text(std::to_string(digit), kCentre + shift, kCentre, 11.6, 2.7, kDigit);
    return c.Finish();
}
