#include "art/art_pictures.h"

namespace {

constexpr int kFactor = 8;

// Nothing inside an icon may be pure white, or the image list would cut it out with the mask.
constexpr uint32_t kPaper = Rgb(246, 249, 253);
constexpr uint32_t kFrame = Rgb(70, 92, 124);
constexpr uint32_t kTitleLeft = Rgb(38, 104, 204);
constexpr uint32_t kTitleRight = Rgb(112, 170, 236);
constexpr uint32_t kArrow = Rgb(26, 110, 226);

constexpr uint32_t kFolderBack = Rgb(226, 166, 40);
constexpr uint32_t kFolderTop = Rgb(255, 222, 110);
constexpr uint32_t kFolderBottom = Rgb(246, 186, 44);
constexpr uint32_t kFolderLine = Rgb(164, 108, 14);

constexpr uint32_t kPointerTop = Rgb(96, 166, 246);
constexpr uint32_t kPointerBottom = Rgb(22, 90, 202);
constexpr uint32_t kPointerLine = Rgb(16, 58, 140);

// A small window: frame, blue title bar with a close box, and a bold blue arrow in its light
// client area. The shapes sit on whole pixels so that their edges stay crisp at 16 pixels.
void WindowIcon(ArtCanvas& c, double x) {
    c.FillRect(x + 1, 2, x + 15, 14, kFrame);
    c.FillRect(x + 2, 6, x + 14, 13, kPaper);
    // The title bar shades left to right, so it is drawn as narrow columns.
    for (int i = 0; i < 12; ++i)
        c.FillRect(x + 2 + i, 3, x + 3 + i, 6, MixRgb(kTitleLeft, kTitleRight, i / 11.0));
    c.FillRect(x + 11, 3.5, x + 13, 5, kPaper);
    const PointF arrow[] = {{x + 3, 8}, {x + 8, 8}, {x + 8, 6.5}, {x + 13, 9.5},
                            {x + 8, 12.5}, {x + 8, 11}, {x + 3, 11}};
    c.FillPolygon(arrow, kArrow);
}

// A manila folder: the back with its tab, the front flap shaded from light to deep yellow.
void FolderIcon(ArtCanvas& c, double x) {
    const PointF back[] = {{x + 1, 3}, {x + 6, 3}, {x + 7, 4}, {x + 15, 4}, {x + 15, 14}, {x + 1, 14}};
    c.FillPolygon(back, kFolderLine);
    const PointF backFace[] = {{x + 2, 4}, {x + 5.6, 4}, {x + 6.6, 5}, {x + 14, 5}, {x + 14, 13}, {x + 2, 13}};
    c.FillPolygon(backFace, kFolderBack);
    const PointF front[] = {{x + 1, 14}, {x + 2.6, 7}, {x + 15.6, 7}, {x + 15, 14}};
    c.FillPolygon(front, kFolderLine);
    const PointF frontFace[] = {{x + 2.2, 13}, {x + 3.4, 8}, {x + 14.5, 8}, {x + 14, 13}};
    c.FillPolygonShaded(frontFace, 8, kFolderTop, 13, kFolderBottom);
}

// A bold arrow pointing right, like the pointer that picks an item.
void PointerIcon(ArtCanvas& c, double x) {
    const PointF outline[] = {{x + 1, 5}, {x + 7, 5}, {x + 7, 1.5}, {x + 14.6, 8},
                              {x + 7, 14.5}, {x + 7, 11}, {x + 1, 11}};
    c.FillPolygon(outline, kPointerLine);
    const PointF face[] = {{x + 2, 6}, {x + 8, 6}, {x + 8, 3.8}, {x + 13.1, 8},
                           {x + 8, 12.2}, {x + 8, 10}, {x + 2, 10}};
    c.FillPolygonShaded(face, 3.8, kPointerTop, 12.2, kPointerBottom);
}

}  // namespace

Bitmap32 PaintTreeIcons() {
    ArtCanvas c(kTreeIconSize * kTreeIconCount, kTreeIconSize, kFactor, kTreeIconMask);
    WindowIcon(c, 0);
    FolderIcon(c, kTreeIconSize);
    PointerIcon(c, 2 * kTreeIconSize);
    return c.Finish();
}
