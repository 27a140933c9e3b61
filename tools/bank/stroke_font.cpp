#include "stroke_font.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Glyphs are drawn on a grid 8 units high (0 at the top, 8 on the baseline); lower-case
// letters stand from 4 to 8.
constexpr double kGridHeight = 8;
constexpr double kSpacing = 1.3;

using Stroke = std::vector<PointF>;

struct Glyph {
    double width = 0;
    std::vector<Stroke> strokes;
};

Stroke Arc(double cx, double cy, double rx, double ry, double fromDeg, double toDeg) {
    return ArcPoints(cx, cy, rx, ry, fromDeg, toDeg, 0);
}

Stroke Join(std::initializer_list<Stroke> parts) {
    Stroke out;
    for (const Stroke& part : parts) AppendPath(out, part);
    return out;
}

Glyph SixShape() {
    return {4, {Arc(2, 4, 2, 4, 62, 200), Arc(2, 5.7, 2, 2.3, 0, 360)}};
}

// Returns false for a character the font does not have.
bool MakeGlyph(char c, Glyph& g) {
    switch (c) {
        case '0': g = {4, {Arc(2, 4, 2, 4, 0, 360)}}; break;
        case '1': g = {3, {{{0.4, 1.8}, {2, 0}, {2, 8}}}}; break;
        case '2': g = {4, {Join({Arc(2, 2, 2, 2, 160, -30), {{0, 8}, {4, 8}}})}}; break;
        case '3': g = {4, {Arc(2, 2.1, 1.9, 2.1, 150, -90), Arc(2, 6, 2, 2, 90, -150)}}; break;
        case '4': g = {4, {{{3, 8}, {3, 0}, {0, 5.6}, {4, 5.6}}}}; break;
        case '5': g = {4, {Join({{{3.8, 0}, {0.4, 0}, {0.1, 3.9}}, Arc(2, 5.6, 2, 2.4, 140, -145)})}}; break;
        case '6': g = SixShape(); break;
        case '7': g = {4, {{{0, 0}, {4, 0}, {1.4, 8}}}}; break;
        case '8': g = {4, {Arc(2, 2, 1.7, 2, 0, 360), Arc(2, 6, 2, 2, 0, 360)}}; break;
        case '9':
            g = SixShape();
            for (Stroke& s : g.strokes)
                for (PointF& p : s) p = {4 - p.x, kGridHeight - p.y};
            break;
        case '.': g = {1, {{{0.5, 7.6}}}}; break;
        case '!': g = {2, {{{1, 0}, {1, 5.4}}, {{1, 7.6}}}}; break;
        case ' ': g = {2, {}}; break;
        case 'm':
            g = {4, {{{0, 4}, {0, 8}}, Join({Arc(1, 5.2, 1, 1.2, 180, 0), {{2, 8}}}), Join({Arc(3, 5.2, 1, 1.2, 180, 0), {{4, 8}}})}};
            break;
        case 't':
            g = {3.4, {Join({{{1.4, 1.5}, {1.4, 6.8}}, Arc(2.6, 6.8, 1.2, 1.2, 180, 270), {{3.4, 8}}}), {{0, 4}, {3, 4}}}};
            break;
        case 'k': g = {3.6, {{{0.3, 0}, {0.3, 8}}, {{3.4, 4}, {0.3, 6.4}}, {{1.5, 5.4}, {3.6, 8}}}}; break;
        case 'A': g = {4, {{{0, 8}, {2, 0}, {4, 8}}, {{0.8, 5.2}, {3.2, 5.2}}}}; break;
        case 'B':
            g = {4, {{{0, 0}, {0, 8}},
                     Join({{{0, 0}, {2.3, 0}}, Arc(2.3, 1.9, 1.6, 1.9, 90, -90), {{0, 3.8}}}),
                     Join({{{0, 3.8}, {2.5, 3.8}}, Arc(2.5, 5.9, 1.5, 2.1, 90, -90), {{0, 8}}})}};
            break;
        case 'E': g = {3.8, {{{3.8, 0}, {0, 0}, {0, 8}, {3.8, 8}}, {{0, 4}, {3.2, 4}}}}; break;
        case 'I': g = {2, {{{1, 0}, {1, 8}}}}; break;
        case 'P': g = {4, {Join({{{0, 8}, {0, 0}, {2.2, 0}}, Arc(2.2, 2.1, 1.8, 2.1, 90, -90), {{0, 4.2}}})}}; break;
        case 'S': g = {4, {Arc(2, 2, 1.9, 2, 30, 270), Arc(2, 6, 2, 2, 90, -150)}}; break;
        case 'T': g = {4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 8}}}}; break;
        case 'U': g = {4, {Join({{{0, 0}, {0, 5.8}}, Arc(2, 5.8, 2, 2.2, 180, 360), {{4, 0}}})}}; break;
        case 'X': g = {4, {{{0, 0}, {4, 8}}, {{4, 0}, {0, 8}}}}; break;
        default: return false;
    }
    return true;
}

Glyph GlyphOf(char c) {
    Glyph g;
    if (!MakeGlyph(c, g)) throw std::invalid_argument(std::string("the picture font has no character '") + c + "'");
    return g;
}

}  // namespace

bool FontHasGlyph(char c) {
    Glyph g;
    return MakeGlyph(c, g);
}

double TextWidth(std::string_view text, double height) {
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) width += GlyphOf(text[i]).width + (i > 0 ? kSpacing : 0);
    return width * height / kGridHeight;
}

void DrawText(Canvas& canvas, std::string_view text, double cx, double cy, double height, double stroke,
              uint32_t colour) {
    const double scale = height / kGridHeight;
    double x = cx - TextWidth(text, height) / 2;
    const double top = cy - height / 2;
    for (char c : text) {
        const Glyph g = GlyphOf(c);
        for (const Stroke& s : g.strokes) {
            std::vector<PointF> placed;
            for (const PointF& p : s) placed.push_back({x + p.x * scale, top + p.y * scale});
            canvas.StrokePolyline(placed, stroke, colour);
        }
        x += (g.width + kSpacing) * scale;
    }
}

void DrawTextFit(Canvas& canvas, std::string_view text, double cx, double cy, double height, double stroke,
                 double maxWidth, uint32_t colour) {
    const double needed = TextWidth(text, height) + stroke;
    if (needed > maxWidth) {
        const double shrink = maxWidth / needed;
        height *= shrink;
        stroke *= shrink;
    }
    DrawText(canvas, text, cx, cy, height, stroke, colour);
}
