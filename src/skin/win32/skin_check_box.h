#pragma once
// TSkinCheckBox lets the check box paint itself and then paints its box over it from the
// Buttons part's check image (1 unchecked, 2 checked, two more when disabled, 4 for the third
// state); TSkinRadioButton does the same with the radio image. The system check box draws
// its box at once on a click or a new check state, so the skinned box follows each of them.
#include "skin/win32/skin_control.h"

class TSkinCheckBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // The frame of the image the box shows now.
    int Frame() const;
    // Where the box lies in the control (window coordinates).
    RECT BoxRect(const RECT& bounds) const;

protected:
    virtual const Bitmap32& Image() const { return Content().Buttons.CheckImage; }
    virtual int FrameCount() const { return Content().Buttons.CheckFrameCount; }
};

class TSkinRadioButton : public TSkinCheckBox {
public:
    using TSkinCheckBox::TSkinCheckBox;

protected:
    const Bitmap32& Image() const override { return Content().Buttons.RadioImage; }
    int FrameCount() const override { return Content().Buttons.RadioFrameCount; }
};
