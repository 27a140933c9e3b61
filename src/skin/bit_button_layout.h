#pragma once
// Where a bitmap button's glyph and caption go: by its Layout (glyph left, right, top or
// bottom of the caption), Margin (-1: centred) and Spacing (-1: spread evenly).

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TBitButtonPlacement {
    int glyphX = 0;
    int glyphY = 0;
    // The caption's box (its measured size at its place).
    int textLeft = 0;
    int textTop = 0;
    int textRight = 0;
    int textBottom = 0;
};

// Client size, glyph size (one frame; 0 x 0 without a glyph) and caption size (0 x 0
// without a caption).
TBitButtonPlacement PlaceBitButton(int clientWidth, int clientHeight, int glyphWidth, int glyphHeight,
                                   int textWidth, int textHeight, TButtonLayout layout, int margin, int spacing);
