#include "ui/panel.h"

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 41;
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
    if (bevel == bevelInner_) return;
    bevelInner_ = bevel;
    Invalidate();
}

void TPanel::PaintBackground(HDC dc, const RECT& area) {
    TWinControl::PaintBackground(dc, area);
    RECT r = ClientRect();
    UINT edge = 0;
    if (bevelOuter_ == bvRaised) edge |= BDR_RAISEDOUTER;
    if (bevelOuter_ == bvLowered) edge |= BDR_SUNKENOUTER;
    if (bevelInner_ == bvRaised) edge |= BDR_RAISEDINNER;
    if (bevelInner_ == bvLowered) edge |= BDR_SUNKENINNER;
    if (edge) DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
    if (caption_.empty()) return;
    SelectGuard font(dc, Font->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(enabled_ ? Font->GetColor() : clGrayText));
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
