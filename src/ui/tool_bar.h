#pragma once
// TToolBar: a strip that holds buttons, of the toolkit's own class. Flat, it shows only its
// colour; otherwise a raised edge.
#include "ui/win_control.h"

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    std::wstring ClassName() const override { return L"TToolBar"; }

    bool GetFlat() const { return flat_; }
    void SetFlat(bool flat);
    Property<&TToolBar::GetFlat, &TToolBar::SetFlat> Flat{this};

protected:
    void PaintBackground(HDC dc, const RECT& area) override;

private:
    bool flat_ = false;
};
