#pragma once
// TBitBtn: a push button (the system "BUTTON" class, which the skin engine paints over). Its
// parent reflects BN_CLICKED back to it (CN_COMMAND), which runs Click(): OnClick, and the
// form's ModalResult when the button has one. Enter clicks the focused button (and the
// Default one), Escape the Cancel one; Space is the system button's own.
#include "ui/win_control.h"

class TBitBtn : public TWinControl {
public:
    explicit TBitBtn(TComponent* owner);
    std::wstring ClassName() const override { return L"TBitBtn"; }

    bool GetDefault() const { return default_; }
    void SetDefault(bool isDefault);
    bool GetCancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    Property<&TBitBtn::GetDefault, &TBitBtn::SetDefault> Default{this};
    Property<&TBitBtn::GetCancel, &TBitBtn::SetCancel> Cancel{this};

    // Given to the form on a click (mrNone: none).
    int ModalResult = mrNone;

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    bool default_ = false;
    bool cancel_ = false;
};
