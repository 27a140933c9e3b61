#pragma once
// TSkinComBox paints a combo box's frame and drop-down button from the skin after the
// control has painted its text: the SunkEdge part around the control, the ComboButton part
// and the arrow of the ExtraImages part in the button (ComboButton Style 0), or the button
// stretched into a plain frame (Style 1). The text area stays the control's own.
#include "skin/win32/skin_control.h"

class TSkinComBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // 1 normal, 2 pressed (or dropped down), 3 disabled, 4 focused or hot.
    int State();
    // The button's rectangle in window coordinates for a control of that size.
    RECT ButtonRect(const RECT& bounds) const;

private:
    bool DroppedDown() const;
    bool LeftScrollBar() const;
    bool StyleOne() const;
    ColourRef Background() const;

    bool wasDropped_ = false;
};
