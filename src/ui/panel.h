#pragma once
// TPanel: a container of the toolkit's own window class, painted double-buffered: its
// colour, a raised or lowered bevel, its caption centred, and the graphic controls on it.
#include "ui/win_control.h"

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    std::wstring ClassName() const override { return L"TPanel"; }

    TBevelCut GetBevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut GetBevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    Property<&TPanel::GetBevelOuter, &TPanel::SetBevelOuter> BevelOuter{this};
    Property<&TPanel::GetBevelInner, &TPanel::SetBevelInner> BevelInner{this};

protected:
    void PaintBackground(HDC dc, const RECT& area) override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
};
