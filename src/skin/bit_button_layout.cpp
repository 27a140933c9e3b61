#include "skin/bit_button_layout.h"

TBitButtonPlacement PlaceBitButton(int clientWidth, int clientHeight, int glyphWidth, int glyphHeight,
                                   int textWidth, int textHeight, TButtonLayout layout, int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    // Along the layout's axis and across it.
    const int client = horizontal ? clientWidth : clientHeight;
    const int glyph = horizontal ? glyphWidth : glyphHeight;
    const int text = horizontal ? textWidth : textHeight;
    const int glyphAcross = horizontal ? glyphHeight : glyphWidth;
    const int textAcross = horizontal ? textHeight : textWidth;
    const int clientAcross = horizontal ? clientHeight : clientWidth;

    // The gap between the two only counts when there are two.
    const bool both = (glyphWidth > 0 && glyphHeight > 0) && (textWidth > 0 || textHeight > 0);
    if (!both) spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (client - glyph - text) / 3;
    } else if (margin == -1) {
        margin = (client - glyph - spacing - text) / 2;
    } else if (spacing == -1) {
        spacing = (client - margin - glyph - text) / 2;
    }

    int glyphAt = margin;                   // from the start of the axis
    int textAt = margin + glyph + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphAt = client - margin - glyph;
        textAt = glyphAt - spacing - text;
    }
    const int glyphCross = (clientAcross - glyphAcross + 1) / 2;
    const int textCross = (clientAcross - textAcross + 1) / 2;

    TBitButtonPlacement p;
    if (horizontal) {
        p.glyphX = glyphAt;
        p.glyphY = glyphCross;
        p.textLeft = textAt;
        p.textTop = textCross;
    } else {
        p.glyphX = glyphCross;
        p.glyphY = glyphAt;
        p.textLeft = textCross;
        p.textTop = textAt;
    }
    p.textRight = p.textLeft + textWidth;
    p.textBottom = p.textTop + textHeight;
    return p;
}
