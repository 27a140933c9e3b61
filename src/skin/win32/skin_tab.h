#pragma once
// TSkinTab paints a tab control (attached by its window) from the Tabs part: the page border
// from the part's second image, each tab in its state's frame, turned for tabs below or
// beside the page; the up-down that scrolls a strip too long for the control gets a
// TSkinUpDown. TSkinTab31 paints the toolkit's older tab set, whose tabs hang below a line.
#include <memory>

#include "skin/tab_face.h"
#include "skin/win32/skin_control.h"

class TSkinUpDown;

class TSkinTab : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void AttachHandle(HWND hwnd) override;
    void Attach(TWinControl& control, bool recolour) override;
    void Detach() override;
    void Refresh() override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    TTabSide Side() const;
    // Where a tab is drawn (larger than the control's rectangle when it is selected).
    RECT TabRect(int index) const;
    int HotTab() const { return hotTab_; }
    TSkinUpDown* UpDown() const { return upDown_.get(); }

private:
    void AttachUpDown();

    int hotTab_ = -1;
    std::unique_ptr<TSkinUpDown> upDown_;
};

class TSkinTab31 : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
};
