#pragma once
// TScrollBox: a container of the toolkit's own class that scrolls its children over an area
// larger than itself (its Range), with the window's own scroll bars and the mouse wheel.
#include "ui/win_control.h"

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    std::wstring ClassName() const override { return L"TScrollBox"; }

    // The size of the area the children lie on; a bar shows where it exceeds the box.
    void SetRange(int width, int height);
    // How far the area is scrolled (pixels from its top-left corner).
    int HorzPosition() const { return x_; }
    int VertPosition() const { return y_; }
    // Scrolls to a position (held inside the range).
    void ScrollTo(int x, int y);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    void UpdateBars();
    // The new position for a scroll request on one bar.
    int ScrollPosition(int bar, WPARAM request) const;
    SIZE ClientSize() const;

    int rangeWidth_ = 0;
    int rangeHeight_ = 0;
    int x_ = 0;
    int y_ = 0;
};
