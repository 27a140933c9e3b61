#include "ui/speed_button.h"

#include "ui/win_control.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 23;
    height_ = 22;
}

void TSpeedButton::SetDown(bool down) {
    // Only a grouped button stays down.
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    down_ = down;
    if (down_ && parent_) {
        for (TControl* sibling : parent_->Controls()) {
            auto* other = dynamic_cast<TSpeedButton*>(sibling);
            if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
                other->down_ = false;
                other->Invalidate();
            }
        }
    }
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::Click() {
    if (!enabled_) return;
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (AllowAllUp)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::Paint(HDC dc) {
    RECT r{0, 0, width_, height_};
    Gdi<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &r, face.Get());
    if (down_)
        DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
    else if (!flat_)
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (caption_.empty()) return;
    SelectGuard font(dc, Font->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (down_) OffsetRect(&r, 1, 1);
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
