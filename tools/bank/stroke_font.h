#pragma once
// The pictures' only lettering: a stroke font for the numbers and unit letters on signs
// ("60", "3.5m", "10t") and the few Latin letters that road signs and lamps carry ("P",
// "EXIT", "ABS", "BUS"). Characters: 0-9 . ! m t k A B E I P S T U X and the space.
#include <string_view>

#include "raster.h"

bool FontHasGlyph(char c);

// The width of the text at the given cap height, strokes not counted.
double TextWidth(std::string_view text, double height);

// Draws the text centred on (cx, cy) with round strokes of the given width. A character the
// font does not have throws std::invalid_argument.
void DrawText(Canvas& canvas, std::string_view text, double cx, double cy, double height, double stroke,
              uint32_t colour);

// The same, shrunk where needed so that text and strokes fit within maxWidth.
void DrawTextFit(Canvas& canvas, std::string_view text, double cx, double cy, double height, double stroke,
                 double maxWidth, uint32_t colour);
