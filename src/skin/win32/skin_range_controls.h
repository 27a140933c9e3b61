#pragma once
// Skinners of the controls that show a position: TSkinTrackBar draws the thumb through the
// track bar's custom-draw notifications (channel and tics stay the system's); TSkinUpDown
// paints both arrow buttons from UpDown.Vert or UpDown.Horz; TSkinProgress paints the bar
// from the Progress part, stretched (Style 0) or as a row of chunks (Style 1).
#include "skin/win32/skin_control.h"

class TSkinTrackBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;

    // The part the thumb is drawn from (nullptr: a plain ButtonShadow block).
    const TDataSkinObject* ThumbPart() const;
    // The thumb's frame of its part.
    static constexpr int kThumbFrame = 2;

private:
    // Answers one custom-draw notification; false leaves it to the control.
    bool CustomDraw(TMessage& message);
};

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // Which button a client point is over: 0 the first (up, or left), 1 the second.
    int ButtonAt(POINT point) const;
    // The frame of the part a button shows now: four states (normal, hot, pressed, disabled)
    // of the first arrow, then of the second.
    int ButtonFrame(int button) const;
    bool Horizontal() const;
    const TDataSkinBorder* Part() const;

private:
    void Track(POINT point);

    int pressedButton_ = -1;
    int hotButton_ = -1;
};

class TSkinProgress : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // How much of a bar that wide is filled now.
    int FilledWidth(int width) const;
};
