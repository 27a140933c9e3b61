#pragma once
// TSkinButton paints a push button from the skin's Buttons part (five frames: normal,
// pressed, disabled, hot or focused); TSkinBitButton also places the toolkit TBitBtn's glyph.
// The skinner takes the mouse press itself: the button never sees it, and the click is run
// when the mouse goes up over it.
#include "skin/win32/skin_control.h"
#include "skin/win32/skin_dib.h"

class TSkinButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // The frame of the Buttons part the button shows now: 1 normal, 2 pressed, 3 disabled,
    // 4 focused or hot.
    int State() const;

protected:
    // The off-screen face, kept between paints (a hot or pressed repaint is frequent).
    SkinDib dib_;
    // The caption's colour in a state.
    ColourRef TextColour(int state) const;
    // Draws the face (ButtonFace, then the part) into image; false without a Buttons image.
    bool PaintFace(Bitmap32& image, int state) const;
};

class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    void Paint(HDC dc, const RECT& bounds) override;
};
