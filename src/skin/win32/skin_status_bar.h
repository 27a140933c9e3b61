#pragma once
// TSkinStatusBar paints a status bar entirely: ButtonFace, each panel where the bar reports it
// with the StatusBarEdges part in its bevel's frame (or a classic bevel without the part),
// the panels' texts with their alignment, and on a bar with a size grip the grip from
// ExtraImages. The toolkit's status bars lose their grip when they are skinned.
#include "skin/win32/skin_control.h"

class TSkinStatusBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
};
