#include "ui/tool_bar.h"

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 29;
}

void TToolBar::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Invalidate();
}

void TToolBar::PaintBackground(HDC dc, const RECT& area) {
    TWinControl::PaintBackground(dc, area);
    if (flat_) return;
    RECT r{0, 0, width_, height_};
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}
