#pragma once
// TSkinCheckBox and TSkinRadioButton: the control paints itself, then the skinner paints the
// skin's box over the system's: the check (or radio) image of the Buttons part, frame 1
// unchecked, 2 checked, two more when disabled, 4 for the grey state.
#include "skin/win32/skin_control.h"

class TSkinCheckBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // The frame the box shows now (0 without an image to show).
    int Frame() const;
    // Where the box goes in a control of that size (window coordinates).
    RECT BoxRect(const RECT& bounds) const;

protected:
    // The image of the box and its frame count.
    virtual const Bitmap32& Image() const;
    virtual int FrameCount() const;
    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE; a toolkit control's own state decides.
    virtual int CheckState() const;
};

class TSkinRadioButton : public TSkinCheckBox {
public:
    using TSkinCheckBox::TSkinCheckBox;

protected:
    const Bitmap32& Image() const override;
    int FrameCount() const override;
    int CheckState() const override;
};
