#pragma once
// TSkinEdit draws an edit field's border after the control: a 1-pixel ButtonShadow frame with
// a white one inside it, on windows that have a border. TSkinBox only recolours its control
// (and again after a skin change). TSkinSizer covers a plain window's scroll bar with a
// ButtonFace face in a ButtonShadow frame.
#include "skin/win32/skin_control.h"

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
};

class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool HooksMessages() const override { return false; }
};

class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
};
