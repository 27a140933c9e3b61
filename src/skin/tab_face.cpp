#include "skin/tab_face.h"

#include "skin/part_renderer.h"

Bitmap32 RenderTab(int width, int height, const TDataSkinObject& part, int frame, TTabSide side) {
    if (width <= 0 || height <= 0) return Bitmap32();
    const bool across = side == TTabSide::Left || side == TTabSide::Right;
    // Drawn upright at the size it has before turning.
    const Bitmap32 upright = RenderPart(across ? height : width, across ? width : height, part, FrameLayout::SideBySide,
                                        part.Tile == 1, frame);
    switch (side) {
        case TTabSide::Top: return upright;
        case TTabSide::Bottom: return FlipImage(upright);
        case TTabSide::Left: return RotateCounterClockwise(upright);
        case TTabSide::Right: return RotateClockwise(upright);
    }
    return upright;
}

int TabFrame(bool selected, bool hot, bool enabled) {
    if (!enabled) return 4;
    if (selected) return hot ? 5 : 3;
    return hot ? 2 : 1;
}
