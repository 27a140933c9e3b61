#pragma once
// TSkinSpeedButton paints a speed button (a control without a window) from the Buttons part
// into its parent, at the button's bounds, after the parent has painted. It follows the
// parent's mouse messages over the button for the hot and pressed looks; a button that is
// down shows pressed, and a flat one shows only its caption until the mouse is over it.
#include "skin/win32/skin_control.h"

class TSpeedButton;

class TSkinSpeedButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;

    // The frame of the Buttons part the button shows (0: flat, no face).
    int State() const;
    TSpeedButton* Button() const;
    // Paints the button into a device context of the parent's client area.
    void PaintButton(HDC parentDc);

private:
    bool Over(LPARAM point) const;
    void Repaint();

    bool buttonPressed_ = false;
    bool buttonHot_ = false;
};
