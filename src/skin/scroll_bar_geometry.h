#pragma once
// The arithmetic of a scroll bar, along its length: where the arrows and the thumb lie for a
// scroll state, what a press at a point asks for, and the position a dragged thumb stands
// for. It follows the system's own bars (thumb proportional to the page, at least a minimum
// length, positions rounded as MulDiv rounds), so that a skinned bar scrolls its control to
// exactly the positions the system's bar would.

// What the control reports of one bar.
struct TScrollState {
    int min = 0;
    int max = 0;
    int page = 0;  // 0: no page, the thumb is square
    int pos = 0;
};

enum class TScrollHit { None, LineUp, LineDown, PageUp, PageDown, Thumb };

// One bar laid out along its length (pixels from its start).
struct TScrollLayout {
    int length = 0;
    int arrow = 0;        // each arrow button's length
    int thumbStart = 0;   // from the bar's start
    int thumbLength = 0;  // 0: no thumb (nothing to scroll, or no room)
    int TrackStart() const { return arrow; }
    int TrackEnd() const { return length - arrow; }
    bool HasThumb() const { return thumbLength > 0; }
};

// The system's rounding of a * b / c (half away from zero; c == 0 gives -1).
int MulDivRound(int a, int b, int c);

// Lays a bar out. arrow is the system arrow length, squareThumb the thumb length without a
// page, minThumb the shortest proportional thumb.
TScrollLayout LayoutScrollBar(int length, int arrow, const TScrollState& state, int squareThumb, int minThumb);

// What a press at `along` pixels from the bar's start asks for.
TScrollHit HitScrollBar(const TScrollLayout& layout, int along);

// The position a thumb whose start is dragged to `thumbStart` stands for.
int ThumbValue(const TScrollLayout& layout, const TScrollState& state, int thumbStart);

// The thumb's start for a position (the inverse, as the bar draws it).
int ThumbStartFor(const TScrollLayout& layout, const TScrollState& state, int pos);
