#include "skin/scroll_bar_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// How far the thumb may travel, and how many positions that stands for.
int Positions(const TScrollState& s) { return s.page > 0 ? s.max - s.min - s.page + 1 : s.max - s.min; }

}  // namespace

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t numerator = product < 0 ? -product : product;
    const int64_t divisor = c < 0 ? -int64_t(c) : c;
    const int64_t rounded = (numerator + divisor / 2) / divisor;
    return int(negative ? -rounded : rounded);
}

TScrollLayout LayoutScrollBar(int length, int arrow, const TScrollState& s, int squareThumb, int minThumb) {
    TScrollLayout l;
    l.length = std::max(0, length);
    // A bar too short for both arrows shares its length between them.
    l.arrow = std::min(arrow, l.length / 2);
    const int track = l.length - 2 * l.arrow;
    const int positions = Positions(s);
    if (track <= 0 || positions <= 0) return l;
    int thumb = s.page > 0 ? MulDivRound(track, s.page, s.max - s.min + 1) : squareThumb;
    thumb = std::max(thumb, minThumb);
    if (thumb > track) return l;
    l.thumbLength = thumb;
    l.thumbStart = ThumbStartFor(l, s, s.pos);
    return l;
}

int ThumbStartFor(const TScrollLayout& l, const TScrollState& s, int pos) {
    const int travel = l.TrackEnd() - l.TrackStart() - l.thumbLength;
    const int positions = Positions(s);
    if (travel <= 0 || positions <= 0) return l.TrackStart();
    const int clamped = std::clamp(pos, s.min, s.min + positions);
    return l.TrackStart() + MulDivRound(clamped - s.min, travel, positions);
}

TScrollHit HitScrollBar(const TScrollLayout& l, int along) {
    if (along < 0 || along >= l.length) return TScrollHit::None;
    if (along < l.arrow) return TScrollHit::LineUp;
    if (along >= l.length - l.arrow) return TScrollHit::LineDown;
    if (!l.HasThumb()) return TScrollHit::None;
    if (along < l.thumbStart) return TScrollHit::PageUp;
    if (along >= l.thumbStart + l.thumbLength) return TScrollHit::PageDown;
    return TScrollHit::Thumb;
}

int ThumbValue(const TScrollLayout& l, const TScrollState& s, int thumbStart) {
    const int travel = l.TrackEnd() - l.TrackStart() - l.thumbLength;
    const int positions = Positions(s);
    if (travel <= 0 || positions <= 0) return s.min;
    const int pixel = std::clamp(thumbStart - l.TrackStart(), 0, travel);
    return s.min + MulDivRound(pixel, positions, travel);
}
