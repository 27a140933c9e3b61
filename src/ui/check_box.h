#pragma once
// TCheckBox and TRadioButton: the system "BUTTON" class in its automatic check-box and radio
// styles. The parent reflects BN_CLICKED (CN_COMMAND) back: the control reads its new state
// and runs OnClick. Both pick their background from Color (WM_CTLCOLORSTATIC), so a skin can
// recolour them.
#include "ui/edit.h"
#include "ui/win_control.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    std::wstring ClassName() const override { return L"TCheckBox"; }

    TCheckBoxState GetState() const;
    void SetState(TCheckBoxState state);
    bool GetChecked() const { return GetState() == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool GetAllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    Property<&TCheckBox::GetState, &TCheckBox::SetState> State{this};
    Property<&TCheckBox::GetChecked, &TCheckBox::SetChecked> Checked{this};
    // A click cycles through the grey state too (three-state box).
    Property<&TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed> AllowGrayed{this};
    // taRightJustify (the default): text right of the box; taLeftJustify: text left of it.
    Property<&TCheckBox::GetAlignment, &TCheckBox::SetAlignment> Alignment{this};

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    void ColorChanged() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
    Gdi<HBRUSH> brush_;
};

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);
    std::wstring ClassName() const override { return L"TRadioButton"; }

    bool GetChecked() const;
    // Checking a button unchecks the other radio buttons of its parent.
    void SetChecked(bool checked);
    Property<&TRadioButton::GetChecked, &TRadioButton::SetChecked> Checked{this};

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    void ColorChanged() override;

private:
    bool checked_ = false;
    Gdi<HBRUSH> brush_;
};
