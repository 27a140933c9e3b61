// The images of "Muhe Blue": a calm blue frame with a graded caption and rounded top corners,
// light controls with blue accents. Every image is drawn here; frame layouts follow what the
// painters expect of each part (see the description for the frame counts).
#include "skin/skin_painter.h"

#include <algorithm>
#include <cmath>

#include "base/bmp.h"
#include "skin/skin_canvas.h"

namespace muheskin {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kFace = Rgb(236, 241, 247);
constexpr uint32_t kInk = Rgb(34, 56, 96);          // glyphs on light controls
constexpr uint32_t kInkHot = Rgb(26, 78, 156);
constexpr uint32_t kInkDisabled = Rgb(160, 170, 186);
constexpr uint32_t kEdge = Rgb(122, 148, 186);      // outlines of light controls
constexpr uint32_t kEdgeHot = Rgb(72, 122, 192);
constexpr uint32_t kEdgeDisabled = Rgb(186, 196, 210);

// One look of the window frame.
struct FrameLook {
    uint32_t outline, captionTop, captionBottom, captionLine, body1, body2, inner;
};
constexpr FrameLook kActive{Rgb(30, 58, 104), Rgb(112, 156, 214), Rgb(62, 106, 170), Rgb(40, 74, 128),
                            Rgb(88, 132, 192), Rgb(66, 110, 172), Rgb(44, 80, 136)};
constexpr FrameLook kInactive{Rgb(112, 126, 148), Rgb(192, 203, 218), Rgb(156, 172, 194), Rgb(130, 146, 170),
                              Rgb(178, 192, 210), Rgb(162, 177, 198), Rgb(132, 148, 172)};

Bitmap32 SideBySide(const std::vector<Bitmap32>& frames) {
    int width = 0;
    for (const Bitmap32& f : frames) width += f.width;
    Bitmap32 out(width, frames.empty() ? 0 : frames[0].height);
    int x = 0;
    for (const Bitmap32& f : frames) {
        for (int y = 0; y < f.height; ++y)
            for (int i = 0; i < f.width; ++i) out.At(x + i, y) = f.At(i, y);
        x += f.width;
    }
    return out;
}

Bitmap32 Stacked(const std::vector<Bitmap32>& frames) {
    int height = 0;
    for (const Bitmap32& f : frames) height += f.height;
    Bitmap32 out(frames.empty() ? 0 : frames[0].width, height);
    int y = 0;
    for (const Bitmap32& f : frames) {
        for (int j = 0; j < f.height; ++j)
            for (int x = 0; x < f.width; ++x) out.At(x, y + j) = f.At(x, j);
        y += f.height;
    }
    return out;
}

Bitmap32 Crop(const Bitmap32& image, int x, int y, int w, int h) {
    Bitmap32 out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.At(i, j) = image.At(x + i, y + j);
    return out;
}

// ---- The window frame ------------------------------------------------------------------

// The caption colour of row y (between the outline rows), the same in every column.
uint32_t CaptionRow(const FrameLook& look, int y) {
    if (y >= kCaptionHeight - 1) return look.captionLine;
    const uint32_t base = GradientAt(look.captionTop, look.captionBottom, std::max(y - 1, 0), kCaptionHeight - 2);
    return y <= 1 ? MixColour(base, kWhite, 0.28) : base;
}

// A rectangle whose top corners are rounded.
bool InsideTopRounded(double px, double py, double x, double y, double w, double h, double r) {
    if (px < x || py < y || px > x + w || py > y + h) return false;
    if (py >= y + r) return true;
    const double cx = std::clamp(px, x + r, x + w - r);
    const double dx = px - cx, dy = py - (y + r);
    return dx * dx + dy * dy <= r * r;
}

// The share of pixel (x, y) inside a top-rounded rectangle, from 4 x 4 samples.
double TopRoundedCover(int x, int y, double left, double top, double w, double h, double r) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            inside += InsideTopRounded(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, left, top, w, h, r) ? 1 : 0;
    return inside / 16.0;
}

// The frame of an imaginary window; the four border images are cut from it so that they join
// without seams. Outside the rounded corners is magenta (outside the window region); the
// outline's inner edge is smoothed along the curve.
Bitmap32 VirtualFrame(const FrameLook& look, int width, int height) {
    Bitmap32 frame(width, height);
    const double r = kCornerRadius;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (TopRoundedCover(x, y, 0, 0, width, height, r) < 0.5) {
                frame.At(x, y) = kMagenta;
                continue;
            }
            uint32_t interior;
            if (y < kCaptionHeight) {
                interior = CaptionRow(look, y);
            } else {
                const int ring = std::min({x, width - 1 - x, height - 1 - y});
                interior = ring == 1 ? look.body1 : ring == 2 ? look.body2 : ring == 3 ? look.inner : kFace;
            }
            const double inner = TopRoundedCover(x, y, 1, 1, width - 2, height - 2, r - 1);
            frame.At(x, y) = MixColour(look.outline, interior, inner);
        }
    }
    return frame;
}

