#pragma once
// TSpeedButton: a button without a window of its own, painted by its parent. Buttons of the
// same parent with the same non-zero GroupIndex stay down one at a time; with AllowAllUp the
// one down can be clicked up again. A flat button shows no frame unless it is down.
#include "ui/control.h"

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    std::wstring ClassName() const override { return L"TSpeedButton"; }

    bool GetDown() const { return down_; }
    // Putting a grouped button down lets the other one of its group up.
    void SetDown(bool down);
    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool GetFlat() const { return flat_; }
    void SetFlat(bool flat);
    Property<&TSpeedButton::GetDown, &TSpeedButton::SetDown> Down{this};
    Property<&TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex> GroupIndex{this};
    Property<&TSpeedButton::GetFlat, &TSpeedButton::SetFlat> Flat{this};
    bool AllowAllUp = false;

    void Click() override;
    void Paint(HDC dc) override;

private:
    bool down_ = false;
    int groupIndex_ = 0;
    bool flat_ = false;
};