constexpr int kVirtualWidth = 64;
constexpr int kVirtualHeight = 60;
constexpr int kSideMiddle = 8;  // stretched rows of the side borders

Bitmap32 FrameTop(const Bitmap32& active, const Bitmap32& inactive) {
    const int w = kVirtualWidth - 2 * kBorder;
    return Stacked({Crop(active, kBorder, 0, w, kCaptionHeight), Crop(inactive, kBorder, 0, w, kCaptionHeight)});
}

Bitmap32 FrameBottom(const Bitmap32& active, const Bitmap32& inactive) {
    const int w = kVirtualWidth - 2 * kBorder;
    const int y = kVirtualHeight - kBorder;
    return Stacked({Crop(active, kBorder, y, w, kBorder), Crop(inactive, kBorder, y, w, kBorder)});
}

Bitmap32 FrameSide(const Bitmap32& active, const Bitmap32& inactive, int x) {
    auto side = [&](const Bitmap32& f) {
        return Stacked({Crop(f, x, 0, kBorder, kCaptionHeight + kSideMiddle),
                        Crop(f, x, kVirtualHeight - kBorder, kBorder, kBorder)});
    };
    return SideBySide({side(active), side(inactive)});
}

// A faint lighter band behind the caption text, fading in over its fixed ends and towards its
// top and bottom rows, so that it never shows an edge whatever height it is stretched to.
Bitmap32 TextBack() {
    constexpr int w = 24, h = 16, fade = 8;
    std::vector<Bitmap32> frames;
    for (const FrameLook* look : {&kActive, &kInactive}) {
        Bitmap32 f(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double across = std::min(1.0, (std::min(x, w - 1 - x) + 0.5) / fade);
                const double down = std::min(1.0, (std::min(y, h - 1 - y) + 0.5) / 5.0);
                f.At(x, y) = MixColour(CaptionRow(*look, 6 + y * 14 / h), kWhite, 0.08 * across * down);
            }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// ---- Caption buttons -------------------------------------------------------------------

enum class Glyph { Close, Maximize, Restore, Minimize };

void DrawGlyph(Canvas& c, Glyph glyph, int ox, int oy, uint32_t colour) {
    switch (glyph) {
    case Glyph::Close:
        c.PaintShape(Union(SegmentShape(ox + 6.5, oy + 5, ox + 14.5, oy + 13, 1.15),
                           SegmentShape(ox + 14.5, oy + 5, ox + 6.5, oy + 13, 1.15)),
                     ox, oy, kCaptionButtonWidth, kCaptionButtonHeight, colour);
        break;
    case Glyph::Maximize:
        c.Fill(ox + 6, oy + 4, 9, 2, colour);
        c.Fill(ox + 6, oy + 12, 9, 1, colour);
        c.Fill(ox + 6, oy + 4, 1, 9, colour);
        c.Fill(ox + 14, oy + 4, 1, 9, colour);
        break;
    case Glyph::Restore:
        c.Fill(ox + 8, oy + 3, 7, 2, colour);   // the window behind
        c.Fill(ox + 14, oy + 3, 1, 6, colour);
        c.Fill(ox + 8, oy + 3, 1, 3, colour);
        c.Fill(ox + 12, oy + 8, 3, 1, colour);
        c.Fill(ox + 5, oy + 6, 7, 2, colour);   // the window in front
        c.Fill(ox + 5, oy + 12, 7, 1, colour);
        c.Fill(ox + 5, oy + 6, 1, 7, colour);
        c.Fill(ox + 11, oy + 6, 1, 7, colour);
        break;
    case Glyph::Minimize:
        c.Fill(ox + 6, oy + 11, 8, 2, colour);
        break;
    }
}

struct ButtonLook {
    uint32_t outline, top, bottom, glyph;
};

Bitmap32 CaptionButton(Glyph glyph) {
    const bool close = glyph == Glyph::Close;
    // normal, pressed, hot; then the same for an inactive window
    const ButtonLook looks[6] = {
        {Rgb(34, 62, 110), Rgb(150, 188, 232), Rgb(86, 130, 194), kWhite},
        close ? ButtonLook{Rgb(120, 30, 24), Rgb(164, 48, 36), Rgb(198, 82, 62), kWhite}
              : ButtonLook{Rgb(30, 54, 98), Rgb(66, 104, 164), Rgb(92, 134, 194), kWhite},
        close ? ButtonLook{Rgb(132, 40, 30), Rgb(236, 128, 108), Rgb(192, 62, 46), kWhite}
              : ButtonLook{Rgb(34, 66, 118), Rgb(182, 212, 246), Rgb(112, 158, 220), kWhite},
        {Rgb(118, 132, 156), Rgb(186, 198, 216), Rgb(150, 166, 190), Rgb(248, 250, 252)},
        {Rgb(110, 124, 148), Rgb(146, 162, 186), Rgb(170, 184, 204), Rgb(248, 250, 252)},
        close ? ButtonLook{Rgb(132, 60, 52), Rgb(220, 150, 136), Rgb(184, 96, 82), kWhite}
              : ButtonLook{Rgb(118, 132, 156), Rgb(204, 214, 228), Rgb(164, 180, 202), Rgb(248, 250, 252)},
    };
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 6; ++i) {
        const ButtonLook& look = looks[i];
        const FrameLook& frame = i < 3 ? kActive : kInactive;
        Bitmap32 f(kCaptionButtonWidth, kCaptionButtonHeight);
        Canvas c(f);
        for (int y = 0; y < f.height; ++y) c.Fill(0, y, f.width, 1, CaptionRow(frame, kCaptionButtonTop + y));
        const int w = kCaptionButtonWidth, h = kCaptionButtonHeight;
        c.PaintShape(RoundRectShape(0, 0, w, h, 3.5), 0, 0, w, h, look.outline);
        c.PaintShape(RoundRectShape(1, 1, w - 2, h - 2, 2.5), 0, 0, w, h,
                     [&](int, int y) { return GradientAt(look.top, look.bottom, y - 1, h - 2); });
        // A soft highlight across the upper half gives the face some depth.
        c.PaintShape(RoundRectShape(2, 1.5, w - 4, h / 2.0 - 1, 2), 0, 0, w, h,
                     [&](int x, int y) { return MixColour(f.At(x, y), kWhite, 0.18); });
        Bitmap32 shadow = f;
        Canvas sc(shadow);
        DrawGlyph(sc, glyph, 1, 1, MixColour(look.bottom, look.outline, 0.7));
        for (size_t p = 0; p < f.pixels.size(); ++p) f.pixels[p] = MixColour(f.pixels[p], shadow.pixels[p], 0.6);
        DrawGlyph(c, glyph, 0, 0, look.glyph);
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// The MDI child's minimize, restore and close buttons, drawn on the menu bar: four frames each
// (normal, pressed, hot, hot), 12 frames in all.
Bitmap32 MdiButtons() {
    const uint32_t bar = Rgb(238, 243, 250);
    std::vector<Bitmap32> frames;
    for (Glyph glyph : {Glyph::Minimize, Glyph::Restore, Glyph::Close}) {
        for (int state = 0; state < 4; ++state) {
            Bitmap32 f(kMdiGlyph, 14, bar);
            Canvas c(f);
            if (state > 0) {
                const bool pressed = state == 1;
                c.PaintShape(RoundRectShape(0, 0, 16, 14, 2.5), 0, 0, 16, 14, pressed ? Rgb(84, 118, 168) : kEdgeHot);
                c.PaintShape(RoundRectShape(1, 1, 14, 12, 1.5), 0, 0, 16, 14, [&](int, int y) {
                    return pressed ? GradientAt(Rgb(196, 212, 236), Rgb(222, 232, 245), y, 14)
                                   : GradientAt(Rgb(252, 253, 255), Rgb(210, 226, 248), y, 14);
                });
            }
            // The caption glyphs are drawn for 21 x 18; shift them into the smaller box.
            Bitmap32 g(kCaptionButtonWidth, kCaptionButtonHeight, kMagenta);
            Canvas gc(g);
            DrawGlyph(gc, glyph, 0, 0, state == 0 ? kInk : kInkHot);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) {
                    const uint32_t p = g.At(x + 2, y + 2);
                    if (p != kMagenta) f.At(x, y) = p;
                }
            frames.push_back(std::move(f));
        }
    }
    return SideBySide(frames);
}

// ---- Menus -----------------------------------------------------------------------------

Bitmap32 MenuBar() {
    constexpr int w = 24;
    std::vector<Bitmap32> frames;
    const uint32_t looks[2][3] = {{Rgb(250, 252, 254), Rgb(228, 235, 245), Rgb(196, 210, 230)},
                                  {Rgb(245, 247, 250), Rgb(231, 235, 241), Rgb(206, 212, 222)}};
    for (const auto& look : looks) {
        Bitmap32 f(w, kMenuBarHeight);
        Canvas c(f);
        c.VerticalGradient(0, 0, w, kMenuBarHeight - 1, look[0], look[1]);
        c.Fill(0, kMenuBarHeight - 1, w, 1, look[2]);
        frames.push_back(std::move(f));
    }
    return Stacked(frames);
}

Bitmap32 MenuBackground() {
    Bitmap32 f(16, 16, Rgb(250, 251, 253));
    Canvas c(f);
    c.Fill(0, 0, 16, 16, Rgb(124, 148, 184));
    c.Fill(1, 1, 14, 14, kWhite);
    c.Fill(2, 2, 12, 12, Rgb(246, 248, 252));
    c.Fill(3, 3, 10, 10, Rgb(250, 251, 253));
    return f;
}

Bitmap32 MenuItem() {
    constexpr int w = 24, h = 20;
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 5; ++i) {
        Bitmap32 f(w, h, kMagenta);
        Canvas c(f);
        if (i == 1) {  // the separator: its bottom rows are used, so the line sits low
            c.Fill(3, h - 5, w - 6, 1, Rgb(200, 210, 226));
            c.Fill(3, h - 4, w - 6, 1, kWhite);
        } else if (i == 3 || i == 4) {  // selected; 5 is the selected look of a disabled item
            const bool enabled = i == 3;
            c.PaintShape(RoundRectShape(0, 0, w, h, 3), 0, 0, w, h, enabled ? Rgb(52, 92, 156) : Rgb(160, 178, 204),
                         false);
            c.PaintShape(RoundRectShape(1, 1, w - 2, h - 2, 2), 0, 0, w, h, [&](int, int y) {
                return enabled ? GradientAt(Rgb(104, 150, 210), Rgb(70, 116, 182), y - 1, h - 2)
                               : GradientAt(Rgb(214, 224, 238), Rgb(192, 206, 226), y - 1, h - 2);
            }, false);
        }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// ---- Buttons, boxes and fields ---------------------------------------------------------

struct FaceLook {
    uint32_t outline, top, bottom;
};

// A rounded face over the form colour.
Bitmap32 Face(int w, int h, double radius, const FaceLook& look, uint32_t outside = kFace, bool smooth = true) {
    Bitmap32 f(w, h, outside);
    Canvas c(f);
    c.PaintShape(RoundRectShape(0, 0, w, h, radius), 0, 0, w, h, look.outline, smooth);
    c.PaintShape(RoundRectShape(1, 1, w - 2, h - 2, std::max(radius - 1, 0.0)), 0, 0, w, h,
                 [&](int, int y) { return GradientAt(look.top, look.bottom, y - 1, h - 2); }, smooth);
    return f;
}

Bitmap32 PushButtons() {
    const FaceLook looks[5] = {
        {kEdge, kWhite, Rgb(222, 231, 243)},                       // normal
        {Rgb(84, 118, 168), Rgb(198, 214, 236), Rgb(224, 233, 246)},  // pressed
        {kEdgeDisabled, Rgb(246, 248, 250), Rgb(236, 239, 244)},   // disabled
        {kEdgeHot, kWhite, Rgb(204, 222, 247)},                    // hot or focused
        {Rgb(70, 110, 170), kWhite, Rgb(216, 228, 244)},           // default
    };
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 5; ++i) {
        Bitmap32 f = Face(24, 24, 3, looks[i]);
        if (i == 3) {  // a light inner ring marks the hot button
            Canvas c(f);
            c.PaintShape(Difference(RoundRectShape(1, 1, 22, 22, 2), RoundRectShape(2, 2, 20, 20, 1.5)), 0, 0, 24,
                         24, Rgb(176, 206, 242));
        }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// Check boxes: unchecked, checked, then both disabled.
Bitmap32 CheckBoxes() {
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 4; ++i) {
        const bool disabled = i >= 2;
        const bool checked = i % 2 == 1;
        Bitmap32 f = Face(13, 13, 1.5,
                          disabled ? FaceLook{kEdgeDisabled, Rgb(244, 246, 249), Rgb(238, 241, 245)}
                                   : FaceLook{Rgb(110, 136, 176), kWhite, Rgb(230, 237, 246)});
        if (checked) {
            Canvas c(f);
            c.PaintShape(Union(SegmentShape(3.2, 6.8, 5.6, 9.2, 1.0), SegmentShape(5.6, 9.2, 9.8, 3.6, 1.0)), 0, 0, 13,
                         13, disabled ? kInkDisabled : kInk);
        }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

Bitmap32 RadioButtons() {
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 4; ++i) {
        const bool disabled = i >= 2;
        const bool checked = i % 2 == 1;
        Bitmap32 f(13, 13, kFace);
        Canvas c(f);
        c.PaintShape(EllipseShape(6.5, 6.5, 6.4, 6.4), 0, 0, 13, 13, disabled ? kEdgeDisabled : Rgb(110, 136, 176));
        c.PaintShape(EllipseShape(6.5, 6.5, 5.3, 5.3), 0, 0, 13, 13, [&](int, int y) {
            return disabled ? Rgb(244, 246, 249) : GradientAt(kWhite, Rgb(226, 234, 245), y, 13);
        });
        if (checked) c.PaintShape(EllipseShape(6.5, 6.5, 2.6, 2.6), 0, 0, 13, 13, disabled ? kInkDisabled : kInk);
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

Bitmap32 Progress() {
    return SideBySide({Face(16, 14, 2, {Rgb(150, 168, 196), Rgb(232, 237, 245), Rgb(250, 251, 253)}),
                       Face(16, 14, 2, {Rgb(50, 90, 150), Rgb(128, 176, 232), Rgb(60, 110, 180)})});
}

Bitmap32 GroupBoxEdge() {
    std::vector<Bitmap32> frames;
    for (uint32_t edge : {Rgb(178, 194, 216), Rgb(150, 170, 200)}) {
        Bitmap32 f(16, 16, kFace);
        Canvas c(f);
        c.PaintShape(Difference(RoundRectShape(0, 0, 16, 16, 3), RoundRectShape(1, 1, 14, 14, 2)), 0, 0, 16, 16, edge);
        c.PaintShape(Difference(RoundRectShape(1, 1, 14, 14, 2), RoundRectShape(2, 2, 12, 12, 1.5)), 0, 0, 16, 16,
                     MixColour(kFace, kWhite, 0.7));
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

Bitmap32 StatusEdges() {
    const uint32_t dark = Rgb(176, 190, 210);
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 3; ++i) {  // lowered, raised, none
        Bitmap32 f(16, 18, kFace);
        Canvas c(f);
        if (i < 2) {
            const uint32_t topLeft = i == 0 ? dark : kWhite;
            const uint32_t bottomRight = i == 0 ? kWhite : dark;
            c.Fill(0, 0, 16, 1, topLeft);
            c.Fill(0, 0, 1, 18, topLeft);
            c.Fill(0, 17, 16, 1, bottomRight);
            c.Fill(15, 0, 1, 18, bottomRight);
        }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// States of the small push faces (combo button, up-down, header, scroll arrows): normal,
// pressed, disabled, hot.
const FaceLook kSmallFaces[4] = {
    {Rgb(150, 170, 200), Rgb(252, 253, 255), Rgb(220, 230, 243)},
    {Rgb(96, 128, 176), Rgb(196, 212, 234), Rgb(222, 231, 244)},
    {kEdgeDisabled, Rgb(244, 246, 249), Rgb(238, 241, 245)},
    {kEdgeHot, Rgb(248, 251, 255), Rgb(204, 222, 247)},
};

Bitmap32 ComboButtons() {
    std::vector<Bitmap32> frames;
    for (const FaceLook& look : kSmallFaces) frames.push_back(Face(17, 20, 2, look, kWhite));
    return SideBySide(frames);
}

Bitmap32 SunkEdges() {
    std::vector<Bitmap32> frames;
    for (uint32_t edge : {kEdge, Rgb(100, 136, 190), kEdgeDisabled, kEdgeHot}) {
        Bitmap32 f(16, 16, kWhite);
        Canvas c(f);
        c.Fill(0, 0, 16, 1, edge);
        c.Fill(0, 15, 16, 1, edge);
        c.Fill(0, 0, 1, 16, edge);
        c.Fill(15, 0, 1, 16, edge);
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// Arrow glyphs for the combo button (states 1-4) and a size grip (frame 5), on magenta.
Bitmap32 ExtraImages() {
    std::vector<Bitmap32> frames;
    for (uint32_t ink : {kInk, Rgb(20, 40, 80), kInkDisabled, kInkHot}) {
        Bitmap32 f(12, 12, kMagenta);
        Canvas c(f);
        c.PaintShape(TriangleShape(2, 4.5, 10, 4.5, 6, 8.5), 0, 0, 12, 12, ink, false);
        frames.push_back(std::move(f));
    }
    Bitmap32 grip(12, 12, kMagenta);
    Canvas c(grip);
    for (int row = 0; row < 3; ++row)
        for (int col = 2 - row; col < 3; ++col) {
            const int x = 3 + col * 3, y = 3 + row * 3;
            c.Fill(x + 1, y + 1, 2, 2, kWhite);
            c.Fill(x, y, 2, 2, Rgb(150, 166, 190));
        }
    frames.push_back(std::move(grip));
    return SideBySide(frames);
}

Bitmap32 HeaderBar() {
    const FaceLook looks[5] = {
        {Rgb(182, 198, 220), kWhite, Rgb(228, 235, 245)},
        {Rgb(160, 182, 214), Rgb(250, 252, 255), Rgb(212, 227, 248)},
        {Rgb(150, 170, 200), Rgb(210, 224, 242), Rgb(230, 237, 247)},
        {kEdgeDisabled, Rgb(246, 248, 250), Rgb(238, 241, 245)},
        {Rgb(150, 174, 210), Rgb(246, 250, 255), Rgb(218, 230, 248)},
    };
    std::vector<Bitmap32> frames;
    for (const FaceLook& look : looks) {
        Bitmap32 f(24, 20);
        Canvas c(f);
        c.VerticalGradient(0, 0, 24, 19, look.top, look.bottom);
        c.Fill(0, 19, 24, 1, look.outline);
        c.Fill(23, 3, 1, 14, look.outline);
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

enum class Arrow { Up, Down, Left, Right };

Shape ArrowShape(Arrow arrow, double cx, double cy, double size) {
    const double s = size, t = size / 2;
    switch (arrow) {
    case Arrow::Up: return TriangleShape(cx - s, cy + t, cx + s, cy + t, cx, cy - t);
    case Arrow::Down: return TriangleShape(cx - s, cy - t, cx + s, cy - t, cx, cy + t);
    case Arrow::Left: return TriangleShape(cx + t, cy - s, cx + t, cy + s, cx - t, cy);
    case Arrow::Right: return TriangleShape(cx - t, cy - s, cx - t, cy + s, cx + t, cy);
    }
    return TriangleShape(0, 0, 0, 0, 0, 0);
}

// A small push face with an arrow. States: normal, hot, pressed, disabled.
Bitmap32 ArrowButton(int w, int h, Arrow arrow, int state, uint32_t outside) {
    const FaceLook& look = kSmallFaces[state == 0 ? 0 : state == 1 ? 3 : state == 2 ? 1 : 2];
    Bitmap32 f = Face(w, h, 2, look, outside);
    Canvas c(f);
    const uint32_t ink = state == 3 ? kInkDisabled : state == 1 ? kInkHot : kInk;
    const double size = std::min(w, h) / 4.5;
    c.PaintShape(ArrowShape(arrow, w / 2.0, h / 2.0, size), 0, 0, w, h, ink);
    return f;
}

// Up-down buttons: the first arrow in four states (normal, hot, pressed, disabled), then the
// second.
Bitmap32 UpDown(int w, int h, Arrow first, Arrow second) {
    std::vector<Bitmap32> frames;
    for (Arrow a : {first, second})
        for (int state = 0; state < 4; ++state) frames.push_back(ArrowButton(w, h, a, state, kFace));
    return SideBySide(frames);
}

constexpr uint32_t kTrack = Rgb(234, 239, 246);

// Scroll bar arrows and pieces, 23 frames: 1-4 up, 5-8 down, 9-12 left, 13-16 right (each
// normal, hot, pressed, disabled), 17-20 the thumb grip in the same states (on magenta), 21
// the corner box, 22 a horizontal and 23 a vertical piece of track.
Bitmap32 ScrollArrows() {
    constexpr int s = 17;
    std::vector<Bitmap32> frames;
    for (Arrow a : {Arrow::Up, Arrow::Down, Arrow::Left, Arrow::Right})
        for (int state = 0; state < 4; ++state) frames.push_back(ArrowButton(s, s, a, state, kTrack));
    for (uint32_t ink : {Rgb(140, 160, 192), kEdgeHot, Rgb(84, 118, 168), kEdgeDisabled}) {
        Bitmap32 f(s, s, kMagenta);
        Canvas c(f);
        for (int i = 0; i < 3; ++i) {
            c.Fill(5, 5 + i * 3, 7, 1, ink);
            c.Fill(5, 6 + i * 3, 7, 1, kWhite);
        }
        frames.push_back(std::move(f));
    }
    frames.push_back(Bitmap32(s, s, kFace));
    Bitmap32 horizontal(s, s, kTrack);
    Canvas hc(horizontal);
    hc.Fill(0, 0, s, 1, Rgb(214, 222, 234));
    hc.Fill(0, s - 1, s, 1, Rgb(214, 222, 234));
    frames.push_back(std::move(horizontal));
    Bitmap32 vertical(s, s, kTrack);
    Canvas vc(vertical);
    vc.Fill(0, 0, 1, s, Rgb(214, 222, 234));
    vc.Fill(s - 1, 0, 1, s, Rgb(214, 222, 234));
    frames.push_back(std::move(vertical));
    return SideBySide(frames);
}

// Scroll tracks in four states (normal, hot, pressed, disabled).
Bitmap32 ScrollTrack(bool horizontal) {
    const uint32_t fills[4] = {kTrack, Rgb(228, 235, 245), Rgb(212, 223, 238), Rgb(242, 244, 247)};
    std::vector<Bitmap32> frames;
    for (uint32_t fill : fills) {
        Bitmap32 f(horizontal ? 16 : 17, horizontal ? 17 : 16, fill);
        Canvas c(f);
        const uint32_t line = MixColour(fill, Rgb(150, 170, 200), 0.25);
        if (horizontal) {
            c.Fill(0, 0, f.width, 1, line);
            c.Fill(0, f.height - 1, f.width, 1, line);
        } else {
            c.Fill(0, 0, 1, f.height, line);
            c.Fill(f.width - 1, 0, 1, f.height, line);
        }
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

// Thumbs in three states (normal, hot, pressed), shaded across their short side.
Bitmap32 ScrollThumb(bool horizontal) {
    const FaceLook looks[3] = {
        {Rgb(120, 150, 192), Rgb(250, 252, 255), Rgb(206, 222, 244)},
        {kEdgeHot, kWhite, Rgb(190, 214, 246)},
        {Rgb(84, 118, 168), Rgb(196, 214, 238), Rgb(170, 196, 232)},
    };
    std::vector<Bitmap32> frames;
    const int w = horizontal ? 24 : 17, h = horizontal ? 17 : 24;
    for (const FaceLook& look : looks) {
        Bitmap32 f(w, h, kTrack);
        Canvas c(f);
        c.PaintShape(RoundRectShape(horizontal ? 0 : 1, horizontal ? 1 : 0, horizontal ? w : w - 2,
                                    horizontal ? h - 2 : h, 3),
                     0, 0, w, h, look.outline);
        c.PaintShape(RoundRectShape(horizontal ? 1 : 2, horizontal ? 2 : 1, horizontal ? w - 2 : w - 4,
                                    horizontal ? h - 4 : h - 2, 2),
                     0, 0, w, h, [&](int x, int y) {
                         return horizontal ? GradientAt(look.top, look.bottom, y - 2, h - 4)
                                           : GradientAt(look.top, look.bottom, x - 2, w - 4);
                     });
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

Bitmap32 Tabs() {
    const FaceLook looks[5] = {
        {Rgb(150, 170, 200), Rgb(242, 246, 251), Rgb(222, 230, 242)},  // normal
        {kEdgeHot, Rgb(252, 253, 255), Rgb(228, 237, 250)},            // hot
        {Rgb(140, 162, 196), kWhite, kFace},                           // selected
        {kEdgeDisabled, Rgb(244, 246, 249), Rgb(236, 239, 244)},       // disabled
        {Rgb(120, 150, 200), kWhite, kFace},                           // selected and hot
    };
    std::vector<Bitmap32> frames;
    for (int i = 0; i < 5; ++i) {
        const FaceLook& look = looks[i];
        Bitmap32 f(32, 22, kFace);
        Canvas c(f);
        const bool selected = i == 2 || i == 4;
        const int h = selected ? 23 : 22;  // the selected tab runs into the page
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 32; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                if (InsideTopRounded(px, py, 1, 1, 30, h - 1, 2.5))
                    f.At(x, y) = GradientAt(look.top, look.bottom, y - 1, 21);
                else if (InsideTopRounded(px, py, 0, 0, 32, h, 3.5))
                    f.At(x, y) = look.outline;
            }
        if (i == 4) c.Fill(3, 1, 26, 2, Rgb(96, 146, 214));
        frames.push_back(std::move(f));
    }
    return SideBySide(frames);
}

Bitmap32 TabBorder() {
    Bitmap32 f(16, 16, kFace);
    Canvas c(f);
    const uint32_t edge = Rgb(140, 162, 196);
    c.Fill(0, 0, 16, 1, edge);
    c.Fill(0, 15, 16, 1, edge);
    c.Fill(0, 0, 1, 16, edge);
    c.Fill(15, 0, 1, 16, edge);
    c.Fill(1, 1, 14, 1, kWhite);
    return f;
}

// Tool bar buttons: flat, hot, pressed, disabled, checked.
Bitmap32 ToolbarButtons() {
    std::vector<Bitmap32> frames;
    frames.push_back(Bitmap32(24, 24, kFace));
    frames.push_back(Face(24, 24, 3, {Rgb(150, 180, 220), Rgb(252, 253, 255), Rgb(220, 232, 248)}));
    frames.push_back(Face(24, 24, 3, {Rgb(96, 128, 176), Rgb(200, 216, 238), Rgb(224, 233, 246)}));
    frames.push_back(Bitmap32(24, 24, kFace));
    frames.push_back(Face(24, 24, 3, {Rgb(120, 150, 192), Rgb(214, 228, 246), Rgb(232, 240, 250)}));
    return SideBySide(frames);
}

// Track bar thumbs: normal, pressed (the frame the painter uses for the thumb), hot,
// disabled, focused.
Bitmap32 TrackThumbs() {
    const FaceLook looks[5] = {
        {Rgb(110, 140, 184), kWhite, Rgb(210, 224, 244)},
        {Rgb(72, 112, 172), Rgb(246, 250, 255), Rgb(190, 212, 242)},
        {kEdgeHot, kWhite, Rgb(196, 218, 248)},
        {kEdgeDisabled, Rgb(246, 248, 250), Rgb(236, 239, 244)},
        {Rgb(72, 112, 172), kWhite, Rgb(206, 222, 246)},
    };
    std::vector<Bitmap32> frames;
    for (const FaceLook& look : looks) frames.push_back(Face(12, 12, 3, look));
    return SideBySide(frames);
}

// ---- Menu glyphs -----------------------------------------------------------------------

Bitmap32 MenuGlyphs() {
    constexpr uint32_t ink = Rgb(32, 52, 92);
    constexpr uint32_t paper = Rgb(220, 230, 244);
    Bitmap32 strip(8 * 16, 16, kWhite);
    Canvas c(strip);
    auto box = [&](int x, int y, int w, int h, int top) {
        c.Fill(x, y, w, top, ink);
        c.Fill(x, y + h - 1, w, 1, ink);
        c.Fill(x, y, 1, h, ink);
        c.Fill(x + w - 1, y, 1, h, ink);
    };
    // 0 restore
    box(6, 2, 8, 7, 2);
    box(2, 6, 8, 8, 2);
    c.Fill(3, 8, 6, 5, paper);
    // 1 maximize
    box(16 + 2, 2, 12, 12, 3);
    // 2 minimize
    c.Fill(32 + 3, 11, 9, 3, ink);
    // 3 close
    c.PaintShape(Union(SegmentShape(48 + 3.5, 3.5, 48 + 12.5, 12.5, 1.2), SegmentShape(48 + 12.5, 3.5, 48 + 3.5, 12.5, 1.2)),
                 48, 0, 16, 16, ink, false);
    // 4 cut: two rings and crossing blades
    c.PaintShape(Union(SegmentShape(64 + 5, 2, 64 + 10, 10, 0.8), SegmentShape(64 + 11, 2, 64 + 6, 10, 0.8)), 64, 0, 16,
                 16, ink, false);
    c.PaintShape(Difference(EllipseShape(64 + 5, 12, 2.6, 2.6), EllipseShape(64 + 5, 12, 1.3, 1.3)), 64, 0, 16, 16, ink,
                 false);
    c.PaintShape(Difference(EllipseShape(64 + 11, 12, 2.6, 2.6), EllipseShape(64 + 11, 12, 1.3, 1.3)), 64, 0, 16, 16,
                 ink, false);
    // 5 copy: two pages
    box(80 + 2, 1, 8, 10, 1);
    c.Fill(80 + 3, 2, 6, 8, paper);
    box(80 + 6, 5, 8, 10, 1);
    c.Fill(80 + 7, 6, 6, 8, paper);
    for (int i = 0; i < 3; ++i) c.Fill(80 + 8, 8 + 2 * i, 4, 1, ink);
    // 6 paste: a board with a page
    box(96 + 2, 2, 10, 13, 1);
    c.Fill(96 + 3, 3, 8, 11, Rgb(200, 170, 110));
    c.Fill(96 + 5, 1, 4, 3, ink);
    box(96 + 7, 6, 7, 9, 1);
    c.Fill(96 + 8, 7, 5, 7, paper);
    // 7 help: a question mark in a ring
    c.PaintShape(Difference(EllipseShape(112 + 8, 8, 7.2, 7.2), EllipseShape(112 + 8, 8, 5.9, 5.9)), 112, 0, 16, 16,
                 ink, false);
    c.Fill(112 + 6, 4, 4, 1, ink);
    c.Fill(112 + 5, 5, 1, 2, ink);
    c.Fill(112 + 10, 5, 1, 3, ink);
    c.Fill(112 + 8, 8, 2, 1, ink);
    c.Fill(112 + 7, 9, 2, 2, ink);
    c.Fill(112 + 7, 12, 2, 2, ink);
    return strip;
}

}  // namespace

std::vector<PaintedImage> PaintSkinImages() {
    const Bitmap32 active = VirtualFrame(kActive, kVirtualWidth, kVirtualHeight);
    const Bitmap32 inactive = VirtualFrame(kInactive, kVirtualWidth, kVirtualHeight);
    std::vector<PaintedImage> images;
    auto add = [&](const char* name, Bitmap32 image) { images.push_back({name, std::move(image)}); };
    add("FrameTop.bmp", FrameTop(active, inactive));
    add("FrameBottom.bmp", FrameBottom(active, inactive));
    add("FrameLeft.bmp", FrameSide(active, inactive, 0));
    add("FrameRight.bmp", FrameSide(active, inactive, kVirtualWidth - kBorder));
    add("menu.bmp", MenuBar());
    add("dialog.bmp", TextBack());
    add("buttons.bmp", PushButtons());
    add("checkbox.bmp", CheckBoxes());
    add("radio.bmp", RadioButtons());
    add("progress.bmp", Progress());
    add("groupboxedge.bmp", GroupBoxEdge());
    add("tabborder.bmp", TabBorder());
    add("buttons-tabs.bmp", Tabs());
    add("status.bmp", StatusEdges());
    add("combo.bmp", ComboButtons());
    add("sunkedge.bmp", SunkEdges());
    add("combo-arrows.bmp", ExtraImages());
    add("header.bmp", HeaderBar());
    add("menutool.bmp", UpDown(16, 11, Arrow::Up, Arrow::Down));
    add("menuborder.bmp", MenuBackground());
    add("arrows.bmp", ScrollArrows());
    add("hscroll_back.bmp", ScrollTrack(true));
    add("vscroll_back.bmp", ScrollTrack(false));
    add("hscroll_bar.bmp", ScrollThumb(true));
    add("vscroll_bar.bmp", ScrollThumb(false));
    add("button-mdi.bmp", MdiButtons());
    add("groupboxlabel.bmp", UpDown(12, 16, Arrow::Left, Arrow::Right));
    add("toolbarbg.bmp", ToolbarButtons());
    add("buttons-toolbar.bmp", TrackThumbs());
    add("buttons-menu.bmp", MenuItem());
    add("CloseButton.bmp", CaptionButton(Glyph::Close));
    add("MaxButton.bmp", CaptionButton(Glyph::Maximize));
    add("MinButton.bmp", CaptionButton(Glyph::Minimize));
    add("RestroreButton.bmp", CaptionButton(Glyph::Restore));
    return images;
}

std::vector<SkinArchiveEntry> PaintSkinEntries() {
    std::vector<SkinArchiveEntry> entries;
    for (PaintedImage& p : PaintSkinImages()) entries.push_back({p.name, EncodeBmp(p.image, 24)});
    const std::string description = SkinDescription();
    entries.insert(entries.begin() + std::ptrdiff_t(kDescriptionIndex),
                   SkinArchiveEntry{kDescriptionName, std::vector<uint8_t>(description.begin(), description.end())});
    return entries;
}

Bitmap32 PaintMenuGlyphs() { return MenuGlyphs(); }

}  // namespace muheskin
